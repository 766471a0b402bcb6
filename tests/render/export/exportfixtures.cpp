#include "exportfixtures.h"

#include "lang/languagefile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

namespace vistarel::exporttest {

namespace {

QString toolPath(const char* name)
{
    return QCoreApplication::applicationDirPath() + u'/' + QString::fromLatin1(name);
}

bool runFfmpeg(const QStringList& arguments)
{
    QProcess ffmpeg;
    ffmpeg.setProcessChannelMode(QProcess::MergedChannels);
    ffmpeg.start(toolPath("ffmpeg"), QStringList{u"-v"_qs, u"error"_qs, u"-y"_qs} + arguments);
    if (!ffmpeg.waitForFinished(120000) || ffmpeg.exitCode() != 0) {
        qWarning("ffmpeg failed: %s", ffmpeg.readAll().constData());
        return false;
    }
    return true;
}

} // namespace

const lang::MessageList& numberedMessages()
{
    static const lang::MessageList messages = [] {
        QString text = u"[FormMain]\n"_qs;
        for (int id = 0; id < lang::MessageList::kMessageCount; ++id)
            text += QStringLiteral("Str%1=M%1\n").arg(id);
        lang::MessageList list;
        list.load(lang::LanguageFile::fromText(text));
        return list;
    }();
    return messages;
}

ExportHost::ExportHost(const QString& appDataDir) : ConsoleHost(appDataDir, numberedMessages())
{
    printDialogs = false;
}

void ExportHost::pumpMessages()
{
    ++pumps;
    if (onPump)
        onPump();
}

ExportFixture::ExportFixture()
{
    QDir().mkpath(work);
    QDir().mkpath(media);
    host = std::make_unique<ExportHost>(work);
}

QString ExportFixture::picture(const QString& name, int width, int height, QColor colour)
{
    QImage image(width, height, QImage::Format_RGB888);
    image.fill(colour);
    const QString path = media + name;
    if (!image.save(path, nullptr, 95))
        qWarning("cannot write %s", qPrintable(path));
    return path;
}

QString ExportFixture::clip(const QString& name, double seconds, bool withSound, QSize size)
{
    const QString path = media + name;
    const QString duration = QString::number(seconds);
    QStringList arguments = {u"-f"_qs, u"lavfi"_qs, u"-i"_qs,
                             QStringLiteral("testsrc=s=%1x%2:r=25:d=%3")
                                 .arg(size.width())
                                 .arg(size.height())
                                 .arg(duration)};
    if (withSound)
        arguments << u"-f"_qs << u"lavfi"_qs << u"-i"_qs << u"sine=f=440:d="_qs + duration
                  << u"-c:a"_qs << u"aac"_qs;
    arguments << u"-c:v"_qs << u"libx264"_qs << u"-pix_fmt"_qs << u"yuv420p"_qs << path;
    return runFfmpeg(arguments) ? path : QString();
}

QString ExportFixture::brokenClip(const QString& name)
{
    QFile file(media + name);
    if (!file.open(QIODevice::WriteOnly) || file.write("not a clip") < 0)
        qWarning("cannot write %s", qPrintable(file.fileName()));
    return file.fileName();
}

QString ExportFixture::music(const QString& name, double seconds)
{
    const QString path = media + name;
    const QStringList arguments = {u"-f"_qs, u"lavfi"_qs, u"-i"_qs,
                                   u"sine=f=330:d="_qs + QString::number(seconds), u"-c:a"_qs,
                                   u"libmp3lame"_qs, path};
    return runFfmpeg(arguments) ? path : QString();
}

void ExportFixture::add(const QString& file, std::unique_ptr<project::TMyImageInfo> record)
{
    const int index = slides.appendFile(file);
    if (record)
        slides.setSettings(index, std::move(record));
}

QStringList ExportFixture::lines(const QString& name) const
{
    QFile file(work + name);
    if (!file.open(QIODevice::ReadOnly))
        return {u"<missing>"_qs};
    QString text = QString::fromUtf8(file.readAll());
    if (text.endsWith(u"\r\n"_qs))
        text.chop(2);
    return text.isEmpty() ? QStringList() : text.split(u"\r\n"_qs);
}

std::unique_ptr<project::TMyImageInfo> slideRecord(int effect, int transitionPosition,
                                                   int durationPosition, int audioMode)
{
    auto record = std::make_unique<project::TMyImageInfo>();
    record->Transition = effect;
    record->TransitionDuration = transitionPosition;
    record->Duration = durationPosition;
    record->AudioMode = audioMode;
    record->Font = u"Tahoma"_qs;
    record->FontColor = project::kWhite;
    record->FontSize = 1;
    return record;
}

ProbedVideo probeVideo(const QString& file)
{
    QProcess ffprobe;
    ffprobe.start(toolPath("ffprobe"),
                  {u"-v"_qs, u"error"_qs, u"-count_frames"_qs, u"-show_entries"_qs,
                   u"format=duration:stream=codec_type,nb_read_frames,width,height"_qs,
                   u"-of"_qs, u"json"_qs, file});
    ProbedVideo probed;
    if (!ffprobe.waitForFinished(120000) || ffprobe.exitCode() != 0)
        return probed;
    const QJsonObject root = QJsonDocument::fromJson(ffprobe.readAllStandardOutput()).object();
    probed.seconds = root[u"format"_qs][u"duration"_qs].toString().toDouble();
    for (const QJsonValue& stream : root[u"streams"_qs].toArray()) {
        const QJsonObject s = stream.toObject();
        if (s[u"codec_type"_qs].toString() == u"audio"_qs) {
            ++probed.audioStreams;
        } else if (s[u"codec_type"_qs].toString() == u"video"_qs) {
            ++probed.videoStreams;
            probed.frames = s[u"nb_read_frames"_qs].toString().toInt();
            probed.size = QSize(s[u"width"_qs].toInt(), s[u"height"_qs].toInt());
        }
    }
    return probed;
}

} // namespace vistarel::exporttest
