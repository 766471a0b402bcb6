// The main window: closing, the project actions behind the confirmation panel, the
// project round trip and the window's geometry.
#include "app/confirmpanel.h"
#include "app/formmain.h"
#include "app/resizeframe.h"
#include "app/step2page.h"
#include "app/step3page.h"
#include "app/windowgeometry.h"
#include "project/projectfile.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QScreen>
#include <QTest>

namespace vistarel::app::test {

namespace {

using project::TMyImageInfo;

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Two slides whose media exist, the second with a record; the project counts as changed.
void makeChangedProject(WindowEnvironment& env, TFormMain& w)
{
    writeFile(env.path(QStringLiteral("media/a.jpg")));
    writeFile(env.path(QStringLiteral("media/b.mp4")));
    w.slides().appendFile(env.path(QStringLiteral("media/a.jpg")));
    w.slides().appendFile(env.path(QStringLiteral("media/b.mp4")));
    auto record = std::make_unique<TMyImageInfo>();
    record->Duration = 6;
    record->AudioMode = 1;
    w.slides().setSettings(1, std::move(record));
    w.markProjectChanged();
}

QString modesOf(const QList<FileDialogRequest>& requests)
{
    QStringList modes;
    for (const FileDialogRequest& r : requests)
        modes << (r.mode == FileDialogMode::Save ? QStringLiteral("save") : QStringLiteral("open"));
    return modes.join(u',');
}

} // namespace

class FormMainTest : public QObject
{
    Q_OBJECT

private slots:
    void closeButtonEndsAtOnceWithoutChanges();
    void systemCloseAsksOnlyWithChanges_data();
    void systemCloseAsksOnlyWithChanges();
    void confirmationAnswers_data();
    void confirmationAnswers();
    void dontSaveBeforeOpenLoadsTheChosenProject();
    void newOpenSaveRoundTrip();
    void missingMediaWhileOpening_data();
    void missingMediaWhileOpening();
    void failedWriteIsReportedAndKeepsChanges();
    void openingAMissingFileSaysSo();
    void startSequenceAndFirstShow();
    void maximiseAndRestore();
    void startMaximisedRestoresToDesignSize();
    void storedGeometry_data();
    void storedGeometry();
    void windowOffTheScreensComesBack();
    void geometryDecisions();
};

void FormMainTest::closeButtonEndsAtOnceWithoutChanges()
{
    WindowEnvironment env;
    auto w = env.showWindow();
    clickButton(w.get(), "RzBmpButtonClose");
    QCOMPARE(env.endRequests, 1);
    QVERIFY(!w->confirmPanel()->isVisible());
    QVERIFY(!w->isVisible());
}

void FormMainTest::systemCloseAsksOnlyWithChanges_data()
{
    QTest::addColumn<bool>("changed");
    QTest::newRow("unchanged") << false;
    QTest::newRow("changed") << true;
}

void FormMainTest::systemCloseAsksOnlyWithChanges()
{
    QFETCH(bool, changed);
    WindowEnvironment env;
    auto w = env.showWindow();
    if (changed)
        w->markProjectChanged();
    QCOMPARE(w->close(), !changed);
    QCOMPARE(w->confirmPanel()->isVisible(), changed);
    if (changed) {
        QCOMPARE(w->confirmPanel()->title(), w->str(73));
        QCOMPARE(w->pendingAction(), TProjectAction::paQuit);
    }
    QCOMPARE(env.endRequests, 0);
}

void FormMainTest::confirmationAnswers_data()
{
    QTest::addColumn<TProjectAction>("action");
    QTest::addColumn<ConfirmAnswer>("answer");
    QTest::addColumn<bool>("saveChosen");
    QTest::addColumn<bool>("panelAfter");
    QTest::addColumn<int>("slidesAfter");
    QTest::addColumn<bool>("dirtyAfter");
    QTest::addColumn<int>("endRequests");
    QTest::addColumn<QString>("dialogs");

    using A = TProjectAction;
    using C = ConfirmAnswer;
    // action, answer, save dialog confirmed, panel open after, slides, changed, ends, dialogs
    QTest::newRow("new/save") << A::paNew << C::Save << true << false << 0 << false << 0 << "save";
    QTest::newRow("new/save cancelled") << A::paNew << C::Save << false << true << 2 << true << 0 << "save";
    QTest::newRow("new/don't save") << A::paNew << C::DontSave << false << false << 0 << false << 0 << "";
    QTest::newRow("new/cancel") << A::paNew << C::Cancel << false << false << 2 << true << 0 << "";
    // The open dialog that follows is cancelled: the project before it stays.
    QTest::newRow("load/save") << A::paLoad << C::Save << true << false << 2 << false << 0 << "save,open";
    QTest::newRow("load/save cancelled") << A::paLoad << C::Save << false << true << 2 << true << 0 << "save";
    QTest::newRow("load/don't save") << A::paLoad << C::DontSave << false << false << 2 << true << 0 << "open";
    QTest::newRow("load/cancel") << A::paLoad << C::Cancel << false << false << 2 << true << 0 << "";
    QTest::newRow("quit/save") << A::paQuit << C::Save << true << false << 2 << false << 1 << "save";
    QTest::newRow("quit/save cancelled") << A::paQuit << C::Save << false << true << 2 << true << 0 << "save";
    QTest::newRow("quit/don't save") << A::paQuit << C::DontSave << false << false << 2 << true << 1 << "";
    QTest::newRow("quit/cancel") << A::paQuit << C::Cancel << false << false << 2 << true << 0 << "";
}

void FormMainTest::confirmationAnswers()
{
    QFETCH(TProjectAction, action);
    QFETCH(ConfirmAnswer, answer);
    QFETCH(bool, saveChosen);
    QFETCH(bool, panelAfter);
    QFETCH(int, slidesAfter);
    QFETCH(bool, dirtyAfter);
    QFETCH(int, endRequests);
    QFETCH(QString, dialogs);

    WindowEnvironment env;
    auto w = env.showWindow();
    makeChangedProject(env, *w);
    const QString saved = env.path(QStringLiteral("saved.vrj"));
    env.desktop->fileAnswers = {saveChosen ? QStringList{saved} : QStringList{}, QStringList{}};

    if (action == TProjectAction::paQuit)
        clickButton(w.get(), "RzBmpButtonClose");
    else
        w->requestAction(action);
    const int titleId = action == TProjectAction::paNew ? 71 : action == TProjectAction::paLoad ? 72 : 73;
    QVERIFY(w->confirmPanel()->isVisible());
    QCOMPARE(w->confirmPanel()->title(), w->str(titleId));
    QCOMPARE(w->slides().count(), 2);

    const char* button = answer == ConfirmAnswer::Save       ? "RzBmpButtonProjectNewYes"
                         : answer == ConfirmAnswer::DontSave ? "RzBmpButtonProjectNewNo"
                                                             : "RzBmpButtonProjectNewCancel";
    clickButton(w.get(), button);

    QCOMPARE(w->confirmPanel()->isVisible(), panelAfter);
    QCOMPARE(w->pendingAction(), panelAfter ? action : TProjectAction::paNone);
    QCOMPARE(w->slides().count(), slidesAfter);
    QCOMPARE(w->projectDirty(), dirtyAfter);
    QCOMPARE(env.endRequests, endRequests);
    QCOMPARE(modesOf(env.desktop->fileRequests), dialogs);
    QCOMPARE(QFile::exists(saved), saveChosen);
    QCOMPARE(w->discardConfirmed(), endRequests > 0);
}

void FormMainTest::dontSaveBeforeOpenLoadsTheChosenProject()
{
    WindowEnvironment env;
    auto w = env.showWindow();
    writeFile(env.path(QStringLiteral("media/x.png")));
    const QString other = env.path(QStringLiteral("other.vrj"));
    writeFile(other, "[Settings]\r\nResolutionIndex=2\r\n[Image0]\r\nFilename=" +
                         env.path(QStringLiteral("media/x.png")).toUtf8() + "\r\n");
    makeChangedProject(env, *w);
    env.desktop->fileAnswers = {{other}};
    w->requestAction(TProjectAction::paLoad);
    clickButton(w.get(), "RzBmpButtonProjectNewNo");
    QCOMPARE(w->slides().fileNames(), QStringList{env.path(QStringLiteral("media/x.png"))});
    QCOMPARE(w->step3()->outputSettings().ResolutionIndex, 2);
    QVERIFY(!w->projectDirty());
    QCOMPARE(env.settings().text(project::settingname::recent(1)).value_or(QString()), other);
}

void FormMainTest::newOpenSaveRoundTrip()
{
    WindowEnvironment env;
    auto w = env.showWindow();
    QStringList media;
    for (const char* name : {"media/a.jpg", "media/b.png", "media/c.mp4"}) {
        media << env.path(QString::fromLatin1(name));
        writeFile(media.last());
        w->slides().appendFile(media.last());
    }
    TMyImageInfo record;
    record.Duration = 7;
    record.Transition = 17;
    record.TransitionDuration = 3;
    record.Stretch = true;
    record.Subtitle = QStringLiteral("{\\rtf1\\ansi Grüße}");
    record.SubtitleEdit = QStringLiteral("0A0B");
    record.Font = QStringLiteral("Tahoma");
    record.FontColor = 0x0000FF00;
    record.FontSize = 2;
    record.AudioMode = 2;
    w->slides().setSettings(2, std::make_unique<TMyImageInfo>(record));
    // Slides without record are written as a fixed block that reads back as a record
    // with the same values but not the same text, so every slide gets one here.
    for (int i : {0, 1}) {
        TMyImageInfo& plain = w->slides().settingsOnDemand(i);
        plain.Duration = i;
        plain.Transition = 40 + i;
    }
    project::OutputSettings output;
    output.ResolutionIndex = 7;
    output.ResolutionX = QStringLiteral("1000");
    output.ResolutionY = QStringLiteral("500");
    output.MusicIndex = 0;
    output.MusicRepeat = 0;
    output.MusicFiles = {env.path(QStringLiteral("m1.mp3")), env.path(QStringLiteral("m 2.mp3"))};
    output.OutputFile = env.path(QStringLiteral("video.mp4"));
    w->step3()->setOutputSettings(output);
    w->markProjectChanged();

    const QString file = env.path(QStringLiteral("p.vrj"));
    env.desktop->fileAnswers = {{file}};
    QVERIFY(w->saveWithDialog());
    QVERIFY(!w->projectDirty());
    QCOMPARE(env.desktop->fileRequests.last().mode, FileDialogMode::Save);
    QCOMPARE(env.desktop->fileRequests.last().defaultSuffix, QStringLiteral("vrj"));
    QCOMPARE(env.settings().text(project::settingname::recent(1)).value_or(QString()), file);
    const QByteArray saved = readAll(file);

    w->startNewProject();
    QCOMPARE(w->slides().count(), 0);
    const project::OutputSettings fresh = w->step3()->outputSettings();
    QCOMPARE(fresh.MusicFiles, QStringList());
    QCOMPARE(fresh.MusicIndex, 1);
    QCOMPARE(fresh.MusicRepeat, 1);
    QCOMPARE(fresh.OutputFile, w->slideshowOutput());
    QCOMPARE(fresh.ResolutionIndex, 7); // the resolution stays
    QCOMPARE(w->step3()->jobFile(), QString());
    QVERIFY(!w->step3()->saveJob());
    // A new project has no save name (".vrj" is too short), so the dialog offers none.
    env.desktop->fileAnswers = {{}};
    QVERIFY(!w->saveWithDialog());
    QCOMPARE(env.desktop->fileRequests.last().initialPath, QString());

    env.desktop->fileAnswers = {{file}};
    QVERIFY(w->openWithDialog());
    QCOMPARE(env.desktop->fileRequests.last().mode, FileDialogMode::Open);
    QCOMPARE(w->slides().fileNames(), media);
    QVERIFY(w->slides().settings(2));
    QCOMPARE(*w->slides().settings(2), record);
    QCOMPARE(w->step3()->outputSettings(), output);
    QCOMPARE(w->step3()->jobFile(), file);
    QVERIFY(w->step3()->saveJob());
    QVERIFY(!w->projectDirty());
    const QByteArray again = project::buildProjectFile(w->slides(), w->step3()->outputSettings());
    QCOMPARE(QString::fromUtf8(again).split(QStringLiteral("\r\n")),
             QString::fromUtf8(saved).split(QStringLiteral("\r\n")));
    QCOMPARE(again, saved);
    // After opening, saving offers the job file of the opened project.
    env.desktop->fileAnswers = {{}};
    w->saveWithDialog();
    QCOMPARE(env.desktop->fileRequests.last().initialPath, file);
}

void FormMainTest::missingMediaWhileOpening_data()
{
    QTest::addColumn<render::DialogResult>("answer");
    QTest::addColumn<int>("slides");
    QTest::addColumn<bool>("listedAsRecent");
    QTest::newRow("OK skips the slide") << render::DialogResult::Ok << 1 << true;
    QTest::newRow("Cancel stops loading") << render::DialogResult::Cancel << 0 << false;
}

void FormMainTest::missingMediaWhileOpening()
{
    QFETCH(render::DialogResult, answer);
    QFETCH(int, slides);
    QFETCH(bool, listedAsRecent);
    WindowEnvironment env;
    auto w = env.showWindow();
    const QString present = env.path(QStringLiteral("media/here.jpg"));
    const QString missing = env.path(QStringLiteral("media/gone.jpg"));
    writeFile(present);
    const QString file = env.path(QStringLiteral("p.vrj"));
    writeFile(file, "[Image0]\r\nFilename=" + missing.toUtf8() + "\r\n[Image1]\r\nFilename=" +
                        present.toUtf8() + "\r\n");
    env.desktop->fileAnswers = {{file}};
    env.desktop->taskAnswers = {answer};
    QVERIFY(w->openWithDialog());
    QCOMPARE(env.desktop->taskDialogs.size(), 1);
    const auto& shown = env.desktop->taskDialogs.first();
    QCOMPARE(shown.text.instruction, w->str(23));
    QCOMPARE(shown.text.content, w->str(24) + QStringLiteral("\n\n") + missing + QStringLiteral("\n\n") + w->str(25));
    QCOMPARE(shown.text.footer, w->str(26));
    QCOMPARE(shown.buttons, (QStringList{QStringLiteral("OK"), w->currentLanguage() == u"de" ? QStringLiteral("Abbrechen") : QStringLiteral("Cancel")}));
    QCOMPARE(w->slides().count(), slides);
    QCOMPARE(env.settings().contains(project::settingname::recent(1)), listedAsRecent);
    QVERIFY(!w->projectDirty());
}

void FormMainTest::failedWriteIsReportedAndKeepsChanges()
{
    WindowEnvironment env;
    auto w = env.showWindow();
    makeChangedProject(env, *w);
    w->requestAction(TProjectAction::paNew);
    env.desktop->fileAnswers = {{env.path(QStringLiteral("no/such/folder/p.vrj"))}};
    clickButton(w.get(), "RzBmpButtonProjectNewYes");
    QCOMPARE(env.desktop->taskDialogs.size(), 1);
    const auto& shown = env.desktop->taskDialogs.first();
    QCOMPARE(shown.kind, TaskDialogKind::Error);
    QCOMPARE(shown.text.instruction, w->str(27));
    QVERIFY(shown.text.content.startsWith(w->str(28) + QStringLiteral("\n\n")));
    QVERIFY(shown.text.content.size() > w->str(28).size() + 2); // the system's reason follows
    QCOMPARE(shown.text.footer, w->str(29));
    QVERIFY(w->projectDirty());
    QVERIFY(w->confirmPanel()->isVisible());
    QCOMPARE(w->slides().count(), 2);
    QVERIFY(!env.settings().contains(project::settingname::recent(1)));
}

void FormMainTest::openingAMissingFileSaysSo()
{
    WindowEnvironment env;
    auto w = env.showWindow();
    const QString file = env.path(QStringLiteral("nothere.vrj"));
    QVERIFY(!w->readProject(file));
    QCOMPARE(env.desktop->messageBoxes, QStringList{w->str(22) + file});
}

void FormMainTest::startSequenceAndFirstShow()
{
    WindowEnvironment env;
    project::Settings settings = env.settings();
    QDir().mkpath(env.path(QStringLiteral("videos")));
    settings.setText(project::settingname::LastOutput, env.path(QStringLiteral("videos/old.mp4")));
    settings.setText(project::settingname::Language, QStringLiteral("DE"));
    auto w = env.makeWindow();
    QCOMPARE(w->currentLanguage(), QStringLiteral("de"));
    QCOMPARE(env.settings().language().value_or(QString()), QStringLiteral("de"));
    QCOMPARE(w->str(67), QStringLiteral("Slideshow.mp4"));
    QCOMPARE(w->step3()->outputFile(), env.path(QStringLiteral("videos/Slideshow.mp4")));
    QCOMPARE(w->slideshowOutput(), w->step3()->outputFile());
    QCOMPARE(w->windowTitle(), QStringLiteral("Vistarel"));
    // Whatever the start left in the changed flag, showing the window clears it.
    w->markProjectChanged();
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    QVERIFY(!w->projectDirty());
}

void FormMainTest::maximiseAndRestore()
{
    WindowEnvironment env;
    auto w = env.showWindow();
    const QRect area = w->screen()->availableGeometry();
    const QRect before(area.left() + 20, area.top() + 30, 1100, 800);
    w->setGeometry(before);
    QCOMPARE(w->geometry(), before);
    auto* edge = w->findChild<ResizeHandle*>(QStringLiteral("ImageResizeLeft"));
    QCOMPARE(edge->cursor().shape(), Qt::SizeHorCursor);

    clickButton(w.get(), "RzBmpButtonMaximize");
    QVERIFY(w->isOwnMaximized());
    QCOMPARE(w->geometry(), area);
    QCOMPARE(edge->cursor().shape(), Qt::ArrowCursor);
    QCOMPARE(env.settings().integer(project::settingname::WindowMaximized), std::optional<int>(1));

    clickButton(w.get(), "RzBmpButtonMaximize");
    QVERIFY(!w->isOwnMaximized());
    QCOMPARE(w->geometry(), before);
    QCOMPARE(edge->cursor().shape(), Qt::SizeHorCursor);
    const project::Settings s = env.settings();
    QCOMPARE(s.integer(project::settingname::WindowMaximized), std::optional<int>(0));
    QCOMPARE(s.integer(project::settingname::WindowLeft), std::optional<int>(before.left()));
    QCOMPARE(s.integer(project::settingname::WindowTop), std::optional<int>(before.top()));
    QCOMPARE(s.integer(project::settingname::WindowWidth), std::optional<int>(1100));
    QCOMPARE(s.integer(project::settingname::WindowHeight), std::optional<int>(800));
}

void FormMainTest::startMaximisedRestoresToDesignSize()
{
    WindowEnvironment env;
    env.settings().setInteger(project::settingname::WindowMaximized, 1);
    auto w = env.showWindow();
    const QRect area = w->screen()->availableGeometry();
    QVERIFY(w->isOwnMaximized());
    QCOMPARE(w->geometry(), area);
    clickButton(w.get(), "RzBmpButtonMaximize");
    QVERIFY(!w->isOwnMaximized());
    QCOMPARE(w->size(), QSize(1024, 768));
    QCOMPARE(w->geometry().center(), area.center());
}

void FormMainTest::storedGeometry_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("savedPpi");
    QTest::addColumn<QSize>("expected");
    QTest::newRow("same density") << 1200 << 800 << 96 << QSize(1200, 800);
    QTest::newRow("saved at 192 ppi") << 2400 << 1600 << 192 << QSize(1200, 800);
    QTest::newRow("no density stored") << 1100 << 900 << 0 << QSize(1100, 900);
    QTest::newRow("below the minimum") << 600 << 400 << 96 << QSize(1024, 768);
}

