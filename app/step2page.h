#pragma once

#include <QWidget>

namespace vistarel::project {
class Settings;
}

namespace vistarel::app {

class Step2StripModel;
class TFormMain;

// The step-2 strip size rule for a window height (design pixels): below 968 the two
// strip-size icons are hidden and a large-strip layout (settings area at 478) falls back
// to the normal one (strip 200 high, settings area 200 taller at 278).
inline constexpr int kLargeStripMinWindowHeight = 968;
inline constexpr int kNormalStripBottomTop = 278;
inline constexpr int kLargeStripBottomTop = 478;

struct Step2StripDecision
{
    bool showSizeIcons = true;
    bool fallBackToNormal = false;
};
Step2StripDecision step2StripRule(int windowHeight, int bottomPanelTop);

// Step 2, RzPanelStep2: the slide settings editor.
class Step2Page : public QWidget
{
    Q_OBJECT

public:
    explicit Step2Page(TFormMain& form);

    // Start sequence: ImagesOption (only 1 changes anything).
    void restoreStartSettings(const project::Settings& settings);
    // The window's resize rule: called with the new window height on every resize.
    void applyWindowHeight(int windowHeight);
    // After the window was moved, resized, maximised or restored: refresh the preview
    // while the page is shown.
    void refreshPreview();

    // ---- what the wizard moves use (Navigator) ---------------------------------------
    // The step-2 strip's content, refilled by Navigator::FillStep2Strip each time step 2
    // is entered from step 1 (or from step 3 with "Zurück"); item i is slide i.
    Step2StripModel* stripModel() const { return m_strip; }
    // The selected item of the step-2 strip: the slide being edited; -1 when none.
    int currentSlide() const { return m_currentSlide; }
    void setCurrentSlide(int slide);
    // Shows the current slide's settings in the editor.
    void ShowSlideSettings();
    // Shows the current slide in the preview, playing its transition when asked.
    void ShowStep2Preview(bool playTransition);
    // Closes the three overlays (automatic effects and the two apply-to-all questions).
    void hideOverlays();

private:
    TFormMain& m_form;
    Step2StripModel* m_strip;
    int m_currentSlide = -1;
};

} // namespace vistarel::app
