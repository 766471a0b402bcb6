// Step 3: the resolution presets and edits, the music list, the output and job fields
// with their dialogs and prefill rules, and which changes mark the project as changed.
#include "app/step1page.h"
#include "app/step3page.h"
#include "app/step3rules.h"
#include "app/step3widgets.h"
#include "testsupport.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>

namespace vistarel::app::test {

namespace {

template <typename T>
T* control(QWidget* window, const char* name)
{
    auto* found = window->findChild<T*>(QString::fromLatin1(name));
    if (!found)
        qFatal("no control %s", name);
    return found;
}

struct Step3Controls
{
    explicit Step3Controls(QWidget* w)
        : page(control<QWidget>(w, "RzPanelStep3"))
        , resolution(control<QComboBox>(w, "ElComboBoxStep3Resolution"))
        , width(control<QLineEdit>(w, "ElEditStep3ResolutionX"))
        , height(control<QLineEdit>(w, "ElEditStep3ResolutionY"))
        , music(control<QComboBox>(w, "ElComboBoxStep3Music"))
        , musicList(control<QListWidget>(w, "RzListBoxStep3Music"))
        , musicAdd(control<QAbstractButton>(w, "ImageStep3MusicAdd"))
        , musicRemove(control<QAbstractButton>(w, "ImageStep3MusicRemove"))
        , musicAddLabel(control<QLabel>(w, "LabelStep3MusicAdd"))
        , repeat(control<QComboBox>(w, "ElComboBoxStep3MusicRepeat"))
        , output(control<FileNameEdit>(w, "ElFileNameEditStep3Output"))
        , task(control<QComboBox>(w, "ElComboBoxStep3Task"))
        , job(control<FileNameEdit>(w, "ElFileNameEditStep3Task"))
    {
    }

    // The music list, its icons and their label are shown together or not at all.
    bool musicControlsShown() const
    {
        const bool shown = musicList->isVisibleTo(page);
        for (const QWidget* w : {static_cast<const QWidget*>(musicAdd),
                                 static_cast<const QWidget*>(musicRemove),
                                 static_cast<const QWidget*>(musicAddLabel)}) {
            if (w->isVisibleTo(page) != shown)
                qFatal("the music controls disagree about being shown");
        }
        return shown;
    }
    bool jobShown() const { return job->isVisibleTo(page); }

    QWidget* page; // the step-3 page, hidden while another step is shown
    QComboBox* resolution;
    QLineEdit* width;
    QLineEdit* height;
    QComboBox* music;
    QListWidget* musicList;
    QAbstractButton* musicAdd;
    QAbstractButton* musicRemove;
    QLabel* musicAddLabel;
    QComboBox* repeat;
    FileNameEdit* output;
    QComboBox* task;
    FileNameEdit* job;
};

QStringList itemsOf(const QListWidget* list)
{
    QStringList items;
    for (int row = 0; row < list->count(); ++row)
        items << list->item(row)->text();
    return items;
}

} // namespace

class Step3PageTest : public QObject
{
    Q_OBJECT

private slots:
    void presetsFillTheEdits_data();
    void presetsFillTheEdits();
    void typedSizesKeepOnlyDigits();
    void musicListAddRemoveAndVisibility();
    void jobFilePrefill_data();
    void jobFilePrefill();
    void jobSwitchInANewProject();
    void browseDialogsAppendTheirExtension();
    void fillingFromDataIsNotAnEdit();
};

void Step3PageTest::presetsFillTheEdits_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("width");
    QTest::addColumn<QString>("height");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("SD (NTSC)") << 7 << 0 << "720" << "480" << false;
    QTest::newRow("SD (PAL)") << 7 << 1 << "720" << "576" << false;
    QTest::newRow("HD") << 7 << 2 << "1280" << "720" << false;
    QTest::newRow("Full HD") << 0 << 3 << "1920" << "1080" << false;
    QTest::newRow("2K QHD") << 7 << 4 << "2048" << "1080" << false;
    QTest::newRow("4K UHD") << 7 << 5 << "3840" << "2160" << false;
    QTest::newRow("4K DCI") << 7 << 6 << "4096" << "2160" << false;
    // The user-defined size keeps what the edits held.
    QTest::newRow("benutzerdefiniert") << 2 << 7 << "11" << "22" << true;
}

