// Step 2: showing and storing slide settings, the changed flag, clip and picture
// controls, the subtitle editor's limits and commits, the apply-to-all and automatic
// effects panels, the strip sizes, the language switch and the preview's pictures.
#include "app/autoeffectspanel.h"
#include "app/coverflowstrip.h"
#include "app/formmain.h"
#include "app/previewplayer.h"
#include "app/previewview.h"
#include "app/questionpanel.h"
#include "app/startpanel.h"
#include "app/step1page.h"
#include "app/step2art.h"
#include "app/step2page.h"
#include "app/subtitleeditor.h"
#include "project/settings.h"
#include "subtitle/rtfparser.h"
#include "testsupport.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>

namespace vistarel::app::test {

namespace {

using project::TMyImageInfo;

void writePicture(const QString& path, const QColor& colour, QSize size = {64, 48})
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QImage picture(size, QImage::Format_RGB888);
    picture.fill(colour);
    if (!picture.save(path))
        qFatal("cannot write %s", qPrintable(path));
}

// A shown window on step 2 with one slide per name: ".png" names become pictures of
// their own colour, other names empty files.
struct Step2Window
{
    WindowEnvironment env;
    std::unique_ptr<TFormMain> w;
    Step2Page* page = nullptr;

    explicit Step2Window(const QStringList& names, int height = 0)
    {
        project::Settings settings = env.settings();
        settings.setText(project::settingname::Language, QStringLiteral("de"));
        if (height > 0)
            settings.setInteger(project::settingname::WindowHeight, height);
        w = env.showWindow();
        w->startPanel()->hide();
        static const QColor colours[] = {Qt::red, Qt::green, Qt::blue, Qt::yellow};
        int i = 0;
        for (const QString& name : names) {
            const QString path = env.path(QStringLiteral("media/") + name);
            if (name.endsWith(u".png"))
                writePicture(path, colours[i++ % 4]);
            else
                writeFile(path);
            w->slides().appendFile(path);
        }
        page = w->step2();
        w->step1()->hide();
        page->show();
        page->strip()->setItems(w->slides().fileNames());
        page->strip()->setCurrentIndex(0);
        w->activateWindow();
        if (!QTest::qWaitForWindowActive(w.get()))
            qWarning("window not active");
    }

    void select(int index) { page->strip()->setCurrentIndex(index); }
    TMyImageInfo* record(int index) { return w->slides().settings(index); }
    void waitForPreview()
    {
        QTRY_VERIFY_WITH_TIMEOUT(!page->previewPlayer()->isBusy(), 10000);
    }
};

// A choice in a list as the user makes it.
void choose(QComboBox* list, int index)
{
    list->setCurrentIndex(index);
    emit list->activated(index);
}

void clickRow(QListWidget* list, int row)
{
    list->scrollToItem(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(row)).center());
}

void clickWidget(QWidget* window, const char* name)
{
    auto* widget = window->findChild<QWidget*>(QString::fromLatin1(name));
    QVERIFY2(widget, name);
    QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
}

QString subtitleText(const QString& rtf)
{
    QStringList paras;
    for (const subtitle::TRtfPara& p : subtitle::ParseRtf(rtf).Paras)
        paras << p.text();
    return paras.join(u'|');
}

// The list positions, whatever the language.
QString positionsOf(Step2Page* page)
{
    QStringList positions;
    for (QComboBox* list : {page->durationList(), page->stretchList(), page->blurList(),
                            page->transitionDurationList(), page->audioList()})
        positions << QString::number(list->currentIndex());
    positions << QString::number(page->transitionList()->currentRow());
    return positions.join(u' ');
}

QString controlsOf(Step2Page* page)
{
    return QStringLiteral("%1 %2 %3 %4 %5 %6")
        .arg(page->durationList()->currentText(), page->stretchList()->currentText(),
             page->blurList()->currentText())
        .arg(page->transitionList()->currentRow())
        .arg(page->transitionDurationList()->currentText())
        .arg(page->audioList()->currentIndex());
}

} // namespace

class Step2PageTest : public QObject
{
    Q_OBJECT

private slots:
    void neverEditedSlideShowsDefaults();
    void firstEditCreatesTheRecord_data();
    void firstEditCreatesTheRecord();
    void recordsShowAndStoreOnlyWhatTheUserChanged();
    void stretchDisablesBlurAndThePreviewFollows();
    void clipAndPictureControls();
    void tabControlsDoNotOverlap();
    void subtitleLimits_data();
    void subtitleLimits();
    void subtitleCommittedOnFocusLossToItsSlide();
    void editorRoundTripThroughTheToolbar();
    void plainSubtitleOfAnOlderProject();
    void applyToAll();
    void automaticEffects();
    void languageSwitchKeepsTheSlide();
    void stripSizes();
    void previewStartsFromThePreviousSlide();
    void draggingTheSliderPlaysOnceOnRelease();
};

