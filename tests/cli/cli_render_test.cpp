// vistarel-cli render: a project rendered headless with its own settings, the options
// that override them, and cancelling with SIGINT.
#include "lang/languagefile.h"
#include "project/projectfile.h"
#include "project/slidelist.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>

using namespace vistarel;

namespace {

QString binPath(const QString& name)
{
    return QDir(QCoreApplication::applicationDirPath()).filePath(name);
}

QString englishMessage(int id)
{
    return lang::LanguageFile::load(binPath(u"en.ini"_qs))
        .text(QStringLiteral("Str%1").arg(id))
        .value_or(u"<missing message>"_qs);
}

struct RenderSetup : ::testing::Test
{
    QTemporaryDir dir;
    QString appData = dir.filePath(u"app data"_qs);

    void SetUp() override
    {
        QDir().mkpath(appData);
        QDir().mkpath(dir.filePath(u"config"_qs));
    }

    QString picture(const QString& name, QColor colour)
    {
        QImage image(320, 240, QImage::Format_RGB888);
        image.fill(colour);
        const QString path = dir.filePath(name);
        EXPECT_TRUE(image.save(path));
        return path;
    }

    QString music()
    {
        const QString path = dir.filePath(u"tune.mp3"_qs);
        QProcess::execute(binPath(u"ffmpeg"_qs), {u"-v"_qs, u"error"_qs, u"-y"_qs, u"-f"_qs,
                                                  u"lavfi"_qs, u"-i"_qs, u"sine=d=2"_qs, path});
        return path;
    }

    // A project of pictures, each shown for `durationPosition` with a 0.5 s dissolve.
    QString project(const QStringList& pictures, const project::OutputSettings& output,
                    int durationPosition = 0, int transitionPosition = 0)
    {
        project::SlideList slides;
        for (const QString& file : pictures) {
            auto record = std::make_unique<project::TMyImageInfo>();
            record->Transition = 1;
            record->TransitionDuration = transitionPosition;
            record->Duration = durationPosition;
            slides.setSettings(slides.appendFile(file), std::move(record));
        }
        const QString path = dir.filePath(u"show.vrj"_qs);
        EXPECT_TRUE(project::saveProjectFile(path, project::buildProjectFile(slides, output)).ok);
        return path;
    }

    void start(QProcess& process, const QStringList& args)
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"VISTAREL_APPDATA"_qs, appData);
        environment.insert(u"XDG_CONFIG_HOME"_qs, dir.filePath(u"config"_qs));
        environment.insert(u"LANG"_qs, u"C.UTF-8"_qs);
        environment.insert(u"LC_ALL"_qs, u"C.UTF-8"_qs);
        process.setProcessEnvironment(environment);
        process.start(binPath(u"vistarel-cli"_qs), QStringList{u"render"_qs} + args);
        ASSERT_TRUE(process.waitForStarted());
    }

    QStringList workFiles() const
    {
        return QDir(appData).entryList({u"frame_*"_qs, u"seg_*"_qs, u"run_*"_qs,
                                        u"segments.txt"_qs, u"frames.txt"_qs},
                                       QDir::Files);
    }
};

QJsonObject probe(const QString& file)
{
    QProcess ffprobe;
    ffprobe.start(binPath(u"ffprobe"_qs),
                  {u"-v"_qs, u"error"_qs, u"-show_entries"_qs,
                   u"stream=codec_type,width,height:format=duration"_qs, u"-of"_qs, u"json"_qs,
                   file});
    ffprobe.waitForFinished();
    return QJsonDocument::fromJson(ffprobe.readAllStandardOutput()).object();
}

// Waits until the standard error text holds `text`; false after the timeout or an exit.
bool waitForError(QProcess& process, QByteArray& err, const QString& text, int timeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    while (!err.contains(text.toUtf8())) {
        if (timer.elapsed() > timeoutMs || process.state() != QProcess::Running)
            return false;
        process.waitForReadyRead(50);
        err += process.readAllStandardError();
    }
    return true;
}

} // namespace

