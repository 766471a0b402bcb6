// The start panel: recent list order, dates and hints, drawing, opening from it and the
// "do not show" switch.
#include "app/formmain.h"
#include "app/recentlist.h"
#include "app/startpanel.h"
#include "app/step3page.h"
#include "app/style.h"
#include "testsupport.h"

#include <QDir>
#include <QLabel>
#include <QTest>

namespace vistarel::app::test {

namespace {

// Sends a mouse move with no button held to the list's viewport.
void hover(RecentList* list, QPoint pos)
{
    QMouseEvent move(QEvent::MouseMove, pos, list->viewport()->mapToGlobal(pos), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(list->viewport(), &move);
}

QPoint rowCentre(RecentList* list, int row)
{
    return list->visualItemRect(list->item(row)).center();
}

} // namespace

class StartPanelTest : public QObject
{
    Q_OBJECT

private slots:
    void recentListOrderDatesAndHints();
    void rowsAreDrawnAsDesigned();
    void clickingARecentProjectOpensIt();
    void bigButtons();
    void switchKeepsThePanelAwayAtTheNextStart();
};

void StartPanelTest::recentListOrderDatesAndHints()
{
    WindowEnvironment env;
    const QString a = env.path(QStringLiteral("one/holiday.vrj"));
    const QString b = env.path(QStringLiteral("two/HOLIDAY.vrj"));
    const QString c = env.path(QStringLiteral("two/garden.vrj"));
    const QString gone = env.path(QStringLiteral("three/lost.vrj"));
    for (const QString& f : {a, b, c})
        writeFile(f);
    {
        project::Settings s = env.settings();
        s.setText(project::settingname::recent(1), a);
        s.setText(project::settingname::recent(2), gone);
        s.setText(project::settingname::recent(3), b);
        s.setText(project::settingname::recent(4), c);
    }
    auto w = env.showWindow();
    QVERIFY(w->startPanel()->isVisible());
    RecentList* list = w->startPanel()->recentList();
    QCOMPARE(list->count(), 3);
    QCOMPARE(list->item(0)->text(), QStringLiteral("holiday.vrj"));
    QCOMPARE(list->item(1)->text(), QStringLiteral("HOLIDAY.vrj"));
    QCOMPARE(list->item(2)->text(), QStringLiteral("garden.vrj"));
    QCOMPARE(list->recentFiles(), (QStringList{a, b, c}));
    QCOMPARE(list->recentDates().size(), 3);
    for (const QString& date : list->recentDates())
        QVERIFY2(date.contains(QStringLiteral(", ")), qPrintable(date));
    // The missing project is not shown but stays stored.
    QCOMPARE(env.settings().text(project::settingname::recent(2)).value_or(QString()), gone);

    hover(list, rowCentre(list, 0));
    QCOMPARE(list->selectedRow(), 0);
    QCOMPARE(list->hint(), QDir::toNativeSeparators(env.path(QStringLiteral("one"))));
    hover(list, rowCentre(list, 1));
    QCOMPARE(list->selectedRow(), 1);
    QCOMPARE(list->hint(), QDir::toNativeSeparators(env.path(QStringLiteral("two"))));
    hover(list, rowCentre(list, 2));
    QCOMPARE(list->selectedRow(), 2);
    QCOMPARE(list->hint(), QString());
    hover(list, QPoint(10, 3 * RecentList::kRowHeight + 1));
    QCOMPARE(list->selectedRow(), -1);
    QCOMPARE(list->hint(), QString());
}

void StartPanelTest::rowsAreDrawnAsDesigned()
{
    WindowEnvironment env;
    for (int i = 1; i <= 2; ++i) {
        const QString f = env.path(QStringLiteral("p%1.vrj").arg(i));
        writeFile(f);
        env.settings().setText(project::settingname::recent(i), f);
    }
    auto w = env.showWindow();
    RecentList* list = w->startPanel()->recentList();
    hover(list, rowCentre(list, 1));
    const QImage image = list->viewport()->grab().toImage();
    const int h = RecentList::kRowHeight;
    const int x = list->viewport()->width() / 2;
    QCOMPARE(image.pixelColor(x, 0), colour::kRowLine);         // line above the first row
    QCOMPARE(image.pixelColor(x, h / 2), colour::kRow);         // unselected row
    QCOMPARE(image.pixelColor(x, h - 1), colour::kRowLine);     // line under each row
    QCOMPARE(image.pixelColor(3, h + h / 2), colour::kAccent);  // the selected row
    QCOMPARE(image.pixelColor(x, 2 * h - 1), colour::kRowLine);
}

void StartPanelTest::clickingARecentProjectOpensIt()
{
    WindowEnvironment env;
    const QString media = env.path(QStringLiteral("m/pic.jpg"));
    writeFile(media);
    const QString file = env.path(QStringLiteral("p/show.vrj"));
    writeFile(file, "[Image0]\r\nFilename=" + media.toUtf8() + "\r\n");
    const QString other = env.path(QStringLiteral("p/other.vrj"));
    writeFile(other);
    env.settings().setText(project::settingname::recent(1), other);
    env.settings().setText(project::settingname::recent(2), file);
    auto w = env.showWindow();
    RecentList* list = w->startPanel()->recentList();
    const QPoint pos = rowCentre(list, 1);
    hover(list, pos);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, pos);
    QVERIFY(!w->startPanel()->isVisible());
    QCOMPARE(w->slides().fileNames(), QStringList{media});
    QCOMPARE(env.settings().text(project::settingname::recent(1)).value_or(QString()), file);
    QCOMPARE(env.settings().text(project::settingname::recent(2)).value_or(QString()), other);
}

void StartPanelTest::bigButtons()
{
    WindowEnvironment env;
    auto w = env.showWindow();
    clickButton(w.get(), "MyImgButtonStartNew");
    QVERIFY(!w->startPanel()->isVisible());

    auto w2 = env.showWindow();
    env.desktop->fileAnswers = {{}};
    clickButton(w2.get(), "MyImgButtonStartOpen");
    QVERIFY(w2->startPanel()->isVisible()); // nothing chosen: the panel stays
    const QString file = env.path(QStringLiteral("empty.vrj"));
    writeFile(file, "[Settings]\r\n");
    env.desktop->fileAnswers = {{file}};
    clickButton(w2.get(), "MyImgButtonStartOpen");
    QVERIFY(!w2->startPanel()->isVisible());
    QCOMPARE(w2->step3()->jobFile(), file);
    clickButton(w2.get(), "RzBmpButtonStartClose");
    QVERIFY(!w2->startPanel()->isVisible());
}

void StartPanelTest::switchKeepsThePanelAwayAtTheNextStart()
{
    WindowEnvironment env;
    {
        auto w = env.showWindow();
        auto* text = w->findChild<QLabel*>(QStringLiteral("LabelStartNoShow"));
        QTest::mouseClick(text, Qt::LeftButton);
        QVERIFY(w->startPanel()->startNoShow());
        QCOMPARE(env.settings().integer(project::settingname::ShowStartPanel), std::optional<int>(0));
    }
    {
        auto w = env.showWindow();
        QVERIFY(!w->startPanel()->isVisible());
        w->startPanel()->showInFront();
        auto* box = w->findChild<QWidget*>(QStringLiteral("LabelStartNoShowBox"));
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(10, 10));
        QVERIFY(!w->startPanel()->startNoShow());
        QCOMPARE(env.settings().integer(project::settingname::ShowStartPanel), std::optional<int>(1));
    }
    auto w = env.showWindow();
    QVERIFY(w->startPanel()->isVisible());
}

static const bool registered = registerTest<StartPanelTest>("StartPanelTest");

} // namespace vistarel::app::test

#include "startpanel_test.moc"
