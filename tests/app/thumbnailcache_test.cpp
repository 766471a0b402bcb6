// The background thumbnails: what they look like for each kind of file, the bound of the
// cache and dropping requests that are no longer wanted.
#include "app/thumbnailcache.h"
#include "render/tools/toolrunner.h"
#include "testsupport.h"

#include <QBuffer>
#include <QDir>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>

namespace vistarel::app::test {

namespace {

const QSize kBox{120, 84};

QByteArray jpegOf(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG", 90);
    return bytes;
}

// The JPEG with an EXIF block that holds only the orientation tag, right after SOI.
QByteArray withOrientation(const QByteArray& jpeg, quint8 orientation)
{
    const char exif[] = {'\xFF',
                         '\xE1',
                         0,
                         34,
                         'E',
                         'x',
                         'i',
                         'f',
                         0,
                         0,
                         'I',
                         'I',
                         42,
                         0,
                         8,
                         0,
                         0,
                         0,
                         1,
                         0,
                         0x12,
                         0x01,
                         3,
                         0,
                         1,
                         0,
                         0,
                         0,
                         char(orientation),
                         0,
                         0,
                         0,
                         0,
                         0,
                         0,
                         0};
    return jpeg.left(2) + QByteArray(exif, sizeof exif) + jpeg.mid(2);
}

// Left half red, right half blue.
QImage halves(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::blue);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w / 2; ++x)
            image.setPixelColor(x, y, Qt::red);
    }
    return image;
}

bool makeClip(const QString& path)
{
    QProcess ffmpeg;
    ffmpeg.start(render::GetFFmpegPath(),
                 {QStringLiteral("-loglevel"), QStringLiteral("error"), QStringLiteral("-y"),
                  QStringLiteral("-f"), QStringLiteral("lavfi"), QStringLiteral("-i"),
                  QStringLiteral("color=c=green:s=320x180:d=1:r=25"), QStringLiteral("-pix_fmt"),
                  QStringLiteral("yuv420p"), path});
    return ffmpeg.waitForFinished(60000) && ffmpeg.exitCode() == 0;
}

bool isNear(const QColor& a, const QColor& b)
{
    return std::abs(a.red() - b.red()) < 40 && std::abs(a.green() - b.green()) < 40 &&
           std::abs(a.blue() - b.blue()) < 40;
}

} // namespace

class ThumbnailCacheTest : public QObject
{
    Q_OBJECT

private slots:
    void eachKindOfFile_data();
    void eachKindOfFile();
    void cacheStaysWithinItsBytes();
    void cancelledRequestsAreDropped();
};

void ThumbnailCacheTest::eachKindOfFile_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("content"); // empty: made by the test itself
    QTest::addColumn<QSize>("expected");     // empty: the file fails
    QTest::addColumn<QColor>("topLeft");

    const QByteArray landscape = jpegOf(halves(800, 400));
    QTest::newRow("photo") << QStringLiteral("wide.jpg") << landscape << QSize(120, 60)
                           << QColor(Qt::red);
    // Turned a quarter clockwise when shown: the red half ends up on top.
    QTest::newRow("photo with orientation")
        << QStringLiteral("turned.jpg") << withOrientation(landscape, 6) << QSize(42, 84)
        << QColor(Qt::red);
    QByteArray small;
    QBuffer buffer(&small);
    buffer.open(QIODevice::WriteOnly);
    halves(60, 30).save(&buffer, "PNG");
    QTest::newRow("small picture is not enlarged")
        << QStringLiteral("small.png") << small << QSize(60, 30) << QColor(Qt::red);
    QTest::newRow("clip") << QStringLiteral("clip.mp4") << QByteArray() << QSize(120, 68)
                          << QColor(0, 128, 0);
    QTest::newRow("broken picture")
        << QStringLiteral("broken.jpg") << QByteArray("no picture") << QSize() << QColor();
    QTest::newRow("missing file") << QStringLiteral("missing.jpg") << QByteArray() << QSize()
                                  << QColor();
}

