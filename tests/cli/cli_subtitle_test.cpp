// vistarel-cli rtf and subtitle, run as a user would.
#include "clirun.h"

#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using vistarel::cli::test::CliRun;

namespace {

CliRun cli(const QStringList& args)
{
    return vistarel::cli::test::runCli(args);
}

QString writeFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes)
{
    QFile file(dir.filePath(name));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return file.fileName();
}

} // namespace

TEST(CliSubtitle, RtfJsonShowsTheParsedDocument)
{
    QTemporaryDir dir;
    const QString path = writeFile(dir, u"s.rtf"_qs,
                                   "{\\rtf1{\\fonttbl{\\f0 Arial;}{\\f1 Courier New;}}"
                                   "{\\colortbl ;\\red255\\green0\\blue0;}"
                                   "\\qc\\f1\\fs48\\cf1\\b\\highlight1 Hi\\par\\fs30\\par x}");
    const CliRun run = cli({u"rtf"_qs, u"--json"_qs, path});
    ASSERT_EQ(run.exitCode, 0);
    const QJsonObject doc = QJsonDocument::fromJson(run.out).object();
    EXPECT_EQ(doc[u"fonts"_qs][1][u"name"_qs].toString(), u"Courier New"_qs);
    EXPECT_EQ(doc[u"fonts"_qs][1][u"number"_qs].toInt(), 1);
    EXPECT_EQ(doc[u"colors"_qs].toArray(), (QJsonArray{-1, 255}));
    const QJsonArray paras = doc[u"paragraphs"_qs].toArray();
    ASSERT_EQ(paras.size(), 3);
    EXPECT_EQ(paras[0][u"align"_qs].toInt(), 1);
    EXPECT_EQ(paras[1][u"runs"_qs].toArray().size(), 0);
    EXPECT_EQ(paras[1][u"emptySize"_qs].toInt(), 30);
    EXPECT_EQ(paras[1][u"emptyFont"_qs].toInt(), 1);
    const QJsonObject run0 = paras[0][u"runs"_qs][0].toObject();
    EXPECT_EQ(run0, (QJsonObject{{u"text"_qs, u"Hi"_qs},
                                 {u"fontIdx"_qs, 1},
                                 {u"size"_qs, 48},
                                 {u"colorIdx"_qs, 1},
                                 {u"hlIdx"_qs, 1},
                                 {u"bold"_qs, true},
                                 {u"italic"_qs, false},
                                 {u"underline"_qs, false},
                                 {u"strike"_qs, false}}));

    const CliRun readable = cli({u"rtf"_qs, path});
    EXPECT_EQ(readable.exitCode, 0);
    EXPECT_TRUE(readable.out.contains("Courier New"));
    EXPECT_EQ(cli({u"rtf"_qs, dir.filePath(u"missing.rtf"_qs)}).exitCode, 1);
    EXPECT_EQ(cli({u"rtf"_qs}).exitCode, 2);
}

TEST(CliSubtitle, DrawsOntoAGreyPicture)
{
    QTemporaryDir dir;
    const QString rtfFile = writeFile(dir, u"s.rtf"_qs, "{\\rtf1\\qc\\fs48 Hi there}");
    const QString out = dir.filePath(u"out.png"_qs);
    const struct
    {
        QStringList args;
        QSize size;
    } cases[] = {
        {{rtfFile, u"--size"_qs, u"320x180"_qs}, {320, 180}},
        {{u"Plain text"_qs, u"--color"_qs, u"FF0000"_qs, u"--size-class=2"_qs}, {1920, 1080}},
    };
    for (const auto& c : cases) {
        QFile::remove(out);
        ASSERT_EQ(
            cli(QStringList{u"subtitle"_qs} + c.args + QStringList{u"--out"_qs, out}).exitCode, 0);
        const QImage image(out);
        ASSERT_EQ(image.size(), c.size);
        EXPECT_EQ(image.pixelColor(0, 0), QColor(128, 128, 128));
        int changed = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                changed += image.pixelColor(x, y) != QColor(128, 128, 128);
        EXPECT_GT(changed, 20) << c.args.first().toStdString();
    }
    // The plain text is red.
    const QImage plain(out);
    bool red = false;
    for (int y = plain.height() / 2; y < plain.height(); ++y)
        for (int x = 0; x < plain.width(); ++x)
            red |= plain.pixelColor(x, y) == QColor(255, 0, 0);
    EXPECT_TRUE(red);

    for (const QStringList& bad : {QStringList{u"x"_qs},
                                   {u"x"_qs, u"--out"_qs},
                                   {u"x"_qs, u"--out"_qs, out, u"--size"_qs, u"0x5"_qs},
                                   {u"x"_qs, u"--out"_qs, out, u"--color"_qs, u"red"_qs}})
        EXPECT_EQ(cli(QStringList{u"subtitle"_qs} + bad).exitCode, 2)
            << bad.join(u' ').toStdString();
    EXPECT_EQ(
        cli({u"subtitle"_qs, u"x"_qs, u"--out"_qs, dir.filePath(u"no/dir/x.png"_qs)}).exitCode, 1);
}
