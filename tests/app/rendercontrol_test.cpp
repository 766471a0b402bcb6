// The render button and the progress page: a whole render through the window, cancelling
// during the encode, the refusals before anything starts, one job at a time, and closing
// the window while a job runs.
#include "app/formmain.h"
#include "app/navigator.h"
#include "app/progresspage.h"
#include "app/progressring.h"
#include "app/rendercontrol.h"
#include "app/step3page.h"
#include "app/stepcontrol.h"
#include "app/windowhost.h"
#include "render/export/workfolder.h"
#include "testsupport.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <functional>

namespace vistarel::app::test {

namespace {

QString toolPath(const char* name)
{
    return QCoreApplication::applicationDirPath() + u'/' + QString::fromLatin1(name);
}

// A 25 fps test-pattern clip with a sound track, made with the build's ffmpeg.
QString makeClip(const QString& path, double seconds)
{
    const QString d = QString::number(seconds);
    QProcess ffmpeg;
    ffmpeg.setProcessChannelMode(QProcess::MergedChannels);
    ffmpeg.start(toolPath("ffmpeg"),
                 {u"-v"_qs, u"error"_qs, u"-y"_qs, u"-f"_qs, u"lavfi"_qs, u"-i"_qs,
                  u"testsrc=s=160x90:r=25:d="_qs + d, u"-f"_qs, u"lavfi"_qs, u"-i"_qs,
                  u"sine=f=440:d="_qs + d, u"-c:v"_qs, u"libx264"_qs, u"-pix_fmt"_qs,
                  u"yuv420p"_qs, u"-c:a"_qs, u"aac"_qs, path});
    if (!ffmpeg.waitForFinished(60000) || ffmpeg.exitCode() != 0)
        qFatal("ffmpeg failed: %s", ffmpeg.readAll().constData());
    return path;
}

double durationOf(const QString& file)
{
    QProcess ffprobe;
    ffprobe.start(toolPath("ffprobe"), {u"-v"_qs, u"error"_qs, u"-show_entries"_qs,
                                        u"format=duration"_qs, u"-of"_qs, u"json"_qs, file});
    if (!ffprobe.waitForFinished(60000) || ffprobe.exitCode() != 0)
        return -1;
    const QJsonObject root = QJsonDocument::fromJson(ffprobe.readAllStandardOutput()).object();
    return root[u"format"_qs][u"duration"_qs].toString().toDouble();
}

// The export's work files left in a folder (logs, lock and caches are not work files).
QStringList workFiles(const QString& folder)
{
    return QDir(folder).entryList({u"frame_*"_qs, u"seg_*"_qs, u"run_*"_qs, u"clip*"_qs,
                                   u"segments.txt"_qs, u"frames.txt"_qs},
                                  QDir::Files);
}

// Runs `check` on every pass of the event loop while the job inside a click runs.
class DuringJob
{
public:
    explicit DuringJob(std::function<void()> check) : m_check(std::move(check))
    {
        QObject::connect(&m_timer, &QTimer::timeout, [this] { m_check(); });
        m_timer.start(0);
    }

private:
    QTimer m_timer;
    std::function<void()> m_check;
};

// A shown window on step 3 with a tiny project: one picture (1 s), one clip (1 s) coming
// in with a 0.5 s transition, rendered at 160 x 90.
struct RenderWindow
{
    WindowEnvironment env;
    std::unique_ptr<TFormMain> window = env.showWindow();
    QString output = env.path(u"out/show.mp4"_qs);

    RenderWindow()
    {
        QImage picture(320, 240, QImage::Format_RGB888);
        picture.fill(Qt::red);
        const QString pictureFile = env.path(u"a.jpg"_qs);
        picture.save(pictureFile);
        addSlide(pictureFile, 0, 0);
        addSlide(makeClip(env.path(u"c.mp4"_qs), 1), 1, 0);
        setSize(u"160"_qs, u"90"_qs);
        window->navigator()->showPage(WizardPage::Step3);
    }

    void addSlide(const QString& file, int transition, int duration)
    {
        const int index = window->slides().appendFile(file);
        auto record = std::make_unique<project::TMyImageInfo>();
        record->Transition = transition;
        record->Duration = duration;
        record->Font = u"Tahoma"_qs;
        record->FontColor = project::kWhite;
        window->slides().setSettings(index, std::move(record));
    }

    void setSize(const QString& width, const QString& height)
    {
        project::OutputSettings s = window->step3()->outputSettings();
        s.ResolutionIndex = project::kUserDefinedResolution;
        s.ResolutionX = width;
        s.ResolutionY = height;
        s.OutputFile = output;
        window->step3()->setOutputSettings(s);
    }

