#include "app/navigator.h"

#include "app/coverflowstrip.h"
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
    Step2Page* step2 = form.step2();
    connect(step2, &Step2Page::backRequested, this, &Navigator::RzBmpButtonStep2BackClick);
    connect(step2, &Step2Page::nextRequested, this, &Navigator::RzBmpButtonStep2NextClick);
    connect(form.step3(), &Step3Page::backClicked, this, &Navigator::RzBmpButtonStep3BackClick);
    m_step2Thumbnails = new Step2Thumbnails(*step2->strip(), form.appDataDir(), this);
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
    // The first slide becomes current: its settings are shown and its transition plays
    // as soon as the page is visible.
    m_form.step2()->strip()->setCurrentIndex(0);
    showPage(WizardPage::Step2);
    setStep(1);
}

void Navigator::RzBmpButtonStep2BackClick()
{
    showPage(WizardPage::Step1);
    m_form.step2()->closeOverlays();
    setStep(0);
}

void Navigator::RzBmpButtonStep2NextClick()
{
    showPage(WizardPage::Step3);
    m_form.step2()->closeOverlays();
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
    const QStringList files = m_form.slides().fileNames();
    const std::vector<Step2StripItem> items = step2StripItems(
        files,
        [step1](const QString& file) { return step1->stripPicture(file); },
        [&host] { host.pumpIfDue(); });
    m_step2Thumbnails->fill(files, items);
}

} // namespace vistarel::app
