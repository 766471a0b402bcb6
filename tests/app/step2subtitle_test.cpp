// Step 2's subtitle editor: the line and character limits, the commit to the slide the
// text belongs to, the editor-to-RTF round trip and plain subtitles of older projects.
#include "app/coverflowstrip.h"
#include "app/formmain.h"
#include "app/step2page.h"
#include "app/subtitleeditor.h"
#include "subtitle/rtfparser.h"
#include "step2support.h"
#include "testsupport.h"

#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>

namespace vistarel::app::test {

using project::TMyImageInfo;

class Step2SubtitleTest : public QObject
{
    Q_OBJECT

private slots:
    void subtitleLimits_data();
    void subtitleLimits();
    void subtitleCommittedOnFocusLossToItsSlide();
    void editorRoundTripThroughTheToolbar();
    void plainSubtitleOfAnOlderProject();
};

void Step2SubtitleTest::subtitleLimits_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("accepted");
    const QString line40(40, u'x');
    QTest::newRow("five lines") << QStringList(5, line40).join(u'\n') << true;
    QTest::newRow("sixth line") << QStringList(6, QStringLiteral("ab")).join(u'\n') << false;
    QTest::newRow("200 characters") << QString(200, u'y') << true;
    QTest::newRow("201 characters") << QString(201, u'y') << false;
    QTest::newRow("trailing blanks and lines") << QString(200, u'z') + QStringLiteral("   \n\n\n\n\n\n")
                                               << true;
}

void Step2SubtitleTest::subtitleLimits()
{
    QFETCH(QString, typed);
    QFETCH(bool, accepted);
    Step2Window s({QStringLiteral("a.png"), QStringLiteral("b.png")});
    s.select(1);
    s.page->tabs()->setCurrentIndex(Step2Page::kSubtitleTab);
    SubtitleTextEdit* edit = s.page->subtitleEditor()->edit();
    edit->setFocus();
    QTest::keyClicks(edit, QStringLiteral("Hallo"));
    s.page->TimerStep2SubtitleTimer();
    QVERIFY(s.w->projectDirty());
    const TMyImageInfo before = *s.record(1);
    QCOMPARE(subtitleText(before.Subtitle), QStringLiteral("Hallo"));

    QSignalSpy refused(s.page, &Step2Page::subtitleRefused);
    edit->selectAll();
    for (const QString& line : typed.split(u'\n')) {
        QTest::keyClicks(edit, line);
        QTest::keyClick(edit, Qt::Key_Return);
    }
    s.page->TimerStep2SubtitleTimer();
    if (accepted) {
        QCOMPARE(refused.count(), 0);
        QVERIFY(subtitleText(s.record(1)->Subtitle).startsWith(typed.left(10)));
        QVERIFY(s.record(1)->SubtitleEdit != before.SubtitleEdit);
    } else {
        QCOMPARE(refused.count(), 1);
        QCOMPARE(*s.record(1), before);
        QCOMPARE(s.page->subtitleEditor()->plainText(), QStringLiteral("Hallo"));
    }
    // Deleting every character empties both fields.
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, QStringLiteral("  "));
    s.page->TimerStep2SubtitleTimer();
    QCOMPARE(s.record(1)->Subtitle, QString());
    QCOMPARE(s.record(1)->SubtitleEdit, QString());
}

void Step2SubtitleTest::subtitleCommittedOnFocusLossToItsSlide()
{
    Step2Window s({QStringLiteral("a.png"), QStringLiteral("b.png"), QStringLiteral("c.png"),
                   QStringLiteral("d.png")});
    s.select(2);
    s.page->tabs()->setCurrentIndex(Step2Page::kSubtitleTab);
    SubtitleTextEdit* edit = s.page->subtitleEditor()->edit();
    edit->setFocus();
    QVERIFY(edit->hasFocus());
    QTest::keyClicks(edit, QStringLiteral("Dritter"));
    // At once a click on the strip: the press moves the focus before it selects.
    CoverFlowStrip* strip = s.page->strip();
    const QPoint right(strip->width() / 2 + strip->height() * 2 / 3, strip->height() / 2);
    QTest::mouseClick(strip, Qt::LeftButton, {}, right);
    QCOMPARE(strip->currentIndex(), 3);
    QVERIFY(s.record(2));
    QCOMPARE(subtitleText(s.record(2)->Subtitle), QStringLiteral("Dritter"));
    QVERIFY(!s.record(2)->SubtitleEdit.isEmpty());
    QVERIFY(!s.record(3));
    QCOMPARE(s.page->subtitleEditor()->plainText(), QString());
    // Back on the third slide the editor shows it again from its snapshot.
    s.select(2);
    QCOMPARE(s.page->subtitleEditor()->plainText(), QStringLiteral("Dritter"));
    QCOMPARE(s.page->subtitleEditor()->rtf(), s.record(2)->Subtitle);

    // Leaving the page keeps what was just typed.
    QTest::keyClicks(edit, QStringLiteral(" und mehr"));
    s.page->hide();
    QCOMPARE(subtitleText(s.record(2)->Subtitle), QStringLiteral("Dritter und mehr"));
}

