#include "render/picture/decoders.h"
#include "render/picture/pixels.h"

#include <QFile>

#include <libheif/heif.h>

#include <cstring>
#include <memory>

namespace vistarel::render::decoders {
namespace {

template <typename T, void (*Release)(T*)> struct Releaser
{
    void operator()(T* object) const { Release(object); }
};
using Context = std::unique_ptr<heif_context, Releaser<heif_context, heif_context_free>>;
using ImageHandle = std::unique_ptr<heif_image_handle,
                                    Releaser<const heif_image_handle, heif_image_handle_release>>;
using Image = std::unique_ptr<heif_image, Releaser<const heif_image, heif_image_release>>;

} // namespace

QImage heif(const QString& file)
{
    const Context context(heif_context_alloc());
    if (!context ||
        heif_context_read_from_file(context.get(), QFile::encodeName(file).constData(), nullptr)
                .code != heif_error_Ok)
        return {};
    heif_image_handle* primary = nullptr;
    if (heif_context_get_primary_image_handle(context.get(), &primary).code != heif_error_Ok)
        return {};
    const ImageHandle handle(primary);
    const bool alpha = heif_image_handle_has_alpha_channel(handle.get()) != 0;
    heif_image* decoded = nullptr;
    // libheif applies the container's rotation and mirroring while decoding.
    if (heif_decode_image(handle.get(), &decoded, heif_colorspace_RGB,
                          alpha ? heif_chroma_interleaved_RGBA : heif_chroma_interleaved_RGB,
                          nullptr)
            .code != heif_error_Ok)
        return {};
    const Image image(decoded);
    int stride = 0;
    const uint8_t* pixels =
        heif_image_get_plane_readonly(image.get(), heif_channel_interleaved, &stride);
    const int width = heif_image_get_width(image.get(), heif_channel_interleaved);
    const int height = heif_image_get_height(image.get(), heif_channel_interleaved);
    if (!pixels || width <= 0 || height <= 0)
        return {};
    QImage picture(width, height, alpha ? QImage::Format_RGBA8888 : QImage::Format_RGB888);
    if (picture.isNull())
        return {};
    const std::size_t rowBytes = std::size_t(width) * (alpha ? 4 : 3);
    for (int y = 0; y < height; ++y)
        std::memcpy(picture.scanLine(y), pixels + std::ptrdiff_t(y) * stride, rowBytes);
    return toSlidePixels(std::move(picture));
}

} // namespace vistarel::render::decoders
