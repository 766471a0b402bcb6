#include "app/rendercontrol.h"

#include "app/formmain.h"
#include "app/navigator.h"
#include "app/progresspage.h"
#include "app/step3page.h"
#include "app/stepcontrol.h"
#include "app/windowhost.h"
#include "lang/messagelist.h"
#include "render/export/renderjob.h"

#include <QTimer>

namespace vistarel::app {

namespace {

render::RenderJobSettings jobSettings(const Step3Page& page)
{
    render::RenderJobSettings s = render::jobSettingsOf(page.outputSettings());
    s.outputFile = page.outputFile();
    s.saveJobFile = page.saveJob();
    s.jobFile = page.jobFile();
    return s;
}

} // namespace

RenderControl::RenderControl(TFormMain& form)
    : QObject(&form)
    , m_form(form)
{
    connect(form.step3(), &Step3Page::renderClicked, this, &RenderControl::RzBmpButtonStep3RenderClick);
    connect(form.progressPage(), &ProgressPage::buttonClicked, this,
            &RenderControl::RzBmpButtonProgressCancelClick);
}

void RenderControl::setRunning(bool running)
{
    m_executing = running;
    m_form.stepControl()->setEnabled(!running);
    m_form.step3()->setRenderRunning(running);
}

void RenderControl::RzBmpButtonStep3RenderClick()
{
    // A cancelled job may still be winding down with step 3 shown again.
    if (m_executing)
        return;
    const render::RenderJobSettings settings = jobSettings(*m_form.step3());
    ProgressPage* progress = m_form.progressPage();
    render::RenderJobHooks hooks;
    hooks.writeJobFile = [this](const QString& file) { m_form.writeProject(file); };
    hooks.stageChanged = [&](render::RenderStage stage) {
        progress->setStateMessage(render::stageStateMessage(stage));
        progress->setButtonMessage(render::stageButtonMessage(stage));
        if (stage == render::RenderStage::Started) {
            setRunning(true);
            m_form.navigator()->showPage(WizardPage::Progress);
        }
    };
    const render::RenderJobResult result =
        render::runRenderJob(m_form.host(), m_form.slides(), settings, hooks);
    if (result.outcome == render::RenderOutcome::Refused)
        return;
    setRunning(false);
    emit renderFinished(result.outcome == render::RenderOutcome::Succeeded);
    if (m_closeWhenDone) {
        m_closeWhenDone = false;
        // Outside this click: the window closes as the close button does.
        QTimer::singleShot(0, &m_form, [this] { m_form.RzBmpButtonCloseClick(); });
    }
}

void RenderControl::RzBmpButtonProgressCancelClick()
{
    if (m_executing)
        m_form.host().ActionCanceled = true;
    m_form.navigator()->showPage(WizardPage::Step3);
}

void RenderControl::closeRequestedDuringRender()
{
    if (m_closeWhenDone)
        return;
    const lang::MessageList& messages = m_form.messages();
    const lang::TaskDialogText text{messages.message(90), messages.message(91),
                                    messages.message(92)};
    if (m_form.taskDialog(text, TaskDialogKind::Information) != render::DialogResult::Ok)
        return;
    m_closeWhenDone = true;
    m_form.host().ActionCanceled = true;
}

} // namespace vistarel::app
