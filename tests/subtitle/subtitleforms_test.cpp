#include "subtitle/subtitleforms.h"

#include <gtest/gtest.h>

using namespace vistarel::subtitle;

TEST(SubtitleForms, RecognisesAndEncodesRtf)
{
    EXPECT_TRUE(IsRtfText(u"{\\rtf1\\ansi x}"_qs));
    EXPECT_FALSE(IsRtfText(u"{\\RTF1 x}"_qs));
    EXPECT_FALSE(IsRtfText(u" {\\rtf1"_qs));
    EXPECT_FALSE(IsRtfText(QString()));

    const QString rtf = u"{\\rtf1 ä}"_qs;
    EXPECT_EQ(EncodeSubtitleForProject(rtf), u"RTF:7B5C7274663120C3A47D"_qs);
    EXPECT_EQ(DecodeSubtitleFromProject(u"RTF:7B5C7274663120C3A47D"_qs), rtf);
    EXPECT_EQ(EncodeSubtitleForProject(u"Hello"_qs), u"Hello"_qs);
    EXPECT_EQ(DecodeSubtitleFromProject(u"Hello"_qs), u"Hello"_qs);
    EXPECT_EQ(DecodeSubtitleFromProject(u"RTF:7B5"_qs), u"{"_qs);
    EXPECT_EQ(DecodeSubtitleFromProject(u"RTF:ZZ41"_qs), QString(QChar(0)) + u'A');
    EXPECT_EQ(DecodeSubtitleFromProject(u"RTF:7b5c"_qs), u"{\\"_qs);
    EXPECT_EQ(DecodeSubtitleFromProject(u"rtf:41"_qs), u"rtf:41"_qs);
    EXPECT_EQ(BytesToHex(QByteArray("\x00\xAB", 2)), u"00AB"_qs);
    EXPECT_EQ(HexToBytes(u"00AB1"_qs), QByteArray("\x00\xAB", 2));
    EXPECT_TRUE(BytesToHex({}).isEmpty());
}

TEST(SubtitleForms, CountsLinesAndCharacters)
{
    const std::vector<std::pair<QString, SubtitleTextCount>> cases = {
        {u""_qs, {0, 0}},
        {u" \r\n \n"_qs, {0, 0}},
        {u"Hello\r\nWorld"_qs, {2, 10}},
        {u"A\n\n"_qs, {1, 1}},
        {u"\nA"_qs, {2, 1}},
        {u"a\rb\tc "_qs, {2, 4}},
        {u"\n\nx  \n "_qs, {3, 1}},
    };
    for (const auto& [text, count] : cases)
        EXPECT_EQ(CountSubtitleText(text), count) << text.toStdString();
}