void Step2PageTest::neverEditedSlideShowsDefaults()
{
    Step2Window s({QStringLiteral("a.png"), QStringLiteral("b.png"), QStringLiteral("c.png"),
                   QStringLiteral("d.png")});
    s.select(3);
    QCOMPARE(controlsOf(s.page), QStringLiteral("5 nein nein 0 1.0 0"));
    QCOMPARE(s.page->transitionList()->currentItem()->text(), QStringLiteral("kein Effekt"));
    QCOMPARE(s.page->counter()->text(), QStringLiteral("Slide 4 von 4"));
    QVERIFY(s.page->blurList()->isEnabled());
    for (int i = 0; i < 4; ++i)
        QVERIFY(!s.record(i));
    QVERIFY(!s.w->projectDirty());
    // Typing nothing into the subtitle makes no record either.
    s.page->tabs()->setCurrentIndex(Step2Page::kSubtitleTab);
    s.page->TimerStep2SubtitleTimer();
    QVERIFY(!s.record(3));
    QVERIFY(!s.w->projectDirty());
}

void Step2PageTest::firstEditCreatesTheRecord_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<bool>("dirty");
    QTest::addColumn<QString>("fields"); // Duration Transition TransitionDuration Stretch Blur
    QTest::newRow("duration") << "duration" << true << "5 0 2 0 0";
    QTest::newRow("stretch") << "stretch" << true << "4 0 2 1 0";
    QTest::newRow("blur") << "blur" << true << "4 0 2 0 1";
    QTest::newRow("other transition") << "transition" << true << "4 17 2 0 0";
    QTest::newRow("transition duration") << "transitionDuration" << true << "4 0 5 0 0";
    QTest::newRow("same transition") << "sameTransition" << false << "4 0 2 0 0";
    QTest::newRow("repeat") << "repeat" << false << "4 0 2 0 0";
}

void Step2PageTest::firstEditCreatesTheRecord()
{
    QFETCH(QString, action);
    QFETCH(bool, dirty);
    QFETCH(QString, fields);
    Step2Window s({QStringLiteral("a.png"), QStringLiteral("b.png")});
    s.select(1);
    s.page->tabs()->setCurrentIndex(Step2Page::kEffectsTab);
    if (action == u"duration")
        choose(s.page->durationList(), 5);
    else if (action == u"stretch")
        choose(s.page->stretchList(), 0);
    else if (action == u"blur")
        choose(s.page->blurList(), 0);
    else if (action == u"transition")
        clickRow(s.page->transitionList(), 17);
    else if (action == u"transitionDuration")
        choose(s.page->transitionDurationList(), 5);
    else if (action == u"sameTransition")
        clickRow(s.page->transitionList(), 0);
    else if (action == u"repeat")
        clickWidget(s.w.get(), "LabelStep2TransitionRepeat");
    const TMyImageInfo* r = s.record(1);
    QVERIFY(r);
    QCOMPARE(QStringLiteral("%1 %2 %3 %4 %5")
                 .arg(r->Duration)
                 .arg(r->Transition)
                 .arg(r->TransitionDuration)
                 .arg(int(r->Stretch))
                 .arg(int(r->BlurBackground)),
             fields);
    // The step-2 record: Tahoma, white, medium.
    QCOMPARE(r->Font, QStringLiteral("Tahoma"));
    QCOMPARE(r->FontColor, project::kWhite);
    QCOMPARE(r->FontSize, 1);
    QCOMPARE(s.w->projectDirty(), dirty);
    QVERIFY(!s.record(0));
}

void Step2PageTest::recordsShowAndStoreOnlyWhatTheUserChanged()
{
    Step2Window s({QStringLiteral("a.png"), QStringLiteral("b.mp4")});
    auto record = std::make_unique<TMyImageInfo>();
    record->Duration = 16;
    record->Transition = 245; // only from a project file: the list has no entry for it
    record->TransitionDuration = 12;
    record->Stretch = true;
    record->BlurBackground = true;
    record->AudioMode = 7;
    s.w->slides().setSettings(1, std::move(record));
    s.select(1);
    QCOMPARE(controlsOf(s.page), QStringLiteral("60 ja ja -1  0"));
    QVERIFY(!s.page->blurList()->isEnabled());
    QVERIFY(!s.w->projectDirty());
    // Changing the duration stores the lists that have a selection and keeps the rest.
    s.page->tabs()->setCurrentIndex(Step2Page::kAudioTab);
    choose(s.page->audioList(), 2);
    const TMyImageInfo* r = s.record(1);
    QCOMPARE(r->Transition, 245);
    QCOMPARE(r->TransitionDuration, 12);
    QCOMPARE(r->AudioMode, 2);
    QCOMPARE(r->Duration, 16);
    QVERIFY(s.w->projectDirty());
}

