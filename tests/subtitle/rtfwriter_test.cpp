#include "subtitle/rtfwriter.h"

#include "subtitle/rtfparser.h"

#include <QFont>
#include <QStringList>
#include <QTextCursor>
#include <QTextDocument>

#include <gtest/gtest.h>

#include <functional>

using namespace vistarel::subtitle;

namespace {

// The subtitle editor's starting point: Tahoma 37 px, new paragraphs centred.
void prepare(QTextDocument& doc)
{
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(37);
    doc.setDefaultFont(font);
    QTextOption option = doc.defaultTextOption();
    option.setAlignment(Qt::AlignHCenter);
    doc.setDefaultTextOption(option);
}

QString colourName(std::uint32_t c)
{
    return QStringLiteral("#%1").arg(c, 6, 16, QChar(u'0'));
}

// What the reader understood, with fonts and colours resolved through the tables (so
// the table order does not matter): P<align> then each run as [text|font|size|colour]
// plus /h<highlight> and the style letters b, i, u, x when present.
QString readBack(const QString& rtf)
{
    const TRtfDoc doc = ParseRtf(rtf);
    QStringList paras;
    for (const TRtfPara& para : doc.Paras) {
        QString p = u'P' + QString::number(para.Align);
        if (para.Runs.empty())
            p += QStringLiteral("(%1 %2)").arg(doc.FontName(para.EmptyFont)).arg(para.EmptySize);
        for (const TRtfRun& r : para.Runs) {
            QString run = QStringLiteral("[%1|%2|%3|%4")
                              .arg(r.Text, doc.FontName(r.FontIdx))
                              .arg(r.Size)
                              .arg(r.ColorIdx == 0 ? QStringLiteral("auto")
                                                   : colourName(doc.ColorOf(r.ColorIdx, 0)));
            if (r.HlIdx >= 0)
                run += QStringLiteral("/h") + colourName(doc.ColorOf(r.HlIdx, 0));
            QString flags;
            for (const auto& [on, letter] : {std::pair{r.Bold, u'b'}, std::pair{r.Italic, u'i'},
                                             std::pair{r.Underline, u'u'}, std::pair{r.Strike, u'x'}})
                if (on)
                    flags += QChar(letter);
            if (!flags.isEmpty())
                run += u'/' + flags;
            p += run + u']';
        }
        paras << p;
    }
    return paras.join(u' ');
}

QTextCharFormat formatOf(const std::function<void(QTextCharFormat&)>& change)
{
    QTextCharFormat f;
    change(f);
    return f;
}

void setAlignment(QTextCursor& cursor, Qt::Alignment alignment)
{
    QTextBlockFormat block;
    block.setAlignment(alignment);
    cursor.mergeBlockFormat(block);
}

struct Case
{
    const char* name;
    std::function<void(QTextCursor&)> type;
    QString expected;
};

} // namespace

TEST(RtfWriter, WhatTheEditorHoldsIsWhatTheReaderReads)
{
    const QColor red(0xE0, 0x10, 0x20);
    const std::vector<Case> cases = {
        {"default format", [](QTextCursor& c) { c.insertText(QStringLiteral("Hello")); },
         u"P1[Hello|Tahoma|56|auto]"_qs},
        {"styles and colours",
         [&](QTextCursor& c) {
             c.insertText(QStringLiteral("a "));
             c.insertText(QStringLiteral("b"), formatOf([&](QTextCharFormat& f) {
                              f.setFontWeight(QFont::Bold);
                              f.setForeground(red);
                          }));
             c.insertText(QStringLiteral(" c"), formatOf([](QTextCharFormat& f) {
                              f.setFontItalic(true);
                              f.setFontUnderline(true);
                              f.setBackground(QColor(255, 255, 0));
                          }));
             c.insertText(QStringLiteral("d"), formatOf([](QTextCharFormat& f) {
                              f.setFontStrikeOut(true);
                              f.setFontFamilies({QStringLiteral("DejaVu Serif")});
                              f.setFontPointSize(20);
                          }));
         },
         u"P1[a |Tahoma|56|auto][b|Tahoma|56|#2010e0/b][ c|Tahoma|56|auto/h#00ffff/iu]"
         u"[d|DejaVu Serif|40|auto/x]"_qs},
        // A blank right after a control word, a digit after a size and escapes.
        {"delimiters and escapes",
         [](QTextCursor& c) {
             c.insertText(QStringLiteral("x"));
             c.insertText(QStringLiteral(" 5\\{}"), formatOf([](QTextCharFormat& f) {
                              f.setProperty(QTextFormat::FontPixelSize, 20);
                          }));
         },
         u"P1[x|Tahoma|56|auto][ 5\\{}|Tahoma|30|auto]"_qs},
        {"line breaks, tabs and other characters",
         [](QTextCursor& c) {
             c.insertText(u"Grüße\u2028\tA\u00A0€ 😀 \u0416"_qs);
         },
         u"P1[Grüße\n    A\u00A0€ 😀 \u0416|Tahoma|56|auto]"_qs},
        // Each paragraph its own alignment; an empty one keeps its font and size; the
        // empty last paragraph is not text.
        {"paragraphs",
         [](QTextCursor& c) {
             setAlignment(c, Qt::AlignLeft);
             c.insertText(QStringLiteral("left"));
             c.insertBlock({}, formatOf([](QTextCharFormat& f) { f.setFontPointSize(12); }));
             c.insertBlock();
             setAlignment(c, Qt::AlignRight);
             c.insertText(QStringLiteral("right"));
             c.insertBlock();
             setAlignment(c, Qt::AlignJustify);
             c.insertText(QStringLiteral("justified"));
             c.insertBlock();
             c.insertBlock();
         },
         u"P0[left|Tahoma|56|auto] P1(Tahoma 24) P2[right|Tahoma|24|auto] "
         u"P3[justified|Tahoma|24|auto]"_qs},
        {"empty document", [](QTextCursor&) {}, QString()},
    };
    for (const Case& test : cases) {
        QTextDocument doc;
        prepare(doc);
        QTextCursor cursor(&doc);
        test.type(cursor);
        const QString rtf = documentToRtf(doc);
        EXPECT_TRUE(rtf.startsWith(u"{\\rtf1"_qs)) << test.name;
        EXPECT_EQ(readBack(rtf).toStdString(), test.expected.toStdString())
            << test.name << "\n"
            << rtf.toStdString();
    }
}

TEST(RtfWriter, HalfPointsOfPixelAndPointSizes)
{
    const std::vector<std::pair<std::function<void(QFont&)>, std::int32_t>> cases = {
        {[](QFont& f) { f.setPixelSize(37); }, 56}, // 55.5 to the even neighbour
        {[](QFont& f) { f.setPixelSize(35); }, 52}, // 52.5 likewise
        {[](QFont& f) { f.setPixelSize(16); }, 24},
        {[](QFont& f) { f.setPointSizeF(27.75); }, 56},
        {[](QFont& f) { f.setPointSize(34); }, 68},
        {[](QFont& f) { f.setPointSizeF(0.1); }, 1},
    };
    for (const auto& [set, expected] : cases) {
        QFont font;
        set(font);
        EXPECT_EQ(halfPointsOf(font), expected);
    }
}
