#include "app/step3widgets.h"

#include "app/style.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QToolButton>

namespace vistarel::app {

namespace {
constexpr int kRenderCaptionLeft = 43;
} // namespace

FileNameEdit::FileNameEdit(const QString& name, QString title, QString filter, QWidget* parent)
    : QWidget(parent)
    , m_edit(new QLineEdit(this))
    , m_browse(new QToolButton(this))
    , m_title(std::move(title))
    , m_filter(std::move(filter))
{
    setObjectName(name);
    m_browse->setText(QStringLiteral("…"));
    m_browse->setCursor(Qt::PointingHandCursor);
    m_browse->setStyleSheet(QStringLiteral(
        "QToolButton { color: white; background-color: #4A4A4A; border: none; min-width: 30px; }"
        "QToolButton:hover { background-color: #2E9FFC; }"));
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    row->addWidget(m_edit, 1);
    row->addWidget(m_browse);
    m_browse->setFixedHeight(m_edit->sizeHint().height());
    setFocusProxy(m_edit);
    connect(m_edit, &QLineEdit::textEdited, this, &FileNameEdit::textEdited);
    connect(m_browse, &QAbstractButton::clicked, this, &FileNameEdit::browseClicked);
}

QString FileNameEdit::text() const
{
    return m_edit->text();
}

void FileNameEdit::setText(const QString& text)
{
    m_edit->setText(text);
}

MusicIcon::MusicIcon(const QString& name, Kind kind, const QString& hint, QWidget* parent)
    : QAbstractButton(parent)
    , m_kind(kind)
{
    setObjectName(name);
    setToolTip(hint);
    setFixedSize(26, 26);
    setCursor(Qt::PointingHandCursor);
    setAttribute(Qt::WA_Hover);
}

void MusicIcon::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor ink = !isEnabled() ? colour::kDimText
                       : underMouse() ? QColor(Qt::white)
                                      : colour::kAccent;
    const QRectF circle = QRectF(rect()).adjusted(2, 2, -2, -2);
    p.setPen(QPen(ink, 1.6));
    p.drawEllipse(circle);
    const QPointF c = circle.center();
    const qreal arm = circle.width() * 0.26;
    p.drawLine(QPointF(c.x() - arm, c.y()), QPointF(c.x() + arm, c.y()));
    if (m_kind == Kind::Add)
        p.drawLine(QPointF(c.x(), c.y() - arm), QPointF(c.x(), c.y() + arm));
}

RenderButton::RenderButton(const QString& name, const QString& caption, QWidget* parent)
    : QAbstractButton(parent)
{
    setObjectName(name);
    setText(caption);
    setFixedSize(200, 41);
    setCursor(Qt::PointingHandCursor);
    setAttribute(Qt::WA_Hover);
}

void RenderButton::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    QColor face = colour::kAccent;
    QColor ink = Qt::white;
    if (!isEnabled()) {
        face = QColor(0x2B, 0x55, 0x78);
        ink = QColor(0xA0, 0xA0, 0xA0);
    } else if (isDown()) {
        face = QColor(0x1E, 0x86, 0xDA);
    } else if (underMouse()) {
        face = QColor(0x4A, 0xB0, 0xFF);
    }
    p.fillRect(rect(), face);
    // A film frame with a play mark in the space before the caption.
    const QRectF frame(12, (height() - 18) / 2.0, 22, 18);
    p.setPen(QPen(ink, 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(frame, 2, 2);
    QPainterPath play;
    const QPointF c = frame.center();
    play.moveTo(c.x() - 3.5, c.y() - 5);
    play.lineTo(c.x() + 5, c.y());
    play.lineTo(c.x() - 3.5, c.y() + 5);
    play.closeSubpath();
    p.fillPath(play, ink);
    QFont f = font();
    f.setPixelSize(14);
    p.setFont(f);
    p.setPen(ink);
    p.drawText(QRect(kRenderCaptionLeft, 0, width() - kRenderCaptionLeft - 6, height()),
               Qt::AlignLeft | Qt::AlignVCenter, text());
}

} // namespace vistarel::app