void Step2PageTest::stretchDisablesBlurAndThePreviewFollows()
{
    Step2Window s({QStringLiteral("a.png")});
    s.waitForPreview();
    PreviewView* view = s.page->previewView();
    // The 64 x 48 picture is smaller than the view: black around it, or its blurred copy.
    const auto corner = [&] { return view->picture().pixelColor(1, 1); };
    const auto middle = [&] {
        return view->picture().pixelColor(view->picture().width() / 2, view->picture().height() / 2);
    };
    QCOMPARE(view->picture().size(), view->pixelSize());
    QCOMPARE(corner(), QColor(Qt::black));

    choose(s.page->blurList(), 0);
    s.waitForPreview();
    QVERIFY(corner().red() > 200 && corner().green() < 60);
    QCOMPARE(middle(), QColor(Qt::red));

    choose(s.page->stretchList(), 0);
    QVERIFY(!s.page->blurList()->isEnabled());
    s.waitForPreview();
    QCOMPARE(corner(), QColor(Qt::red));
    QVERIFY(s.record(0)->BlurBackground); // kept while stretched

    choose(s.page->stretchList(), 1);
    QVERIFY(s.page->blurList()->isEnabled());
    s.waitForPreview();
    QVERIFY(corner().red() > 200 && corner().green() < 60);
    QVERIFY(!s.w->findChild<QWidget*>(QStringLiteral("RzPanelApplyToAll"))->isVisible());
}

void Step2PageTest::clipAndPictureControls()
{
    Step2Window s({QStringLiteral("a.png"), QStringLiteral("Clip.MP4"), QStringLiteral("c.png")});
    QTabWidget* tabs = s.page->tabs();
    QVERIFY(!tabs->isTabVisible(Step2Page::kAudioTab));
    QVERIFY(s.page->durationList()->isEnabled());
    s.select(1);
    QVERIFY(tabs->isTabVisible(Step2Page::kAudioTab));
    QVERIFY(!s.page->durationList()->isEnabled());
    tabs->setCurrentIndex(Step2Page::kAudioTab);
    s.select(2);
    QVERIFY(!tabs->isTabVisible(Step2Page::kAudioTab));
    QCOMPARE(tabs->currentIndex(), Step2Page::kDisplayTab);
    QVERIFY(s.page->durationList()->isEnabled());
    // The clip's picture cannot be made from an empty file: reported once per preview.
    s.select(1);
    s.waitForPreview();
    QVERIFY(!s.env.desktop->taskDialogs.isEmpty());
    QVERIFY(s.env.desktop->taskDialogs.last().text.content.endsWith(s.w->slides().fileName(1)));
}

void Step2PageTest::subtitleLimits_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("accepted");
    const QString line40(40, u'x');
    QTest::newRow("five lines") << QStringList(5, line40).join(u'\n') << true;
    QTest::newRow("sixth line") << QStringList(6, QStringLiteral("ab")).join(u'\n') << false;
    QTest::newRow("200 characters") << QString(200, u'y') << true;
    QTest::newRow("201 characters") << QString(201, u'y') << false;
    QTest::newRow("trailing blanks and lines") << QString(200, u'z') + QStringLiteral("   \n\n\n\n\n\n")
                                               << true;
}

