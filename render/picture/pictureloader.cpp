#include "render/picture/pictureloader.h"

#include "project/mediakind.h"
#include "render/picture/compose.h"
#include "render/picture/decoders.h"
#include "render/tools/mediaprobe.h"
#include "render/tools/toolrunner.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>

#include <array>

namespace vistarel::render {
namespace {

// Which decoder reads which picture extension of the media mask; Qt rows name the format
// plugin, so that a file is not read as something else because of its content.
struct DecoderRow
{
    const char* extensions;
    PictureDecoder decoder;
    const char* qtFormat;
};

constexpr std::array kDecoderTable{
    DecoderRow{"jpg jpeg jpe jfif", PictureDecoder::Jpeg, ""},
    DecoderRow{"png", PictureDecoder::Qt, "png"},
    DecoderRow{"bmp dib", PictureDecoder::Qt, "bmp"},
    DecoderRow{"gif", PictureDecoder::Qt, "gif"},
    DecoderRow{"tif tiff", PictureDecoder::Qt, "tiff"},
    DecoderRow{"webp", PictureDecoder::Qt, "webp"},
    DecoderRow{"ico", PictureDecoder::Qt, "ico"},
    DecoderRow{"heic heif avif", PictureDecoder::Heif, ""},
    DecoderRow{"jp2 j2k jpf jpx", PictureDecoder::FFmpeg, ""},
    // Qt's TGA reader knows only uncompressed files; ffmpeg reads the run-length ones too.
    DecoderRow{"pcx tga", PictureDecoder::FFmpeg, ""},
    DecoderRow{"psd", PictureDecoder::FFmpeg, ""},
    DecoderRow{"dng cr2 cr3 crw nef nrw arw srf sr2 orf raf rw2 pef srw raw 3fr mrw x3f",
               PictureDecoder::Raw, ""},
    // JPEG XR and the Windows metafiles: no library or tool on this system reads them.
    DecoderRow{"jxr wdp hdp wmf emf", PictureDecoder::None, ""},
};

const DecoderRow* rowFor(const QString& extension)
{
    // Built once; every slide and thumbnail looks its extension up here.
    static const QHash<QString, const DecoderRow*> rows = [] {
        QHash<QString, const DecoderRow*> byExtension;
        for (const DecoderRow& row : kDecoderTable) {
            for (const QString& ext : QString::fromLatin1(row.extensions).split(u' '))
                byExtension.insert(ext, &row);
        }
        return byExtension;
    }();
    return rows.value(extension.toLower(), nullptr);
}

QImage decodeBy(const DecoderRow& row, const QString& file, const FitHint& hint)
{
    switch (row.decoder) {
    case PictureDecoder::Jpeg: {
        QFile in(file);
        if (!in.open(QIODevice::ReadOnly))
            return {};
        return decoders::jpeg(in.readAll(), hint);
    }
    case PictureDecoder::Qt:
        return decoders::qt(file, row.qtFormat);
    case PictureDecoder::Heif:
        return decoders::heif(file);
    case PictureDecoder::Raw:
        return decoders::raw(file, hint);
    case PictureDecoder::FFmpeg:
        return decoders::ffmpeg(file);
    case PictureDecoder::None:
        break;
    }
    return {};
}

} // namespace

bool reducedDecodeKeepsFit(QSize full, QSize reduced, const FitHint& hint)
{
    if (reduced == full)
        return true;
    if (hint.frame.isEmpty() || reduced.isEmpty())
        return false;
    const QSize fitted =
        hint.stretch ? hint.frame : fitDownSize(full, hint.frame.width(), hint.frame.height());
    if (reduced.width() < 2 * fitted.width() || reduced.height() < 2 * fitted.height())
        return false;
    return hint.stretch || fitDownSize(reduced, hint.frame.width(), hint.frame.height()) == fitted;
}

PictureDecoder pictureDecoderFor(const QString& extension)
{
    const DecoderRow* row = rowFor(extension);
    return row ? row->decoder : PictureDecoder::None;
}

QStringList decoderTableExtensions()
{
    QStringList all;
    for (const DecoderRow& row : kDecoderTable)
        all += QString::fromLatin1(row.extensions).split(u' ');
    return all;
}

QImage decodePicture(const QString& file, const FitHint& hint)
{
    const QFileInfo info(file);
    if (file.isEmpty() || !info.isFile())
        return {};
    QImage picture;
    const DecoderRow* row = rowFor(info.suffix());
    if (row)
        picture = decodeBy(*row, file, hint);
    // Files with a wrong extension (a PNG saved as .jpg) and JPEGs libjpeg-turbo will not
    // convert (CMYK) still load when Qt recognises their content.
    if (picture.isNull() && (!row || row->decoder != PictureDecoder::Qt))
        picture = decoders::qt(file, {});
    return picture;
}

QImage loadSlidePicture(Host& host, const QString& file, const FitHint& hint)
{
    // A clip is shown by its cached first frame.
    const QString source = project::IsVideoFile(file) ? GetVideoThumbnail(host, file) : file;
    return decodePicture(source, hint);
}

void showPictureLoadError(Host& host, const QString& file)
{
    showMediaErrorDialog(host, file);
}

bool LoadPictureFile(Host& host, QImage& bitmap, const QString& file, const FitHint& hint)
{
    bitmap = loadSlidePicture(host, file, hint);
    if (!bitmap.isNull())
        return true;
    showPictureLoadError(host, file);
    return false;
}

} // namespace vistarel::render
