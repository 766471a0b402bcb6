#include "app/step2page.h"

#include "app/formmain.h"
#include "app/step2strip.h"

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
    , m_strip(new Step2StripModel(this))
{
    setObjectName(QStringLiteral("RzPanelStep2"));
}

void Step2Page::setCurrentSlide(int slide)
{
    m_currentSlide = (slide >= 0 && slide < m_strip->rowCount()) ? slide : -1;
}

void Step2Page::ShowSlideSettings()
{
    // The editor's controls show the current slide's record once the page has them.
}

void Step2Page::ShowStep2Preview(bool)
{
    // The preview plays the current slide's transition once the page has it.
}

void Step2Page::hideOverlays()
{
    // The three overlays arrive with the page's controls.
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