void Step3PageTest::presetsFillTheEdits()
{
    QFETCH(int, from);
    QFETCH(int, position);
    QFETCH(QString, width);
    QFETCH(QString, height);
    QFETCH(bool, enabled);
    WindowEnvironment env;
    auto w = env.showWindow();
    Step3Controls c(w.get());
    QCOMPARE(c.resolution->currentText(), QStringLiteral("Full HD"));
    QCOMPARE(c.width->text(), QStringLiteral("1920"));
    QVERIFY(!c.width->isEnabled());
    project::OutputSettings s = w->step3()->outputSettings();
    s.ResolutionIndex = from;
    s.ResolutionX = QStringLiteral("11");
    s.ResolutionY = QStringLiteral("22");
    w->step3()->setOutputSettings(s);
    QVERIFY(!w->projectDirty());

    c.resolution->setCurrentIndex(position); // a choice from the drop-down list
    QCOMPARE(c.width->text(), width);
    QCOMPARE(c.height->text(), height);
    QCOMPARE(c.width->isEnabled(), enabled);
    QCOMPARE(c.height->isEnabled(), enabled);
    QVERIFY(w->projectDirty());
    QCOMPARE(w->step3()->outputSettings().ResolutionIndex, position);
}

void Step3PageTest::typedSizesKeepOnlyDigits()
{
    WindowEnvironment env;
    auto w = env.showWindow();
    Step3Controls c(w.get());
    c.resolution->setCurrentIndex(7);
    QVERIFY(c.width->isEnabled());
    w->startNewProject(); // the resolution stays, the changed flag goes
    QVERIFY(!w->projectDirty());
    QVERIFY(c.width->isEnabled());

    c.width->clear();
    QTest::keyClicks(c.width, QStringLiteral("12a4"));
    QCOMPARE(c.width->text(), QStringLiteral("124"));
    QVERIFY(w->projectDirty());
    c.height->clear();
    QTest::keyClicks(c.height, QStringLiteral("x98765"));
    QCOMPARE(c.height->text(), QStringLiteral("9876")); // four characters at most
    QTest::keyClick(c.height, Qt::Key_Backspace);
    QCOMPARE(c.height->text(), QStringLiteral("987"));
    const project::OutputSettings s = w->step3()->outputSettings();
    QCOMPARE(s.ResolutionX, QStringLiteral("124"));
    QCOMPARE(s.ResolutionY, QStringLiteral("987"));
}

void Step3PageTest::musicListAddRemoveAndVisibility()
{
    WindowEnvironment env;
    env.settings().setText(project::settingname::Language, QStringLiteral("de"));
    auto w = env.showWindow();
    Step3Controls c(w.get());
    QVERIFY(!c.musicControlsShown());
    QVERIFY(c.repeat->isVisibleTo(c.page));
    c.music->setCurrentIndex(0);
    QVERIFY(c.musicControlsShown());
    QVERIFY(w->projectDirty());

    const QString a = env.path(QStringLiteral("music/a.mp3"));
    const QString b = env.path(QStringLiteral("music/b.mp3"));
    const QString d = env.path(QStringLiteral("other/d.mp3"));
    env.desktop->fileAnswers = {{a, b}, {}, {a, d}};
    c.musicAdd->click();
    const FileDialogRequest request = env.desktop->fileRequests.last();
    QCOMPARE(request.mode, FileDialogMode::OpenMany);
    QCOMPARE(request.title, QStringLiteral("MP3-Datei(en) hinzufügen"));
    QCOMPARE(request.filter, QStringLiteral("MP3-Dateien|*.mp3"));
    QCOMPARE(request.defaultSuffix, QStringLiteral("mp3"));
    // The first dialog opens where step 1 is, later ones where the last music came from.
    QCOMPARE(request.initialPath, w->step1()->currentFolder());
    QVERIFY(!request.initialPath.isEmpty());
    QCOMPARE(itemsOf(c.musicList), (QStringList{a, b}));
    // Cancelling adds nothing; a file already listed comes again, at the end.
    c.musicAdd->click();
    QCOMPARE(itemsOf(c.musicList), (QStringList{a, b}));
    c.musicAdd->click();
    QCOMPARE(env.desktop->fileRequests.last().initialPath, env.path(QStringLiteral("music")));
    QCOMPARE(itemsOf(c.musicList), (QStringList{a, b, a, d}));
    QCOMPARE(w->step3()->outputSettings().MusicFiles, (QStringList{a, b, a, d}));

    w->startNewProject();
    QCOMPARE(itemsOf(c.musicList), QStringList());
    QVERIFY(!c.musicControlsShown());
    project::OutputSettings s = w->step3()->outputSettings();
    s.MusicIndex = 0;
    s.MusicFiles = {a, b, a, d};
    w->step3()->setOutputSettings(s);
    QVERIFY(!w->projectDirty());

    c.musicRemove->click(); // nothing selected
    QVERIFY(!w->projectDirty());
    for (int row : {0, 2, 3})
        c.musicList->item(row)->setSelected(true);
    c.musicRemove->click();
    QCOMPARE(itemsOf(c.musicList), QStringList{b});
    QVERIFY(w->projectDirty());

    c.music->setCurrentIndex(1);
    QVERIFY(!c.musicControlsShown());
    QCOMPARE(w->step3()->outputSettings().MusicIndex, 1);
    QCOMPARE(w->step3()->outputSettings().MusicFiles, QStringList{b}); // kept, unused
}

