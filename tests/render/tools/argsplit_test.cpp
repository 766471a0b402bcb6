#include "render/tools/argsplit.h"

#include <gtest/gtest.h>

using namespace vistarel;

TEST(ArgumentText, SplitsAsTheWindowsCommandLine)
{
    struct Case
    {
        QString text;
        QStringList arguments;
    };
    const Case cases[] = {
        {u""_qs, {}},
        {u" \t "_qs, {}},
        {u"-v  error\t-y"_qs, {u"-v"_qs, u"error"_qs, u"-y"_qs}},
        {uR"("a b c" d e)"_qs, {u"a b c"_qs, u"d"_qs, u"e"_qs}},
        {uR"("ab\"c" "\\" d)"_qs, {u"ab\"c"_qs, u"\\"_qs, u"d"_qs}},
        {uR"(a\\\b d"e f"g h)"_qs, {uR"(a\\\b)"_qs, u"de fg"_qs, u"h"_qs}},
        {uR"(a\\\"b c d)"_qs, {uR"(a\"b)"_qs, u"c"_qs, u"d"_qs}},
        {uR"(a\\\\"b c" d e)"_qs, {uR"(a\\b c)"_qs, u"d"_qs, u"e"_qs}},
        {uR"(a"b"" c d)"_qs, {uR"(ab" c d)"_qs}},
        {uR"("" x "")"_qs, {u""_qs, u"x"_qs, u""_qs}},
        {uR"(-vf "scale='min(1280,iw)':-2" -q:v 3)"_qs,
         {u"-vf"_qs, u"scale='min(1280,iw)':-2"_qs, u"-q:v"_qs, u"3"_qs}},
        {uR"(-i "/tmp/Mäd 'x'/clip.mp4" "unclosed part)"_qs,
         {u"-i"_qs, u"/tmp/Mäd 'x'/clip.mp4"_qs, u"unclosed part"_qs}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(render::splitArgumentText(c.text), c.arguments) << c.text.toStdString();
}

TEST(ArgumentText, EscapedValuesComeBackWhole)
{
    const QString values[] = {
        u"/home/me/Videos/clip.mp4"_qs, u"with blank"_qs, u"Mäd 'it's'"_qs, u"a\"b"_qs,
        u"\""_qs, uR"(ends in \)"_qs, uR"(ends in \\)"_qs, uR"(a\"b)"_qs, uR"(a\\"b)"_qs,
        uR"(\\server\share\)"_qs, u""_qs, u"tab\there"_qs,
    };
    for (const QString& value : values) {
        const QString text = u"-i \""_qs + render::escapeInsideQuotes(value) + u"\" -y"_qs;
        EXPECT_EQ(render::splitArgumentText(text), (QStringList{u"-i"_qs, value, u"-y"_qs}))
            << text.toStdString();
    }
    // Ordinary paths keep the text the user reads in the log.
    EXPECT_EQ(render::escapeInsideQuotes(u"/tmp/Mäd 'x'/a b.mp4"_qs), u"/tmp/Mäd 'x'/a b.mp4"_qs);
}
