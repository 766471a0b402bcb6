// compose_bench [photo.jpg ...]: median time to turn a camera JPEG into a finished
// 1920 x 1080 frame written as a JPEG of quality 80 (fit on black, and over the blurred
// background), measured in the same run as vipsthumbnail making a 1920 x 1080 fit of the
// same files. Without arguments it writes five 4000 x 3000 photo-like JPEGs first.
// Run it on an otherwise idle machine; it prints one line per measurement and the ratios.

#include "bench/common/photolike.h"
#include "render/export/framewriter.h"
#include "render/picture/compose.h"
#include "render/picture/pictureloader.h"

#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

using namespace vistarel;
using bench::photoLike;

namespace {

constexpr int kRounds = 7;
constexpr int kFrameW = 1920;
constexpr int kFrameH = 1080;

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? -1 : values[values.size() / 2];
}

struct Variant
{
    const char* name;
    std::function<bool(const QString&)> work;
    std::vector<double> times; // ms per file
};

// Runs every variant on every file, round after round, interleaved so that a busy
// machine slows all of them alike.
bool measure(const QStringList& files, std::vector<Variant>& variants)
{
    for (int round = 0; round < kRounds; ++round) {
        for (const QString& file : files) {
            for (Variant& variant : variants) {
                QElapsedTimer timer;
                timer.start();
                if (!variant.work(file)) {
                    std::fprintf(stderr, "%s failed on %s\n", variant.name, qPrintable(file));
                    return false;
                }
                variant.times.push_back(double(timer.nsecsElapsed()) / 1e6);
            }
        }
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTemporaryDir work;
    QStringList files = app.arguments().mid(1);
    if (files.isEmpty()) {
        for (quint32 i = 0; i < 5; ++i) {
            files << work.filePath(u"photo%1.jpg"_qs.arg(i));
            photoLike(4000, 3000, 17 + i).save(files.back(), "JPEG", 92);
        }
    }
    const QString vips = QStandardPaths::findExecutable(u"vipsthumbnail"_qs);
    lang::MessageList messages;
    render::ConsoleHost host(work.path(), messages);
    const QString out = work.filePath(u"frame.jpg"_qs);

    auto compose = [&](bool blur, render::ResampleFilter filter) {
        return [&, blur, filter](const QString& file) {
            QImage bitmap;
            if (!render::LoadPictureFile(host, bitmap, file,
                                         render::FitHint{{kFrameW, kFrameH}, false}))
                return false;
            render::ComposeSlidePicture(bitmap, kFrameW, kFrameH, false, blur, filter);
            return render::writeFramePicture(bitmap, out);
        };
    };
    const QString size = u"%1x%2"_qs.arg(kFrameW).arg(kFrameH);
    std::vector<Variant> variants{
        {"fit on black (fast linear)", compose(false, render::ResampleFilter::FastLinear), {}},
        {"fit on black (Lanczos3)", compose(false, render::ResampleFilter::Lanczos3), {}},
        {"fit over blurred background", compose(true, render::ResampleFilter::FastLinear), {}},
    };
    if (!vips.isEmpty())
        variants.push_back({"vipsthumbnail, one run a file",
                            [&](const QString& file) {
                                return QProcess::execute(
                                           vips, {file, u"-s"_qs, size, u"-o"_qs,
                                                  work.filePath(u"vips.jpg[Q=80]"_qs)}) == 0;
                            },
                            {}});
    if (!measure(files, variants))
        return 1;
    std::printf("files: %lld, rounds: %d, frame %s, medians per file\n", qlonglong(files.size()),
                kRounds, qPrintable(size));
    for (const Variant& variant : variants)
        std::printf("%-32s %7.1f ms\n", variant.name, median(variant.times));
    if (vips.isEmpty()) {
        std::printf("vipsthumbnail not found (./setup --bench installs it)\n");
        return 0;
    }
    // vipsthumbnail's start-up is part of its figure above; one run over all files shows
    // how much.
    QElapsedTimer batch;
    batch.start();
    QProcess::execute(vips, QStringList(files) << u"-s"_qs << size << u"-o"_qs
                                               << work.filePath(u"%s-vips.jpg[Q=80]"_qs));
    std::printf("%-32s %7.1f ms\n", "vipsthumbnail, all in one run",
                double(batch.nsecsElapsed()) / 1e6 / double(files.size()));
    const double reference = median(variants[3].times);
    std::printf("ratio fit / vipsthumbnail:  %.2f (goal 1.5)\n",
                median(variants[0].times) / reference);
    std::printf("ratio blur / vipsthumbnail: %.2f (goal 2.0)\n",
                median(variants[2].times) / reference);
    return 0;
}
