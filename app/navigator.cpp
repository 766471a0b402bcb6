#include "app/navigator.h"

#include "app/formmain.h"
#include "app/progresspage.h"
#include "app/step1page.h"
#include "app/step2page.h"
#include "app/step2strip.h"
#include "app/step3page.h"
#include "app/stepcontrol.h"
#include "app/windowhost.h"

namespace vistarel::app {

Navigator::Navigator(TFormMain& form)
    : QObject(&form)
    , m_form(form)
{
    connect(form.stepControl(), &StepControl::stepChanged, this,
            &Navigator::AdvSmoothStepControlMainStepChanged);
}

void Navigator::showPage(WizardPage page)
{
    m_page = page;
    // Hide first, so the page that stays never shares the area with another.
    const std::pair<QWidget*, WizardPage> pages[] = {{m_form.step1(), WizardPage::Step1},
                                                     {m_form.step2(), WizardPage::Step2},
                                                     {m_form.step3(), WizardPage::Step3},
                                                     {m_form.progressPage(), WizardPage::Progress}};
    for (const auto& [widget, which] : pages) {
        if (which != page)
            widget->hide();
    }
    for (const auto& [widget, which] : pages) {
        if (which == page)
            widget->show();
    }
}

void Navigator::setStep(int step)
{
    m_settingStep = true;
    m_form.stepControl()->setActiveStep(step);
    m_settingStep = false;
}

void Navigator::RzBmpButtonStep1NextClick()
{
    if (m_form.slides().count() == 0) {
        m_form.taskDialog({m_form.str(44), m_form.str(45), m_form.str(46)},
                          TaskDialogKind::Information);
        return;
    }
    enterStep2();
}

void Navigator::enterStep2()
{
    FillStep2Strip();
    Step2Page* step2 = m_form.step2();
    step2->setCurrentSlide(0);
    step2->ShowSlideSettings();
    showPage(WizardPage::Step2);
    setStep(1);
    step2->ShowStep2Preview(true);
}

void Navigator::RzBmpButtonStep2BackClick()
{
    showPage(WizardPage::Step1);
    m_form.step2()->hideOverlays();
    setStep(0);
}

void Navigator::RzBmpButtonStep2NextClick()
{
    showPage(WizardPage::Step3);
    m_form.step2()->hideOverlays();
    setStep(2);
}

void Navigator::RzBmpButtonStep3BackClick()
{
    showPage(WizardPage::Step2);
    setStep(1);
    // Coming back from step 3 goes on as the step control's move to step 2 does: the
    // strip is filled afresh and its first slide becomes current.
    AdvSmoothStepControlMainStepChanged(1);
}

void Navigator::AdvSmoothStepControlMainStepChanged(int step)
{
    if (m_settingStep)
        return;
    const bool empty = m_form.slides().count() == 0;
    switch (step) {
    case 0:
        RzBmpButtonStep2BackClick();
        break;
    case 1:
        if (empty)
            refuseStepChange();
        else
            enterStep2();
        break;
    case 2:
        // The step-2 strip is not refilled on this way.
        if (empty)
            refuseStepChange();
        else
            RzBmpButtonStep2NextClick();
        break;
    default:
        break;
    }
}

void Navigator::refuseStepChange()
{
    // Back to step 1 first, drawn before the message appears.
    RzBmpButtonStep2BackClick();
    m_form.stepControl()->repaint();
    m_form.taskDialog({m_form.str(41), m_form.str(42), m_form.str(43)},
                      TaskDialogKind::Information);
}

void Navigator::FillStep2Strip()
{
    const Step1Page* step1 = m_form.step1();
    WindowHost& host = m_form.host();
    // A copy of the names: pending events processed on the way may change the list.
    std::vector<Step2StripItem> items = step2StripItems(
        m_form.slides().fileNames(),
        [step1](const QString& file) { return step1->stripPicture(file); },
        [&host] { host.pumpIfDue(); });
    m_form.step2()->stripModel()->setItems(std::move(items));
}

} // namespace vistarel::app
