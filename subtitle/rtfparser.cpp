#include "subtitle/rtfparser.h"

#include "subtitle/subtitleforms.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <mutex>
#include <string_view>
#include <utility>

namespace vistarel::subtitle {

namespace {

std::atomic<std::uint64_t> parseCount{0};

// The formatting in force at a point of the text; saved and restored by groups.
struct TRtfState
{
    std::int32_t Font = 0;
    std::int32_t Size = 24;
    std::int32_t Color = 0;
    std::int32_t Highlight = -1;
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool Strike = false;
    std::int32_t Align = 0;
    std::int32_t UC = 1;
};

enum class Destination { Text, FontTable, ColorTable };

// Destinations whose whole content is skipped, besides every \* destination.
constexpr std::array<std::u16string_view, 26> kSkippedDestinations = {
    u"stylesheet", u"info",      u"pict",         u"listtable", u"listoverridetable", u"generator",
    u"header",     u"footer",    u"headerl",      u"headerr",   u"footerl",           u"footerr",
    u"object",     u"themedata", u"colormapping", u"datastore", u"latentstyles",      u"rsidtbl",
    u"revtbl",     u"xmlnstbl",  u"fldinst",      u"bkmkstart", u"bkmkend",           u"private",
    u"nonshppict", u"shppict"};

// Control words that insert one fixed character.
constexpr std::array<std::pair<std::u16string_view, char16_t>, 7> kSymbolWords = {{
    {u"emdash", u'\u2014'},
    {u"endash", u'\u2013'},
    {u"lquote", u'\u2018'},
    {u"rquote", u'\u2019'},
    {u"ldblquote", u'\u201C'},
    {u"rdblquote", u'\u201D'},
    {u"bullet", u'\u2022'},
}};

// Bytes 0x80..0x9F of Windows-1252; 0 marks the five bytes the code page leaves undefined.
constexpr std::array<char16_t, 32> kWindows1252High = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

QChar decodeWindows1252(int byte)
{
    if (byte < 0x80 || byte >= 0xA0)
        return QChar(static_cast<char16_t>(byte));
    const char16_t c = kWindows1252High[static_cast<std::size_t>(byte - 0x80)];
    return c ? QChar(c) : QChar(u'?');
}

bool isAsciiLetter(char16_t c)
{
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}

bool isDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

struct ControlWord
{
    std::u16string_view name;
    bool hasParam = false;
    std::int32_t value = 0; // 0 when there is no parameter
    bool on() const { return !hasParam || value != 0; }
};

class RtfReader
{
public:
    explicit RtfReader(const QString& text)
        : m_text(text)
    {
    }
    TRtfDoc read();

private:
    char16_t at(qsizetype i) const { return i < m_text.size() ? m_text[i].unicode() : u'\0'; }
    bool inText() const { return m_dest == Destination::Text; }
    bool skipping() const { return m_skipDepth > 0; }

    void groupStart();
    void groupEnd();
    void plainCharacter();
    bool backslash();
    void hexEscape();
    void textSymbol(QStringView text);
    void controlWord();
    ControlWord readControlWord();
    void applyTextWord(const ControlWord& word);
    bool applyFormatWord(const ControlWord& word);
    bool takeFallback();
    void appendText(QStringView piece);
    void endParagraph();
    void endFontEntry();
    void endColorEntry();
    void finish();

