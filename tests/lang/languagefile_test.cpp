#include "lang/languagefile.h"
#include "lang/messagelist.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace vistarel::lang;

namespace {

QString shippedFile(const char* name)
{
    // The build copies the language files beside every executable.
    return QDir(QCoreApplication::applicationDirPath()).filePath(QLatin1String(name));
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

} // namespace

TEST(LanguageFile, UnwrapsAngleBracketsAndTreatsEmptyAsMissing)
{
    const auto file = LanguageFile::fromText(QStringLiteral(
        "[FormMain]\nStr12=< word >\nStr13=\nLabelStartTitle_Caption=Willkommen\nStr14=<>\n"));
    EXPECT_EQ(file.text(QStringLiteral("Str12")), u" word "_qs);
    EXPECT_FALSE(file.text(QStringLiteral("Str13")).has_value());
    EXPECT_EQ(file.text(QStringLiteral("labelstarttitle_caption")), u"Willkommen"_qs);
    EXPECT_EQ(file.text(QStringLiteral("Str14")), QString()); // "<>" is an empty text, not missing
}

TEST(MessageList, KeepsEarlierTextsForMissingKeys)
{
    MessageList messages;
    messages.load(LanguageFile::fromText(
        QStringLiteral("[FormMain]\nStr0=zero\nStr22=<Not found: >\nStr75=last\nStr76=beyond\n")));
    messages.load(LanguageFile::fromText(QStringLiteral("[FormMain]\nStr23=Media\nStr22=\n")));
    EXPECT_EQ(messages.str(22), u"Not found: "_qs);
    EXPECT_EQ(messages.str(23), u"Media"_qs);
    EXPECT_EQ(messages.str(75), u"last"_qs);
    EXPECT_EQ(messages.str(76), QString()); // LangStrings holds 1..75 only
    EXPECT_EQ(messages.message(76), u"beyond"_qs);
    EXPECT_EQ(messages.LangStrings()[0], QString());
    EXPECT_EQ(messages.message(0), u"zero"_qs);
}

TEST(LanguageFiles, ResolveFallsBackToEnglishAndMenuCodesComeFromNames)
{
    QTemporaryDir dir;
    writeFile(dir.filePath(QStringLiteral("en.ini")), "[FormMain]\n");
    writeFile(dir.filePath(QStringLiteral("Deutsch.ini")), "[FormMain]\n");
    EXPECT_EQ(resolveLanguageFile(dir.path(), QStringLiteral("EN")),
              dir.filePath(QStringLiteral("en.ini")));
    EXPECT_EQ(resolveLanguageFile(dir.path(), QStringLiteral("fr")),
              dir.filePath(QStringLiteral("en.ini")));
    EXPECT_EQ(languageCodeOfFile(QStringLiteral("Deutsch.ini")), u"DE"_qs);
    EXPECT_EQ(languageFilesIn(dir.path()).size(), 2);
    QFile::remove(dir.filePath(QStringLiteral("en.ini")));
    EXPECT_TRUE(resolveLanguageFile(dir.path(), QStringLiteral("fr")).isEmpty());
}

TEST(LanguageFiles, ShippedFilesHaveEveryMessageTheProgramUses)
{
    QList<int> used;
    for (int id = 1; id <= 29; ++id)
        used << id;
    used << 32 << 33 << 34 << 37 << 38 << 39 << 40;
    for (int id = 41; id <= 67; ++id)
        used << id;
    used << 71 << 72 << 73 << 74;
    for (const char* name : {"de.ini", "en.ini"}) {
        const QString path = shippedFile(name);
        ASSERT_TRUE(QFile::exists(path)) << name;
        MessageList messages;
        messages.load(LanguageFile::load(path));
        for (int id : used)
            EXPECT_FALSE(messages.message(id).isEmpty()) << name << " Str" << id;
    }
}
