// The wizard's moves between the pages, with an empty and a filled slide list, and the
// copy of the slide list into the step-2 strip.
#include "app/coverflowstrip.h"
#include "app/navigator.h"
#include "app/progresspage.h"
#include "app/slidestrip.h"
#include "app/step1page.h"
#include "app/step2page.h"
#include "app/step2strip.h"
#include "app/step3page.h"
#include "app/stepcontrol.h"
#include "project/settings.h"
#include "testsupport.h"

#include <QDir>
#include <QTest>

namespace vistarel::app::test {

namespace {

// The moves a user can make, each from the page it starts on.
enum class Move {
    Next1,  // "Weiter" on step 1
    Back2,  // "Zurück" on step 2
    Next2,  // "Weiter" on step 2
    Back3,  // "Zurück" on step 3
    Click0, // a click on the first step of the step control
    Click1,
    Click2,
};

void clickStep(StepControl* control, int step)
{
    const int w = control->width() / StepControl::kStepCount;
    QTest::mouseClick(control, Qt::LeftButton, {}, QPoint(w * step + w / 2, control->height() / 2));
}

void run(TFormMain& w, Move move)
{
    Navigator* n = w.navigator();
    switch (move) {
    case Move::Next1:
        clickButton(&w, "RzBmpButtonStep1Next");
        break;
    case Move::Back2:
        n->RzBmpButtonStep2BackClick();
        break;
    case Move::Next2:
        n->RzBmpButtonStep2NextClick();
        break;
    case Move::Back3:
        n->RzBmpButtonStep3BackClick();
        break;
    case Move::Click0:
    case Move::Click1:
    case Move::Click2:
        clickStep(w.stepControl(), int(move) - int(Move::Click0));
        break;
    }
}

// Brings the window onto a page the way a user does (the list must not be empty for
// steps 2 and 3).
void goTo(TFormMain& w, WizardPage page)
{
    if (page == WizardPage::Step1)
        return;
    w.navigator()->RzBmpButtonStep1NextClick();
    if (page == WizardPage::Step3)
        w.navigator()->RzBmpButtonStep2NextClick();
}

WizardPage visiblePage(TFormMain& w)
{
    const std::pair<QWidget*, WizardPage> pages[] = {{w.step1(), WizardPage::Step1},
                                                     {w.step2(), WizardPage::Step2},
                                                     {w.step3(), WizardPage::Step3},
                                                     {w.progressPage(), WizardPage::Progress}};
    int visible = 0;
    WizardPage shown = WizardPage::Step1;
    for (const auto& [widget, page] : pages) {
        if (widget->isVisible()) {
            ++visible;
            shown = page;
        }
    }
    if (visible != 1)
        qWarning("%d pages are visible", visible);
    return shown;
}

QString dialogsOf(const ScriptedDesktop& desktop)
{
    QStringList shown;
    for (const auto& call : desktop.taskDialogs)
        shown << call.text.instruction + u'|' + call.text.content + u'|' + call.text.footer;
    return shown.join(u'\n');
}

QString messages(const TFormMain& w, int first)
{
    return w.str(first) + u'|' + w.str(first + 1) + u'|' + w.str(first + 2);
}

} // namespace

class NavigationTest : public QObject
{
    Q_OBJECT

private slots:
    void moves_data();
    void moves();
    void backFromStep3RefillsStep2AndStartsAtTheFirstSlide();
    void step2StripKeepsPicturesOfVanishedFiles();
};

void NavigationTest::moves_data()
{
    QTest::addColumn<int>("slides");
    QTest::addColumn<WizardPage>("from");
    QTest::addColumn<Move>("move");
    QTest::addColumn<WizardPage>("to");
    QTest::addColumn<int>("step");
    QTest::addColumn<int>("dialog"); // first message id shown, 0: none
    QTest::addColumn<int>("step2Items");

    using P = WizardPage;
    QTest::newRow("Weiter on 1, empty") << 0 << P::Step1 << Move::Next1 << P::Step1 << 0 << 44 << 0;
    QTest::newRow("Weiter on 1") << 3 << P::Step1 << Move::Next1 << P::Step2 << 1 << 0 << 3;
    QTest::newRow("control 2 on 1, empty")
        << 0 << P::Step1 << Move::Click1 << P::Step1 << 0 << 41 << 0;
    QTest::newRow("control 3 on 1, empty")
        << 0 << P::Step1 << Move::Click2 << P::Step1 << 0 << 41 << 0;
    QTest::newRow("control 2 on 1") << 3 << P::Step1 << Move::Click1 << P::Step2 << 1 << 0 << 3;
    // The step-2 strip is not filled on the way to step 3.
    QTest::newRow("control 3 on 1") << 3 << P::Step1 << Move::Click2 << P::Step3 << 2 << 0 << 0;
    QTest::newRow("control 1 on 1") << 3 << P::Step1 << Move::Click0 << P::Step1 << 0 << 0 << 0;
    QTest::newRow("Zurück on 2") << 3 << P::Step2 << Move::Back2 << P::Step1 << 0 << 0 << 3;
    QTest::newRow("Weiter on 2") << 3 << P::Step2 << Move::Next2 << P::Step3 << 2 << 0 << 3;
    QTest::newRow("control 1 on 2") << 3 << P::Step2 << Move::Click0 << P::Step1 << 0 << 0 << 3;
    QTest::newRow("control 3 on 2") << 3 << P::Step2 << Move::Click2 << P::Step3 << 2 << 0 << 3;
    QTest::newRow("Zurück on 3") << 3 << P::Step3 << Move::Back3 << P::Step2 << 1 << 0 << 3;
    QTest::newRow("control 2 on 3") << 3 << P::Step3 << Move::Click1 << P::Step2 << 1 << 0 << 3;
    QTest::newRow("control 1 on 3") << 3 << P::Step3 << Move::Click0 << P::Step1 << 0 << 0 << 3;
}

void NavigationTest::moves()
{
    QFETCH(int, slides);
    QFETCH(WizardPage, from);
    QFETCH(Move, move);
    QFETCH(WizardPage, to);
    QFETCH(int, step);
    QFETCH(int, dialog);
    QFETCH(int, step2Items);

    WindowEnvironment env;
    env.settings().setInteger(project::settingname::ShowStartPanel, 0);
    auto w = env.showWindow();
    for (int i = 0; i < slides; ++i) {
        const QString file = env.path(QStringLiteral("media/%1.jpg").arg(i));
        writeFile(file);
        w->slides().appendFile(file);
    }
    goTo(*w, from);
    QCOMPARE(visiblePage(*w), from);
    QCOMPARE(w->stepControl()->activeStep(), int(from));
    env.desktop->taskDialogs.clear();

    run(*w, move);
    QCOMPARE(visiblePage(*w), to);
    QCOMPARE(w->navigator()->currentPage(), to);
    QCOMPARE(w->stepControl()->activeStep(), step);
    QCOMPARE(dialogsOf(*env.desktop), dialog ? messages(*w, dialog) : QString());
    QCOMPARE(w->step2()->strip()->count(), step2Items);
    if (to == WizardPage::Step2)
        QCOMPARE(w->step2()->currentSlide(), 0);
    QVERIFY(!w->projectDirty());
}

void NavigationTest::backFromStep3RefillsStep2AndStartsAtTheFirstSlide()
{
    WindowEnvironment env;
    env.settings().setInteger(project::settingname::ShowStartPanel, 0);
    auto w = env.showWindow();
    QStringList files;
    for (int i = 0; i < 5; ++i) {
        files << env.path(QStringLiteral("media/%1.jpg").arg(i));
        writeFile(files.last());
        w->slides().appendFile(files.last());
    }
    Navigator* n = w->navigator();
    n->RzBmpButtonStep1NextClick();
    w->step2()->strip()->setCurrentIndex(3);
    n->RzBmpButtonStep2NextClick();
    // While step 3 is shown the list changes (a project is loaded, say).
    w->slides().deleteSelection({0, 1});
    n->RzBmpButtonStep3BackClick();

    QCOMPARE(visiblePage(*w), WizardPage::Step2);
    QCOMPARE(w->step2()->currentSlide(), 0);
    CoverFlowStrip* strip = w->step2()->strip();
    QCOMPARE(strip->count(), 3);
    for (int i = 0; i < 3; ++i)
        QCOMPARE(strip->fileName(i), files[i + 2]);
}

void NavigationTest::step2StripKeepsPicturesOfVanishedFiles()
{
    WindowEnvironment env;
    env.settings().setInteger(project::settingname::ShowStartPanel, 0);
    auto w = env.showWindow();
    QStringList files;
    for (const char* name : {"a", "b"}) {
        files << env.path(QStringLiteral("media/%1.png").arg(QLatin1String(name)));
        QImage picture(80, 60, QImage::Format_RGB32);
        picture.fill(Qt::darkGreen);
        QDir().mkpath(QFileInfo(files.last()).absolutePath());
        QVERIFY(picture.save(files.last()));
        w->slides().appendFile(files.last());
    }
    // A slide whose file was gone before the strip could show it.
    files << env.path(QStringLiteral("media/never.png"));
    w->slides().appendFile(files.last());
    w->step1()->slideStrip()->viewport()->repaint();
    QTRY_VERIFY(!w->step1()->stripPicture(files[1]).isNull());
    QFile::remove(files[1]);

    w->navigator()->FillStep2Strip();
    CoverFlowStrip* strip = w->step2()->strip();
    QCOMPARE(strip->count(), 3);
    QCOMPARE(strip->fileName(0), files[0]);
    QCOMPARE(strip->fileName(1), files[1]);
    // The vanished file shows the step-1 strip's picture at once; the one never shown
    // there has none.
    QVERIFY(strip->hasThumbnail(1));
    QVERIFY(!strip->hasThumbnail(2));
    // An existing file's picture is made in the background when the strip asks for it.
    w->navigator()->RzBmpButtonStep1NextClick();
    QTRY_VERIFY(strip->hasThumbnail(0));
}

static const bool registered = registerTest<NavigationTest>("NavigationTest");

} // namespace vistarel::app::test

#include "navigation_test.moc"
