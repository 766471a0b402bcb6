#include "app/subtitleeditor.h"

#include "app/step2art.h"
#include "app/style.h"
#include "subtitle/rtfwriter.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QMenu>
#include <QMimeData>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWidgetAction>

#include <cmath>

namespace vistarel::app {

namespace {

QFont defaultSubtitleFont()
{
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(kSubtitleFontPixels);
    return font;
}

// The text colours the colour button offers.
const QList<QColor>& swatches()
{
    static const QList<QColor> colours{
        Qt::white,           QColor(0xC0, 0xC0, 0xC0), QColor(0x80, 0x80, 0x80), Qt::black,
        QColor(0xFF, 0x3B, 0x30), QColor(0xFF, 0x95, 0x00), QColor(0xFF, 0xD6, 0x0A),
        QColor(0x34, 0xC7, 0x59), QColor(0x00, 0xC7, 0xBE), QColor(0x2E, 0x9F, 0xFC),
        QColor(0x00, 0x40, 0xDD), QColor(0xAF, 0x52, 0xDE), QColor(0xFF, 0x2D, 0x9A),
        QColor(0x8B, 0x45, 0x13), QColor(0x80, 0x00, 0x00), QColor(0x00, 0x60, 0x30)};
    return colours;
}

// The effective pixel size of a character format in the document.
int pixelSizeOf(const QTextCharFormat& format, const QTextDocument& document)
{
    const QFont font = format.font().resolve(document.defaultFont());
    if (font.pixelSize() > 0)
        return font.pixelSize();
    return int(std::nearbyint(font.pointSizeF() * 4.0 / 3.0));
}

int steppedSize(int pixels, int direction)
{
    const QList<int>& ladder = SubtitleEditor::sizeLadder();
    if (direction > 0) {
        for (int size : ladder)
            if (size > pixels)
                return size;
        return pixels;
    }
    for (auto it = ladder.rbegin(); it != ladder.rend(); ++it)
        if (*it < pixels)
            return *it;
    return pixels;
}

// A size in pixels replaces one in points, so the format has one size only.
void setPixelSize(QTextCharFormat& format, int pixels)
{
    format.clearProperty(QTextFormat::FontPointSize);
    format.setProperty(QTextFormat::FontPixelSize, pixels);
}

Qt::Alignment effectiveAlignment(const QTextBlock& block, const QTextDocument& document)
{
    const QTextBlockFormat format = block.blockFormat();
    if (format.hasProperty(QTextFormat::BlockAlignment))
        return format.alignment();
    return document.defaultTextOption().alignment();
}

} // namespace

SubtitleTextEdit::SubtitleTextEdit(QWidget* parent)
    : QTextEdit(parent)
{
    setObjectName(QStringLiteral("AdvRichEditorStep2Subtitle"));
}

void SubtitleTextEdit::focusOutEvent(QFocusEvent* event)
{
    QTextEdit::focusOutEvent(event);
    emit focusLost();
}

void SubtitleTextEdit::insertFromMimeData(const QMimeData* source)
{
    if (!source->hasHtml()) {
        QTextEdit::insertFromMimeData(source);
        return;
    }
    QTextDocument pasted;
    pasted.setDefaultFont(document()->defaultFont());
    pasted.setHtml(source->html());
    QTextCursor cursor = textCursor();
    cursor.beginEditBlock();
    for (QTextBlock block = pasted.begin(); block.isValid(); block = block.next()) {
        if (block != pasted.begin()) {
            QTextBlockFormat format;
            if (block.blockFormat().hasProperty(QTextFormat::BlockAlignment))
                format.setAlignment(block.blockFormat().alignment());
            cursor.insertBlock(format);
        }
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            QString text = it.fragment().text();
            text.remove(QChar::ObjectReplacementCharacter);
            cursor.insertText(text, it.fragment().charFormat());
        }
    }
    cursor.endEditBlock();
    setTextCursor(cursor);
}

