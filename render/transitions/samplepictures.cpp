#include "render/transitions/samplepictures.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>

#include <algorithm>

namespace vistarel::render::transitions {

namespace {

QImage samplePicture(QSize size, QColor from, QColor to, QColor lines, const QString& letter)
{
    QImage image(size, QImage::Format_RGB888);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const int w = size.width();
    const int h = size.height();
    QLinearGradient gradient(0, 0, w, h);
    gradient.setColorAt(0.0, from);
    gradient.setColorAt(1.0, to);
    p.fillRect(image.rect(), gradient);
    p.setPen(QPen(lines, std::max(1.0, h / 180.0)));
    for (int i = 1; i < 8; ++i)
        p.drawLine(QPointF(w * i / 8.0, 0), QPointF(w * i / 8.0, h));
    for (int i = 1; i < 6; ++i)
        p.drawLine(QPointF(0, h * i / 6.0), QPointF(w, h * i / 6.0));
    p.setBrush(lines);
    const double marker = std::min(w, h) / 6.0;
    p.drawEllipse(QRectF(marker / 3, marker / 3, marker, marker));
    QFont font;
    font.setPixelSize(std::max(1, int(h * 0.6)));
    font.setBold(true);
    p.setFont(font);
    p.setPen(QColor(255, 255, 255));
    p.drawText(image.rect(), Qt::AlignCenter, letter);
    return image;
}

} // namespace

QImage sampleStartPicture(QSize size)
{
    return samplePicture(size, QColor(250, 170, 40), QColor(150, 20, 30), QColor(90, 10, 10),
                         QStringLiteral("A"));
}

QImage sampleTargetPicture(QSize size)
{
    return samplePicture(size, QColor(40, 200, 190), QColor(20, 40, 140), QColor(200, 255, 255),
                         QStringLiteral("B"));
}

} // namespace vistarel::render::transitions
