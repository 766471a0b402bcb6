#include "dngfixture.h"

#include "project/mediakind.h"
#include "render/picture/compose.h"
#include "render/picture/decoders.h"
#include "render/picture/pictureloader.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <map>
#include <memory>

using namespace vistarel;
using render::FitHint;
using render::PictureDecoder;

namespace {

const QRgb kRed = qRgb(255, 0, 0);
const QRgb kBlue = qRgb(0, 0, 255);

// The picture every format fixture holds: red on the left, blue on the right, 64 x 48.
QImage halves(int w, int h, QRgb left, QRgb right)
{
    QImage image(w, h, QImage::Format_RGB888);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, x < w / 2 ? left : right);
    return image;
}

// Four quadrants of distinct colours, to tell every orientation apart.
const QRgb kQuadrants[4] = {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255),
                            qRgb(255, 255, 255)}; // top-left, top-right, bottom-left, bottom-right
QImage quadrants(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB888);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, kQuadrants[(y < h / 2 ? 0 : 2) + (x < w / 2 ? 0 : 1)]);
    return image;
}

bool near(QRgb a, QRgb b, int tolerance)
{
    return std::abs(qRed(a) - qRed(b)) <= tolerance &&
           std::abs(qGreen(a) - qGreen(b)) <= tolerance &&
           std::abs(qBlue(a) - qBlue(b)) <= tolerance;
}

QString describe(QRgb c)
{
    return u"(%1,%2,%3)"_qs.arg(qRed(c)).arg(qGreen(c)).arg(qBlue(c));
}

// A JPEG with an EXIF block holding only the orientation tag.
QByteArray jpegWithOrientation(const QImage& picture, int orientation)
{
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "JPEG", 95);
    QByteArray exif("Exif\0\0MM\0\x2a\0\0\0\x08\0\x01\x01\x12\0\x03\0\0\0\x01", 24);
    exif += char(0);
    exif += char(orientation);
    exif += QByteArray(6, '\0'); // value padding, then no next IFD
    QByteArray segment("\xff\xe1", 2);
    segment += char((exif.size() + 2) >> 8);
    segment += char((exif.size() + 2) & 0xff);
    return jpeg.left(2) + segment + exif + jpeg.mid(2);
}

bool writeFile(const QString& path, const QByteArray& data)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(data) == data.size();
}

// Runs a fixture tool; the setup script installs them all.
bool run(const QString& tool, const QStringList& arguments)
{
    const QString program = QStandardPaths::findExecutable(tool);
    if (program.isEmpty()) {
        ADD_FAILURE() << tool.toStdString() << " is missing: run ./setup";
        return false;
    }
    QProcess process;
    process.start(program, arguments);
    const bool ok = process.waitForFinished(60000) &&
                    process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    if (!ok)
        ADD_FAILURE() << tool.toStdString() << " " << arguments.join(u' ').toStdString() << ": "
                      << process.readAllStandardError().toStdString();
    return ok;
}

class PictureLoader : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_dir = std::make_unique<QTemporaryDir>();
        s_messages = std::make_unique<lang::MessageList>();
        s_messages->load(lang::LanguageFile::fromText(
            u"[FormMain]\nStr23=Cannot use\nStr24=Not readable:\nStr26=Check it\n"_qs));
        makeFormatFixtures();
    }
    static void TearDownTestSuite() { s_dir.reset(); }

    static QString path(const QString& name) { return s_dir->filePath(name); }

    static void makeFormatFixtures()
    {
        const QString reference = path(u"reference.png"_qs);
        halves(64, 48, kRed, kBlue).save(reference);
        // ImageMagick writes most formats; PSD uncompressed, as the encoder's reader
        // handles that layout.
        for (const char* ext :
             {"png", "jpg", "bmp", "gif", "tif", "webp", "tga", "ico", "pcx", "jp2", "j2k"})
            run(u"convert"_qs, {reference, path(u"picture."_qs + QString::fromLatin1(ext))});
        run(u"convert"_qs, {reference, u"-compress"_qs, u"none"_qs, path(u"picture.psd"_qs)});
        run(u"heif-enc"_qs, {u"-q"_qs, u"90"_qs, reference, u"-o"_qs, path(u"picture.heic"_qs)});
        run(u"heif-enc"_qs, {u"-q"_qs, u"90"_qs, reference, u"-o"_qs, path(u"picture.avif"_qs)});
        writeFile(path(u"picture.dng"_qs), test::makeDng(halves(64, 48, kRed, kBlue), 6));
        // Same formats under their other extensions.
        const std::map<QString, QString> copies{{u"jpeg"_qs, u"jpg"_qs}, {u"jpe"_qs, u"jpg"_qs},
                                                {u"jfif"_qs, u"jpg"_qs}, {u"dib"_qs, u"bmp"_qs},
                                                {u"tiff"_qs, u"tif"_qs}, {u"heif"_qs, u"heic"_qs},
                                                {u"jpf"_qs, u"jp2"_qs},  {u"jpx"_qs, u"jp2"_qs}};
        for (const auto& [to, from] : copies)
            QFile::copy(path(u"picture."_qs + from), path(u"picture."_qs + to));
        for (const QString& ext : project::pictureExtensions())
            if (render::pictureDecoderFor(ext) == PictureDecoder::Raw && ext != u"dng"_qs)
                QFile::copy(path(u"picture.dng"_qs), path(u"picture."_qs + ext));
    }

    static inline std::unique_ptr<QTemporaryDir> s_dir;
    static inline std::unique_ptr<lang::MessageList> s_messages;

    static std::unique_ptr<render::ConsoleHost> makeHost()
    {
        auto host = std::make_unique<render::ConsoleHost>(s_dir->path(), *s_messages);
        host->printDialogs = false;
        return host;
    }
};

} // namespace

