#include "app/artwork.h"

#include "app/style.h"

#include <QPainter>
#include <QPainterPath>

namespace vistarel::app {

namespace {

// A square of side s centred in box, for glyphs that must not stretch.
QRectF centredSquare(const QRectF& box, qreal side)
{
    return QRectF(box.center().x() - side / 2, box.center().y() - side / 2, side, side);
}

void paintSave(QPainter& p, const QRectF& r)
{
    QPainterPath body;
    body.moveTo(r.left(), r.top());
    body.lineTo(r.right() - r.width() * 0.22, r.top());
    body.lineTo(r.right(), r.top() + r.height() * 0.22);
    body.lineTo(r.right(), r.bottom());
    body.lineTo(r.left(), r.bottom());
    body.closeSubpath();
    p.drawPath(body);
    const qreal w = r.width();
    p.drawRect(QRectF(r.left() + w * 0.25, r.top(), w * 0.45, r.height() * 0.3));
    p.drawRect(QRectF(r.left() + w * 0.2, r.top() + r.height() * 0.58, w * 0.6, r.height() * 0.42));
}

void paintDocument(QPainter& p, const QRectF& r, bool withPlus)
{
    const qreal fold = r.width() * 0.3;
    QPainterPath page;
    page.moveTo(r.left(), r.top());
    page.lineTo(r.right() - fold, r.top());
    page.lineTo(r.right(), r.top() + fold);
    page.lineTo(r.right(), r.bottom());
    page.lineTo(r.left(), r.bottom());
    page.closeSubpath();
    page.moveTo(r.right() - fold, r.top());
    page.lineTo(r.right() - fold, r.top() + fold);
    page.lineTo(r.right(), r.top() + fold);
    p.drawPath(page);
    if (withPlus) {
        const QPointF c(r.center().x(), r.center().y() + r.height() * 0.08);
        const qreal a = r.width() * 0.2;
        p.drawLine(QPointF(c.x() - a, c.y()), QPointF(c.x() + a, c.y()));
        p.drawLine(QPointF(c.x(), c.y() - a), QPointF(c.x(), c.y() + a));
    }
}

void paintFolder(QPainter& p, const QRectF& r)
{
    const qreal tabW = r.width() * 0.38;
    const qreal tabH = r.height() * 0.16;
    const qreal top = r.top() + r.height() * 0.12;
    QPainterPath back;
    back.moveTo(r.left(), r.bottom());
    back.lineTo(r.left(), top);
    back.lineTo(r.left() + tabW * 0.8, top);
    back.lineTo(r.left() + tabW, top + tabH);
    back.lineTo(r.right() - r.width() * 0.08, top + tabH);
    back.lineTo(r.right() - r.width() * 0.08, top + tabH * 2.2);
    p.drawPath(back);
    QPainterPath front;
    front.moveTo(r.left(), r.bottom());
    front.lineTo(r.left() + r.width() * 0.16, top + tabH * 2.2);
    front.lineTo(r.right(), top + tabH * 2.2);
    front.lineTo(r.right() - r.width() * 0.16, r.bottom());
    front.closeSubpath();
    p.drawPath(front);
}

void paintBox(QPainter& p, const QRectF& r, bool ticked)
{
    p.drawRect(r);
    if (!ticked)
        return;
    QPainterPath tick;
    tick.moveTo(r.left() + r.width() * 0.2, r.top() + r.height() * 0.52);
    tick.lineTo(r.left() + r.width() * 0.42, r.top() + r.height() * 0.74);
    tick.lineTo(r.left() + r.width() * 0.82, r.top() + r.height() * 0.28);
    p.drawPath(tick);
}

} // namespace

void paintGlyph(QPainter& painter, Glyph glyph, const QRectF& box, const QColor& colour)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal side = std::min(box.width(), box.height());
    QPen pen(colour, std::max<qreal>(1.0, side / 10.0));
    pen.setJoinStyle(Qt::MiterJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    const QRectF square = centredSquare(box, side);
    switch (glyph) {
    case Glyph::Save:
        paintSave(painter, square.adjusted(0.5, 0.5, -0.5, -0.5));
        break;
    case Glyph::Minimize:
        painter.drawLine(QPointF(square.left(), square.center().y() + 0.5),
                         QPointF(square.right(), square.center().y() + 0.5));
        break;
    case Glyph::Maximize:
        painter.drawRect(square.adjusted(0.5, 0.5, -0.5, -0.5));
        break;
    case Glyph::Restore: {
        const qreal d = side * 0.25;
        painter.drawRect(square.adjusted(0.5, d, -d, -0.5));
        painter.drawPolyline(QList<QPointF>{{square.left() + d, square.top() + d},
                                            {square.left() + d, square.top() + 0.5},
                                            {square.right() - 0.5, square.top() + 0.5},
                                            {square.right() - 0.5, square.bottom() - d},
                                            {square.right() - d, square.bottom() - d}});
        break;
    }
    case Glyph::Close:
        painter.drawLine(square.topLeft(), square.bottomRight());
        painter.drawLine(square.topRight(), square.bottomLeft());
        break;
    case Glyph::NewProject:
        paintDocument(painter, centredSquare(box, side).adjusted(side * 0.15, 0, -side * 0.15, 0),
                      true);
        break;
    case Glyph::OpenProject:
        paintFolder(painter, square);
        break;
    case Glyph::BoxTicked:
    case Glyph::BoxEmpty:
        paintBox(painter, square.adjusted(0.5, 0.5, -0.5, -0.5), glyph == Glyph::BoxTicked);
        break;
    }
    painter.restore();
}

void paintLogo(QPainter& painter, const QRectF& box)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF r = centredSquare(box, std::min(box.width(), box.height()));
    const qreal s = r.width();
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour::kAccent);
    painter.drawRoundedRect(r, s * 0.22, s * 0.22);
    // Perforation of a film strip along the top and bottom edge.
    painter.setBrush(QColor(255, 255, 255, 110));
    for (int i = 0; i < 4; ++i) {
        const qreal x = r.left() + s * (0.17 + i * 0.19);
        painter.drawRect(QRectF(x, r.top() + s * 0.1, s * 0.09, s * 0.08));
        painter.drawRect(QRectF(x, r.bottom() - s * 0.18, s * 0.09, s * 0.08));
    }
    QPainterPath play;
    play.moveTo(r.left() + s * 0.4, r.top() + s * 0.32);
    play.lineTo(r.left() + s * 0.7, r.center().y());
    play.lineTo(r.left() + s * 0.4, r.bottom() - s * 0.32);
    play.closeSubpath();
    painter.setBrush(Qt::white);
    painter.drawPath(play);
    painter.restore();
}

namespace {

QFont productNameFont(QFont font)
{
    font.setPixelSize(18);
    font.setWeight(QFont::DemiBold);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 0.5);
    return font;
}

} // namespace

qreal productNameWidth(const QFont& base)
{
    return QFontMetricsF(productNameFont(base)).horizontalAdvance(QStringLiteral("Vistarel"));
}

qreal paintProductName(QPainter& painter, const QRectF& box)
{
    painter.save();
    painter.setRenderHint(QPainter::TextAntialiasing);
    const QFont font = productNameFont(painter.font());
    painter.setFont(font);
    const QFontMetricsF fm(font);
    const QString first = QStringLiteral("Vista");
    const QString second = QStringLiteral("rel");
    const qreal baseline = box.center().y() + (fm.ascent() - fm.descent()) / 2;
    painter.setPen(Qt::white);
    painter.drawText(QPointF(box.left(), baseline), first);
    const qreal x = box.left() + fm.horizontalAdvance(first);
    painter.setPen(colour::kAccent);
    painter.drawText(QPointF(x, baseline), second);
    painter.restore();
    return x + fm.horizontalAdvance(second) - box.left();
}

} // namespace vistarel::app
