#include "render/picture/decoders.h"
#include "render/picture/pixels.h"

#include "project/appdata.h"

#include <QFileInfo>
#include <QProcess>

namespace vistarel::render::decoders {
namespace {

// A still picture decodes in well under a second; a tool that hangs is given up on.
constexpr int kTimeoutMs = 60000;

} // namespace

QImage ffmpeg(const QString& file)
{
    const QString tool = project::executableDir() + u"ffmpeg"_qs;
    if (!QFileInfo(tool).isExecutable())
        return {};
    // The picture comes back as a PPM on standard output: no temporary file, and Qt reads
    // PPM without a plugin.
    QProcess process;
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    process.start(tool, {u"-v"_qs, u"error"_qs, u"-nostdin"_qs, u"-i"_qs, file, u"-frames:v"_qs,
                         u"1"_qs, u"-f"_qs, u"image2pipe"_qs, u"-c:v"_qs, u"ppm"_qs, u"-pix_fmt"_qs,
                         u"rgb24"_qs, u"pipe:1"_qs});
    if (!process.waitForFinished(kTimeoutMs)) {
        process.kill();
        process.waitForFinished();
        return {};
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return {};
    return toSlidePixels(QImage::fromData(process.readAllStandardOutput(), "PPM"));
}

} // namespace vistarel::render::decoders