void Step2PageTest::subtitleLimits()
{
    QFETCH(QString, typed);
    QFETCH(bool, accepted);
    Step2Window s({QStringLiteral("a.png"), QStringLiteral("b.png")});
    s.select(1);
    s.page->tabs()->setCurrentIndex(Step2Page::kSubtitleTab);
    SubtitleTextEdit* edit = s.page->subtitleEditor()->edit();
    edit->setFocus();
    QTest::keyClicks(edit, QStringLiteral("Hallo"));
    s.page->TimerStep2SubtitleTimer();
    QVERIFY(s.w->projectDirty());
    const TMyImageInfo before = *s.record(1);
    QCOMPARE(subtitleText(before.Subtitle), QStringLiteral("Hallo"));

    QSignalSpy refused(s.page, &Step2Page::subtitleRefused);
    edit->selectAll();
    for (const QString& line : typed.split(u'\n')) {
        QTest::keyClicks(edit, line);
        QTest::keyClick(edit, Qt::Key_Return);
    }
    s.page->TimerStep2SubtitleTimer();
    if (accepted) {
        QCOMPARE(refused.count(), 0);
        QVERIFY(subtitleText(s.record(1)->Subtitle).startsWith(typed.left(10)));
        QVERIFY(s.record(1)->SubtitleEdit != before.SubtitleEdit);
    } else {
        QCOMPARE(refused.count(), 1);
        QCOMPARE(*s.record(1), before);
        QCOMPARE(s.page->subtitleEditor()->plainText(), QStringLiteral("Hallo"));
    }
    // Deleting every character empties both fields.
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, QStringLiteral("  "));
    s.page->TimerStep2SubtitleTimer();
    QCOMPARE(s.record(1)->Subtitle, QString());
    QCOMPARE(s.record(1)->SubtitleEdit, QString());
}

void Step2PageTest::subtitleCommittedOnFocusLossToItsSlide()
{
    Step2Window s({QStringLiteral("a.png"), QStringLiteral("b.png"), QStringLiteral("c.png"),
                   QStringLiteral("d.png")});
    s.select(2);
    s.page->tabs()->setCurrentIndex(Step2Page::kSubtitleTab);
    SubtitleTextEdit* edit = s.page->subtitleEditor()->edit();
    edit->setFocus();
    QVERIFY(edit->hasFocus());
    QTest::keyClicks(edit, QStringLiteral("Dritter"));
    // At once a click on the strip: the press moves the focus before it selects.
    CoverFlowStrip* strip = s.page->strip();
    const QPoint right(strip->width() / 2 + strip->height() * 2 / 3, strip->height() / 2);
    QTest::mouseClick(strip, Qt::LeftButton, {}, right);
    QCOMPARE(strip->currentIndex(), 3);
    QVERIFY(s.record(2));
    QCOMPARE(subtitleText(s.record(2)->Subtitle), QStringLiteral("Dritter"));
    QVERIFY(!s.record(2)->SubtitleEdit.isEmpty());
    QVERIFY(!s.record(3));
    QCOMPARE(s.page->subtitleEditor()->plainText(), QString());
    // Back on the third slide the editor shows it again from its snapshot.
    s.select(2);
    QCOMPARE(s.page->subtitleEditor()->plainText(), QStringLiteral("Dritter"));
    QCOMPARE(s.page->subtitleEditor()->rtf(), s.record(2)->Subtitle);

    // Leaving the page keeps what was just typed.
    QTest::keyClicks(edit, QStringLiteral(" und mehr"));
    s.page->hide();
    QCOMPARE(subtitleText(s.record(2)->Subtitle), QStringLiteral("Dritter und mehr"));
}

