// render_bench_show FOLDER: writes the two benchmark shows of bench/render into FOLDER
// (media made once and reused): 20 camera-size JPEGs (4000 x 3000, two of them portrait)
// with 1 s cross-dissolves, 4 s each, and music; and a mixed show of 10 of the pictures and
// two clips with sound (1080p25 stereo, 720p30 mono). For each show it writes our project
// (pictures.vrj, mixed.vrj) and the arguments of an equivalent melt run, one per line
// (pictures.melt, mixed.melt; the consumer arguments are added by the script).

#include "bench/common/photolike.h"
#include "project/myimageinfo.h"
#include "project/projectfile.h"
#include "project/slidelist.h"
#include "project/transitioncatalogue.h"
#include "render/tools/toolrunner.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QRandomGenerator>

#include <algorithm>
#include <cstdio>

using namespace vistarel;
using bench::photoLike;

namespace {

constexpr int kDisplayPosition = 3;    // 4 s
constexpr int kTransitionPosition = 2; // 1 s
constexpr int kStillFrames = 100;
constexpr int kMixFrames = 25;

bool ffmpeg(const QString& arguments, const QString& target)
{
    if (QFileInfo::exists(target))
        return true;
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.startCommand(render::GetFFmpegPath() + u" -v error -y "_qs + arguments + u" \""_qs +
                         target + u'"');
    return process.waitForFinished(-1) && process.exitCode() == 0;
}

QStringList makePictures(const QString& folder)
{
    QStringList files;
    for (int i = 0; i < 20; ++i) {
        const bool portrait = i == 5 || i == 13;
        const QString file = folder + QStringLiteral("photo_%1.jpg").arg(i, 2, 10, QChar(u'0'));
        if (!QFileInfo::exists(file))
            photoLike(portrait ? 3000 : 4000, portrait ? 4000 : 3000, quint32(i + 1))
                .save(file, "JPG", 92);
        files << file;
    }
    return files;
}

std::unique_ptr<project::TMyImageInfo> dissolveRecord()
{
    auto record = std::make_unique<project::TMyImageInfo>();
    record->Transition = project::transitionOrdinal(u"iettCrossDissolve"_qs).value_or(1);
    record->TransitionDuration = kTransitionPosition;
    record->Duration = kDisplayPosition;
    record->Font = u"Tahoma"_qs;
    return record;
}

bool saveProject(const QString& path, const QStringList& media, const QString& music,
                 const QString& output)
{
    project::SlideList slides;
    for (const QString& file : media)
        slides.setSettings(slides.appendFile(file), dissolveRecord());
    project::OutputSettings settings;
    settings.ResolutionIndex = 3;
    settings.MusicIndex = music.isEmpty() ? 1 : 0;
    settings.MusicFiles = music.isEmpty() ? QStringList() : QStringList{music};
    settings.OutputFile = output;
    return project::saveProjectFile(path, project::buildProjectFile(slides, settings)).ok;
}

// melt producers with a timeline of the same length: every slide shares 25 frames of luma
// dissolve with each neighbour, pictures show 100 frames on their own, clips play whole; the
// frames our first slide spends fading in from black go to melt's first picture.
bool saveMeltArguments(const QString& path, const QStringList& media,
                       const QList<int>& clipFrames, const QString& music)
{
    const int n = int(media.size());
    QList<int> lengths;
    int ours = 0;
    int clip = 0;
    for (int i = 0; i < n; ++i) {
        const bool isClip = media[i].endsWith(u".mp4"_qs);
        const int content = isClip ? clipFrames[clip++] : kStillFrames;
        ours += kMixFrames + content;
        lengths << (isClip ? content
                           : content + (i > 0 ? kMixFrames : 0) + (i + 1 < n ? kMixFrames : 0));
    }
    int melt = -kMixFrames * (n - 1);
    for (int length : lengths)
        melt += length;
    lengths[0] += ours - melt;

    QStringList lines = {u"-profile"_qs, u"atsc_1080p_25"_qs};
    for (int i = 0; i < n; ++i) {
        lines << media[i] << QStringLiteral("out=%1").arg(lengths[i] - 1);
        if (i > 0)
            lines << u"-mix"_qs << QString::number(kMixFrames) << u"-mixer"_qs << u"luma"_qs;
    }
    if (!music.isEmpty())
        lines << u"-audio-track"_qs << music << QStringLiteral("out=%1").arg(ours - 1);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write((lines.join(u'\n') + u'\n').toUtf8());
    return true;
}

} // namespace

int main(int argc, char* argv[])
{
    // Pictures are painted without a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: render_bench_show FOLDER\n");
        return 2;
    }
    const QString folder = QDir(QString::fromLocal8Bit(argv[1])).absolutePath() + u'/';
    QDir().mkpath(folder);
    const QStringList pictures = makePictures(folder);
    const QString music = folder + u"music.mp3"_qs;
    const QString clip1080 = folder + u"clip_1080p25.mp4"_qs;
    const QString clip720 = folder + u"clip_720p30_mono.mp4"_qs;
    const bool made =
        ffmpeg(u"-f lavfi -i \"sine=f=220:d=120,volume=0.3\" -c:a libmp3lame -b:a 192k"_qs, music) &&
        ffmpeg(u"-f lavfi -i \"testsrc2=s=1920x1080:r=25:d=10,noise=alls=2:allf=t\" -f lavfi -i "
               "\"sine=f=440:d=10\" -ac 2 -c:v libx264 -crf 20 -pix_fmt yuv420p -c:a aac"_qs,
               clip1080) &&
        ffmpeg(u"-f lavfi -i \"testsrc2=s=1280x720:r=30:d=10,noise=alls=2:allf=t\" -f lavfi -i "
               "\"sine=f=660:d=10\" -ac 1 -c:v libx264 -crf 20 -pix_fmt yuv420p -c:a aac"_qs,
               clip720);
    if (!made) {
        std::fprintf(stderr, "render_bench_show: making the clips or the music failed\n");
        return 1;
    }
    const QStringList mixed = pictures.mid(0, 3) + QStringList{clip1080} + pictures.mid(3, 3) +
                              QStringList{clip720} + pictures.mid(6, 4);
    const bool ok =
        saveProject(folder + u"pictures.vrj"_qs, pictures, music, folder + u"ours-pictures.mp4"_qs) &&
        saveProject(folder + u"mixed.vrj"_qs, mixed, {}, folder + u"ours-mixed.mp4"_qs) &&
        saveMeltArguments(folder + u"pictures.melt"_qs, pictures, {}, music) &&
        saveMeltArguments(folder + u"mixed.melt"_qs, mixed, {250, 250}, {});
    std::printf("%s\n", qPrintable(folder));
    return ok ? 0 : 1;
}
