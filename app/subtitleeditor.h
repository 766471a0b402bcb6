#pragma once

#include <QByteArray>
#include <QColor>
#include <QTextEdit>
#include <QWidget>

#include <cstdint>

class QAbstractButton;
class QToolButton;

namespace vistarel::app {

// The editor's default character format: Tahoma 37 pixels, and paragraphs centred.
inline constexpr int kSubtitleFontPixels = 37;

// The text field of the subtitle editor, AdvRichEditorStep2Subtitle. Reports losing
// the focus, which commits an edit at once.
class SubtitleTextEdit : public QTextEdit
{
    Q_OBJECT

public:
    explicit SubtitleTextEdit(QWidget* parent);

signals:
    void focusLost();

protected:
    void focusOutEvent(QFocusEvent* event) override;
    // Pasted text keeps its characters and formats but no pictures or tables.
    void insertFromMimeData(const QMimeData* source) override;
};

// The step-2 subtitle editor: the format toolbar (bold, italic, underline,
// strike-through, text colour, three alignments, smaller and larger font) over the text
// field. Sizes are pixel sizes, so the editor looks the same at every screen density;
// the RTF counts them at 96 pixels per inch. Text without a colour of its own shows in
// white, the colour a burnt-in subtitle takes for the automatic colour.
class SubtitleEditor : public QWidget
{
    Q_OBJECT

public:
    explicit SubtitleEditor(QWidget* parent);

    SubtitleTextEdit* edit() const { return m_edit; }
    QTextDocument* document() const { return m_edit->document(); }

    // ---- formats: on the selection, or on the typing format without one ----------------
    void setBold(bool on);
    void setItalic(bool on);
    void setUnderline(bool on);
    void setStrikeOut(bool on);
    void setTextColour(const QColor& colour);
    // Every selected paragraph (or the cursor's).
    void setAlignment(Qt::Alignment alignment);
    // Each character's size one step up or down the size ladder.
    void growFont();
    void shrinkFont();

    // ---- content ------------------------------------------------------------------------
    // The content as RTF in the subset the subtitle reader reads.
    QString rtf() const;
    QString plainText() const;
    // SaveEditorSnapshot: the document in the editor's own form (the HTML the text
    // document writes), as UTF-8 bytes; loading it restores the same content.
    QByteArray saveSnapshot() const;
    // Empties the editor, then loads a snapshot when it has bytes; the cursor ends up
    // after the text. The field's background stays the editor's.
    void loadSnapshot(const QByteArray& snapshot);
    // A subtitle of an older project: the text in one format (font, point size, colour
    // with red in bits 0..7, bold), typed into the empty editor; the typing format is
    // restored afterwards.
    void insertPlainSubtitle(const QString& text, const QString& font, double points,
                             std::uint32_t colour);

    // The field's background colour (FSubColor).
    QColor backgroundColour() const;

    // The pixel sizes the smaller and larger buttons step through.
    static const QList<int>& sizeLadder();

private:
    QToolButton* addButton(const char* name, const QIcon& icon, bool checkable);
    void buildToolbar(QWidget* bar);
    void mergeFormat(const QTextCharFormat& format);
    void stepFont(int direction);
    void showCurrentFormat();
    void popUpColours();

    SubtitleTextEdit* m_edit;
    QToolButton* m_bold = nullptr;
    QToolButton* m_italic = nullptr;
    QToolButton* m_underline = nullptr;
    QToolButton* m_strike = nullptr;
    QToolButton* m_colour = nullptr;
    QToolButton* m_alignLeft = nullptr;
    QToolButton* m_alignCenter = nullptr;
    QToolButton* m_alignRight = nullptr;
};

} // namespace vistarel::app
