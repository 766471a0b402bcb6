#pragma once

#include <QObject>

namespace vistarel::app {

class Step2Thumbnails;
class TFormMain;

// The pages of the wizard that occupy the same area; at most one is visible.
enum class WizardPage { Step1, Step2, Step3, Progress };

// The wizard's moves between the pages and the step control: the one place that shows
// and hides pages. Each move checks what it needs, shows its page, sets the step
// control's active step and prepares the page it opens. A click on the step control
// runs the move for the clicked step.
//
// Setting the active step from a move does not run the step control's move again; the
// effects such a nested run has for the user are part of the moves themselves: "Zurück"
// on step 3 refills the step-2 strip and makes the first slide current, and a refused
// click on the step control shows step 1 before its message.
class Navigator : public QObject
{
    Q_OBJECT

public:
    explicit Navigator(TFormMain& form);

    WizardPage currentPage() const { return m_page; }
    // Shows one page and hides the others (also the progress page of a render).
    void showPage(WizardPage page);

    void RzBmpButtonStep1NextClick();
    void RzBmpButtonStep2BackClick();
    void RzBmpButtonStep2NextClick();
    void RzBmpButtonStep3BackClick();
    // The step control reported a new active step (0, 1 or 2).
    void AdvSmoothStepControlMainStepChanged(int step);

    // Copies the slide list into the step-2 strip: item i shows slide i; a slide whose
    // file is gone keeps the picture the step-1 strip had of it.
    void FillStep2Strip();

private:
    void enterStep2();
    void refuseStepChange();
    void setStep(int step);

    TFormMain& m_form;
    WizardPage m_page = WizardPage::Step1;
    bool m_settingStep = false;
    Step2Thumbnails* m_step2Thumbnails = nullptr;
};

} // namespace vistarel::app
