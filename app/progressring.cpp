#include "app/progressring.h"

#include <QPainter>

#include <algorithm>

namespace vistarel::app {

const QColor ProgressRing::kArcColour{0x03, 0x8C, 0xFC};
const QColor ProgressRing::kRingColour{0x25, 0x25, 0x25};

ProgressRing::ProgressRing(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("CircularProgressProgress"));
    setMinimumSize(120, 120);
}

void ProgressRing::setValue(int value)
{
    value = std::clamp(value, 0, 100);
    if (value == m_value)
        return;
    m_value = value;
    update();
}

QString ProgressRing::valueText() const
{
    return QString::number(m_value) + u'%';
}

void ProgressRing::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal side = std::min(width(), height()) - kArcWidth;
    const QRectF ring((width() - side) / 2, (height() - side) / 2, side, side);
    p.setPen(QPen(kRingColour, kArcWidth, Qt::SolidLine, Qt::FlatCap));
    p.drawEllipse(ring);
    if (m_value > 0) {
        // Qt counts angles in sixteenths of a degree, counter-clockwise from three o'clock.
        p.setPen(QPen(kArcColour, kArcWidth, Qt::SolidLine, Qt::FlatCap));
        p.drawArc(ring, 90 * 16, -m_value * 360 * 16 / 100);
    }
    QFont f = font();
    f.setBold(true);
    f.setPixelSize(std::max(12, int(side / 6)));
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(rect(), Qt::AlignCenter, valueText());
}

} // namespace vistarel::app