SubtitleEditor::SubtitleEditor(QWidget* parent)
    : QWidget(parent)
    , m_edit(new SubtitleTextEdit(this))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    auto* bar = new QWidget(this);
    buildToolbar(bar);
    layout->addWidget(bar);
    layout->addWidget(m_edit, 1);

    m_edit->setAcceptRichText(true);
    m_edit->setFont(defaultSubtitleFont());
    m_edit->document()->setDefaultFont(defaultSubtitleFont());
    QTextOption option = m_edit->document()->defaultTextOption();
    option.setAlignment(Qt::AlignHCenter);
    m_edit->document()->setDefaultTextOption(option);
    QPalette pal = m_edit->palette();
    pal.setColor(QPalette::Base, colour::kEdit);
    pal.setColor(QPalette::Text, Qt::white);
    m_edit->setPalette(pal);
    m_edit->setStyleSheet(QStringLiteral("QTextEdit { background-color: #3F3F3F; color: white;"
                                         " border: 1px solid #4A4A4A; }"));
    connect(m_edit, &QTextEdit::currentCharFormatChanged, this, &SubtitleEditor::showCurrentFormat);
    connect(m_edit, &QTextEdit::cursorPositionChanged, this, &SubtitleEditor::showCurrentFormat);
    showCurrentFormat();
}

