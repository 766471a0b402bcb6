// Lays out and draws fuzzed subtitles on small pictures. Nothing may crash or hang, the
// picture keeps its size and format, lines never end in blanks, every placed token sits
// on its line, and a render on black and one on white agree on the coverage of every pixel.
#include "subtitle/rtfparser.h"
#include "subtitle/subtitledraw.h"
#include "subtitle/subtitlefonts.h"
#include "subtitle/subtitlelayout.h"

#include <QGuiApplication>
#include <QImage>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

using namespace vistarel::subtitle;

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

void checkLayout(const TRtfDoc& doc, int width, int height)
{
    QtTextMeasure measure;
    const RtfGeometry geometry = rtfGeometry(width, height);
    const std::vector<TRtfLine> lines = LayoutRtf(doc, geometry, measure);
    for (const TRtfLine& line : lines)
        check(line.Toks.empty() || !line.Toks.back().Space);
    const RtfPlacement placement = PlaceRtfLines(lines, geometry, height);
    for (const PlacedTok& placed : placement.toks) {
        check(placed.baseline >= placement.blockTop);
        check(placed.top <= placed.baseline);
    }
}

void checkDrawing(const QString& text, int width, int height)
{
    QImage onBlack(width, height, QImage::Format_RGB888);
    onBlack.fill(Qt::black);
    QImage onWhite(width, height, QImage::Format_RGB888);
    onWhite.fill(Qt::white);
    DrawSubtitle(onBlack, text, QString(), 0x3366CC, 1);
    DrawSubtitle(onWhite, text, QString(), 0x3366CC, 1);
    check(onBlack.size() == QSize(width, height) && onBlack.format() == QImage::Format_RGB888);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            // Each channel must see the same coverage: alpha = 255 - (white - black).
            const QRgb b = onBlack.pixel(x, y);
            const QRgb w = onWhite.pixel(x, y);
            const int red = 255 - (qRed(w) - qRed(b));
            const int green = 255 - (qGreen(w) - qGreen(b));
            const int blue = 255 - (qBlue(w) - qBlue(b));
            check(std::abs(red - green) <= 3 && std::abs(red - blue) <= 3);
        }
    }
}

} // namespace

// The application is never destroyed, so what fontconfig keeps for it is still held at
// exit; that is not a leak of the code under test.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig\n";
}

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Never destroyed: tearing it down in the exit handlers would race Qt's own teardown.
    static QGuiApplication* app = new QGuiApplication(*argc, *argv);
    (void)app;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2)
        return 0;
    // Two bytes choose a small picture, sizes under 10 included.
    const int width = 4 + data[0] % 93;
    const int height = 4 + data[1] % 61;
    const QString body = QString::fromUtf8(reinterpret_cast<const char*>(data + 2),
                                           static_cast<qsizetype>(size - 2));
    const QString rtf = QStringLiteral("{\\rtf1") + body;
    checkLayout(ParseRtf(rtf), width, height);
    checkDrawing(rtf, width, height);
    checkDrawing(body, width, height); // plain text, or RTF when it starts so
    return 0;
}
