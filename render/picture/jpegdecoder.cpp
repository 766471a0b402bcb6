#include "render/picture/decoders.h"
#include "render/picture/pixels.h"

#include <QBuffer>
#include <QImageReader>

#include <turbojpeg.h>

#include <memory>

namespace vistarel::render::decoders {
namespace {

struct HandleCloser
{
    void operator()(void* handle) const { tjDestroy(handle); }
};
using Handle = std::unique_ptr<void, HandleCloser>;

QImageIOHandler::Transformations exifOrientation(const QByteArray& data)
{
    // Qt's JPEG reader parses the EXIF block while reading the header only.
    QBuffer buffer;
    buffer.setData(data);
    QImageReader reader(&buffer, "jpeg");
    return reader.transformation();
}

// The smallest of libjpeg-turbo's scales (n/8) that the hint allows; the full size when
// none is allowed. Sizes are compared upright.
tjscalingfactor chooseScale(int width, int height, bool swap, const FitHint& hint)
{
    tjscalingfactor best{1, 1};
    int count = 0;
    const tjscalingfactor* factors = tjGetScalingFactors(&count);
    auto upright = [swap](int w, int h) { return swap ? QSize(h, w) : QSize(w, h); };
    const QSize full = upright(width, height);
    qint64 bestArea = qint64(width) * height;
    for (int i = 0; factors && i < count; ++i) {
        const tjscalingfactor f = factors[i];
        if (f.num > f.denom)
            continue;
        const int w = TJSCALED(width, f);
        const int h = TJSCALED(height, f);
        if (qint64(w) * h < bestArea && reducedDecodeKeepsFit(full, upright(w, h), hint)) {
            best = f;
            bestArea = qint64(w) * h;
        }
    }
    return best;
}

} // namespace

QImage jpeg(const QByteArray& data, const FitHint& hint,
            std::optional<QImageIOHandler::Transformations> orientation)
{
    const Handle handle(tjInitDecompress());
    if (!handle || data.isEmpty())
        return {};
    auto* bytes = reinterpret_cast<const unsigned char*>(data.constData());
    const auto size = static_cast<unsigned long>(data.size());
    int width = 0;
    int height = 0;
    int subsampling = 0;
    int colourSpace = 0;
    if (tjDecompressHeader3(handle.get(), bytes, size, &width, &height, &subsampling,
                            &colourSpace) != 0 ||
        width <= 0 || height <= 0)
        return {};
    if (colourSpace == TJCS_CMYK || colourSpace == TJCS_YCCK)
        return {};
    const QImageIOHandler::Transformations turn =
        orientation ? *orientation : exifOrientation(data);
    const tjscalingfactor scale = chooseScale(width, height, swapsAxes(turn), hint);
    QImage picture(TJSCALED(width, scale), TJSCALED(height, scale), QImage::Format_RGB888);
    if (picture.isNull())
        return {};
    const int result = tjDecompress2(handle.get(), bytes, size, picture.bits(), picture.width(),
                                     int(picture.bytesPerLine()), picture.height(), TJPF_RGB, 0);
    // A warning (say, a truncated file) still leaves a usable picture, as in other viewers.
    if (result != 0 && tjGetErrorCode(handle.get()) != TJERR_WARNING)
        return {};
    applyOrientation(picture, turn);
    return picture;
}

} // namespace vistarel::render::decoders
