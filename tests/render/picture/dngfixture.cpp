#include "dngfixture.h"

#include <QBuffer>

#include <vector>

namespace vistarel::test {
namespace {

enum Type : quint16 { Byte = 1, Ascii = 2, Short = 3, Long = 4, Rational = 5, SRational = 10 };

struct Entry
{
    quint16 tag;
    quint16 type;
    quint32 count;
    QByteArray value;
};

void put16(QByteArray& out, quint16 v)
{
    out.append(char(v & 0xff)).append(char(v >> 8));
}

void put32(QByteArray& out, quint32 v)
{
    put16(out, quint16(v & 0xffff));
    put16(out, quint16(v >> 16));
}

Entry shorts(quint16 tag, std::initializer_list<quint16> values)
{
    QByteArray bytes;
    for (quint16 v : values)
        put16(bytes, v);
    return {tag, Short, quint32(values.size()), bytes};
}

Entry longs(quint16 tag, std::initializer_list<quint32> values)
{
    QByteArray bytes;
    for (quint32 v : values)
        put32(bytes, v);
    return {tag, Long, quint32(values.size()), bytes};
}

Entry bytes(quint16 tag, std::initializer_list<quint8> values)
{
    QByteArray data;
    for (quint8 v : values)
        data.append(char(v));
    return {tag, Byte, quint32(values.size()), data};
}

Entry text(quint16 tag, const char* value)
{
    const QByteArray data = QByteArray(value) + '\0';
    return {tag, Ascii, quint32(data.size()), data};
}

Entry rationals(quint16 tag, quint16 type, std::initializer_list<std::pair<int, int>> values)
{
    QByteArray data;
    for (auto [num, den] : values) {
        put32(data, quint32(num));
        put32(data, quint32(den));
    }
    return {tag, type, quint32(values.size()), data};
}

// Appends an IFD (entries sorted by tag) and the values that do not fit in its entries.
quint32 appendIfd(QByteArray& file, const std::vector<Entry>& entries)
{
    if (file.size() % 2)
        file.append('\0');
    const auto at = quint32(file.size());
    const quint32 extraAt = at + 2 + 12 * quint32(entries.size()) + 4;
    QByteArray ifd;
    QByteArray extra;
    put16(ifd, quint16(entries.size()));
    for (const Entry& e : entries) {
        put16(ifd, e.tag);
        put16(ifd, e.type);
        put32(ifd, e.count);
        if (e.value.size() <= 4) {
            ifd += e.value + QByteArray(4 - e.value.size(), '\0');
        } else {
            put32(ifd, extraAt + quint32(extra.size()));
            extra += e.value;
            if (extra.size() % 2)
                extra.append('\0');
        }
    }
    put32(ifd, 0);
    file += ifd + extra;
    return at;
}

QByteArray mosaic(const QImage& picture)
{
    QByteArray data;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const QRgb p = picture.pixel(x, y);
            const int channel = (y % 2 == 0) ? (x % 2 == 0 ? qRed(p) : qGreen(p))
                                             : (x % 2 == 0 ? qGreen(p) : qBlue(p));
            put16(data, quint16(channel * 257));
        }
    }
    return data;
}

std::vector<Entry> rawEntries(const QImage& picture, quint32 dataAt, quint32 dataSize,
                              bool withOrientation, int orientation)
{
    std::vector<Entry> e{
        longs(254, {0}),
        longs(256, {quint32(picture.width())}),
        longs(257, {quint32(picture.height())}),
        shorts(258, {16}),
        shorts(259, {1}),
        shorts(262, {32803}),
        text(271, "Vistarel"),
        text(272, "Test"),
        longs(273, {dataAt}),
    };
    if (withOrientation)
        e.push_back(shorts(274, {quint16(orientation)}));
    for (Entry x :
         {shorts(277, {1}), longs(278, {quint32(picture.height())}), longs(279, {dataSize}),
          shorts(284, {1}), shorts(33421, {2, 2}), bytes(33422, {0, 1, 1, 2}),
          bytes(50706, {1, 4, 0, 0}), text(50708, "Vistarel Test"), longs(50717, {65535}),
          // XYZ to camera: the inverse of the sRGB primaries, so that the mosaic
          // holds linear sRGB.
          rationals(50721, SRational,
                    {{32406, 10000},
                     {-15372, 10000},
                     {-4986, 10000},
                     {-9689, 10000},
                     {18758, 10000},
                     {415, 10000},
                     {557, 10000},
                     {-2040, 10000},
                     {10570, 10000}}),
          rationals(50728, Rational, {{1, 1}, {1, 1}, {1, 1}}), shorts(50778, {21})})
        e.push_back(x);
    return e;
}

QByteArray jpegOf(const QImage& picture)
{
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "JPEG", 95);
    return data;
}

} // namespace

QByteArray makeDng(const QImage& picture, int orientation, const QImage& preview)
{
    QByteArray file("II*\0\0\0\0\0", 8);
    const QByteArray raw = mosaic(picture);
    const auto rawAt = quint32(file.size());
    file += raw;
    quint32 first = 0;
    if (preview.isNull()) {
        first = appendIfd(file, rawEntries(picture, rawAt, quint32(raw.size()), true, orientation));
    } else {
        const QByteArray jpeg = jpegOf(preview);
        const auto jpegAt = quint32(file.size());
        file += jpeg;
        const quint32 sub =
            appendIfd(file, rawEntries(picture, rawAt, quint32(raw.size()), false, 0));
        // The first IFD is the preview, with the orientation and the pointer to the raw data.
        std::vector<Entry> e{longs(254, {1}),
                             longs(256, {quint32(preview.width())}),
                             longs(257, {quint32(preview.height())}),
                             shorts(258, {8, 8, 8}),
                             shorts(259, {7}),
                             shorts(262, {6}),
                             text(271, "Vistarel"),
                             text(272, "Test"),
                             longs(273, {jpegAt}),
                             shorts(274, {quint16(orientation)}),
                             shorts(277, {3}),
                             longs(278, {quint32(preview.height())}),
                             longs(279, {quint32(jpeg.size())}),
                             longs(330, {sub}),
                             bytes(50706, {1, 4, 0, 0}),
                             text(50708, "Vistarel Test")};
        first = appendIfd(file, e);
    }
    QByteArray offset;
    put32(offset, first);
    file.replace(4, 4, offset);
    return file;
}

} // namespace vistarel::test