void FormMainTest::storedGeometry()
{
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(int, savedPpi);
    QFETCH(QSize, expected);
    WindowEnvironment env;
    {
        project::Settings s = env.settings();
        s.setInteger(project::settingname::WindowLeft, 30);
        s.setInteger(project::settingname::WindowTop, 40);
        s.setInteger(project::settingname::WindowWidth, width);
        s.setInteger(project::settingname::WindowHeight, height);
        if (savedPpi > 0)
            s.setInteger(project::settingname::SavedPPI, savedPpi);
    }
    auto w = env.makeWindow();
    QCOMPARE(w->geometry(), QRect(QPoint(30, 40), expected));
    w.reset(); // destruction stores the geometry at this screen's density
    const project::Settings s = env.settings();
    QCOMPARE(s.integer(project::settingname::SavedPPI), std::optional<int>(96));
    QCOMPARE(s.integer(project::settingname::WindowWidth), std::optional<int>(expected.width()));
    QCOMPARE(s.integer(project::settingname::WindowHeight), std::optional<int>(expected.height()));
    QCOMPARE(s.integer(project::settingname::WindowLeft), std::optional<int>(30));
    QVERIFY(s.text(project::settingname::LastOutput).has_value());
}

void FormMainTest::windowOffTheScreensComesBack()
{
    WindowEnvironment env;
    env.settings().setInteger(project::settingname::WindowLeft, 9000);
    env.settings().setInteger(project::settingname::WindowTop, -7000);
    auto w = env.showWindow();
    const QRect area = w->screen()->availableGeometry();
    QVERIFY(area.intersects(w->geometry()));
    QCOMPARE(w->geometry().top(), area.top());
    QCOMPARE(w->size(), QSize(1024, 768));
}

