#pragma once

#include "app/overlaypanel.h"

class QLabel;

namespace vistarel::app {

enum class ConfirmAnswer { Save, DontSave, Cancel };

// The confirmation panel RzPanelProjectNew (488 × 200, centred): a title, the question
// whether to save first, and the buttons "Speichern", "Nicht speichern" and
// "Abbrechen". Modeless; the window acts on the answer.
class ConfirmPanel : public OverlayPanel
{
    Q_OBJECT

public:
    explicit ConfirmPanel(QWidget* parent);

    void setTitle(const QString& title);
    QString title() const;

signals:
    void answered(vistarel::app::ConfirmAnswer answer);

private:
    QLabel* m_title;
};

} // namespace vistarel::app
