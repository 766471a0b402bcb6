// Drawing a five-line subtitle in several formats onto a 1920 x 1080 picture: the cost a
// render pays per slide picture and twice per clip overlay. Prints the median and the
// spread of the timed calls. Usage: bench_subtitle [ROUNDS]
#include "subtitle/rtfparser.h"
#include "subtitle/subtitledraw.h"
#include "subtitle/subtitlefonts.h"
#include "subtitle/subtitlelayout.h"

#include <QGuiApplication>
#include <QImage>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

using namespace vistarel::subtitle;

namespace {

const QString kSubtitle = QStringLiteral(
    "{\\rtf1\\ansi{\\fonttbl{\\f0 Tahoma;}{\\f1 Arial;}{\\f2 Courier New;}}"
    "{\\colortbl ;\\red255\\green255\\blue0;\\red255\\green0\\blue0;\\red0\\green0\\blue128;}"
    "\\qc\\fs40 Sommer am \\b See\\b0  \\endash  \\i 2024\\i0\\par"
    "\\cf1\\fs32 Gelb, \\cf2\\ul rot\\ulnone , \\strike durch\\strike0\\cf0  und "
    "\\highlight3 markiert\\highlight0 .\\par"
    "\\qj\\f1\\fs28 Ein l\\'e4ngerer Absatz im Blocksatz, der auf eine zweite Zeile "
    "umbrechen muss, damit die L\\'fccken verteilt werden \\u8364?.\\par"
    "\\qr\\f2\\fs24 rechts, Courier}");

struct Figures
{
    double median, p10, p90;
};

Figures measure(int rounds, const std::function<void()>& work)
{
    for (int i = 0; i < 3; ++i)
        work(); // fonts and glyph caches warm up outside the timing
    std::vector<double> ms;
    for (int i = 0; i < rounds; ++i) {
        const auto start = std::chrono::steady_clock::now();
        work();
        ms.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count());
    }
    std::sort(ms.begin(), ms.end());
    return {ms[ms.size() / 2], ms[ms.size() / 10], ms[ms.size() * 9 / 10]};
}

void report(const char* what, const Figures& f)
{
    std::printf("%-46s median %7.3f ms  (p10 %.3f, p90 %.3f)\n", what, f.median, f.p10, f.p90);
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(std::atoi(argv[1]), 10) : 200;

    QImage picture(1920, 1080, QImage::Format_RGB888);
    picture.fill(QColor(60, 90, 120));
    const QImage background = picture;
    {
        QImage check = background;
        DrawSubtitle(check, kSubtitle, QString(), 0, 0);
        const std::vector<TRtfLine> lines = [] {
            QtTextMeasure m;
            static const TRtfDoc doc = ParseRtf(kSubtitle);
            return LayoutRtf(doc, rtfGeometry(1920, 1080), m);
        }();
        std::printf("subtitle: %zu lines at 1920 x 1080, %s\n", lines.size(),
                    check == background ? "NOTHING DRAWN" : "drawn");
    }

    report("DrawSubtitle, five lines, cached parse",
           measure(rounds, [&] { DrawSubtitle(picture, kSubtitle, QString(), 0, 0); }));
    QString other = kSubtitle;
    bool flip = false;
    report("DrawSubtitle, five lines, parsed every call", measure(rounds, [&] {
               flip = !flip; // a different text each time defeats the cache
               other[other.size() - 2] = flip ? u'x' : u'r';
               DrawSubtitle(picture, other, QString(), 0, 0);
           }));
    report("ParseRtf alone", measure(rounds, [&] { (void)ParseRtf(kSubtitle); }));
    const TRtfDoc doc = ParseRtf(kSubtitle);
    report("LayoutRtf alone (fresh font measures)", measure(rounds, [&] {
               QtTextMeasure m;
               (void)LayoutRtf(doc, rtfGeometry(1920, 1080), m);
           }));
    report("DrawSubtitle, plain text, size class 0", measure(rounds, [&] {
               DrawSubtitle(picture, QStringLiteral("Sommer am See 2024"), QString(), 0xFFFFFF, 0);
           }));
    return 0;
}
