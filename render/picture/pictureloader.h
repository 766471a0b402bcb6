#pragma once

#include "render/host.h"

#include <QImage>
#include <QSize>
#include <QString>
#include <QStringList>

namespace vistarel::render {

// How a picture is about to be composed (the frame and whether it is stretched), so that a
// large JPEG may be decoded at a reduced size: only when the composition still makes the
// same sizes from it and the decoded picture keeps at least twice the fitted size in both
// directions. An empty frame asks for the full size.
struct FitHint
{
    QSize frame;
    bool stretch = false;
};

// Whether a picture decoded at `reduced` pixels instead of `full` (both upright) may be
// used under `hint`: true for the full size itself.
bool reducedDecodeKeepsFit(QSize full, QSize reduced, const FitHint& hint);

// The libraries and programs that read the picture formats of the media mask.
enum class PictureDecoder {
    Jpeg,   // libjpeg-turbo, with scaled decoding
    Qt,     // Qt's image reader and its format plugins
    Heif,   // libheif
    Raw,    // LibRaw: the embedded full-size rendering, or a demosaiced image
    FFmpeg, // the ffmpeg program beside the executable
    None,   // nothing on this system reads the format
};

// The decoder for an extension (any case, without the dot); None for one not in the table.
PictureDecoder pictureDecoderFor(const QString& extension);
// Every extension of the decoder table, lower case.
QStringList decoderTableExtensions();

// Decodes a picture file, upright (EXIF and container orientation applied), as
// Format_RGB888 with transparency laid over black. Chooses the decoder by extension and
// tries Qt's reader by content when that fails (files with a wrong extension). Returns a
// null image when nothing can read the file. No dialog; callable from any thread.
QImage decodePicture(const QString& file, const FitHint& hint = {});

// The picture of a slide's media file as LoadPictureFile loads it, but without any dialog:
// a video clip by its cached first frame, which `host` makes on a cache miss (a console
// host of its own lets a worker thread do this). Null when the file cannot be read. On
// the host's thread.
QImage loadSlidePicture(Host& host, const QString& file, const FitHint& hint = {});

// The media-error task dialog of LoadPictureFile for `file`.
void showPictureLoadError(Host& host, const QString& file);

// Fills `bitmap` with the picture of `file`; a video clip by its cached first frame
// (GetVideoThumbnail), which runs ffmpeg on a cache miss.
// When the file cannot be read, shows the media-error task dialog (Str23; Str24,
// a blank line and the file's name; Str26) through the host, leaves `bitmap` null and
// returns false; the render log is not saved. On the host's thread.
bool LoadPictureFile(Host& host, QImage& bitmap, const QString& file, const FitHint& hint = {});

} // namespace vistarel::render