TEST_F(RenderSetup, RendersWithTheProjectsOwnSettings)
{
    project::OutputSettings output;
    output.ResolutionX = u"160"_qs;
    output.ResolutionY = u"90"_qs;
    output.MusicIndex = 0;
    output.MusicFiles = {music()};
    output.OutputFile = dir.filePath(u"videos/show.mp4"_qs);
    const QString show = project(
        {picture(u"a.jpg"_qs, Qt::red), picture(u"b.png"_qs, Qt::blue)}, output);

    QProcess cli;
    start(cli, {show});
    ASSERT_TRUE(cli.waitForFinished(120000));
    const QByteArray err = cli.readAllStandardError();
    EXPECT_EQ(cli.exitCode(), 0) << err.constData();
    EXPECT_EQ(cli.readAllStandardOutput().trimmed(), output.OutputFile.toUtf8());
    EXPECT_TRUE(err.contains(englishMessage(58).toUtf8()));
    EXPECT_TRUE(err.contains(englishMessage(60).toUtf8()));

    const QJsonObject probed = probe(output.OutputFile);
    const QJsonArray streams = probed[u"streams"_qs].toArray();
    ASSERT_EQ(streams.size(), 2);
    EXPECT_EQ(streams[0][u"width"_qs].toInt(), 160);
    EXPECT_EQ(streams[1][u"codec_type"_qs].toString(), u"audio"_qs);
    // Two pictures of 1 s after a 0.5 s dissolve each.
    EXPECT_NEAR(probed[u"format"_qs][u"duration"_qs].toString().toDouble(), 2.96, 0.05);
    EXPECT_EQ(workFiles(), QStringList());
}

TEST_F(RenderSetup, OptionsOverrideTheProject)
{
    project::OutputSettings output;
    output.OutputFile = dir.filePath(u"unused.mp4"_qs);
    const QString show = project({picture(u"a.jpg"_qs, Qt::red)}, output);
    const QString other = dir.filePath(u"other.mp4"_qs);

    QProcess cli;
    start(cli, {show, u"--output"_qs, other, u"--size"_qs, u"96x54"_qs, u"--keep-work"_qs});
    ASSERT_TRUE(cli.waitForFinished(120000));
    EXPECT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().constData();
    EXPECT_TRUE(cli.readAllStandardOutput().contains(
        (u"work files kept in: "_qs + appData + u'/').toUtf8()));
    EXPECT_FALSE(QFile::exists(output.OutputFile));
    EXPECT_EQ(probe(other)[u"streams"_qs][0][u"height"_qs].toInt(), 54);
    EXPECT_FALSE(workFiles().isEmpty());

    // An odd size is refused before anything starts.
    QProcess odd;
    start(odd, {show, u"--output"_qs, dir.filePath(u"odd.mp4"_qs), u"--size"_qs, u"95x54"_qs});
    ASSERT_TRUE(odd.waitForFinished(60000));
    EXPECT_EQ(odd.exitCode(), 1);
    EXPECT_TRUE(odd.readAllStandardError().contains(englishMessage(100).toUtf8()));
    EXPECT_FALSE(QFile::exists(dir.filePath(u"odd.mp4"_qs)));
}

TEST_F(RenderSetup, InterruptCancelsDuringExportAndEncode)
{
    project::OutputSettings output;
    output.ResolutionX = u"1280"_qs;
    output.ResolutionY = u"720"_qs;
    output.OutputFile = dir.filePath(u"cancelled.mp4"_qs);
    QStringList pictures;
    for (int i = 0; i < 12; ++i)
        pictures << picture(QStringLiteral("p%1.jpg").arg(i), QColor::fromHsv(i * 30, 200, 200));
    // Sixty seconds per picture and the longest dissolves: time to interrupt either stage.
    const QString show = project(pictures, output, 16, 9);

    for (const int stateMessage : {57, 58}) {
        SCOPED_TRACE(stateMessage);
        QProcess cli;
        start(cli, {show});
        QByteArray err;
        ASSERT_TRUE(waitForError(cli, err, englishMessage(stateMessage), 120000)) << err.constData();
        ::kill(pid_t(cli.processId()), SIGINT);
        ASSERT_TRUE(cli.waitForFinished(60000));
        EXPECT_EQ(cli.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(cli.exitCode(), 130);
        EXPECT_FALSE(QFile::exists(output.OutputFile));
        EXPECT_EQ(workFiles(), QStringList());
    }
}