void Step2PageTest::editorRoundTripThroughTheToolbar()
{
    Step2Window s({QStringLiteral("a.png")});
    s.page->tabs()->setCurrentIndex(Step2Page::kSubtitleTab);
    SubtitleEditor* editor = s.page->subtitleEditor();
    SubtitleTextEdit* edit = editor->edit();
    edit->setFocus();
    QTest::keyClicks(edit, QStringLiteral("Hallo "));
    editor->setBold(true);
    QTest::keyClicks(edit, QStringLiteral("Welt"));
    editor->setBold(false);
    QTest::keyClick(edit, Qt::Key_Return, Qt::ShiftModifier); // a line break
    editor->setItalic(true);
    editor->setTextColour(QColor(0xFF, 0x3B, 0x30));
    QTest::keyClicks(edit, QStringLiteral("zwei"));
    QTest::keyClick(edit, Qt::Key_Return);
    editor->setAlignment(Qt::AlignRight);
    editor->setItalic(false);
    editor->setTextColour(Qt::white);
    editor->growFont();
    editor->setUnderline(true);
    editor->setStrikeOut(true);
    edit->insertPlainText(QStringLiteral("Größer")); // typed in the current format
    // The first word one step smaller afterwards, through a selection.
    QTextCursor cursor = edit->textCursor();
    cursor.setPosition(0);
    cursor.setPosition(5, QTextCursor::KeepAnchor);
    edit->setTextCursor(cursor);
    editor->shrinkFont();

    const subtitle::TRtfDoc doc = subtitle::ParseRtf(editor->rtf());
    QCOMPARE(doc.Paras.size(), size_t(2));
    const auto run = [&](size_t p, size_t r) { return doc.Paras.at(p).Runs.at(r); };
    QCOMPARE(doc.Paras[0].Align, 1);
    QCOMPARE(doc.Paras[0].Runs.size(), size_t(5));
    QCOMPARE(run(0, 0).Text, QStringLiteral("Hallo"));
    QCOMPARE(run(0, 0).Size, 48); // 32 px
    QCOMPARE(run(0, 1).Text, QStringLiteral(" "));
    QCOMPARE(run(0, 1).Size, 56); // 37 px
    QCOMPARE(run(0, 2).Text, QStringLiteral("Welt"));
    QVERIFY(run(0, 2).Bold);
    QCOMPARE(run(0, 3).Text, QStringLiteral("\n")); // typed plain
    QVERIFY(!run(0, 3).Bold && !run(0, 3).Italic);
    QCOMPARE(run(0, 4).Text, QStringLiteral("zwei"));
    QVERIFY(run(0, 4).Italic && !run(0, 4).Bold);
    QCOMPARE(doc.ColorOf(run(0, 4).ColorIdx, 0), 0x303BFFu);
    QCOMPARE(doc.Paras[1].Align, 2);
    QCOMPARE(run(1, 0).Text, QStringLiteral("Größer"));
    QCOMPARE(run(1, 0).Size, 63); // 42 px
    QVERIFY(run(1, 0).Underline && run(1, 0).Strike && !run(1, 0).Italic);
    QCOMPARE(doc.ColorOf(run(1, 0).ColorIdx, 0), 0xFFFFFFu);
    for (const auto& para : doc.Paras)
        for (const auto& r : para.Runs)
            QCOMPARE(doc.FontName(r.FontIdx), QStringLiteral("Tahoma"));

    // The snapshot brings back the same content.
    const QByteArray snapshot = editor->saveSnapshot();
    const QString rtf = editor->rtf();
    editor->loadSnapshot({});
    QCOMPARE(editor->plainText(), QString());
    editor->loadSnapshot(snapshot);
    QCOMPARE(editor->rtf(), rtf);
    // Reloaded, the document spells inherited formats out once; from then on it is stable.
    const QByteArray reloaded = editor->saveSnapshot();
    editor->loadSnapshot(reloaded);
    QCOMPARE(editor->saveSnapshot(), reloaded);
    QCOMPARE(editor->rtf(), rtf);
}

void Step2PageTest::plainSubtitleOfAnOlderProject()
{
    Step2Window s({QStringLiteral("a.png"), QStringLiteral("b.png")});
    auto plain = std::make_unique<TMyImageInfo>();
    plain->Subtitle = QStringLiteral("  Alter Text ");
    plain->Font = QStringLiteral("DejaVu Serif");
    plain->FontColor = 0x0000FF; // red
    plain->FontSize = 0;
    s.w->slides().setSettings(0, std::move(plain));
    auto rtfOnly = std::make_unique<TMyImageInfo>();
    rtfOnly->Subtitle = QStringLiteral("{\\rtf1 Nur RTF}");
    s.w->slides().setSettings(1, std::move(rtfOnly));
    s.select(1);
    QCOMPARE(s.page->subtitleEditor()->plainText(), QString());
    s.select(0);
    const subtitle::TRtfDoc doc = subtitle::ParseRtf(s.page->subtitleEditor()->rtf());
    QCOMPARE(doc.Paras.size(), size_t(1));
    const subtitle::TRtfRun r = doc.Paras[0].Runs.at(0);
    QCOMPARE(r.Text, QStringLiteral("  Alter Text "));
    QCOMPARE(doc.FontName(r.FontIdx), QStringLiteral("DejaVu Serif"));
    QCOMPARE(r.Size, 68); // 34 points
    QVERIFY(r.Bold);
    QCOMPARE(doc.ColorOf(r.ColorIdx, 0), 0x0000FFu);
    // Showing it is no edit; the record keeps its plain text until the user types.
    s.page->tabs()->setCurrentIndex(Step2Page::kSubtitleTab);
    s.page->TimerStep2SubtitleTimer();
    QCOMPARE(s.record(0)->Subtitle, QStringLiteral("  Alter Text "));
    QVERIFY(!s.w->projectDirty());
}

