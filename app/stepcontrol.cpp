#include "app/stepcontrol.h"

#include "app/style.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

namespace vistarel::app {

namespace {
constexpr qreal kChevron = 16;
constexpr qreal kGap = 4;
} // namespace

StepControl::StepControl(QWidget* parent)
    : QWidget(parent)
    , m_captions{QStringLiteral("Schritt 1"), QStringLiteral("Schritt 2"), QStringLiteral("Schritt 3")}
    , m_descriptions{QStringLiteral("Medien auswählen"), QStringLiteral("Effekte festlegen"),
                     QStringLiteral("Slideshow erstellen")}
{
    setObjectName(QStringLiteral("AdvSmoothStepControlMain"));
    setFixedHeight(kStepControlHeight);
    setCursor(Qt::PointingHandCursor);
}

void StepControl::setActiveStep(int step)
{
    if (step < 0 || step >= kStepCount || step == m_active)
        return;
    m_active = step;
    update();
    emit stepChanged(step);
}

void StepControl::setStepTexts(int step, const QString& caption, const QString& description)
{
    if (step < 0 || step >= kStepCount)
        return;
    m_captions[step] = caption;
    m_descriptions[step] = description;
    update();
}

QRectF StepControl::stepRect(int step) const
{
    const qreal w = (width() - (kStepCount - 1) * kGap) / kStepCount;
    return QRectF(step * (w + kGap), 10, w, height() - 20);
}

void StepControl::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    QFont captionFont = font();
    captionFont.setPixelSize(12);
    QFont descriptionFont = font();
    descriptionFont.setPixelSize(15);
    descriptionFont.setBold(true);
    for (int i = 0; i < kStepCount; ++i) {
        const QRectF r = stepRect(i);
        // Arrow-shaped steps: a notch on the left (except the first), a point on the
        // right (except the last).
        QPainterPath shape;
        shape.moveTo(r.topLeft());
        shape.lineTo(r.right() - (i < kStepCount - 1 ? kChevron : 0), r.top());
        shape.lineTo(r.right(), r.center().y());
        shape.lineTo(r.right() - (i < kStepCount - 1 ? kChevron : 0), r.bottom());
        shape.lineTo(r.bottomLeft());
        if (i > 0)
            shape.lineTo(r.left() + kChevron, r.center().y());
        shape.closeSubpath();
        QColor fill = i == m_active ? colour::kAccent : colour::kEdit;
        if (!isEnabled())
            fill = fill.darker(140);
        p.fillPath(shape, fill);
        const QRectF text = r.adjusted(i > 0 ? kChevron + 14 : 16, 4, -kChevron - 8, -4);
        p.setPen(isEnabled() ? QColor(Qt::white) : colour::kDimText);
        p.setFont(captionFont);
        p.drawText(text, Qt::AlignLeft | Qt::AlignTop, m_captions[i]);
        p.setFont(descriptionFont);
        p.drawText(text, Qt::AlignLeft | Qt::AlignBottom, m_descriptions[i]);
    }
}

void StepControl::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    for (int i = 0; i < kStepCount; ++i) {
        if (stepRect(i).contains(event->position()))
            setActiveStep(i);
    }
}

} // namespace vistarel::app
