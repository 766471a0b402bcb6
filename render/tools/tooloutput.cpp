// Reading what the tools write: frame numbers, lines, and the final encode's progress.
#include "render/tools/toolrunner.h"

#include <QRegularExpression>

#include <algorithm>
#include <cmath>
#include <limits>

namespace vistarel::render {

namespace {

bool isAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

} // namespace

int ParseFrameNumber(const QString& text)
{
    static const QString marker = QStringLiteral("frame=");
    const qsizetype at = text.indexOf(marker);
    if (at < 0)
        return 0;
    qsizetype i = at + marker.size();
    // The encoder pads the number with blanks; anything before the first digit is skipped.
    while (i < text.size() && !isAsciiDigit(text[i]))
        ++i;
    std::int64_t value = 0;
    bool anyDigit = false;
    for (; i < text.size() && isAsciiDigit(text[i]); ++i) {
        anyDigit = true;
        value = value * 10 + (text[i].unicode() - u'0');
        if (value > std::numeric_limits<std::int32_t>::max())
            return 0;
    }
    return anyDigit ? static_cast<int>(value) : 0;
}

QStringList splitOutputLines(const QString& text)
{
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
    if (text.isEmpty())
        return {};
    QStringList lines = text.split(lineBreak);
    // The piece after a final line break is not a line of its own.
    if (lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

int finalEncodePercent(int frame, double totalFrameCount)
{
    if (frame <= 0 || !(totalFrameCount > 0))
        return -1;
    const double half = std::nearbyint(frame / totalFrameCount * 50.0);
    return static_cast<int>(std::min(100.0, 50.0 + half));
}

FinalEncodeReader::FinalEncodeReader(Host& host, double TotalFrameCount)
    : m_host(&host)
    , m_totalFrameCount(TotalFrameCount)
{
}

void FinalEncodeReader::operator()(const QString& chunk) const
{
    QString trimmed = chunk.trimmed();
    m_host->appendLog(trimmed);
    trimmed.remove(u'\r');
    for (const QString& line : trimmed.split(u'\n')) {
        const int percent = finalEncodePercent(ParseFrameNumber(line.trimmed()), m_totalFrameCount);
        if (percent < 0)
            continue;
        m_host->setProgress(percent);
        if (percent % 5 == 0)
            m_host->pumpMessages();
    }
}

} // namespace vistarel::render
