// Step 2: showing and storing slide settings, the changed flag, clip and picture
// controls, the apply-to-all and automatic effects panels, the strip sizes, the language
// switch and the preview's pictures.
#include "app/autoeffectspanel.h"
#include "app/coverflowstrip.h"
#include "app/formmain.h"
#include "app/previewplayer.h"
#include "app/previewview.h"
#include "app/questionpanel.h"
#include "app/step2art.h"
#include "app/step2page.h"
#include "app/subtitleeditor.h"
#include "app/widgets.h"
#include "step2support.h"
#include "testsupport.h"

#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>

namespace vistarel::app::test {

using project::TMyImageInfo;

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
    QVERIFY(s.page->largeIcon()->showsActive() && !s.page->normalIcon()->showsActive());
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
    QVERIFY(!s.page->largeIcon()->showsActive() && s.page->normalIcon()->showsActive());
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
