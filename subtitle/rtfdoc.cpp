#include "subtitle/rtfdoc.h"

namespace vistarel::subtitle {

namespace {

bool isControlOrBlank(QChar c)
{
    return c.unicode() <= 0x20;
}

} // namespace

QString TRtfPara::text() const
{
    QString joined;
    for (const TRtfRun& run : Runs)
        joined += run.Text;
    return joined;
}

QString TRtfDoc::FontName(std::int32_t idx) const
{
    const auto found = Fonts.find(idx);
    if (found != Fonts.end() && !isBlankText(found->second))
        return found->second;
    return QStringLiteral("Tahoma");
}

std::uint32_t TRtfDoc::ColorOf(std::int32_t idx, std::uint32_t defColor) const
{
    if (idx < 0 || static_cast<std::size_t>(idx) >= Colors.size() || Colors[idx] < 0)
        return defColor;
    return static_cast<std::uint32_t>(Colors[idx]);
}

QString trimControls(const QString& text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isControlOrBlank(text[begin]))
        ++begin;
    while (end > begin && isControlOrBlank(text[end - 1]))
        --end;
    return text.sliced(begin, end - begin);
}

bool isBlankText(QStringView text)
{
    for (QChar c : text)
        if (!isControlOrBlank(c))
            return false;
    return true;
}

} // namespace vistarel::subtitle
