#include "render/jpegwriter.h"

#include <turbojpeg.h>

#include <algorithm>
#include <memory>

namespace vistarel::render {

QByteArray encodeJpeg(const QImage& image, int quality)
{
    if (image.isNull())
        return {};
    const QImage rgb = image.format() == QImage::Format_RGB888
                           ? image
                           : image.convertToFormat(QImage::Format_RGB888);
    const std::unique_ptr<void, int (*)(tjhandle)> handle(tjInitCompress(), tjDestroy);
    if (!handle)
        return {};
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    const int failed = tjCompress2(handle.get(), rgb.constBits(), rgb.width(),
                                   int(rgb.bytesPerLine()), rgb.height(), TJPF_RGB, &buffer, &size,
                                   TJSAMP_420, std::clamp(quality, 1, 100), 0);
    QByteArray result;
    if (failed == 0)
        result = QByteArray(reinterpret_cast<const char*>(buffer), qsizetype(size));
    tjFree(buffer);
    return result;
}

} // namespace vistarel::render