TEST(PictureDecoderTable, CoversExactlyThePicturesOfTheMediaMask)
{
    QStringList table = render::decoderTableExtensions();
    QStringList mask = project::pictureExtensions();
    table.sort();
    mask.sort();
    EXPECT_EQ(table, mask);
    EXPECT_EQ(render::pictureDecoderFor(u"JPG"_qs), PictureDecoder::Jpeg);
    EXPECT_EQ(render::pictureDecoderFor(u"mp4"_qs), PictureDecoder::None);
}

TEST(PictureDecoderTable, ReducedDecodingKeepsTheComposition)
{
    struct Case
    {
        QSize full, reduced;
        FitHint hint;
        bool allowed;
    };
    const Case cases[] = {
        {{4000, 3000}, {3000, 2250}, {{1920, 1080}, false}, true},
        {{4000, 3000}, {2000, 1500}, {{1920, 1080}, false}, false}, // under twice 1440 x 1080
        {{4000, 3000}, {3000, 2250}, {{1920, 1080}, true}, false},  // stretch needs 3840 x 2160
        {{8000, 6000}, {4000, 3000}, {{1920, 1080}, true}, true},
        // Big enough, but 15 rows fit to 8 where the full 57 rows fit to 7.
        {{797, 57}, {200, 15}, {{100, 100}, false}, false},
        {{800, 600}, {400, 300}, {{1920, 1080}, false}, false}, // not shrunk at all
        {{4000, 3000}, {4000, 3000}, {}, true},
        {{4000, 3000}, {500, 375}, {}, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(render::reducedDecodeKeepsFit(c.full, c.reduced, c.hint), c.allowed)
            << c.full.width() << "x" << c.full.height() << " as " << c.reduced.width() << "x"
            << c.reduced.height();
}

TEST_F(PictureLoader, EveryDecodableExtensionLoads)
{
    // Lossy formats and the demosaiced raw mosaic get a tolerance. The raw fixture is turned
    // upright by its orientation (a quarter turn clockwise): red on top, blue below. Every
    // raw extension holds the same DNG-structured file (LibRaw tells makers apart by
    // content), so those rows show the routing, not each maker's layout.
    const QStringList lossy{u"jpg"_qs,  u"jpeg"_qs, u"jpe"_qs,  u"jfif"_qs,
                            u"webp"_qs, u"heic"_qs, u"heif"_qs, u"avif"_qs};
    const auto hostOwner = makeHost();
    render::ConsoleHost& host = *hostOwner;
    for (const QString& ext : project::pictureExtensions()) {
        const PictureDecoder decoder = render::pictureDecoderFor(ext);
        if (decoder == PictureDecoder::None)
            continue;
        SCOPED_TRACE(ext.toStdString());
        QImage bitmap;
        ASSERT_TRUE(render::LoadPictureFile(host, bitmap, path(u"picture."_qs + ext)));
        ASSERT_EQ(bitmap.format(), QImage::Format_RGB888);
        const bool raw = decoder == PictureDecoder::Raw;
        ASSERT_EQ(bitmap.size(), raw ? QSize(48, 64) : QSize(64, 48));
        const QRgb first = raw ? bitmap.pixel(24, 12) : bitmap.pixel(12, 24);
        const QRgb second = raw ? bitmap.pixel(24, 52) : bitmap.pixel(52, 24);
        const int tolerance = raw ? 16 : lossy.contains(ext) ? 24 : 0;
        EXPECT_TRUE(near(first, kRed, tolerance)) << describe(first).toStdString();
        EXPECT_TRUE(near(second, kBlue, tolerance)) << describe(second).toStdString();
        // The DNG is also a TIFF: make sure LibRaw read it, not the fallback reader.
        if (raw) {
            EXPECT_EQ(render::decoders::raw(path(u"picture."_qs + ext), {}).size(), QSize(48, 64));
        }
    }
    EXPECT_TRUE(host.shownDialogs.isEmpty()) << host.shownDialogs.join(u'\n').toStdString();
}

TEST_F(PictureLoader, ExifOrientationTurnsPhotosUpright)
{
    // Expected quadrants (top-left, top-right, bottom-left, bottom-right) of the upright
    // picture, as indices into the stored quadrants, for EXIF orientations 1 to 8.
    const int expected[8][4] = {{0, 1, 2, 3}, {1, 0, 3, 2}, {3, 2, 1, 0}, {2, 3, 0, 1},
                                {0, 2, 1, 3}, {2, 0, 3, 1}, {3, 1, 2, 0}, {1, 3, 0, 2}};
    const auto hostOwner = makeHost();
    render::ConsoleHost& host = *hostOwner;
    const QImage stored = quadrants(1600, 800);
    for (int orientation = 1; orientation <= 8; ++orientation) {
        const QString file = path(u"oriented%1.jpg"_qs.arg(orientation));
        ASSERT_TRUE(writeFile(file, jpegWithOrientation(stored, orientation)));
        const bool turned = orientation >= 5;
        const QSize upright = turned ? QSize(800, 1600) : QSize(1600, 800);
        // Full size, and with a hint that lets the decoder work at a quarter of the size.
        for (const FitHint& hint : {FitHint{}, FitHint{{200, 200}, false}}) {
            SCOPED_TRACE(orientation);
            QImage bitmap;
            ASSERT_TRUE(render::LoadPictureFile(host, bitmap, file, hint));
            const QSize size = hint.frame.isEmpty() ? upright : upright / 4;
            ASSERT_EQ(bitmap.size(), size);
            const int w = size.width();
            const int h = size.height();
            const QPoint probes[4] = {
                {w / 4, h / 4}, {3 * w / 4, h / 4}, {w / 4, 3 * h / 4}, {3 * w / 4, 3 * h / 4}};
            for (int q = 0; q < 4; ++q)
                EXPECT_TRUE(
                    near(bitmap.pixel(probes[q]), kQuadrants[expected[orientation - 1][q]], 30))
                    << "quadrant " << q << " " << describe(bitmap.pixel(probes[q])).toStdString();
        }
    }
}

TEST_F(PictureLoader, ReducedDecodingComposesLikeTheFullPicture)
{
    // A big JPEG loaded for a small frame: decoded smaller, same composed geometry, and
    // practically the same pixels.
    QImage photo(1600, 1200, QImage::Format_RGB888);
    for (int y = 0; y < 1200; ++y)
        for (int x = 0; x < 1600; ++x)
            photo.setPixel(x, y,
                           qRgb(x * 255 / 1599, y * 255 / 1199, (x / 80 + y / 80) % 2 ? 200 : 40));
    const QString file = path(u"photo.jpg"_qs);
    ASSERT_TRUE(photo.save(file, "JPEG", 95));
    const auto hostOwner = makeHost();
    render::ConsoleHost& host = *hostOwner;
    for (bool stretch : {false, true}) {
        QImage full;
        QImage hinted;
        ASSERT_TRUE(render::LoadPictureFile(host, full, file));
        ASSERT_TRUE(render::LoadPictureFile(host, hinted, file, FitHint{{300, 300}, stretch}));
        EXPECT_LT(hinted.width(), full.width());
        render::ComposeSlidePicture(full, 300, 300, stretch, false,
                                    render::ResampleFilter::Lanczos3);
        render::ComposeSlidePicture(hinted, 300, 300, stretch, false,
                                    render::ResampleFilter::Lanczos3);
        ASSERT_EQ(hinted.size(), full.size());
        double total = 0;
        for (int y = 0; y < full.height(); ++y)
            for (int x = 0; x < 3 * full.width(); ++x)
                total += std::abs(full.constScanLine(y)[x] - hinted.constScanLine(y)[x]);
        EXPECT_LT(total / (3.0 * full.width() * full.height()), 1.5) << "stretch " << stretch;
    }
}

TEST_F(PictureLoader, CameraPreviewIsUsedAndTurnedUpright)
{
    // The preview differs from the mosaic, so the colours tell which one was used; a half
    // turn puts the preview's left half on the right.
    const QString file = path(u"preview.nef"_qs);
    ASSERT_TRUE(writeFile(file, test::makeDng(halves(64, 48, kRed, kBlue), 3,
                                              halves(64, 48, qRgb(0, 255, 0), qRgb(255, 255, 0)))));
    const auto hostOwner = makeHost();
    render::ConsoleHost& host = *hostOwner;
    QImage bitmap;
    ASSERT_TRUE(render::LoadPictureFile(host, bitmap, file));
    ASSERT_EQ(bitmap.size(), QSize(64, 48));
    EXPECT_TRUE(near(bitmap.pixel(12, 24), qRgb(255, 255, 0), 30))
        << describe(bitmap.pixel(12, 24)).toStdString();
    EXPECT_TRUE(near(bitmap.pixel(52, 24), qRgb(0, 255, 0), 30))
        << describe(bitmap.pixel(52, 24)).toStdString();
}

TEST_F(PictureLoader, ContentWinsOverAWrongExtension)
{
    const auto hostOwner = makeHost();
    render::ConsoleHost& host = *hostOwner;
    // A PNG named .jpg, and a CMYK JPEG that libjpeg-turbo will not convert.
    ASSERT_TRUE(QFile::copy(path(u"picture.png"_qs), path(u"really-png.jpg"_qs)));
    ASSERT_TRUE(run(u"convert"_qs, {path(u"reference.png"_qs), u"-colorspace"_qs, u"CMYK"_qs,
                                    path(u"cmyk.jpg"_qs)}));
    for (const char* name : {"really-png.jpg", "cmyk.jpg"}) {
        QImage bitmap;
        EXPECT_TRUE(render::LoadPictureFile(host, bitmap, path(QString::fromLatin1(name)))) << name;
        EXPECT_EQ(bitmap.size(), QSize(64, 48)) << name;
        EXPECT_TRUE(near(bitmap.pixel(12, 24), kRed, 40))
            << name << describe(bitmap.pixel(12, 24)).toStdString();
    }
    EXPECT_TRUE(host.shownDialogs.isEmpty());
}

TEST_F(PictureLoader, TransparencyIsLaidOverBlack)
{
    QImage picture(8, 8, QImage::Format_ARGB32);
    picture.fill(qRgba(255, 255, 255, 0));
    for (int x = 0; x < 4; ++x)
        for (int y = 0; y < 8; ++y)
            picture.setPixel(x, y, qRgba(255, 0, 0, 128));
    const QString file = path(u"transparent.png"_qs);
    ASSERT_TRUE(picture.save(file));
    const auto hostOwner = makeHost();
    QImage bitmap;
    ASSERT_TRUE(render::LoadPictureFile(*hostOwner, bitmap, file));
    EXPECT_EQ(bitmap.format(), QImage::Format_RGB888);
    EXPECT_TRUE(near(bitmap.pixel(1, 1), qRgb(128, 0, 0), 1))
        << describe(bitmap.pixel(1, 1)).toStdString();
    EXPECT_EQ(bitmap.pixel(6, 6), qRgb(0, 0, 0));
}

TEST_F(PictureLoader, UnreadableFilesShowTheMediaErrorDialog)
{
    // Files that no decoder reads, including formats nothing on this system decodes, and
    // broken files of every decoder family.
    const QByteArray garbage = QByteArray("this is not a picture at all ").repeated(40);
    const std::map<QString, QByteArray> files{
        {u"photo.jxr"_qs, QByteArray("II\xbc\x01", 4) + garbage},
        {u"scan.wdp"_qs, QByteArray("II\xbc\x01", 4) + garbage},
        {u"drawing.wmf"_qs, QByteArray("\xd7\xcd\xc6\x9a", 4) + garbage},
        {u"drawing.emf"_qs, garbage},
        {u"broken.jpg"_qs, QByteArray("\xff\xd8\xff\xe0", 4) + garbage},
        {u"broken.png"_qs, garbage},
        {u"broken.heic"_qs, garbage},
        {u"broken.cr2"_qs, garbage},
        {u"broken.jp2"_qs, garbage},
        {u"broken.psd"_qs, QByteArray("8BPS") + garbage},
        {u"empty.tif"_qs, QByteArray()},
    };
    const auto hostOwner = makeHost();
    render::ConsoleHost& host = *hostOwner;
    QStringList expected;
    for (const auto& [name, data] : files) {
        ASSERT_TRUE(writeFile(path(name), data));
        QImage bitmap = halves(4, 4, kRed, kBlue);
        EXPECT_FALSE(render::LoadPictureFile(host, bitmap, path(name))) << name.toStdString();
        EXPECT_TRUE(bitmap.isNull()) << name.toStdString();
        expected << u"Cannot use | Not readable:\r\n\r\n%1 | Check it"_qs.arg(path(name));
    }
    QImage bitmap;
    EXPECT_FALSE(render::LoadPictureFile(host, bitmap, path(u"missing.png"_qs)));
    expected << u"Cannot use | Not readable:\r\n\r\n%1 | Check it"_qs.arg(path(u"missing.png"_qs));
    EXPECT_EQ(host.shownDialogs, expected);
    EXPECT_FALSE(QFile::exists(host.AppDataDir() + u"render.log"_qs));
}