void Step2PageTest::applyToAll()
{
    Step2Window s({QStringLiteral("a.png"), QStringLiteral("b.png"), QStringLiteral("c.png")});
    auto record = std::make_unique<TMyImageInfo>();
    record->Duration = 1;
    record->Transition = 17;
    record->TransitionDuration = 8;
    record->Subtitle = QStringLiteral("{\\rtf1 Bleibt}");
    s.w->slides().setSettings(1, std::move(record));
    s.select(0);
    choose(s.page->durationList(), 9);
    choose(s.page->stretchList(), 0);
    QTest::mouseClick(s.w->findChild<QWidget*>(QStringLiteral("LabelStep2ApplyToAll")),
                      Qt::LeftButton);
    QVERIFY(s.page->applyToAllPanel()->isVisible());
    clickButton(s.w.get(), "RzBmpButtonApplyToAllNo");
    QVERIFY(!s.page->applyToAllPanel()->isVisible());
    QVERIFY(!s.record(2));

    s.page->applyToAllPanel()->showInFront();
    clickButton(s.w.get(), "RzBmpButtonApplyToAllYes");
    QVERIFY(!s.page->applyToAllPanel()->isVisible());
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(s.record(i)->Duration, 9);
        QVERIFY(s.record(i)->Stretch);
        QVERIFY(!s.record(i)->BlurBackground);
    }
    QCOMPARE(s.record(1)->Transition, 17);
    QCOMPARE(s.record(1)->Subtitle, QStringLiteral("{\\rtf1 Bleibt}"));
    // A record made by this path: no effect, 1.0 s, Tahoma in colour 0 at size class 0.
    QCOMPARE(s.record(2)->Transition, 0);
    QCOMPARE(s.record(2)->TransitionDuration, 2);
    QCOMPARE(s.record(2)->Font, QStringLiteral("Tahoma"));
    QCOMPARE(s.record(2)->FontColor, 0u);

    s.w->slides().setSettings(2, nullptr);
    s.page->tabs()->setCurrentIndex(Step2Page::kEffectsTab);
    clickRow(s.page->transitionList(), 42);
    choose(s.page->transitionDurationList(), 7);
    s.page->effectsApplyToAllPanel()->showInFront();
    clickButton(s.w.get(), "RzBmpButtonEffectsApplyToAllYes");
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(s.record(i)->Transition, 42);
        QCOMPARE(s.record(i)->TransitionDuration, 7);
    }
    QCOMPARE(s.record(2)->Duration, 4);
    QVERIFY(!s.record(2)->Stretch);
    QCOMPARE(s.record(1)->Duration, 9);
}

void Step2PageTest::automaticEffects()
{
    Step2Window s({QStringLiteral("a.png"), QStringLiteral("b.png"), QStringLiteral("c.png")});
    auto record = std::make_unique<TMyImageInfo>();
    record->Transition = 17;
    record->TransitionDuration = 8;
    s.w->slides().setSettings(1, std::move(record));
    AutoEffectsPanel* panel = s.page->autoEffectsPanel();
    QCOMPARE(panel->names()->count(), s.page->transitionList()->count());
    QCOMPARE(panel->CountTickedEffects(), 241);
    s.page->tabs()->setCurrentIndex(Step2Page::kEffectsTab);
    clickButton(s.w.get(), "FlatButtonStep2AutoEffects");
    QVERIFY(panel->isVisible());

    clickWidget(s.w.get(), "LabelAutoEffectsSelectNone");
    QCOMPARE(panel->CountTickedEffects(), 0);
    clickButton(s.w.get(), "RzBmpButtonAutoEffectsApply");
    QCOMPARE(s.env.desktop->messageBoxes, QStringList{s.w->str(74)});
    QVERIFY(panel->isVisible());
    QVERIFY(!s.record(0) && !s.w->projectDirty());

    // Only "kein Effekt" and effect 5 may be drawn.
    panel->names()->item(0)->setCheckState(Qt::Checked);
    panel->names()->item(5)->setCheckState(Qt::Checked);
    std::mt19937 generator(7);
    for (int i = 0; i < 50; ++i)
        QVERIFY(QList<int>({0, 5}).contains(panel->PickAutoEffect(generator)));
    panel->setAllTicked(false);
    panel->names()->item(5)->setCheckState(Qt::Checked);
    panel->targetList()->setCurrentIndex(1); // slides without effect
    panel->durationList()->setCurrentIndex(9);
    clickButton(s.w.get(), "RzBmpButtonAutoEffectsApply");
    QVERIFY(!panel->isVisible());
    QVERIFY(s.w->projectDirty());
    QCOMPARE(s.record(1)->Transition, 17);
    QCOMPARE(s.record(1)->TransitionDuration, 8);
    for (int i : {0, 2}) {
        QCOMPARE(s.record(i)->Transition, 5);
        QCOMPARE(s.record(i)->TransitionDuration, 9);
        QCOMPARE(s.record(i)->Duration, 4);
    }
    // The current slide's settings show the new effect.
    QCOMPARE(s.page->transitionList()->currentRow(), 5);

    panel->setAllTicked(false);
    panel->names()->item(99)->setCheckState(Qt::Checked);
    panel->targetList()->setCurrentIndex(2); // the current slide
    s.select(1);
    panel->showInFront();
    clickButton(s.w.get(), "RzBmpButtonAutoEffectsApply");
    QCOMPARE(s.record(1)->Transition, 99);
    QCOMPARE(s.record(0)->Transition, 5);

    // Leaving step 2 closes an open panel.
    panel->showInFront();
    s.page->hide();
    s.page->show();
    QVERIFY(!panel->isVisible());
}