QToolButton* SubtitleEditor::addButton(const char* name, const QIcon& icon, bool checkable)
{
    auto* button = new QToolButton(this);
    button->setObjectName(QString::fromLatin1(name));
    button->setIcon(icon);
    button->setIconSize(QSize(18, 18));
    button->setFixedSize(28, 26);
    button->setCheckable(checkable);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

void SubtitleEditor::buildToolbar(QWidget* bar)
{
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(2);
    m_bold = addButton("ToolButtonStep2SubtitleBold", toolIcon(ToolIcon::Bold), true);
    m_italic = addButton("ToolButtonStep2SubtitleItalic", toolIcon(ToolIcon::Italic), true);
    m_underline = addButton("ToolButtonStep2SubtitleUnderline", toolIcon(ToolIcon::Underline), true);
    m_strike = addButton("ToolButtonStep2SubtitleStrikeout", toolIcon(ToolIcon::Strikeout), true);
    m_colour = addButton("ToolButtonStep2SubtitleColor", toolIcon(ToolIcon::Colour), false);
    m_alignLeft = addButton("ToolButtonStep2SubtitleAlignLeft", toolIcon(ToolIcon::AlignLeft), true);
    m_alignCenter =
        addButton("ToolButtonStep2SubtitleAlignCenter", toolIcon(ToolIcon::AlignCenter), true);
    m_alignRight = addButton("ToolButtonStep2SubtitleAlignRight", toolIcon(ToolIcon::AlignRight), true);
    QToolButton* smaller =
        addButton("ToolButtonStep2SubtitleFontSmaller", toolIcon(ToolIcon::FontSmaller), false);
    QToolButton* larger =
        addButton("ToolButtonStep2SubtitleFontLarger", toolIcon(ToolIcon::FontLarger), false);
    for (QToolButton* b : {m_bold, m_italic, m_underline, m_strike})
        row->addWidget(b);
    row->addSpacing(6);
    row->addWidget(m_colour);
    row->addSpacing(6);
    for (QToolButton* b : {m_alignLeft, m_alignCenter, m_alignRight})
        row->addWidget(b);
    row->addSpacing(6);
    row->addWidget(smaller);
    row->addWidget(larger);
    row->addStretch(1);
    bar->setStyleSheet(QStringLiteral(
        "QToolButton { border: 1px solid transparent; background: transparent; }"
        "QToolButton:hover { border-color: #2E9FFC; }"
        "QToolButton:checked { background: #2E9FFC; }"));

    connect(m_bold, &QToolButton::clicked, this, &SubtitleEditor::setBold);
    connect(m_italic, &QToolButton::clicked, this, &SubtitleEditor::setItalic);
    connect(m_underline, &QToolButton::clicked, this, &SubtitleEditor::setUnderline);
    connect(m_strike, &QToolButton::clicked, this, &SubtitleEditor::setStrikeOut);
    connect(m_colour, &QToolButton::clicked, this, &SubtitleEditor::popUpColours);
    connect(m_alignLeft, &QToolButton::clicked, this, [this] { setAlignment(Qt::AlignLeft); });
    connect(m_alignCenter, &QToolButton::clicked, this, [this] { setAlignment(Qt::AlignHCenter); });
    connect(m_alignRight, &QToolButton::clicked, this, [this] { setAlignment(Qt::AlignRight); });
    connect(smaller, &QToolButton::clicked, this, &SubtitleEditor::shrinkFont);
    connect(larger, &QToolButton::clicked, this, &SubtitleEditor::growFont);
}

const QList<int>& SubtitleEditor::sizeLadder()
{
    static const QList<int> ladder{16, 20, 24, 28, 32, 37, 42, 48, 56, 64, 74, 86, 96};
    return ladder;
}

void SubtitleEditor::mergeFormat(const QTextCharFormat& format)
{
    QTextCursor cursor = m_edit->textCursor();
    if (cursor.hasSelection())
        cursor.mergeCharFormat(format);
    m_edit->mergeCurrentCharFormat(format);
    showCurrentFormat();
}

void SubtitleEditor::setBold(bool on)
{
    QTextCharFormat f;
    f.setFontWeight(on ? QFont::Bold : QFont::Normal);
    mergeFormat(f);
}

void SubtitleEditor::setItalic(bool on)
{
    QTextCharFormat f;
    f.setFontItalic(on);
    mergeFormat(f);
}

void SubtitleEditor::setUnderline(bool on)
{
    QTextCharFormat f;
    f.setFontUnderline(on);
    mergeFormat(f);
}

void SubtitleEditor::setStrikeOut(bool on)
{
    QTextCharFormat f;
    f.setFontStrikeOut(on);
    mergeFormat(f);
}

void SubtitleEditor::setTextColour(const QColor& colour)
{
    QTextCharFormat f;
    f.setForeground(colour);
    mergeFormat(f);
}

void SubtitleEditor::setAlignment(Qt::Alignment alignment)
{
    QTextBlockFormat f;
    f.setAlignment(alignment);
    m_edit->textCursor().mergeBlockFormat(f);
    showCurrentFormat();
}

void SubtitleEditor::growFont()
{
    stepFont(+1);
}

void SubtitleEditor::shrinkFont()
{
    stepFont(-1);
}

// Every stretch of the selection steps from its own size, so mixed sizes keep their
// relation.
void SubtitleEditor::stepFont(int direction)
{
    QTextDocument& doc = *document();
    QTextCursor cursor = m_edit->textCursor();
    if (!cursor.hasSelection()) {
        QTextCharFormat f = m_edit->currentCharFormat();
        setPixelSize(f, steppedSize(pixelSizeOf(f, doc), direction));
        m_edit->setCurrentCharFormat(f);
        return;
    }
    const int start = cursor.selectionStart();
    const int end = cursor.selectionEnd();
    struct Part
    {
        int from;
        int to;
        QTextCharFormat format;
    };
    QList<Part> parts;
    for (QTextBlock b = doc.findBlock(start); b.isValid() && b.position() < end; b = b.next()) {
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment fr = it.fragment();
            const int from = std::max(fr.position(), start);
            const int to = std::min(fr.position() + fr.length(), end);
            if (from >= to)
                continue;
            QTextCharFormat format = fr.charFormat();
            setPixelSize(format, steppedSize(pixelSizeOf(format, doc), direction));
            parts.append({from, to, format});
        }
    }
    cursor.beginEditBlock();
    for (const Part& part : parts) {
        QTextCursor range(&doc);
        range.setPosition(part.from);
        range.setPosition(part.to, QTextCursor::KeepAnchor);
        range.setCharFormat(part.format);
    }
    cursor.endEditBlock();
}

