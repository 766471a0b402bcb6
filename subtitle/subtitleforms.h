#pragma once

#include <QByteArray>
#include <QString>

namespace vistarel::subtitle {

// True when the text starts with "{\rtf" exactly (case-sensitive, no leading blank).
bool IsRtfText(const QString& text);

// A subtitle as the project file stores it: RTF becomes "RTF:" plus the hexadecimal
// form of its UTF-8 bytes, keeping it on one line; plain text is stored unchanged.
QString EncodeSubtitleForProject(const QString& subtitle);
// The inverse: a value starting with "RTF:" is decoded, anything else taken as it is.
QString DecodeSubtitleFromProject(const QString& value);

// Two upper-case hexadecimal digits per byte, no separators.
// The value of a hexadecimal digit (either case), -1 for any other character.
int hexDigitValue(char16_t c);

QString BytesToHex(const QByteArray& bytes);
// Pairs of hexadecimal digits to bytes; an invalid pair gives 0, a last odd digit is
// ignored.
QByteArray HexToBytes(QStringView text);

struct SubtitleTextCount
{
    int lines = 0;
    int characters = 0;
    friend bool operator==(const SubtitleTextCount&, const SubtitleTextCount&) = default;
};

// Lines and characters of the editor's plain text, by which a subtitle is limited:
// trailing line feeds and blanks do not count, characters exclude line breaks.
SubtitleTextCount CountSubtitleText(const QString& plainText);

} // namespace vistarel::subtitle
