#include "mediafixtures.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <map>

namespace vistarel::tooltest {

namespace {

QString fixtureFolder()
{
    static QTemporaryDir base;
    static const QString folder = [] {
        const QString path = base.path() + u"/Mäd 'clips' \"quoted\" \\x"_qs;
        QDir().mkpath(path);
        return path + u'/';
    }();
    return folder;
}

struct Recipe
{
    QString fileName;
    QStringList arguments; // ffmpeg arguments before the output file
};

QStringList lavfi(const QString& source)
{
    return {u"-f"_qs, u"lavfi"_qs, u"-i"_qs, source};
}

Recipe recipeFor(Media media)
{
    const QStringList h264{u"-c:v"_qs, u"libx264"_qs, u"-pix_fmt"_qs, u"yuv420p"_qs};
    switch (media) {
    case Media::ClipWithSound:
        return {u"clip with sound.mp4"_qs,
                lavfi(u"color=red:s=160x90:r=25:d=0.5"_qs) +
                    lavfi(u"color=blue:s=160x90:r=25:d=0.5"_qs) +
                    lavfi(u"sine=f=440:d=1"_qs) +
                    QStringList{u"-filter_complex"_qs, u"[0:v][1:v]concat=n=2:v=1:a=0[v]"_qs,
                                u"-map"_qs, u"[v]"_qs, u"-map"_qs, u"2:a"_qs, u"-c:a"_qs,
                                u"aac"_qs} +
                    h264};
    case Media::SilentClip:
        return {u"silent.mp4"_qs, lavfi(u"testsrc=s=160x90:r=25:d=1"_qs) + h264};
    case Media::SoundFirstClip:
        return {u"sound first.mp4"_qs,
                lavfi(u"sine=f=440:d=1"_qs) + lavfi(u"color=green:s=160x90:r=25:d=1"_qs) +
                    QStringList{u"-map"_qs, u"0:a"_qs, u"-map"_qs, u"1:v"_qs, u"-c:a"_qs,
                                u"aac"_qs} +
                    h264};
    case Media::MatroskaClip:
        return {u"clip.mkv"_qs, lavfi(u"testsrc=s=160x90:r=25:d=1"_qs) + h264};
    case Media::Music:
        return {u"music.mp3"_qs,
                lavfi(u"sine=f=440:d=2.5"_qs) + QStringList{u"-c:a"_qs, u"libmp3lame"_qs}};
    case Media::WideClip:
        return {u"wide.mp4"_qs, lavfi(u"color=white:s=2000x1126:r=25:d=0.04"_qs) + h264};
    }
    return {};
}

QString makeFixture(Media media)
{
    const Recipe recipe = recipeFor(media);
    const QString path = fixtureFolder() + recipe.fileName;
    QProcess ffmpeg;
    ffmpeg.setProcessChannelMode(QProcess::MergedChannels);
    ffmpeg.start(QCoreApplication::applicationDirPath() + u"/ffmpeg"_qs,
                 QStringList{u"-v"_qs, u"error"_qs, u"-y"_qs} + recipe.arguments +
                     QStringList{path});
    if (!ffmpeg.waitForFinished(60000) || ffmpeg.exitCode() != 0) {
        qWarning("making %s failed: %s", qPrintable(recipe.fileName),
                 ffmpeg.readAll().constData());
        return {};
    }
    return path;
}

} // namespace

QString mediaFixture(Media media)
{
    static std::map<Media, QString> made;
    auto found = made.find(media);
    if (found == made.end())
        found = made.emplace(media, makeFixture(media)).first;
    return found->second;
}

} // namespace vistarel::tooltest
