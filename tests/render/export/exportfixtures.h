#pragma once

#include "lang/messagelist.h"
#include "project/myimageinfo.h"
#include "project/slidelist.h"
#include "render/host.h"

#include <QImage>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <functional>
#include <memory>

namespace vistarel::exporttest {

// Every message "Str<n>" reads "M<n>", so tests can tell which one was shown.
const lang::MessageList& numberedMessages();

// A console host whose work folder has an apostrophe and blanks in its name (so every
// concat list goes through the escaping), counting pumps and recording opened files.
class ExportHost : public render::ConsoleHost
{
public:
    explicit ExportHost(const QString& appDataDir);
    void pumpMessages() override;
    void openFile(const QString& path) override { opened << path; }

    int pumps = 0;
    std::function<void()> onPump;
    QStringList opened;
};

struct ExportFixture
{
    QTemporaryDir base;
    QString work = base.path() + u"/it's work/"_qs;
    QString media = base.path() + u"/media 'files'/"_qs;
    std::unique_ptr<ExportHost> host;
    project::SlideList slides;

    ExportFixture();
    // A picture file of one colour (JPEG by the extension, or PNG).
    QString picture(const QString& name, int width, int height, QColor colour);
    // A clip made with ffmpeg: `seconds` long, 25 fps test pattern, with or without a
    // 440 Hz sound track.
    QString clip(const QString& name, double seconds, bool withSound, QSize size = {160, 90});
    // A file with a clip's extension that holds no video.
    QString brokenClip(const QString& name);
    // An MP3 tone of the given length.
    QString music(const QString& name, double seconds);
    // Appends a slide with the given record (or none).
    void add(const QString& file, std::unique_ptr<project::TMyImageInfo> record = nullptr);
    QString workFile(const QString& name) const { return work + name; }
    // The lines of a work file (CR LF separated), or {"<missing>"}.
    QStringList lines(const QString& name) const;
};

std::unique_ptr<project::TMyImageInfo> slideRecord(int effect, int transitionPosition,
                                                   int durationPosition, int audioMode = 0);

// What ffprobe says about a video file.
struct ProbedVideo
{
    double seconds = 0;
    int frames = 0;
    int audioStreams = 0;
    int videoStreams = 0;
    QSize size;
};
ProbedVideo probeVideo(const QString& file);

} // namespace vistarel::exporttest
