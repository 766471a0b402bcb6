#include "subtitle/rtfwriter.h"

#include <QColor>
#include <QFont>
#include <QList>
#include <QStringList>
#include <QTextBlock>
#include <QTextDocument>

#include <cmath>

namespace vistarel::subtitle {

namespace {

// The character format as the reader tracks it; the start values are the reader's.
struct RunFormat
{
    int font = 0;
    int size = 24;
    int color = 0;
    int highlight = -1;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
};

bool hasPaint(const QBrush& brush)
{
    return brush.style() != Qt::NoBrush && brush.color().alpha() != 0;
}

int alignmentCode(Qt::Alignment alignment)
{
    if (alignment & Qt::AlignJustify)
        return 3;
    if (alignment & Qt::AlignHCenter)
        return 1;
    if (alignment & Qt::AlignRight)
        return 2;
    return 0;
}

// Latin-1 letters are the same bytes in Windows-1252; anything else has no byte there.
QString fontTableName(const QString& family)
{
    QString out;
    for (const QChar c : family) {
        const char16_t u = c.unicode();
        if (u == u'\\' || u == u'{' || u == u'}')
            out += u'\\' + QString(c);
        else if (u == u';' || u < 0x20)
            continue;
        else if (u < 0x80)
            out += c;
        else if (u >= 0xA0 && u <= 0xFF)
            out += QStringLiteral("\\'%1").arg(int(u), 2, 16, QChar(u'0'));
        else
            out += u'?';
    }
    return out;
}

class RtfBuilder
{
public:
    explicit RtfBuilder(const QTextDocument& document)
        : m_document(document)
    {
        m_fonts << m_document.defaultFont().family();
    }

    QString build()
    {
        // Every paragraph ends with \par, the last one too: the closing brace would
        // otherwise take its alignment back before the reader ends it.
        for (QTextBlock block = m_document.begin(); block.isValid(); block = block.next()) {
            writeBlock(block);
            word(QStringLiteral("par"));
            m_body += u'\n'; // for people reading the file; the reader skips it
        }
        return header() + m_body + u'}';
    }

private:
    void writeBlock(const QTextBlock& block)
    {
        word(QStringLiteral("pard"));
        static const char* const kAlign[] = {"ql", "qc", "qr", "qj"};
        word(QString::fromLatin1(kAlign[alignmentCode(alignmentOf(block))]));
        if (block.length() <= 1) {
            // An empty paragraph is as high as the font in force at its end.
            const RunFormat f = formatOf(block.charFormat());
            switchFont(f.font, f.size);
            return;
        }
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.isValid())
                continue;
            switchTo(formatOf(fragment.charFormat()));
            for (const QChar c : fragment.text())
                character(c);
        }
    }

    Qt::Alignment alignmentOf(const QTextBlock& block) const
    {
        const QTextBlockFormat format = block.blockFormat();
        if (format.hasProperty(QTextFormat::BlockAlignment))
            return format.alignment();
        return m_document.defaultTextOption().alignment();
    }

    RunFormat formatOf(const QTextCharFormat& format)
    {
        const QFont font = format.font().resolve(m_document.defaultFont());
        RunFormat f;
        f.font = fontIndex(font.family());
        f.size = halfPointsOf(font);
        f.color = hasPaint(format.foreground()) ? colourIndex(format.foreground().color()) : 0;
        f.highlight = hasPaint(format.background()) ? colourIndex(format.background().color()) : -1;
        f.bold = font.bold();
        f.italic = font.italic();
        f.underline = format.fontUnderline() || font.underline();
        f.strike = font.strikeOut();
        return f;
    }

    int fontIndex(const QString& family)
    {
        const QString name = family.isEmpty() ? QStringLiteral("Tahoma") : family;
        qsizetype index = m_fonts.indexOf(name);
        if (index < 0) {
            m_fonts << name;
            index = m_fonts.size() - 1;
        }
        return int(index);
    }