void Step3PageTest::jobFilePrefill_data()
{
    QTest::addColumn<QString>("current");
    QTest::addColumn<QString>("saveName");
    QTest::addColumn<QString>("output");
    QTest::addColumn<QString>("expected");
    QTest::newRow("new project") << "" << ".vrj" << "/v/Urlaub.mp4" << "/v/Urlaub.vrj";
    QTest::newRow("output without extension") << "" << "" << "/v/Urlaub" << "/v/Urlaub.vrj";
    QTest::newRow("point only in the folder") << "" << "" << "/v.1/Urlaub" << "/v.1/Urlaub.vrj";
    QTest::newRow("two extensions") << "" << "" << "/v/a.b.mp4" << "/v/a.b.vrj";
    QTest::newRow("save name of 5") << "" << "a.vrj" << "/v/Urlaub.mp4" << "a.vrj";
    QTest::newRow("save name of 4") << "" << "a.vr" << "/v/Urlaub.mp4" << "/v/Urlaub.vrj";
    QTest::newRow("5 characters are replaced") << "a.vrj" << "/p/s.vrj" << "/v/U.mp4" << "/p/s.vrj";
    QTest::newRow("6 characters stay") << "ab.vrj" << "/p/s.vrj" << "/v/U.mp4" << "ab.vrj";
}

void Step3PageTest::jobFilePrefill()
{
    QFETCH(QString, current);
    QFETCH(QString, saveName);
    QFETCH(QString, output);
    QFETCH(QString, expected);
    QCOMPARE(prefilledJobFile(current, saveName, output), expected);
}

void Step3PageTest::jobSwitchInANewProject()
{
    WindowEnvironment env;
    auto w = env.showWindow();
    Step3Controls c(w.get());
    QVERIFY(!c.jobShown());
    const QString output = env.path(QStringLiteral("Ferien/Urlaub.mp4"));
    c.output->setText(output);
    c.task->setCurrentIndex(0);
    QCOMPARE(c.job->text(), env.path(QStringLiteral("Ferien/Urlaub.vrj")));
    QVERIFY(c.jobShown());
    QVERIFY(w->step3()->saveJob());
    QVERIFY(!w->projectDirty()); // the job switch is not project data
    QTest::keyClicks(c.job->lineEdit(), QStringLiteral("x"));
    QVERIFY(!w->projectDirty());
    c.task->setCurrentIndex(1);
    QVERIFY(!c.jobShown());
    QVERIFY(!w->step3()->saveJob());

    // After a save the save dialog's name wins over the output name.
    const QString saved = env.path(QStringLiteral("saved.vrj"));
    env.desktop->fileAnswers = {{saved}};
    QVERIFY(w->saveWithDialog());
    c.job->setText(QString());
    c.task->setCurrentIndex(0);
    QCOMPARE(c.job->text(), saved);
}

