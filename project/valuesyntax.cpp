#include "project/valuesyntax.h"

#include <array>
#include <utility>

namespace vistarel::project {

namespace {

struct NamedColour
{
    const char* name;
    Colour value;
};

constexpr std::array<NamedColour, 20> kNamedColours = {{
    {"clBlack", 0x000000},   {"clMaroon", 0x000080}, {"clGreen", 0x008000},
    {"clOlive", 0x008080},   {"clNavy", 0x800000},   {"clPurple", 0x800080},
    {"clTeal", 0x808000},    {"clGray", 0x808080},   {"clSilver", 0xC0C0C0},
    {"clRed", 0x0000FF},     {"clLime", 0x00FF00},   {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000},    {"clFuchsia", 0xFF00FF}, {"clAqua", 0xFFFF00},
    {"clWhite", 0xFFFFFF},   {"clMoneyGreen", 0xC0DCC0}, {"clSkyBlue", 0xF0CAA6},
    {"clCream", 0xF0FBFF},   {"clMedGray", 0xA4A0A0},
}};

std::optional<std::uint64_t> parseDigits(QStringView digits, int base, std::uint64_t limit)
{
    if (digits.isEmpty())
        return std::nullopt;
    std::uint64_t value = 0;
    for (QChar c : digits) {
        const int d = (c >= u'0' && c <= u'9')   ? c.unicode() - u'0'
                      : (c >= u'a' && c <= u'f') ? c.unicode() - u'a' + 10
                      : (c >= u'A' && c <= u'F') ? c.unicode() - u'A' + 10
                                                 : 99;
        if (d >= base)
            return std::nullopt;
        value = value * base + d;
        if (value > limit)
            return std::nullopt;
    }
    return value;
}

} // namespace

std::optional<std::int32_t> parseProjectInteger(const QString& text)
{
    QStringView rest(text);
    bool negative = false;
    if (!rest.isEmpty() && (rest.front() == u'-' || rest.front() == u'+')) {
        negative = rest.front() == u'-';
        rest = rest.sliced(1);
    }
    if (rest.startsWith(u'$') || rest.startsWith(u"0x", Qt::CaseInsensitive)) {
        const auto bits = parseDigits(rest.sliced(rest.front() == u'$' ? 1 : 2), 16, 0xFFFFFFFFu);
        if (!bits)
            return std::nullopt;
        const auto value = static_cast<std::int32_t>(static_cast<std::uint32_t>(*bits));
        return negative ? static_cast<std::int32_t>(0u - static_cast<std::uint32_t>(value))
                        : value;
    }
    const auto magnitude = parseDigits(rest, 10, negative ? 2147483648u : 2147483647u);
    if (!magnitude)
        return std::nullopt;
    return negative ? static_cast<std::int32_t>(-static_cast<std::int64_t>(*magnitude))
                    : static_cast<std::int32_t>(*magnitude);
}

bool parseProjectBoolean(const QString& text)
{
    if (text.compare(QStringLiteral("true"), Qt::CaseInsensitive) == 0)
        return true;
    if (text.compare(QStringLiteral("false"), Qt::CaseInsensitive) == 0)
        return false;
    const auto number = parseProjectInteger(text);
    return number && *number != 0;
}

QString formatProjectBoolean(bool value)
{
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

std::optional<Colour> parseProjectColour(const QString& text)
{
    for (const NamedColour& named : kNamedColours) {
        if (text.compare(QLatin1String(named.name), Qt::CaseInsensitive) == 0)
            return named.value;
    }
    if (const auto number = parseProjectInteger(text))
        return static_cast<Colour>(*number);
    return std::nullopt;
}

QString formatProjectColour(Colour value)
{
    for (const NamedColour& named : kNamedColours) {
        if (named.value == value)
            return QLatin1String(named.name);
    }
    return QStringLiteral("$%1").arg(value, 8, 16, QLatin1Char('0')).toUpper();
}

} // namespace vistarel::project