void Step2PageTest::languageSwitchKeepsTheSlide()
{
    for (bool dirty : {false, true}) {
        Step2Window s({QStringLiteral("a.png"), QStringLiteral("b.mp4"), QStringLiteral("c.png")});
        s.select(1);
        choose(s.page->stretchList(), 0);
        s.page->tabs()->setCurrentIndex(Step2Page::kEffectsTab);
        clickRow(s.page->transitionList(), 33);
        s.page->tabs()->setCurrentIndex(Step2Page::kAudioTab);
        choose(s.page->audioList(), 1);
        s.page->tabs()->setCurrentIndex(Step2Page::kSubtitleTab);
        s.page->subtitleEditor()->edit()->setFocus();
        QTest::keyClicks(s.page->subtitleEditor()->edit(), QStringLiteral("Untertitel"));
        s.page->TimerStep2SubtitleTimer();
        s.page->autoEffectsPanel()->targetList()->setCurrentIndex(2);
        if (!dirty) {
            QVERIFY(s.w->writeProject(s.env.path(QStringLiteral("p.vrj"))));
            QVERIFY(!s.w->projectDirty());
        }
        const QString positions = positionsOf(s.page);
        const TMyImageInfo before = *s.record(1);

        s.w->applyLanguage(QStringLiteral("en"));
        QCOMPARE(s.w->projectDirty(), dirty);
        QCOMPARE(positionsOf(s.page), positions);
        QCOMPARE(s.page->audioList()->currentText(), QStringLiteral("Background music"));
        QCOMPARE(s.page->transitionList()->item(0)->text(), QStringLiteral("no effect"));
        QCOMPARE(s.page->autoEffectsPanel()->names()->item(0)->text(), QStringLiteral("no effect"));
        QCOMPARE(s.page->autoEffectsPanel()->targetList()->currentIndex(), 2);
        QCOMPARE(s.page->counter()->text(), QStringLiteral("Slide 2 of 3"));
        QCOMPARE(s.page->subtitleEditor()->plainText(), QStringLiteral("Untertitel"));
        QCOMPARE(*s.record(1), before);
    }
}

void Step2PageTest::stripSizes()
{
    Step2Window s({QStringLiteral("a.png")});
    s.w->resize(s.w->width(), 900);
    QTRY_VERIFY(!s.page->largeIcon()->isVisible());
    s.page->ImageStep2ImagesLargeClick();
    QVERIFY(!s.page->isLargeStrip());
    QCOMPARE(s.env.settings().imagesOption(), 0);

    s.w->resize(s.w->width(), 1000);
    QTRY_VERIFY(s.page->largeIcon()->isVisible());
    clickWidget(s.w.get(), "ImageStep2ImagesLarge");
    QVERIFY(s.page->isLargeStrip());
    QCOMPARE(s.page->settingsArea()->y(), kLargeStripBottomTop);
    QCOMPARE(s.page->strip()->height(), 400);
    QCOMPARE(s.env.settings().imagesOption(), 1);
    QVERIFY(s.page->largeIcon()->isActive() && !s.page->normalIcon()->isActive());
    const int largeAreaHeight = s.page->settingsArea()->height();

    // Too low a window falls back to the normal strip and keeps the stored choice.
    s.w->resize(s.w->width(), 900);
    QTRY_VERIFY(!s.page->isLargeStrip());
    QCOMPARE(s.page->settingsArea()->y(), kNormalStripBottomTop);
    QCOMPARE(s.page->strip()->height(), 200);
    QCOMPARE(s.env.settings().imagesOption(), 1);
    s.w->resize(s.w->width(), 1000);
    QTRY_COMPARE(s.page->settingsArea()->height(), largeAreaHeight + 200);
    clickWidget(s.w.get(), "ImageStep2ImagesNormal");
    QCOMPARE(s.env.settings().imagesOption(), 0);
    QVERIFY(!s.page->largeIcon()->isActive() && s.page->normalIcon()->isActive());
}

