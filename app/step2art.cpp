#include "app/step2art.h"

#include "app/style.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>

#include <functional>

namespace vistarel::app {

namespace {

constexpr int kIconPixels = 36; // drawn at twice the 18-pixel button icon

void paintLetter(QPainter& p, const QRectF& r, QChar letter, const std::function<void(QFont&)>& style)
{
    QFont f(QStringLiteral("Tahoma"));
    f.setPixelSize(int(r.height() * 0.78));
    style(f);
    p.setFont(f);
    p.drawText(r, Qt::AlignCenter, QString(letter));
}

void paintLines(QPainter& p, const QRectF& r, Qt::Alignment alignment)
{
    const qreal widths[] = {1.0, 0.6, 0.85, 0.5};
    const qreal step = r.height() / 4.5;
    for (int i = 0; i < 4; ++i) {
        const qreal w = r.width() * widths[i];
        qreal x = r.left();
        if (alignment & Qt::AlignHCenter)
            x = r.center().x() - w / 2;
        else if (alignment & Qt::AlignRight)
            x = r.right() - w;
        const qreal y = r.top() + step * (i + 0.75);
        p.drawLine(QPointF(x, y), QPointF(x + w, y));
    }
}

void paintSizeStep(QPainter& p, const QRectF& r, bool larger)
{
    QFont f(QStringLiteral("Tahoma"));
    f.setPixelSize(int(r.height() * (larger ? 0.8 : 0.55)));
    p.setFont(f);
    p.drawText(QRectF(r.left(), r.top(), r.width() * 0.62, r.height()),
               Qt::AlignRight | Qt::AlignBottom, QStringLiteral("A"));
    const qreal cx = r.left() + r.width() * 0.82;
    const qreal cy = r.top() + r.height() * 0.3;
    const qreal a = r.width() * 0.12;
    p.drawLine(QPointF(cx - a, cy), QPointF(cx + a, cy));
    if (larger)
        p.drawLine(QPointF(cx, cy - a), QPointF(cx, cy + a));
}

void paintTool(QPainter& p, ToolIcon icon, const QRectF& r)
{
    switch (icon) {
    case ToolIcon::Bold:
        return paintLetter(p, r, u'B', [](QFont& f) { f.setBold(true); });
    case ToolIcon::Italic:
        return paintLetter(p, r, u'I', [](QFont& f) { f.setItalic(true); });
    case ToolIcon::Underline:
        return paintLetter(p, r, u'U', [](QFont& f) { f.setUnderline(true); });
    case ToolIcon::Strikeout:
        return paintLetter(p, r, u'S', [](QFont& f) { f.setStrikeOut(true); });
    case ToolIcon::Colour: {
        paintLetter(p, r.adjusted(0, -r.height() * 0.12, 0, -r.height() * 0.12), u'A', [](QFont&) {});
        const qreal h = r.height() * 0.16;
        p.fillRect(QRectF(r.left() + r.width() * 0.1, r.bottom() - h, r.width() * 0.8, h),
                   QColor(0xFF, 0x3B, 0x30));
        return;
    }
    case ToolIcon::AlignLeft:
        return paintLines(p, r, Qt::AlignLeft);
    case ToolIcon::AlignCenter:
        return paintLines(p, r, Qt::AlignHCenter);
    case ToolIcon::AlignRight:
        return paintLines(p, r, Qt::AlignRight);
    case ToolIcon::FontSmaller:
        return paintSizeStep(p, r, false);
    case ToolIcon::FontLarger:
        return paintSizeStep(p, r, true);
    }
}

} // namespace

QIcon toolIcon(ToolIcon icon)
{
    QPixmap pixmap(kIconPixels, kIconPixels);
    pixmap.fill(Qt::transparent);
    {
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::TextAntialiasing);
        p.setPen(QPen(Qt::white, 3));
        paintTool(p, icon, QRectF(3, 3, kIconPixels - 6, kIconPixels - 6));
    }
    pixmap.setDevicePixelRatio(2.0);
    return QIcon(pixmap);
}

} // namespace vistarel::app
