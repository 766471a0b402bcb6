#include "app/step2page.h"

#include "app/formmain.h"

namespace vistarel::app {

Step2StripDecision step2StripRule(int windowHeight, int bottomPanelTop)
{
    if (windowHeight >= kLargeStripMinWindowHeight)
        return {true, false};
    return {false, bottomPanelTop == kLargeStripBottomTop};
}

Step2Page::Step2Page(TFormMain& form)
    : QWidget(&form)
    , m_form(form)
{
    setObjectName(QStringLiteral("RzPanelStep2"));
}

void Step2Page::restoreStartSettings(const project::Settings&)
{
    // The strip sizes arrive with the page's controls.
}

void Step2Page::applyWindowHeight(int)
{
    // Applied to the strip-size icons and the settings area once the page has them
    // (step2StripRule decides).
}

void Step2Page::refreshPreview()
{
}

} // namespace vistarel::app
