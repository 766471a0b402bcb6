#include "render/picture/decoders.h"
#include "render/picture/pixels.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>

#include <libraw/libraw.h>

#include <algorithm>
#include <cstring>
#include <memory>

namespace vistarel::render::decoders {
namespace {

// A camera preview counts as the full rendering when it has at least this share of the
// sensor's pixels in both directions (previews often lose a few border pixels).
constexpr double kFullPreviewShare = 0.8;

// LibRaw's flip: 3 half a turn, 5 a quarter turn anticlockwise, 6 a quarter turn clockwise.
QImageIOHandler::Transformations orientationOfFlip(int flip)
{
    switch (flip) {
    case 3:
        return QImageIOHandler::TransformationRotate180;
    case 5:
        return QImageIOHandler::TransformationRotate270;
    case 6:
        return QImageIOHandler::TransformationRotate90;
    default:
        return QImageIOHandler::TransformationNone;
    }
}

QSize previewSize(const libraw_thumbnail_t& thumbnail)
{
    if (thumbnail.twidth > 0 && thumbnail.theight > 0)
        return {thumbnail.twidth, thumbnail.theight};
    QBuffer buffer;
    buffer.setData(thumbnail.thumb, int(thumbnail.tlength));
    return QImageReader(&buffer, "jpeg").size();
}

bool coversSensor(QSize preview, int width, int height)
{
    const int previewLong = std::max(preview.width(), preview.height());
    const int previewShort = std::min(preview.width(), preview.height());
    return previewLong >= kFullPreviewShare * std::max(width, height) &&
           previewShort >= kFullPreviewShare * std::min(width, height);
}

QImage embeddedRendering(LibRaw& raw, const FitHint& hint)
{
    if (raw.unpack_thumb() != LIBRAW_SUCCESS)
        return {};
    const libraw_thumbnail_t& thumbnail = raw.imgdata.thumbnail;
    if (thumbnail.tformat != LIBRAW_THUMBNAIL_JPEG || !thumbnail.thumb || thumbnail.tlength == 0)
        return {};
    if (!coversSensor(previewSize(thumbnail), raw.imgdata.sizes.width, raw.imgdata.sizes.height))
        return {};
    // The preview is stored as the sensor sees it; the raw file's flip turns it upright.
    return jpeg(QByteArray(thumbnail.thumb, int(thumbnail.tlength)), hint,
                orientationOfFlip(raw.imgdata.sizes.flip));
}

QImage demosaiced(LibRaw& raw)
{
    raw.imgdata.params.use_camera_wb = 1;
    raw.imgdata.params.output_bps = 8;
    if (raw.unpack() != LIBRAW_SUCCESS || raw.dcraw_process() != LIBRAW_SUCCESS)
        return {};
    int error = 0;
    const std::unique_ptr<libraw_processed_image_t, void (*)(libraw_processed_image_t*)> image(
        raw.dcraw_make_mem_image(&error), &LibRaw::dcraw_clear_mem);
    if (!image || image->type != LIBRAW_IMAGE_BITMAP || image->colors != 3 || image->bits != 8)
        return {};
    // LibRaw has already applied the flip to this image.
    QImage picture(image->width, image->height, QImage::Format_RGB888);
    if (picture.isNull())
        return {};
    const std::size_t rowBytes = std::size_t(image->width) * 3;
    for (int y = 0; y < picture.height(); ++y)
        std::memcpy(picture.scanLine(y), image->data + std::size_t(y) * rowBytes, rowBytes);
    return picture;
}

} // namespace

QImage raw(const QString& file, const FitHint& hint)
{
    // LibRaw's state is large; keep it off the stack.
    auto processor = std::make_unique<LibRaw>(LIBRAW_OPTIONS_NONE);
    if (processor->open_file(QFile::encodeName(file).constData()) != LIBRAW_SUCCESS)
        return {};
    QImage picture = embeddedRendering(*processor, hint);
    if (picture.isNull())
        picture = demosaiced(*processor);
    return picture;
}

} // namespace vistarel::render::decoders
