#pragma once

#include "app/overlaypanel.h"

namespace vistarel::app {

// A confirmation that lies over step 2: a title, a question and the buttons "Ja" and
// "Nein" (RzPanelApplyToAll, RzPanelEffectsApplyToAll). Modeless: it only reports the
// answer; both buttons are for the page to act on and hide the panel.
class QuestionPanel : public OverlayPanel
{
    Q_OBJECT

public:
    // names: the panel's, and the prefix of its parts ("ApplyToAll" gives
    // LabelApplyToAllTitle, LabelApplyToAllInfo, RzBmpButtonApplyToAllYes/No).
    QuestionPanel(const QString& panelName, const QString& partName, const QString& title,
                  const QString& question, QWidget* parent);

signals:
    void yes();
    void no();
};

} // namespace vistarel::app