void FormMainTest::geometryDecisions()
{
    const QRect area(0, 0, 1280, 1000);
    // Moving onto the work area: only as far as needed, the size kept.
    QCOMPARE(moveIntoArea(QRect(1000, 900, 400, 300), area), QRect(880, 700, 400, 300));
    QCOMPARE(moveIntoArea(QRect(-50, -20, 400, 300), area), QRect(0, 0, 400, 300));
    QCOMPARE(moveIntoArea(QRect(10, 10, 400, 300), area), QRect(10, 10, 400, 300));
    QCOMPARE(moveIntoArea(QRect(100, 100, 1500, 1200), area).topLeft(), QPoint(0, 0));
    // Only the size tells the state: a window sized exactly to the work area counts as
    // maximised and is restored.
    const MaximizeStep enter = toggleOwnMaximized(QRect(5, 5, 1100, 800), area, {}, {1024, 768});
    QVERIFY(enter.maximized);
    QCOMPARE(enter.bounds, area);
    QCOMPARE(enter.remembered, QRect(5, 5, 1100, 800));
    const MaximizeStep leave = toggleOwnMaximized(QRect(40, 40, 1280, 1000), area,
                                                  QRect(5, 5, 1100, 800), {1024, 768});
    QVERIFY(!leave.maximized);
    QCOMPARE(leave.bounds, QRect(5, 5, 1100, 800));
    // The step-2 strip rule at the 968-pixel border.
    QCOMPARE(step2StripRule(967, kLargeStripBottomTop).showSizeIcons, false);
    QCOMPARE(step2StripRule(967, kLargeStripBottomTop).fallBackToNormal, true);
    QCOMPARE(step2StripRule(967, kNormalStripBottomTop).fallBackToNormal, false);
    QCOMPARE(step2StripRule(968, kLargeStripBottomTop).showSizeIcons, true);
    QCOMPARE(step2StripRule(968, kLargeStripBottomTop).fallBackToNormal, false);
}

static const bool registered = registerTest<FormMainTest>("FormMainTest");

} // namespace vistarel::app::test

#include "formmain_test.moc"
