#include "subtitle/subtitleforms.h"

namespace vistarel::subtitle {

int hexDigitValue(char16_t c)
{
    if (c >= u'0' && c <= u'9')
        return c - u'0';
    if (c >= u'A' && c <= u'F')
        return c - u'A' + 10;
    if (c >= u'a' && c <= u'f')
        return c - u'a' + 10;
    return -1;
}

bool IsRtfText(const QString& text)
{
    return text.startsWith(QStringLiteral("{\\rtf"));
}

QString EncodeSubtitleForProject(const QString& subtitle)
{
    if (!IsRtfText(subtitle))
        return subtitle;
    return QStringLiteral("RTF:") + BytesToHex(subtitle.toUtf8());
}

QString DecodeSubtitleFromProject(const QString& value)
{
    if (!value.startsWith(QStringLiteral("RTF:")))
        return value;
    return QString::fromUtf8(HexToBytes(QStringView(value).sliced(4)));
}

QString BytesToHex(const QByteArray& bytes)
{
    return QString::fromLatin1(bytes.toHex().toUpper());
}

QByteArray HexToBytes(QStringView text)
{
    QByteArray bytes(text.size() / 2, '\0');
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const int hi = hexDigitValue(text[2 * i].unicode());
        const int lo = hexDigitValue(text[2 * i + 1].unicode());
        bytes[i] = (hi < 0 || lo < 0) ? '\0' : static_cast<char>(hi * 16 + lo);
    }
    return bytes;
}

SubtitleTextCount CountSubtitleText(const QString& plainText)
{
    QString text = plainText;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    qsizetype end = text.size();
    while (end > 0 && (text[end - 1] == u'\n' || text[end - 1] == u' '))
        --end;
    if (end == 0)
        return {};
    const QStringView kept = QStringView(text).first(end);
    const int feeds = static_cast<int>(kept.count(u'\n'));
    return {feeds + 1, static_cast<int>(end) - feeds};
}

} // namespace vistarel::subtitle