void SubtitleEditor::showCurrentFormat()
{
    const QFont font = m_edit->currentCharFormat().font().resolve(document()->defaultFont());
    m_bold->setChecked(font.bold());
    m_italic->setChecked(font.italic());
    m_underline->setChecked(m_edit->currentCharFormat().fontUnderline() || font.underline());
    m_strike->setChecked(font.strikeOut());
    const Qt::Alignment a = effectiveAlignment(m_edit->textCursor().block(), *document());
    m_alignLeft->setChecked(!(a & (Qt::AlignHCenter | Qt::AlignRight | Qt::AlignJustify)));
    m_alignCenter->setChecked(a & Qt::AlignHCenter);
    m_alignRight->setChecked((a & Qt::AlignRight) && !(a & Qt::AlignJustify));
}

void SubtitleEditor::popUpColours()
{
    QMenu menu(this);
    auto* grid = new QWidget(&menu);
    auto* layout = new QGridLayout(grid);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(4);
    const QList<QColor>& colours = swatches();
    for (qsizetype i = 0; i < colours.size(); ++i) {
        auto* swatch = new QToolButton(grid);
        swatch->setFixedSize(22, 22);
        swatch->setStyleSheet(QStringLiteral("QToolButton { background: %1; border: 1px solid #4A4A4A; }"
                                             "QToolButton:hover { border: 2px solid white; }")
                                  .arg(colours[i].name()));
        const QColor c = colours[i];
        connect(swatch, &QToolButton::clicked, &menu, [this, c, &menu] {
            setTextColour(c);
            menu.close();
        });
        layout->addWidget(swatch, int(i / 4), int(i % 4));
    }
    auto* action = new QWidgetAction(&menu);
    action->setDefaultWidget(grid);
    menu.addAction(action);
    menu.exec(m_colour->mapToGlobal(QPoint(0, m_colour->height())));
}

QString SubtitleEditor::rtf() const
{
    return subtitle::documentToRtf(*document());
}

QString SubtitleEditor::plainText() const
{
    return document()->toPlainText();
}

QByteArray SubtitleEditor::saveSnapshot() const
{
    return document()->toHtml().toUtf8();
}

void SubtitleEditor::loadSnapshot(const QByteArray& snapshot)
{
    m_edit->clear();
    if (!snapshot.isEmpty())
        m_edit->setHtml(QString::fromUtf8(snapshot));
    // A snapshot may carry a page colour; the field keeps its own.
    QTextFrame* root = document()->rootFrame();
    QTextFrameFormat frame = root->frameFormat();
    if (frame.hasProperty(QTextFormat::BackgroundBrush)) {
        frame.clearBackground();
        root->setFrameFormat(frame);
    }
    // Typing goes on after the text, in its last format.
    m_edit->moveCursor(QTextCursor::End);
    showCurrentFormat();
}

void SubtitleEditor::insertPlainSubtitle(const QString& text, const QString& font, double points,
                                         std::uint32_t colour)
{
    const QTextCharFormat saved = m_edit->currentCharFormat();
    QTextCharFormat f;
    if (!font.isEmpty())
        f.setFontFamilies(QStringList{font});
    setPixelSize(f, int(std::nearbyint(points * 4.0 / 3.0)));
    f.setForeground(QColor(int(colour & 0xFF), int(colour >> 8 & 0xFF), int(colour >> 16 & 0xFF)));
    f.setFontWeight(QFont::Bold);
    QTextCursor cursor(document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(text, f);
    m_edit->setCurrentCharFormat(saved);
}

QColor SubtitleEditor::backgroundColour() const
{
    return m_edit->palette().color(QPalette::Base);
}

} // namespace vistarel::app
