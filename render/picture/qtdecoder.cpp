#include "render/picture/decoders.h"
#include "render/picture/pixels.h"

#include <QImageReader>

#include <mutex>

namespace vistarel::render::decoders {
namespace {

// Qt refuses pictures above 128 MB of pixels by default; camera panoramas exceed that.
constexpr int kAllocationLimitMb = 2048;

// An icon file holds several sizes; the largest one is the picture.
void jumpToLargestImage(QImageReader& reader)
{
    int best = -1;
    qint64 bestArea = 0;
    for (int i = 0; i < reader.imageCount(); ++i) {
        if (!reader.jumpToImage(i))
            break;
        const QSize size = reader.size();
        if (qint64(size.width()) * size.height() > bestArea) {
            bestArea = qint64(size.width()) * size.height();
            best = i;
        }
    }
    reader.jumpToImage(std::max(best, 0));
}

} // namespace

QImage qt(const QString& file, const QByteArray& format)
{
    static std::once_flag limitSet;
    std::call_once(limitSet, [] { QImageReader::setAllocationLimit(kAllocationLimitMb); });
    QImageReader reader(file, format);
    reader.setDecideFormatFromContent(format.isEmpty());
    reader.setAutoTransform(true);
    if (format == "ico")
        jumpToLargestImage(reader);
    return toSlidePixels(reader.read());
}

} // namespace vistarel::render::decoders
