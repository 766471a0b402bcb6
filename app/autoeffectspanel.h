#pragma once

#include "app/overlaypanel.h"
#include "project/recordcreation.h"

#include <random>

class QComboBox;
class QListWidget;

namespace vistarel::app {

class ClickLabel;

// The panel RzPanelAutoEffects: which slides get automatic effects
// (ElComboBoxAutoEffectsFor), which effects may be drawn (the tick list
// RzCheckListAutoEffectsNames, mirroring the transition list) and their duration
// (ElComboBoxAutoEffectsDuration). Its choices last while the program runs.
class AutoEffectsPanel : public OverlayPanel
{
    Q_OBJECT

public:
    explicit AutoEffectsPanel(QWidget* parent);

    // Makes the tick list mirror the transition list: with as many entries, only the
    // texts follow and the ticks stay; otherwise it is refilled with every entry ticked.
    void SyncAutoEffectNames(const QListWidget& transitions);
    void setAllTicked(bool ticked);
    int CountTickedEffects() const;
    // Draws one of the ticked entries uniformly and returns its position (an effect
    // ordinal); -1 when none is ticked.
    int PickAutoEffect(std::mt19937& generator) const;

    project::AutoEffectTarget target() const;
    int durationPosition() const;
    QListWidget* names() const { return m_names; }
    QComboBox* targetList() const { return m_target; }
    QComboBox* durationList() const { return m_duration; }

    // Puts "Alle deaktivieren" under the tick list's right edge and "Alle aktivieren" 20
    // to its left; again after each language load, when their widths change.
    void placeLinks();

signals:
    void applyClicked();
    void cancelClicked();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    QComboBox* m_target;
    QListWidget* m_names;
    QComboBox* m_duration;
    ClickLabel* m_selectAll;
    ClickLabel* m_selectNone;
};

} // namespace vistarel::app