    // Indexes start at 1: entry 0 is the automatic colour.
    int colourIndex(const QColor& colour)
    {
        const QRgb rgb = colour.rgb() & 0xFFFFFF;
        qsizetype index = m_colours.indexOf(rgb);
        if (index < 0) {
            m_colours << rgb;
            index = m_colours.size() - 1;
        }
        return int(index) + 1;
    }

    void switchFont(int font, int size)
    {
        if (font != m_state.font)
            word(QStringLiteral("f%1").arg(font));
        if (size != m_state.size)
            word(QStringLiteral("fs%1").arg(size));
        m_state.font = font;
        m_state.size = size;
    }

    void switchTo(const RunFormat& f)
    {
        switchFont(f.font, f.size);
        if (f.color != m_state.color)
            word(QStringLiteral("cf%1").arg(f.color));
        if (f.highlight != m_state.highlight)
            word(QStringLiteral("highlight%1").arg(std::max(f.highlight, 0)));
        toggle(f.bold, m_state.bold, "b", "b0");
        toggle(f.italic, m_state.italic, "i", "i0");
        toggle(f.underline, m_state.underline, "ul", "ulnone");
        toggle(f.strike, m_state.strike, "strike", "strike0");
        m_state = f;
    }

    void toggle(bool wanted, bool current, const char* on, const char* off)
    {
        if (wanted != current)
            word(QString::fromLatin1(wanted ? on : off));
    }

    // A control word; the reader takes one blank after it as its end, so a blank is put
    // in front of the next plain character.
    void word(const QString& name)
    {
        m_body += u'\\' + name;
        m_delimit = true;
    }

    // A control symbol or escape ends by itself.
    void symbol(const QString& text)
    {
        m_body += text;
        m_delimit = false;
    }

    void plain(QChar c)
    {
        if (m_delimit)
            m_body += u' ';
        m_body += c;
        m_delimit = false;
    }

    void character(QChar c)
    {
        const char16_t u = c.unicode();
        if (u == QChar::LineSeparator)
            word(QStringLiteral("line"));
        else if (u == u'\t')
            word(QStringLiteral("tab"));
        else if (u == QChar::Nbsp)
            symbol(QStringLiteral("\\~"));
        else if (u == u'\\' || u == u'{' || u == u'}')
            symbol(u'\\' + QString(c));
        else if (u < 0x20 || u == QChar::ObjectReplacementCharacter ||
                 u == QChar::ParagraphSeparator)
            return;
        else if (u < 0x7F)
            plain(c);
        else
            symbol(QStringLiteral("\\u%1?").arg(u > 0x7FFF ? int(u) - 0x10000 : int(u)));
    }

    QString header() const
    {
        QString out = QStringLiteral("{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1{\\fonttbl");
        for (qsizetype i = 0; i < m_fonts.size(); ++i)
            out += QStringLiteral("{\\f%1\\fnil %2;}").arg(i).arg(fontTableName(m_fonts[i]));
        out += QStringLiteral("}{\\colortbl ;");
        for (const QRgb rgb : m_colours)
            out += QStringLiteral("\\red%1\\green%2\\blue%3;")
                       .arg(qRed(rgb))
                       .arg(qGreen(rgb))
                       .arg(qBlue(rgb));
        return out + QStringLiteral("}\n");
    }

    const QTextDocument& m_document;
    QStringList m_fonts;
    QList<QRgb> m_colours;
    QString m_body;
    RunFormat m_state;
    bool m_delimit = false;
};

} // namespace

std::int32_t halfPointsOf(const QFont& font)
{
    double halfPoints = 24;
    if (font.pixelSize() > 0)
        halfPoints = font.pixelSize() * 1.5;
    else if (font.pointSizeF() > 0)
        halfPoints = font.pointSizeF() * 2;
    return std::max<std::int32_t>(1, std::int32_t(std::nearbyint(halfPoints)));
}

QString documentToRtf(const QTextDocument& document)
{
    return RtfBuilder(document).build();
}

} // namespace vistarel::subtitle
