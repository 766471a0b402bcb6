#include "app/previewview.h"

#include "app/style.h"

#include <QPainter>

#include <cmath>

namespace vistarel::app {

PreviewView::PreviewView(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("ImageEnViewStep2TransitionPreview"));
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QSize PreviewView::pixelSize() const
{
    const qreal ratio = devicePixelRatioF();
    return QSize(std::max(1, int(std::lround(width() * ratio))),
                 std::max(1, int(std::lround(height() * ratio))));
}

void PreviewView::showPicture(const QImage& picture)
{
    m_picture = picture;
    m_hidden = false;
    update();
}

void PreviewView::clear()
{
    m_picture = QImage();
    update();
}

void PreviewView::setHiddenLook(bool hidden)
{
    m_hidden = hidden;
    update();
}

void PreviewView::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    if (m_hidden) {
        p.fillRect(rect(), colour::kPage);
        return;
    }
    p.fillRect(rect(), Qt::black);
    if (m_picture.isNull())
        return;
    const qreal ratio = devicePixelRatioF();
    QSizeF size = QSizeF(m_picture.size()) / ratio;
    if (size.width() > width() || size.height() > height())
        size.scale(QSizeF(this->size()), Qt::KeepAspectRatio);
    const QRectF target((width() - size.width()) / 2, (height() - size.height()) / 2, size.width(),
                        size.height());
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(target, m_picture);
}

} // namespace vistarel::app
