#include "app/overlaypanel.h"

#include "app/style.h"

#include <QEvent>
#include <QGraphicsDropShadowEffect>
#include <QPainter>

namespace vistarel::app {

OverlayPanel::OverlayPanel(const QString& name, QSize designSize, const QColor& background,
                           QWidget* parent)
    : QFrame(parent)
    , m_background(background)
{
    setObjectName(name);
    setFixedSize(designSize);
    // A shadow lifts the panel off whatever lies under it, another panel included.
    auto* shadow = new QGraphicsDropShadowEffect(this);
    shadow->setBlurRadius(28);
    shadow->setOffset(0, 6);
    shadow->setColor(QColor(0, 0, 0, 170));
    setGraphicsEffect(shadow);
    parent->installEventFilter(this);
    hide();
}

void OverlayPanel::showInFront()
{
    centre();
    show();
    raise();
}

bool OverlayPanel::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == parent() && event->type() == QEvent::Resize)
        centre();
    return QFrame::eventFilter(watched, event);
}

void OverlayPanel::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), m_background);
    p.setPen(colour::kRowLine);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    p.fillRect(QRect(0, 0, width(), 3), colour::kAccent);
}

void OverlayPanel::centre()
{
    const QWidget* area = parentWidget();
    move((area->width() - width()) / 2, (area->height() - height()) / 2);
}

} // namespace vistarel::app
