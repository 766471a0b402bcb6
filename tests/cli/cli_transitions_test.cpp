// vistarel-cli transitions: the effect list and the contact sheet.
#include "clirun.h"

#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using vistarel::cli::test::CliRun;

namespace {

CliRun transitions(const QStringList& args)
{
    return vistarel::cli::test::runCli(QStringList{u"transitions"_qs} + args);
}

} // namespace

TEST(CliTransitions, ListsEveryEffectWithItsOrdinalAndFamily)
{
    const CliRun run = transitions({u"--list"_qs});
    ASSERT_EQ(run.exitCode, 0) << run.err.constData();
    const QList<QByteArray> lines = run.out.trimmed().split('\n');
    ASSERT_EQ(lines.size(), 251);
    EXPECT_EQ(lines[1].simplified(), "1 CrossDissolve FADE");
    EXPECT_EQ(lines[250].simplified(), "250 PanZoom PANZOOM");
}

TEST(CliTransitions, DrawsOneRowPerEffect)
{
    QTemporaryDir dir;
    auto sheetOf = [&](const QString& effects) {
        const QString path = dir.filePath(effects + u".png"_qs);
        const CliRun run =
            transitions({u"--sheet"_qs, path, u"--size"_qs, u"64x36"_qs, u"--effects"_qs, effects});
        EXPECT_EQ(run.exitCode, 0) << run.err.constData();
        return QImage(path);
    };
    const QImage one = sheetOf(u"5"_qs);
    const QImage two = sheetOf(u"117,118"_qs);
    const QImage three = sheetOf(u"PanZoom,1-2"_qs);
    ASSERT_FALSE(one.isNull());
    const int row = two.height() - one.height();
    EXPECT_GT(row, 36);
    EXPECT_EQ(three.height() - one.height(), 2 * row);
    EXPECT_EQ(three.width(), one.width());
    EXPECT_GT(one.width(), 6 * 64);
}

TEST(CliTransitions, RejectsBadSizesAndUnknownEffects)
{
    QTemporaryDir dir;
    const QString sheet = dir.filePath(u"sheet.png"_qs);
    EXPECT_EQ(transitions({u"--sheet"_qs, sheet, u"--size"_qs, u"0x10"_qs}).exitCode, 2);
    EXPECT_EQ(transitions({u"--sheet"_qs, sheet, u"--size"_qs, u"wide"_qs}).exitCode, 2);
    const CliRun unknown = transitions({u"--sheet"_qs, sheet, u"--effects"_qs, u"3,Nope"_qs});
    EXPECT_EQ(unknown.exitCode, 2);
    EXPECT_TRUE(unknown.err.contains("Nope"));
    EXPECT_EQ(transitions({}).exitCode, 2);
    EXPECT_FALSE(QFile::exists(sheet));
}
