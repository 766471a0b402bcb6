#include "lang/inifile.h"
#include "lang/textdecoding.h"

#include <gtest/gtest.h>

using vistarel::lang::IniDocument;
using vistarel::lang::decodeTextFile;

TEST(IniDocument, ReadsSectionsAndKeysWithoutRegardToCase)
{
    const auto doc = IniDocument::parse(
        QStringLiteral("[Settings]\r\nResolutionX = 1280 \r\n; comment=1\r\n[image0]\nFILENAME=a.jpg\rDuration=3"));
    EXPECT_TRUE(doc.hasSection(QStringLiteral("SETTINGS")));
    EXPECT_EQ(doc.value(QStringLiteral("settings"), QStringLiteral("resolutionx")), u"1280"_qs);
    EXPECT_EQ(doc.value(QStringLiteral("Image0"), QStringLiteral("Filename")), u"a.jpg"_qs);
    EXPECT_EQ(doc.value(QStringLiteral("Image0"), QStringLiteral("Duration")), u"3"_qs);
    EXPECT_FALSE(doc.value(QStringLiteral("Settings"), QStringLiteral("; comment")).has_value());
}

TEST(IniDocument, FirstDuplicateWinsAndRepeatedSectionsContinue)
{
    const auto doc = IniDocument::parse(
        QStringLiteral("[A]\nk=1\nk=2\n[B]\nx=1\n[a]\nk=3\nm=4\n"));
    EXPECT_EQ(doc.value(QStringLiteral("A"), QStringLiteral("k")), u"1"_qs);
    EXPECT_EQ(doc.value(QStringLiteral("A"), QStringLiteral("m")), u"4"_qs);
}

TEST(IniDocument, ToleratesMalformedLines)
{
    const auto doc = IniDocument::parse(
        QStringLiteral("orphan=1\n[Open\n[]\nkey=in empty section\nno equals sign\n=value\n\n\n[Z]\nv==x"));
    EXPECT_FALSE(doc.hasSection(QStringLiteral("Open")));
    EXPECT_EQ(doc.value(QString(), QStringLiteral("key")), u"in empty section"_qs);
    EXPECT_EQ(doc.value(QStringLiteral("Z"), QStringLiteral("v")), u"=x"_qs);
    EXPECT_FALSE(doc.value(QStringLiteral("Z"), QStringLiteral("orphan")).has_value());
}

TEST(DecodeTextFile, HonoursByteOrderMarksAndFallsBackToLatin1)
{
    const QString text = QStringLiteral("Größe=ä");
    EXPECT_EQ(decodeTextFile(text.toUtf8()), text);
    EXPECT_EQ(decodeTextFile("\xEF\xBB\xBF" + text.toUtf8()), text);

    QByteArray le("\xFF\xFE", 2);
    QByteArray be("\xFE\xFF", 2);
    for (QChar c : text) {
        le.append(char(c.unicode() & 0xFF)).append(char(c.unicode() >> 8));
        be.append(char(c.unicode() >> 8)).append(char(c.unicode() & 0xFF));
    }
    EXPECT_EQ(decodeTextFile(le), text);
    EXPECT_EQ(decodeTextFile(be), text);
    EXPECT_EQ(decodeTextFile(text.toLatin1()), text); // not UTF-8: an 8-bit code page
}
