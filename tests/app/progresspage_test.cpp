// The progress page: the ring's drawing and the texts that follow the language.
#include "app/progresspage.h"
#include "app/progressring.h"
#include "testsupport.h"

#include <QImage>
#include <QTest>

#include <cmath>

namespace vistarel::app::test {

namespace {

// The colour on the ring's middle line at a clock angle (degrees clockwise from twelve).
QColor ringColourAt(const QImage& image, double degrees)
{
    const double side = std::min(image.width(), image.height()) - ProgressRing::kArcWidth;
    const double radius = side / 2;
    const double a = degrees * M_PI / 180;
    const int x = int(std::lround(image.width() / 2.0 + radius * std::sin(a)));
    const int y = int(std::lround(image.height() / 2.0 - radius * std::cos(a)));
    return image.pixelColor(x, y);
}

bool near(const QColor& a, const QColor& b)
{
    return std::abs(a.red() - b.red()) <= 6 && std::abs(a.green() - b.green()) <= 6 &&
           std::abs(a.blue() - b.blue()) <= 6;
}

} // namespace

class ProgressPageTest : public QObject
{
    Q_OBJECT

private slots:
    void ringDrawsClockwiseFromTwelve_data();
    void ringDrawsClockwiseFromTwelve();
    void textsFollowTheLanguage();
};

void ProgressPageTest::ringDrawsClockwiseFromTwelve_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("shown");
    QTest::newRow("0") << 0 << 0;
    QTest::newRow("25") << 25 << 25;
    QTest::newRow("60") << 60 << 60;
    QTest::newRow("100") << 100 << 100;
    QTest::newRow("above 100") << 140 << 100;
    QTest::newRow("below 0") << -3 << 0;
}

void ProgressPageTest::ringDrawsClockwiseFromTwelve()
{
    QFETCH(int, value);
    QFETCH(int, shown);
    QWidget parent;
    parent.setStyleSheet(QStringLiteral("background: #323232;"));
    auto* ring = new ProgressRing(&parent);
    ring->setGeometry(0, 0, 200, 160);
    ring->setValue(value);
    QCOMPARE(ring->value(), shown);
    QCOMPARE(ring->valueText(), QString::number(shown) + u'%');
    const QImage image = ring->grab().toImage();
    // Sample the ring every 10 degrees, away from the arc's ends.
    for (int degrees = 5; degrees < 360; degrees += 10) {
        if (std::abs(degrees - shown * 3.6) < 4)
            continue;
        const bool onArc = degrees < shown * 3.6;
        const QColor expected = onArc ? ProgressRing::kArcColour : ProgressRing::kRingColour;
        QVERIFY2(near(ringColourAt(image, degrees), expected),
                 qPrintable(QStringLiteral("at %1 degrees").arg(degrees)));
    }
    // The percentage is written in white in the centre.
    bool white = false;
    for (int x = 70; x < 130 && !white; ++x) {
        for (int y = 65; y < 95 && !white; ++y)
            white = image.pixelColor(x, y) == QColor(Qt::white);
    }
    QVERIFY(white);
}

void ProgressPageTest::textsFollowTheLanguage()
{
    WindowEnvironment env;
    env.settings().setText(project::settingname::Language, QStringLiteral("de"));
    auto w = env.showWindow();
    ProgressPage* page = w->progressPage();
    QCOMPARE(page->stateText(), QString());
    page->setStateMessage(60);
    page->setButtonMessage(11);
    QCOMPARE(page->stateText(), w->str(60));
    QCOMPARE(page->buttonText(), w->str(11));
    const QString german = w->str(60);
    w->applyLanguage(QStringLiteral("en"));
    QVERIFY(w->str(60) != german);
    QCOMPARE(page->stateText(), w->str(60));
    QCOMPARE(page->buttonText(), w->str(11));
    page->setStateMessage(0);
    page->setButtonMessage(56);
    QCOMPARE(page->stateText(), QString());
    QCOMPARE(page->buttonText(), w->str(56));
}

static const bool registered = registerTest<ProgressPageTest>("ProgressPageTest");

} // namespace vistarel::app::test

#include "progresspage_test.moc"