void Step2PageTest::previewStartsFromThePreviousSlide()
{
    Step2Window s({QStringLiteral("a.png"), QStringLiteral("b.png")});
    s.waitForPreview();
    auto record = std::make_unique<TMyImageInfo>();
    record->Subtitle = QStringLiteral("{\\rtf1{\\colortbl;\\red0\\green0\\blue255;}\\fs200\\cf1 XX\\par}");
    s.w->slides().setSettings(1, std::move(record));
    PreviewPlayer* player = s.page->previewPlayer();
    const QSize size = s.page->previewView()->pixelSize();
    for (int slide : {0, 1}) {
        s.select(slide);
        s.waitForPreview();
        s.page->tabs()->setCurrentIndex(Step2Page::kEffectsTab);
        clickRow(s.page->transitionList(), 1); // cross-dissolve
        QSignalSpy frames(player, &PreviewPlayer::frameReady);
        s.waitForPreview();
        QVERIFY(frames.count() >= 3);
        const QImage first = frames.first().at(0).value<QImage>();
        const QImage last = frames.last().at(0).value<QImage>();
        QCOMPARE(first.size(), size);
        const QPoint centre(size.width() / 2, size.height() / 2);
        QCOMPARE(first.pixelColor(centre), slide == 0 ? QColor(Qt::black) : QColor(Qt::red));
        QCOMPARE(last.pixelColor(centre), slide == 0 ? QColor(Qt::red) : QColor(Qt::green));
        // The subtitle is drawn on the still picture that ends the play, not before.
        const auto hasBlue = [](const QImage& image) {
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    if (image.pixelColor(x, y).blue() > 200 && image.pixelColor(x, y).red() < 60)
                        return true;
            return false;
        };
        QCOMPARE(hasBlue(last), slide == 1);
        QVERIFY(!hasBlue(frames.at(frames.count() - 2).at(0).value<QImage>()));
    }
}

void Step2PageTest::draggingTheSliderPlaysOnceOnRelease()
{
    Step2Window s({QStringLiteral("a.png"), QStringLiteral("b.png"), QStringLiteral("c.png"),
                   QStringLiteral("d.png")});
    s.waitForPreview();
    QSignalSpy preparing(s.page->previewPlayer(), &PreviewPlayer::preparing);
    QScrollBar* bar = s.page->strip()->scrollBar();
    bar->setSliderDown(true);
    for (int i = 1; i <= 3; ++i)
        bar->setValue(i);
    QCOMPARE(s.page->strip()->currentIndex(), 3);
    QCOMPARE(s.page->counter()->text(), QStringLiteral("Slide 4 von 4"));
    QCOMPARE(preparing.count(), 0);
    bar->setSliderDown(false);
    QCOMPARE(preparing.count(), 1);
    // A plain selection plays at once.
    s.select(1);
    QCOMPARE(preparing.count(), 2);
}

// In the window's first size and in both languages, no control of a tab lies on another
// and no label is cut short.
void Step2PageTest::tabControlsDoNotOverlap()
{
    Step2Window s({QStringLiteral("a.png"), QStringLiteral("Clip.MP4")});
    s.select(1);
    QTabWidget* tabs = s.page->tabs();
    for (const QString& language : {QStringLiteral("de"), QStringLiteral("en")}) {
        s.w->applyLanguage(language);
        for (int tab = 0; tab < tabs->count(); ++tab) {
            tabs->setCurrentIndex(tab);
            QWidget* page = tabs->widget(tab);
            QCoreApplication::processEvents();
            QList<QWidget*> controls;
            for (QWidget* child : page->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
                if (child->isVisibleTo(page))
                    controls << child;
            }
            QVERIFY(!controls.isEmpty());
            for (qsizetype i = 0; i < controls.size(); ++i) {
                const QString where = language + u' ' + controls[i]->objectName();
                QVERIFY2(page->rect().contains(controls[i]->geometry()), qPrintable(where));
                if (auto* label = qobject_cast<QLabel*>(controls[i]))
                    QVERIFY2(label->width() >= label->sizeHint().width(), qPrintable(where));
                for (qsizetype j = i + 1; j < controls.size(); ++j)
                    QVERIFY2(!controls[i]->geometry().intersects(controls[j]->geometry()),
                             qPrintable(where + u' ' + controls[j]->objectName()));
            }
        }
    }
}

static const bool registered = registerTest<Step2PageTest>("Step2PageTest");

} // namespace vistarel::app::test

#include "step2page_test.moc"
