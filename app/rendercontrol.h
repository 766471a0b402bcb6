#pragma once

#include <QObject>

namespace vistarel::app {

class TFormMain;

// The window's side of a render: "Slideshow erstellen" runs the shared render job with the
// window as its host (inside the click, processing events while it works), the progress
// page follows the job's stages, and its button cancels or returns to step 3. Only one
// job runs at a time; closing the window during a job asks first, cancels the job and
// closes once it has cleaned up.
class RenderControl : public QObject
{
    Q_OBJECT

public:
    explicit RenderControl(TFormMain& form);

    // A render job is running (also while a cancelled one winds down).
    bool ActionExecuting() const { return m_executing; }

    void RzBmpButtonStep3RenderClick();
    void RzBmpButtonProgressCancelClick();

    // The window is asked to close while a job runs: asks whether to cancel it; on "OK"
    // the job is cancelled and the window closes when the job has ended. Returns false
    // (the window stays open for now) in both cases.
    void closeRequestedDuringRender();

signals:
    // The job has ended; succeeded tells whether the video was made.
    void renderFinished(bool succeeded);

private:
    void setRunning(bool running);

    TFormMain& m_form;
    bool m_executing = false;
    bool m_closeWhenDone = false;
};

} // namespace vistarel::app