void ThumbnailCacheTest::eachKindOfFile()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    QFETCH(QSize, expected);
    QFETCH(QColor, topLeft);

    WindowEnvironment env;
    const QString file = env.path(name);
    if (!content.isEmpty())
        writeFile(file, content);
    else if (name.endsWith(u".mp4"))
        QVERIFY(makeClip(file));

    ThumbnailCache cache(env.appDataDir, 1 << 20);
    QSignalSpy ready(&cache, &ThumbnailCache::thumbnailReady);
    QSignalSpy failed(&cache, &ThumbnailCache::thumbnailFailed);
    // Never made on the spot.
    QVERIFY(cache.thumbnail(file, kBox).isNull());
    QCOMPARE(cache.state(file, kBox), ThumbnailCache::State::Pending);
    QTRY_COMPARE_WITH_TIMEOUT(ready.size() + failed.size(), 1, 30000);

    if (expected.isEmpty()) {
        QCOMPARE(failed.size(), 1);
        QCOMPARE(cache.state(file, kBox), ThumbnailCache::State::Failed);
        // A failed file is not tried again.
        QVERIFY(cache.thumbnail(file, kBox).isNull());
        QCOMPARE(cache.pendingCount(), 0);
        QCOMPARE(cache.state(file, kBox), ThumbnailCache::State::Failed);
        return;
    }
    QCOMPARE(ready.first().at(0).toString(), file);
    QCOMPARE(ready.first().at(1).toSize(), kBox);
    const QImage thumbnail = cache.thumbnail(file, kBox);
    QCOMPARE(thumbnail.size(), expected);
    QCOMPARE(thumbnail.format(), QImage::Format_RGB32);
    QVERIFY2(isNear(thumbnail.pixelColor(2, 2), topLeft),
             qPrintable(thumbnail.pixelColor(2, 2).name()));
    if (name.endsWith(u".mp4"))
        QCOMPARE(QDir(env.appDataDir + QStringLiteral("cache")).entryList(QDir::Files).size(), 1);
}

void ThumbnailCacheTest::cacheStaysWithinItsBytes()
{
    WindowEnvironment env;
    const qint64 oneThumbnail = 120 * 60 * 4;
    ThumbnailCache cache(env.appDataDir, 3 * oneThumbnail + oneThumbnail / 2);
    QSignalSpy ready(&cache, &ThumbnailCache::thumbnailReady);
    QStringList files;
    for (int i = 0; i < 5; ++i) {
        files << env.path(QStringLiteral("p%1.jpg").arg(i));
        writeFile(files.last(), jpegOf(halves(400, 200)));
        cache.thumbnail(files.last(), kBox);
    }
    QTRY_COMPARE(ready.size(), 5);
    QVERIFY(cache.cachedBytes() <= cache.maxBytes());
    int kept = 0;
    for (const QString& file : files)
        kept += cache.state(file, kBox) == ThumbnailCache::State::Ready ? 1 : 0;
    QCOMPARE(kept, 3);
    // Another box is another thumbnail.
    QCOMPARE(cache.state(files.first(), QSize(340, 240)), ThumbnailCache::State::Missing);
}

void ThumbnailCacheTest::cancelledRequestsAreDropped()
{
    WindowEnvironment env;
    QStringList files;
    const QByteArray photo = jpegOf(halves(1600, 1200));
    for (int i = 0; i < 40; ++i) {
        files << env.path(QStringLiteral("p%1.jpg").arg(i));
        writeFile(files.last(), photo);
    }
    {
        ThumbnailCache cache(env.appDataDir, 64 << 20);
        QSignalSpy ready(&cache, &ThumbnailCache::thumbnailReady);
        for (const QString& file : files)
            cache.thumbnail(file, kBox);
        cache.cancelPending();
        QCOMPARE(cache.pendingCount(), 0);
        // What the workers had started still arrives; nothing else does.
        QTest::qWait(500);
        QVERIFY2(ready.size() < files.size(), qPrintable(QString::number(ready.size())));
        int missing = 0;
        for (const QString& file : files) {
            const ThumbnailCache::State state = cache.state(file, kBox);
            QVERIFY(state != ThumbnailCache::State::Pending);
            missing += state == ThumbnailCache::State::Missing ? 1 : 0;
        }
        QCOMPARE(missing, files.size() - ready.size());
        // A dropped file can be asked for again.
        const QString again = files.last();
        if (cache.state(again, kBox) == ThumbnailCache::State::Missing) {
            cache.thumbnail(again, kBox);
            QTRY_COMPARE(cache.state(again, kBox), ThumbnailCache::State::Ready);
        }
    }
    // A cache that goes while its workers are busy waits for them and delivers nothing.
    auto cache = std::make_unique<ThumbnailCache>(env.appDataDir, 64 << 20);
    int delivered = 0;
    connect(cache.get(), &ThumbnailCache::thumbnailReady, this, [&delivered] { ++delivered; });
    for (const QString& file : files)
        cache->thumbnail(file, QSize(200, 150));
    cache.reset();
    QTest::qWait(200);
    QCOMPARE(delivered, 0);
}

static const bool registered = registerTest<ThumbnailCacheTest>("ThumbnailCacheTest");

} // namespace vistarel::app::test

#include "thumbnailcache_test.moc"