    const QString& m_text;
    qsizetype m_pos = 0;
    TRtfState m_state;
    std::vector<TRtfState> m_stack;
    qint64 m_depth = 0;
    qint64 m_skipDepth = 0;
    Destination m_dest = Destination::Text;
    qint64 m_destDepth = 0;
    std::int32_t m_pending = 0;
    std::int32_t m_fontNumber = 0;
    QString m_fontName;
    std::int32_t m_red = -1;
    std::int32_t m_green = -1;
    std::int32_t m_blue = -1;
    TRtfDoc m_doc;
    TRtfPara m_para;
};

TRtfDoc RtfReader::read()
{
    while (m_pos < m_text.size()) {
        const char16_t c = m_text[m_pos].unicode();
        if (c == u'{') {
            groupStart();
        } else if (c == u'}') {
            groupEnd();
        } else if (c == u'\\') {
            if (!backslash())
                break;
        } else {
            plainCharacter();
        }
    }
    finish();
    return std::move(m_doc);
}

void RtfReader::groupStart()
{
    m_stack.push_back(m_state);
    ++m_depth;
    ++m_pos;
    if (m_skipDepth != 0 || at(m_pos) != u'\\')
        return;
    if (at(m_pos + 1) == u'*') {
        m_skipDepth = m_depth;
        return;
    }
    // The word is only looked at here; the main loop reads it again as a control word.
    qsizetype end = m_pos + 1;
    while (isAsciiLetter(at(end)))
        ++end;
    const QStringView view = QStringView(m_text).sliced(m_pos + 1, end - m_pos - 1);
    const std::u16string_view word(view.utf16(), static_cast<std::size_t>(view.size()));
    if (std::find(kSkippedDestinations.begin(), kSkippedDestinations.end(), word) !=
        kSkippedDestinations.end()) {
        m_skipDepth = m_depth;
    } else if (word == u"fonttbl") {
        m_dest = Destination::FontTable;
        m_destDepth = m_depth;
    } else if (word == u"colortbl") {
        m_dest = Destination::ColorTable;
        m_destDepth = m_depth;
        m_red = m_green = m_blue = -1;
    }
}

void RtfReader::groupEnd()
{
    if (m_dest != Destination::Text && m_depth == m_destDepth)
        m_dest = Destination::Text;
    if (m_skipDepth > 0 && m_skipDepth == m_depth)
        m_skipDepth = 0;
    if (!m_stack.empty()) {
        m_state = m_stack.back();
        m_stack.pop_back();
    }
    --m_depth;
    ++m_pos;
}

void RtfReader::plainCharacter()
{
    const QChar c = m_text[m_pos];
    ++m_pos;
    if (c == u'\r' || c == u'\n' || skipping())
        return;
    switch (m_dest) {
    case Destination::FontTable:
        if (c == u';')
            endFontEntry();
        else
            m_fontName += c;
        break;
    case Destination::ColorTable:
        if (c == u';')
            endColorEntry();
        break;
    case Destination::Text:
        if (!takeFallback())
            appendText(QStringView(&c, 1));
        break;
    }
}

// Returns false when the text ends right after the backslash: the parse stops there.
bool RtfReader::backslash()
{
    ++m_pos;
    if (m_pos >= m_text.size())
        return false;
    const char16_t c = m_text[m_pos].unicode();
    if (isAsciiLetter(c)) {
        controlWord();
        return true;
    }
    if (c == u'\'') {
        hexEscape();
        return true;
    }
    ++m_pos;
    switch (c) {
    case u'\\':
    case u'{':
    case u'}':
        textSymbol(QStringView(m_text).sliced(m_pos - 1, 1));
        break;
    case u'~':
        textSymbol(u"\u00A0");
        break;
    case u'_':
        textSymbol(u"-");
        break;
    case u'-':
        textSymbol(u"");
        break;
    default:
        break; // \*, escaped line breaks and unknown symbols have no effect
    }
    return true;
}

// A symbol that stands for text in normal text: it may be a fallback character.
void RtfReader::textSymbol(QStringView text)
{
    if (skipping() || !inText() || takeFallback())
        return;
    appendText(text);
}

void RtfReader::hexEscape()
{
    const int hi = hexDigitValue(at(m_pos + 1));
    const int lo = hexDigitValue(at(m_pos + 2));
    const int byte = (hi < 0 || lo < 0) ? int('?') : hi * 16 + lo;
    m_pos += 3;
    if (skipping() || takeFallback())
        return;
    const QChar c = decodeWindows1252(byte);
    if (m_dest == Destination::FontTable)
        m_fontName += c;
    else if (m_dest == Destination::Text)
        appendText(QStringView(&c, 1));
}

ControlWord RtfReader::readControlWord()
{
    ControlWord word;
    const qsizetype start = m_pos;
    while (isAsciiLetter(at(m_pos)))
        ++m_pos;
    word.name = std::u16string_view(QStringView(m_text).utf16() + start,
                                    static_cast<std::size_t>(m_pos - start));
    const bool minus = at(m_pos) == u'-';
    qsizetype digit = minus ? m_pos + 1 : m_pos;
    std::int32_t value = 0;
    while (isDigit(at(digit))) {
        if (value < 100000000)
            value = value * 10 + (at(digit) - u'0');
        ++digit;
    }
    if (digit > (minus ? m_pos + 1 : m_pos)) {
        word.hasParam = true;
        word.value = minus ? -value : value;
        m_pos = digit;
    }
    if (at(m_pos) == u' ')
        ++m_pos;
    return word;
}

void RtfReader::controlWord()
{
    const ControlWord word = readControlWord();
    if (skipping())
        return;
    switch (m_dest) {
    case Destination::FontTable:
        if (word.name == u"f" && word.hasParam)
            m_fontNumber = word.value;
        break;
    case Destination::ColorTable:
        if (word.name == u"red")
            m_red = word.value;
        else if (word.name == u"green")
            m_green = word.value;
        else if (word.name == u"blue")
            m_blue = word.value;
        break;
    case Destination::Text:
        applyTextWord(word);
        break;
    }
}

// Character and paragraph formats; returns false for a word that is none of them.
bool RtfReader::applyFormatWord(const ControlWord& w)
{
    TRtfState& s = m_state;
    const std::u16string_view n = w.name;
    if (n == u"f")
        s.Font = w.value;
    else if (n == u"fs")
        s.Size = w.hasParam ? w.value : 24;
    else if (n == u"cf")
        s.Color = w.value;
    else if (n == u"highlight" || n == u"chcbpat" || n == u"cb")
        s.Highlight = (w.hasParam && w.value >= 1) ? w.value : -1;
    else if (n == u"b")
        s.Bold = w.on();
    else if (n == u"i")
        s.Italic = w.on();
    else if (n == u"ul")
        s.Underline = w.on();
    else if (n == u"ulnone")
        s.Underline = false;
    else if (n == u"ulw" || n == u"uld" || n == u"uldb" || n == u"ulth")
        s.Underline = true;
    else if (n == u"strike" || n == u"striked")
        s.Strike = w.on();
    else if (n == u"plain")
        s = TRtfState{.Align = s.Align, .UC = s.UC};
    else if (n == u"pard" || n == u"ql")
        s.Align = 0;
    else if (n == u"qc")
        s.Align = 1;
    else if (n == u"qr")
        s.Align = 2;
    else if (n == u"qj")
        s.Align = 3;
    else if (n == u"uc")
        s.UC = w.hasParam ? w.value : 1;
    else
        return false;
    return true;
}

void RtfReader::applyTextWord(const ControlWord& w)
{
    if (applyFormatWord(w))
        return;
    const std::u16string_view n = w.name;
    if (n == u"par") {
        endParagraph();
    } else if (n == u"line") {
        appendText(u"\n");
    } else if (n == u"tab") {
        appendText(u"    ");
    } else if (n == u"u") {
        std::int32_t code = w.hasParam ? w.value : 63;
        if (code < 0)
            code += 65536;
        const QChar c(static_cast<char16_t>(static_cast<std::uint32_t>(code) & 0xFFFFu));
        appendText(QStringView(&c, 1));
        m_pending = m_state.UC;
    } else {
        for (const auto& [name, symbol] : kSymbolWords) {
            if (n == name) {
                appendText(QStringView(&symbol, 1));
                break;
            }
        }
    }
}

bool RtfReader::takeFallback()
{
    if (m_pending < 1)
        return false;
    --m_pending;
    return true;
}

void RtfReader::appendText(QStringView piece)
{
    if (piece.isEmpty())
        return;
    const TRtfState& s = m_state;
    const TRtfRun format{QString(), s.Font,   s.Size,      s.Color, s.Highlight,
                         s.Bold,    s.Italic, s.Underline, s.Strike};
    if (!m_para.Runs.empty()) {
        TRtfRun& last = m_para.Runs.back();
        TRtfRun lastFormat = last;
        lastFormat.Text.clear();
        if (lastFormat == format) {
            last.Text += piece;
            return;
        }
    }
    TRtfRun run = format;
    run.Text = piece.toString();
    m_para.Runs.push_back(std::move(run));
}

void RtfReader::endParagraph()
{
    m_para.Align = m_state.Align;
    m_para.EmptyFont = m_state.Font;
    m_para.EmptySize = m_state.Size;
    m_doc.Paras.push_back(std::move(m_para));
    m_para = TRtfPara();
}

void RtfReader::endFontEntry()
{
    m_doc.Fonts[m_fontNumber] = trimControls(m_fontName);
    m_fontName.clear();
}

void RtfReader::endColorEntry()
{
    if (m_red < 0 && m_green < 0 && m_blue < 0) {
        m_doc.Colors.push_back(-1);
    } else {
        const auto channel = [](std::int32_t v) { return v < 0 ? 0 : (v & 0xFF); };
        m_doc.Colors.push_back(channel(m_red) | channel(m_green) << 8 | channel(m_blue) << 16);
    }
    m_red = m_green = m_blue = -1;
}

void RtfReader::finish()
{
    if (!m_para.Runs.empty())
        endParagraph();
    while (!m_doc.Paras.empty() && isBlankText(m_doc.Paras.back().text()))
        m_doc.Paras.pop_back();
}

} // namespace

TRtfDoc ParseRtf(const QString& text)
{
    parseCount.fetch_add(1, std::memory_order_relaxed);
    return RtfReader(text).read();
}

std::shared_ptr<const TRtfDoc> GetParsedRtf(const QString& text)
{
    static std::mutex mutex;
    static QString cachedText;
    static std::shared_ptr<const TRtfDoc> cachedDoc;
    const std::lock_guard lock(mutex);
    if (!cachedDoc || cachedText != text) {
        cachedDoc = std::make_shared<const TRtfDoc>(ParseRtf(text));
        cachedText = text;
    }
    return cachedDoc;
}

std::uint64_t rtfParseCount()
{
    return parseCount.load(std::memory_order_relaxed);
}

} // namespace vistarel::subtitle
