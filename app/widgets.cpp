#include "app/widgets.h"

#include "app/style.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>

namespace vistarel::app {

GlyphButton::GlyphButton(const QString& name, std::optional<Glyph> glyph, QWidget* parent)
    : QAbstractButton(parent)
    , m_glyph(glyph)
    , m_hover(colour::kEdit)
{
    setObjectName(name);
    setCursor(Qt::ArrowCursor);
    setFocusPolicy(Qt::NoFocus);
}

void GlyphButton::setGlyph(Glyph glyph)
{
    m_glyph = glyph;
    update();
}

void GlyphButton::setColours(const QColor& normal, const QColor& hover)
{
    m_normal = normal;
    m_hover = hover;
    update();
}

void GlyphButton::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), m_hovered ? m_hover : m_normal);
    const QColor ink = isEnabled() ? QColor(Qt::white) : colour::kDimText;
    if (m_glyph) {
        const qreal side = std::min(width(), height()) * 0.55;
        paintGlyph(p, *m_glyph, QRectF((width() - side) / 2, (height() - side) / 2, side, side),
                   ink);
        return;
    }
    QFont f = font();
    f.setPixelSize(11);
    f.setBold(true);
    p.setFont(f);
    p.setPen(ink);
    p.drawText(rect(), Qt::AlignCenter, text());
}

void GlyphButton::enterEvent(QEnterEvent* event)
{
    m_hovered = true;
    update();
    QAbstractButton::enterEvent(event);
}

void GlyphButton::leaveEvent(QEvent* event)
{
    m_hovered = false;
    update();
    QAbstractButton::leaveEvent(event);
}

ImageButton::ImageButton(const QString& name, Glyph glyph, const QString& caption, QWidget* parent)
    : QAbstractButton(parent)
    , m_glyph(glyph)
{
    setObjectName(name);
    setText(caption);
    setCursor(Qt::PointingHandCursor);
}

void ImageButton::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const QRectF box = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    p.fillRect(rect(), m_hovered ? QColor(0x36, 0x36, 0x36) : colour::kRow);
    p.setPen(m_hovered || hasFocus() ? colour::kAccent : colour::kRowLine);
    p.drawRect(box);
    const qreal glyphSide = 38;
    paintGlyph(p, m_glyph, QRectF((width() - glyphSide) / 2, 16, glyphSide, glyphSide),
               colour::kAccent);
    QFont f = font();
    f.setPixelSize(15);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRectF(0, 16 + glyphSide + 8, width(), height() - glyphSide - 24),
               Qt::AlignHCenter | Qt::AlignTop, text());
}

void ImageButton::enterEvent(QEnterEvent* event)
{
    m_hovered = true;
    update();
    QAbstractButton::enterEvent(event);
}

void ImageButton::leaveEvent(QEvent* event)
{
    m_hovered = false;
    update();
    QAbstractButton::leaveEvent(event);
}

ClickLabel::ClickLabel(const QString& name, const QString& text, QWidget* parent)
    : QLabel(text, parent)
{
    setObjectName(name);
    setCursor(Qt::PointingHandCursor);
}

void ClickLabel::setLinkColours(bool on)
{
    if (on) {
        setHoverColours(colour::kAccent, Qt::white);
        return;
    }
    m_hoverColours = false;
    applyColour(Qt::white);
}

void ClickLabel::setHoverColours(const QColor& normal, const QColor& hover)
{
    m_hoverColours = true;
    m_normal = normal;
    m_hover = hover;
    applyColour(underMouse() ? hover : normal);
}

void ClickLabel::applyColour(const QColor& colour)
{
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, colour);
    setPalette(pal);
}

void ClickLabel::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
    QLabel::mouseReleaseEvent(event);
}

void ClickLabel::enterEvent(QEnterEvent* event)
{
    if (m_hoverColours)
        applyColour(m_hover);
    QLabel::enterEvent(event);
}

void ClickLabel::leaveEvent(QEvent* event)
{
    if (m_hoverColours)
        applyColour(m_normal);
    QLabel::leaveEvent(event);
}

PictureIcon::PictureIcon(const QString& name, Glyph glyph, const QString& hint, QWidget* parent)
    : QAbstractButton(parent)
    , m_glyph(glyph)
{
    setObjectName(name);
    setToolTip(hint);
    setFixedSize(26, 26);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::NoFocus);
}

void PictureIcon::setCurrent(bool current)
{
    m_current = current;
    update();
}

void PictureIcon::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    paintGlyph(p, m_glyph, QRectF(rect()).adjusted(4, 4, -4, -4),
               showsActive() ? colour::kAccent : colour::kDimText);
}

void PictureIcon::enterEvent(QEnterEvent* event)
{
    m_hovered = true;
    update();
    QAbstractButton::enterEvent(event);
}

void PictureIcon::leaveEvent(QEvent* event)
{
    m_hovered = false;
    update();
    QAbstractButton::leaveEvent(event);
}

BoxGlyph::BoxGlyph(const QString& name, QWidget* parent)
    : QWidget(parent)
{
    setObjectName(name);
    setFixedSize(20, 20);
    setCursor(Qt::PointingHandCursor);
}

void BoxGlyph::setTicked(bool ticked)
{
    m_ticked = ticked;
    update();
}

void BoxGlyph::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    paintGlyph(p, m_ticked ? Glyph::BoxTicked : Glyph::BoxEmpty, QRectF(2, 2, 16, 16), Qt::white);
}

void BoxGlyph::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
    QWidget::mouseReleaseEvent(event);
}

QLabel* makeLabel(const QString& name, const QString& text, int pixelSize, QFont::Weight weight,
                  const QColor& colour, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    QFont f = label->font();
    f.setPixelSize(pixelSize);
    f.setWeight(weight);
    label->setFont(f);
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, colour);
    label->setPalette(pal);
    return label;
}

ClickLabel* makeLink(const QString& name, const QString& text, QWidget* parent)
{
    auto* link = new ClickLabel(name, text, parent);
    link->setLinkColours(true);
    QFont f = link->font();
    f.setUnderline(true);
    link->setFont(f);
    return link;
}

QAbstractButton* makeButton(const QString& name, const QString& text, const char* role,
                            QWidget* parent)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setProperty("role", role);
    button->setCursor(Qt::PointingHandCursor);
    return button;
}

} // namespace vistarel::app
