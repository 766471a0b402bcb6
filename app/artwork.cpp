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

void paintSquares(QPainter& p, const QRectF& r, int columns, int rows)
{
    const qreal gap = r.width() * 0.14;
    const qreal w = (r.width() - gap * (columns - 1)) / columns;
    const qreal h = (r.height() - gap * (rows - 1)) / rows;
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < columns; ++column)
            p.drawRect(QRectF(r.left() + column * (w + gap), r.top() + row * (h + gap), w, h));
    }
}

void paintListLines(QPainter& p, const QRectF& r)
{
    const qreal step = r.height() / 3;
    const qreal mark = step * 0.55;
    for (int i = 0; i < 3; ++i) {
        const qreal y = r.top() + step * i + (step - mark) / 2;
        p.drawRect(QRectF(r.left(), y, mark, mark));
        p.drawLine(QPointF(r.left() + mark * 1.8, y + mark / 2), QPointF(r.right(), y + mark / 2));
    }
}

// A row of thumbnails under a band: the slide strip at the given number of cells.
void paintStrip(QPainter& p, const QRectF& r, int cells)
{
    const qreal h = r.height() * (cells > 2 ? 0.4 : 0.6);
    paintSquares(p, QRectF(r.left(), r.center().y() - h / 2, r.width(), h), cells, 1);
}

void paintPicture(QPainter& p, const QRectF& r)
{
    const QRectF frame(r.left(), r.top() + r.height() * 0.12, r.width(), r.height() * 0.76);
    p.drawRect(frame);
    QPainterPath hills;
    hills.moveTo(frame.left(), frame.bottom() - frame.height() * 0.15);
    hills.lineTo(frame.left() + frame.width() * 0.35, frame.top() + frame.height() * 0.4);
    hills.lineTo(frame.left() + frame.width() * 0.6, frame.bottom() - frame.height() * 0.3);
    hills.lineTo(frame.left() + frame.width() * 0.75, frame.top() + frame.height() * 0.55);
    hills.lineTo(frame.right(), frame.bottom() - frame.height() * 0.15);
    p.drawPath(hills);
    const qreal sun = frame.height() * 0.18;
    p.drawEllipse(QPointF(frame.left() + frame.width() * 0.75, frame.top() + frame.height() * 0.3),
                  sun / 2, sun / 2);
}

void paintFilm(QPainter& p, const QRectF& r)
{
    const QRectF frame(r.left() + r.width() * 0.1, r.top(), r.width() * 0.8, r.height());
    p.drawRect(frame);
    const qreal band = frame.width() * 0.2;
    p.drawLine(QPointF(frame.left() + band, frame.top()),
               QPointF(frame.left() + band, frame.bottom()));
    p.drawLine(QPointF(frame.right() - band, frame.top()),
               QPointF(frame.right() - band, frame.bottom()));
    for (int i = 0; i < 4; ++i) {
        const qreal y = frame.top() + frame.height() * (0.14 + i * 0.22);
        p.drawLine(QPointF(frame.left() + band * 0.3, y), QPointF(frame.left() + band * 0.7, y));
        p.drawLine(QPointF(frame.right() - band * 0.7, y), QPointF(frame.right() - band * 0.3, y));
    }
}

void paintHome(QPainter& p, const QRectF& r)
{
    QPainterPath house;
    house.moveTo(r.left(), r.top() + r.height() * 0.45);
    house.lineTo(r.center().x(), r.top() + r.height() * 0.05);
    house.lineTo(r.right(), r.top() + r.height() * 0.45);
    house.moveTo(r.left() + r.width() * 0.15, r.top() + r.height() * 0.32);
    house.lineTo(r.left() + r.width() * 0.15, r.bottom());
    house.lineTo(r.right() - r.width() * 0.15, r.bottom());
    house.lineTo(r.right() - r.width() * 0.15, r.top() + r.height() * 0.32);
    p.drawPath(house);
    p.drawRect(QRectF(r.center().x() - r.width() * 0.1, r.bottom() - r.height() * 0.35,
                      r.width() * 0.2, r.height() * 0.35));
}

void paintDrive(QPainter& p, const QRectF& r)
{
    const QRectF body(r.left(), r.top() + r.height() * 0.3, r.width(), r.height() * 0.4);
    p.drawRoundedRect(body, r.width() * 0.06, r.width() * 0.06);
    p.drawEllipse(QPointF(body.right() - body.width() * 0.15, body.center().y()), r.width() * 0.04,
                  r.width() * 0.04);
}

} // namespace

void paintDropArrow(QPainter& painter, const QRectF& box, const QColor& colour)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    QPen pen(colour, std::max<qreal>(1.5, box.height() / 14));
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    // A swash from the right that bends down to the strip below.
    const QPointF start(box.right(), box.top() + box.height() * 0.25);
    const QPointF tip(box.left() + box.width() * 0.2, box.bottom() - pen.widthF());
    QPainterPath arrow(start);
    arrow.cubicTo(QPointF(box.left() + box.width() * 0.5, box.top()),
                  QPointF(box.left() + box.width() * 0.15, box.top() + box.height() * 0.3), tip);
    painter.drawPath(arrow);
    const qreal head = box.height() * 0.3;
    painter.drawLine(tip, tip + QPointF(-head * 0.55, -head * 0.8));
    painter.drawLine(tip, tip + QPointF(head * 0.7, -head * 0.6));
    painter.restore();
}

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
    case Glyph::ViewList:
        paintListLines(painter, square);
        break;
    case Glyph::ViewGallery:
        paintSquares(painter, square.adjusted(0.5, 0.5, -0.5, -0.5), 2, 2);
        break;
    case Glyph::ViewLarge:
        painter.drawRect(square.adjusted(0.5, 0.5, -0.5, -0.5));
        break;
    case Glyph::StripNormal:
        paintStrip(painter, square, 3);
        break;
    case Glyph::StripLarge:
        paintStrip(painter, square, 2);
        break;
    case Glyph::Picture:
        paintPicture(painter, square);
        break;
    case Glyph::Film:
        paintFilm(painter, square);
        break;
    case Glyph::Folder:
        paintFolder(painter, square);
        break;
    case Glyph::Home:
        paintHome(painter, square);
        break;
    case Glyph::Drive:
        paintDrive(painter, square);
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