    ProgressPage* progress() const { return window->progressPage(); }
    RenderControl* render() const { return window->renderControl(); }
    bool shown(WizardPage page) const { return window->navigator()->currentPage() == page; }
    void clickRender() { clickButton(window.get(), "RzBmpButtonStep3Render"); }
    QString str(int id) const { return window->messages().message(id); }
    QStringList instructions() const
    {
        QStringList list;
        for (const auto& call : env.desktop->taskDialogs)
            list << call.text.instruction;
        return list;
    }
};

} // namespace

class RenderControlTest : public QObject
{
    Q_OBJECT

private slots:
    void rendersThroughTheButton();
    void aVideoNoPlayerOpensIsNamed();
    void cancelDuringTheEncode();
    void refusalsStartNothing_data();
    void refusalsStartNothing();
    void closingDuringARender_data();
    void closingDuringARender();
};

void RenderControlTest::rendersThroughTheButton()
{
    RenderWindow w;
    QSignalSpy finished(w.render(), &RenderControl::renderFinished);
    bool sawRunning = false;
    DuringJob during([&] {
        if (sawRunning || !w.render()->ActionExecuting())
            return;
        sawRunning = true;
        QVERIFY(w.shown(WizardPage::Progress));
        QVERIFY(!w.window->stepControl()->isEnabled());
        QCOMPARE(w.progress()->buttonText(), w.str(56));
        // A second start while the job runs does nothing: no nested job, no dialog.
        w.render()->RzBmpButtonStep3RenderClick();
        QCOMPARE(finished.size(), 0);
    });
    w.clickRender();

    QVERIFY(sawRunning);
    QCOMPARE(finished.size(), 1);
    QCOMPARE(finished.at(0).at(0).toBool(), true);
    QVERIFY(w.env.desktop->taskDialogs.isEmpty());
    QCOMPARE(w.progress()->ring()->value(), 100);
    QCOMPARE(w.progress()->stateText(), w.str(60));
    QCOMPARE(w.progress()->buttonText(), w.str(11));
    QVERIFY(w.shown(WizardPage::Progress));
    QVERIFY(w.window->stepControl()->isEnabled());
    QCOMPARE(w.env.desktop->openedUrls, QList<QUrl>{QUrl::fromLocalFile(w.output)});
    // 1 s picture, 0.5 s transition, 1 s clip at 25 fps: 62 frames.
    QVERIFY2(qAbs(durationOf(w.output) - 2.48) < 0.05, qPrintable(QString::number(durationOf(w.output))));
    QCOMPARE(workFiles(w.env.appDataDir), QStringList());

    // After the job the button goes back to step 3 without cancelling anything.
    clickButton(w.window.get(), "RzBmpButtonProgressCancel");
    QVERIFY(w.shown(WizardPage::Step3));
    QVERIFY(!w.window->host().ActionCanceled);
}

void RenderControlTest::aVideoNoPlayerOpensIsNamed()
{
    RenderWindow w;
    w.env.desktop->openUrlWorks = false;
    w.clickRender();
    QCOMPARE(w.progress()->stateText(), w.str(60));
    QCOMPARE(w.env.desktop->openedUrls.size(), 1);
    QCOMPARE(w.env.desktop->messageBoxes,
             QStringList{w.str(93) + u"\n\n"_qs + QDir::toNativeSeparators(w.output)});
}

void RenderControlTest::cancelDuringTheEncode()
{
    RenderWindow w;
    w.addSlide(w.env.path(u"a.jpg"_qs), 0, 16); // a 60 s picture: a long encode
    w.setSize(u"640"_qs, u"360"_qs);
    QSignalSpy finished(w.render(), &RenderControl::renderFinished);
    bool cancelled = false;
    DuringJob during([&] {
        if (cancelled || w.progress()->stateText() != w.str(58) || !QFileInfo::exists(w.output))
            return;
        cancelled = true;
        clickButton(w.window.get(), "RzBmpButtonProgressCancel");
        // The page goes at once; the wizard stays locked until the job has ended.
        QVERIFY(w.shown(WizardPage::Step3));
        QVERIFY(w.render()->ActionExecuting());
        QVERIFY(!w.window->stepControl()->isEnabled());
        QVERIFY(!w.window->findChild<QAbstractButton*>(u"RzBmpButtonStep3Render"_qs)->isEnabled());
    });
    w.clickRender();

    QVERIFY(cancelled);
    QCOMPARE(finished.size(), 1);
    QCOMPARE(finished.at(0).at(0).toBool(), false);
    QVERIFY(!QFileInfo::exists(w.output));
    QCOMPARE(workFiles(w.env.appDataDir), QStringList());
    QVERIFY(w.shown(WizardPage::Step3));
    QCOMPARE(w.progress()->stateText(), w.str(59));
    QVERIFY(w.window->stepControl()->isEnabled());
    QVERIFY(w.window->findChild<QAbstractButton*>(u"RzBmpButtonStep3Render"_qs)->isEnabled());
    QVERIFY(w.env.desktop->openedUrls.isEmpty());
    // The encoder was stopped: the failure dialog says where the log is.
    QCOMPARE(w.instructions(), QStringList{w.str(37)});
}

void RenderControlTest::refusalsStartNothing_data()
{
    QTest::addColumn<QString>("output");
    QTest::addColumn<QString>("jobFile"); // the switch says "ja" when not empty
    QTest::addColumn<QString>("music");   // a music file; "ja" when not empty
    QTest::addColumn<QString>("width");
    QTest::addColumn<bool>("locked");     // another job holds the work folder
    QTest::addColumn<int>("instruction");
    QTest::newRow("output name of four characters") << "x.mp" << "" << "" << "160" << false << 47;
    QTest::newRow("job file name too short") << "" << "a.vr" << "" << "160" << false << 50;
    QTest::newRow("music file missing") << "" << "" << "gone.mp3" << "160" << false << 53;
    QTest::newRow("empty width") << "" << "" << "" << "" << false << 100;
    QTest::newRow("odd width") << "" << "" << "" << "161" << false << 100;
    QTest::newRow("another job runs") << "" << "" << "" << "160" << true << 103;
}

void RenderControlTest::refusalsStartNothing()
{
    QFETCH(QString, output);
    QFETCH(QString, jobFile);
    QFETCH(QString, music);
    QFETCH(QString, width);
    QFETCH(bool, locked);
    QFETCH(int, instruction);
    RenderWindow w;
    if (!output.isEmpty())
        w.output = output;
    w.setSize(width, u"90"_qs);
    if (!jobFile.isEmpty())
        w.window->step3()->setJobFile(jobFile, true);
    if (!music.isEmpty()) {
        project::OutputSettings s = w.window->step3()->outputSettings();
        s.MusicIndex = 0;
        s.MusicFiles = {w.env.path(music)};
        w.window->step3()->setOutputSettings(s);
    }
    render::RenderLock other(w.env.appDataDir);
    QVERIFY(!locked || other.acquire());
    QSignalSpy finished(w.render(), &RenderControl::renderFinished);
    w.clickRender();

    QCOMPARE(w.instructions(), QStringList{w.str(instruction)});
    QCOMPARE(w.env.desktop->taskDialogs[0].text.content, w.str(instruction + 1));
    QCOMPARE(w.env.desktop->taskDialogs[0].text.footer, w.str(instruction + 2));
    QVERIFY(w.shown(WizardPage::Step3));
    QVERIFY(w.window->stepControl()->isEnabled());
    QVERIFY(!w.render()->ActionExecuting());
    QCOMPARE(finished.size(), 0);
    QVERIFY(!QFileInfo::exists(w.output));
}

void RenderControlTest::closingDuringARender_data()
{
    QTest::addColumn<bool>("quit");
    QTest::newRow("OK: cancel and close") << true;
    QTest::newRow("Cancel: keep rendering") << false;
}

void RenderControlTest::closingDuringARender()
{
    QFETCH(bool, quit);
    RenderWindow w;
    w.env.desktop->taskAnswers = {quit ? render::DialogResult::Ok : render::DialogResult::Cancel};
    QSignalSpy finished(w.render(), &RenderControl::renderFinished);
    bool asked = false;
    DuringJob during([&] {
        if (asked || w.progress()->stateText() != w.str(58))
            return;
        asked = true;
        w.window->close();
        // Nothing closes while the job runs.
        QVERIFY(w.window->isVisible());
        QCOMPARE(w.env.endRequests, 0);
    });
    w.clickRender();

    QVERIFY(asked);
    // A cancelled encode reports its failure, also on the way out.
    const QStringList shown = quit ? QStringList{w.str(90), w.str(37)} : QStringList{w.str(90)};
    QCOMPARE(w.instructions(), shown);
    QCOMPARE(w.env.desktop->taskDialogs[0].text.content, w.str(91));
    QCOMPARE(finished.size(), 1);
    QCOMPARE(finished.at(0).at(0).toBool(), !quit);
    QCOMPARE(QFileInfo::exists(w.output), !quit);
    QCOMPARE(workFiles(w.env.appDataDir), QStringList());
    if (quit) {
        QTRY_COMPARE(w.env.endRequests, 1);
        QVERIFY(!w.window->isVisible());
    } else {
        QTest::qWait(50);
        QCOMPARE(w.env.endRequests, 0);
        QVERIFY(w.window->isVisible());
        QCOMPARE(w.progress()->stateText(), w.str(60));
    }
}

static const bool registered = registerTest<RenderControlTest>("RenderControlTest");

} // namespace vistarel::app::test

#include "rendercontrol_test.moc"
