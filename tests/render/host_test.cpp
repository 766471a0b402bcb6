#include "render/host.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace vistarel;

TEST(Host, LogSplitsLinesAndSavesThemWithCrLf)
{
    QTemporaryDir dir;
    lang::MessageList messages;
    messages.load(lang::LanguageFile::fromText(u"[FormMain]\nStr37=Failed\n"_qs));
    render::ConsoleHost host(dir.path(), messages);
    host.printDialogs = false;
    EXPECT_TRUE(host.AppDataDir().endsWith(u'/'));
    EXPECT_EQ(host.message(37), u"Failed"_qs);

    host.appendLog(u"one"_qs);
    host.appendLog(u"two\r\nthree\nfour"_qs);
    EXPECT_EQ(host.MemoLog(), (QStringList{u"one"_qs, u"two"_qs, u"three"_qs, u"four"_qs}));
    ASSERT_TRUE(host.saveLog(host.AppDataDir() + u"render.log"_qs));
    QFile log(host.AppDataDir() + u"render.log"_qs);
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    EXPECT_EQ(log.readAll(), "one\r\ntwo\r\nthree\r\nfour\r\n");

    host.answer = render::DialogResult::Cancel;
    EXPECT_EQ(host.taskDialog({u"i"_qs, u"c"_qs, u"f"_qs}), render::DialogResult::Cancel);
    host.messageBox(u"box"_qs);
    EXPECT_EQ(host.shownDialogs, (QStringList{u"i | c | f"_qs, u"box"_qs}));
}
