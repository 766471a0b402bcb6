#pragma once

#include "cli/clicontext.h"
#include "render/export/renderjob.h"
#include "render/host.h"

#include <QString>

namespace vistarel::project {
class SlideList;
}

namespace vistarel::cli {

// The host of a render on the command line: a one-line progress bar with the state text
// on standard error (plain state lines when that is not a terminal), dialogs printed
// below it, and Ctrl-C (SIGINT) or SIGTERM cancelling the job.
class ConsoleRenderHost : public render::ConsoleHost
{
public:
    ConsoleRenderHost(const QString& appDataDir, const lang::MessageList& messages);
    ~ConsoleRenderHost() override;

    // Shows the state line of a job stage.
    void showStage(render::RenderStage stage);
    // Ends the bar's line.
    void endBar();
    // Whether a cancel signal arrived during the job.
    bool interrupted() const;

    render::DialogResult taskDialog(const lang::TaskDialogText& text) override;
    void messageBox(const QString& text) override;

protected:
    void progressChanged(int percent) override;

private:
    void drawBar();

    bool m_terminal;
    bool m_barShown = false;
    QString m_state;
};

// Options of a headless render.
struct ConsoleRenderOptions
{
    bool keepWork = false;
    bool openVideo = false;
};

// Runs the render job for the slides with the settings, on a ConsoleRenderHost over the
// application-data folder, and reports the outcome. Returns the exit code: 0 for a
// video, 130 when cancelled by a signal, 1 otherwise.
int renderOnConsole(CliContext& context, const project::SlideList& slides,
                    const render::RenderJobSettings& settings, const ConsoleRenderOptions& options);

} // namespace vistarel::cli
