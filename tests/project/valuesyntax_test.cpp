#include "project/valuesyntax.h"

#include <gtest/gtest.h>

using namespace vistarel::project;

TEST(ProjectValueSyntax, Integers)
{
    const std::vector<std::pair<const char*, std::optional<std::int32_t>>> cases = {
        {"4", 4},           {"-12", -12},        {"+7", 7},
        {"$FF", 255},       {"0x1f", 31},        {"0XFF", 255},
        {"$FFFFFFFF", -1},  {"-$10", -16},       {"2147483647", INT32_MAX},
        {"-2147483648", INT32_MIN}, {"2147483648", std::nullopt},
        {"99999999999999999999", std::nullopt}, {"$123456789", std::nullopt},
        {"", std::nullopt}, {"-", std::nullopt}, {"$", std::nullopt},
        {"4a", std::nullopt}, {" 4", std::nullopt}, {"1.5", std::nullopt},
    };
    for (const auto& [text, value] : cases)
        EXPECT_EQ(parseProjectInteger(QString::fromUtf8(text)), value) << text;
}

TEST(ProjectValueSyntax, BooleansAndColours)
{
    for (const char* yes : {"True", "TRUE", "true", "1", "-1", "$10"})
        EXPECT_TRUE(parseProjectBoolean(QLatin1String(yes))) << yes;
    for (const char* no : {"False", "false", "0", "yes", "", "on"})
        EXPECT_FALSE(parseProjectBoolean(QLatin1String(no))) << no;

    for (const char* red : {"clRed", "CLRED", "$000000FF", "255"})
        EXPECT_EQ(parseProjectColour(QLatin1String(red)), 0x0000FFu) << red;
    EXPECT_FALSE(parseProjectColour(u"reddish"_qs).has_value());
    EXPECT_EQ(formatProjectColour(0x0000FF), u"clRed"_qs);
    EXPECT_EQ(formatProjectColour(0xFFFFFF), u"clWhite"_qs);
    EXPECT_EQ(formatProjectColour(0x123456), u"$00123456"_qs);
    EXPECT_EQ(formatProjectColour(0xFF000005), u"$FF000005"_qs);
}
