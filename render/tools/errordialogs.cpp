#include "render/tools/toolrunner.h"

namespace vistarel::render {

namespace {

const QString kTwoLineBreaks = QStringLiteral("\r\n\r\n");

QString renderLogPath(const Host& host)
{
    return host.AppDataDir() + QStringLiteral("render.log");
}

} // namespace

void ShowMediaError(Host& host, const QString& file)
{
    // The dialog is shown even when the log cannot be written.
    host.saveLog(renderLogPath(host));
    showMediaErrorDialog(host, file);
}

void showMediaErrorDialog(Host& host, const QString& file)
{
    host.taskDialog({host.message(23), host.message(24) + kTwoLineBreaks + file, host.message(26)});
}

void ShowRenderError(Host& host)
{
    host.saveLog(renderLogPath(host));
    host.taskDialog(
        {host.message(37), host.message(38) + kTwoLineBreaks + renderLogPath(host), host.message(40)});
}

} // namespace vistarel::render
