#pragma once

#include <QWidget>

namespace vistarel::project {
class Settings;
}

namespace vistarel::app {

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

private:
    TFormMain& m_form;
};

} // namespace vistarel::app