void Step3PageTest::browseDialogsAppendTheirExtension()
{
    WindowEnvironment env;
    env.settings().setText(project::settingname::Language, QStringLiteral("de"));
    auto w = env.showWindow();
    Step3Controls c(w.get());
    const QString before = c.output->text();
    QCOMPARE(before, w->slideshowOutput());
    env.desktop->fileAnswers = {{env.path(QStringLiteral("film"))},
                                {env.path(QStringLiteral("job"))},
                                {env.path(QStringLiteral("job.vrj"))}};
    c.output->browseButton()->click();
    FileDialogRequest request = env.desktop->fileRequests.last();
    QCOMPARE(request.mode, FileDialogMode::Save);
    QCOMPARE(request.title, QStringLiteral("Ausgabedatei speichern"));
    QCOMPARE(request.filter, QStringLiteral("MP4-Dateien|*.mp4"));
    QCOMPARE(request.initialPath, before);
    QCOMPARE(c.output->text(), env.path(QStringLiteral("film.mp4")));
    QVERIFY(w->projectDirty());

    w->startNewProject();
    c.task->setCurrentIndex(0);
    const QString prefilled = c.job->text();
    c.job->browseButton()->click();
    request = env.desktop->fileRequests.last();
    QCOMPARE(request.title, QStringLiteral("Auftrag speichern"));
    QCOMPARE(request.filter, QStringLiteral("Vistarel-Aufträge|*.vrj"));
    QCOMPARE(request.initialPath, prefilled);
    QCOMPARE(c.job->text(), env.path(QStringLiteral("job.vrj")));
    c.job->browseButton()->click();
    QCOMPARE(c.job->text(), env.path(QStringLiteral("job.vrj")));
    QVERIFY(!w->projectDirty());

    // Typing the output name is an edit; cancelling its dialog is not.
    c.output->browseButton()->click();
    QVERIFY(!w->projectDirty());
    QTest::keyClicks(c.output->lineEdit(), QStringLiteral("x"));
    QVERIFY(w->projectDirty());

    QCOMPARE(withDefaultExtension(QStringLiteral("/a.b/c"), QStringLiteral(".mp4")),
             QStringLiteral("/a.b/c.mp4"));
    QCOMPARE(withDefaultExtension(QStringLiteral("/a/c.MP4"), QStringLiteral(".mp4")),
             QStringLiteral("/a/c.MP4"));
}

void Step3PageTest::fillingFromDataIsNotAnEdit()
{
    WindowEnvironment env;
    auto w = env.showWindow();
    Step3Controls c(w.get());
    project::OutputSettings s;
    s.ResolutionIndex = 7;
    s.ResolutionX = QStringLiteral("640");
    s.ResolutionY = QStringLiteral("3600"); // as typed, however odd
    s.MusicIndex = 0;
    s.MusicRepeat = 0;
    s.MusicFiles = {QStringLiteral("/m/a.mp3")};
    s.OutputFile = QStringLiteral("/v/x.mp4");
    w->step3()->setOutputSettings(s);
    w->step3()->setJobFile(QStringLiteral("/p/job.vrj"), true);
    QVERIFY(!w->projectDirty());
    QCOMPARE(w->step3()->outputSettings(), s);
    QVERIFY(c.width->isEnabled());
    QVERIFY(c.musicControlsShown());
    QVERIFY(c.jobShown());
    QCOMPARE(c.repeat->currentIndex(), 0);

    // A preset position with other texts keeps them, disabled, as the file had them.
    s.ResolutionIndex = 2;
    s.MusicIndex = 1;
    w->step3()->setOutputSettings(s);
    QCOMPARE(c.width->text(), QStringLiteral("640"));
    QVERIFY(!c.width->isEnabled());
    QVERIFY(!c.musicControlsShown());
    QVERIFY(!w->projectDirty());

    // A file read from disk fills the page the same way.
    const QString file = env.path(QStringLiteral("p.vrj"));
    writeFile(file, "[Settings]\r\nResolutionIndex=7\r\nResolutionX=1000\r\nResolutionY=500\r\n"
                    "MusicIndex=0\r\nMusicRepeat=0\r\nMusicFile=/m/a.mp3| |/m/b.mp3\r\n"
                    "OutputFile=/v/y.mp4\r\n");
    w->startNewProject();
    QVERIFY(w->readProject(file));
    QVERIFY(!w->projectDirty());
    QCOMPARE(c.width->text(), QStringLiteral("1000"));
    QVERIFY(c.width->isEnabled());
    QCOMPARE(itemsOf(c.musicList), (QStringList{QStringLiteral("/m/a.mp3"), QStringLiteral("/m/b.mp3")}));
    QVERIFY(c.musicControlsShown());
    QCOMPARE(c.output->text(), QStringLiteral("/v/y.mp4"));
    QCOMPARE(c.job->text(), file);
    QVERIFY(c.jobShown());
}

static const bool registered = registerTest<Step3PageTest>("Step3PageTest");

} // namespace vistarel::app::test

#include "step3page_test.moc"