void Step2SubtitleTest::editorRoundTripThroughTheToolbar()
{
    Step2Window s({QStringLiteral("a.png")});
    s.page->tabs()->setCurrentIndex(Step2Page::kSubtitleTab);
    SubtitleEditor* editor = s.page->subtitleEditor();
    SubtitleTextEdit* edit = editor->edit();
    edit->setFocus();
    QTest::keyClicks(edit, QStringLiteral("Hallo "));
    editor->setBold(true);
    QTest::keyClicks(edit, QStringLiteral("Welt"));
    editor->setBold(false);
    QTest::keyClick(edit, Qt::Key_Return, Qt::ShiftModifier); // a line break
    editor->setItalic(true);
    editor->setTextColour(QColor(0xFF, 0x3B, 0x30));
    QTest::keyClicks(edit, QStringLiteral("zwei"));
    QTest::keyClick(edit, Qt::Key_Return);
    editor->setAlignment(Qt::AlignRight);
    editor->setItalic(false);
    editor->setTextColour(Qt::white);
    editor->growFont();
    editor->setUnderline(true);
    editor->setStrikeOut(true);
    edit->insertPlainText(QStringLiteral("Größer")); // typed in the current format
    // The first word one step smaller afterwards, through a selection.
    QTextCursor cursor = edit->textCursor();
    cursor.setPosition(0);
    cursor.setPosition(5, QTextCursor::KeepAnchor);
    edit->setTextCursor(cursor);
    editor->shrinkFont();

    const subtitle::TRtfDoc doc = subtitle::ParseRtf(editor->rtf());
    QCOMPARE(doc.Paras.size(), size_t(2));
    const auto run = [&](size_t p, size_t r) { return doc.Paras.at(p).Runs.at(r); };
    QCOMPARE(doc.Paras[0].Align, 1);
    QCOMPARE(doc.Paras[0].Runs.size(), size_t(5));
    QCOMPARE(run(0, 0).Text, QStringLiteral("Hallo"));
    QCOMPARE(run(0, 0).Size, 48); // 32 px
    QCOMPARE(run(0, 1).Text, QStringLiteral(" "));
    QCOMPARE(run(0, 1).Size, 56); // 37 px
    QCOMPARE(run(0, 2).Text, QStringLiteral("Welt"));
    QVERIFY(run(0, 2).Bold);
    QCOMPARE(run(0, 3).Text, QStringLiteral("\n")); // typed plain
    QVERIFY(!run(0, 3).Bold && !run(0, 3).Italic);
    QCOMPARE(run(0, 4).Text, QStringLiteral("zwei"));
    QVERIFY(run(0, 4).Italic && !run(0, 4).Bold);
    QCOMPARE(doc.ColorOf(run(0, 4).ColorIdx, 0), 0x303BFFu);
    QCOMPARE(doc.Paras[1].Align, 2);
    QCOMPARE(run(1, 0).Text, QStringLiteral("Größer"));
    QCOMPARE(run(1, 0).Size, 63); // 42 px
    QVERIFY(run(1, 0).Underline && run(1, 0).Strike && !run(1, 0).Italic);
    QCOMPARE(doc.ColorOf(run(1, 0).ColorIdx, 0), 0xFFFFFFu);
    for (const auto& para : doc.Paras)
        for (const auto& r : para.Runs)
            QCOMPARE(doc.FontName(r.FontIdx), QStringLiteral("Tahoma"));

    // The snapshot brings back the same content.
    const QByteArray snapshot = editor->saveSnapshot();
    const QString rtf = editor->rtf();
    editor->loadSnapshot({});
    QCOMPARE(editor->plainText(), QString());
    editor->loadSnapshot(snapshot);
    QCOMPARE(editor->rtf(), rtf);
    // Reloaded, the document spells inherited formats out once; from then on it is stable.
    const QByteArray reloaded = editor->saveSnapshot();
    editor->loadSnapshot(reloaded);
    QCOMPARE(editor->saveSnapshot(), reloaded);
    QCOMPARE(editor->rtf(), rtf);
}

void Step2SubtitleTest::plainSubtitleOfAnOlderProject()
{
    Step2Window s({QStringLiteral("a.png"), QStringLiteral("b.png")});
    auto plain = std::make_unique<TMyImageInfo>();
    plain->Subtitle = QStringLiteral("  Alter Text ");
    plain->Font = QStringLiteral("DejaVu Serif");
    plain->FontColor = 0x0000FF; // red
    plain->FontSize = 0;
    s.w->slides().setSettings(0, std::move(plain));
    auto rtfOnly = std::make_unique<TMyImageInfo>();
    rtfOnly->Subtitle = QStringLiteral("{\\rtf1 Nur RTF}");
    s.w->slides().setSettings(1, std::move(rtfOnly));
    s.select(1);
    QCOMPARE(s.page->subtitleEditor()->plainText(), QString());
    s.select(0);
    const subtitle::TRtfDoc doc = subtitle::ParseRtf(s.page->subtitleEditor()->rtf());
    QCOMPARE(doc.Paras.size(), size_t(1));
    const subtitle::TRtfRun r = doc.Paras[0].Runs.at(0);
    QCOMPARE(r.Text, QStringLiteral("  Alter Text "));
    QCOMPARE(doc.FontName(r.FontIdx), QStringLiteral("DejaVu Serif"));
    QCOMPARE(r.Size, 68); // 34 points
    QVERIFY(r.Bold);
    QCOMPARE(doc.ColorOf(r.ColorIdx, 0), 0x0000FFu);
    // Showing it is no edit; the record keeps its plain text until the user types.
    s.page->tabs()->setCurrentIndex(Step2Page::kSubtitleTab);
    s.page->TimerStep2SubtitleTimer();
    QCOMPARE(s.record(0)->Subtitle, QStringLiteral("  Alter Text "));
    QVERIFY(!s.w->projectDirty());
}

static const bool registered = registerTest<Step2SubtitleTest>("Step2SubtitleTest");

} // namespace vistarel::app::test

#include "step2subtitle_test.moc"
