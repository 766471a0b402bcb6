#include "app/coverflowstrip.h"

#include "app/style.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace vistarel::app {

namespace {

constexpr int kScrollBarHeight = 10;
constexpr int kMargin = 6;
constexpr double kFirstStep = 0.62; // distance of the neighbours, in item widths
constexpr double kNextStep = 0.26;  // distance between further items
constexpr double kSideScale = 0.78;
constexpr double kSideAngle = 48;   // degrees the side items are turned
constexpr int kAnimationMs = 220;

} // namespace

CoverFlowStrip::CoverFlowStrip(QWidget* parent)
    : QWidget(parent)
    , m_scroll(new QScrollBar(Qt::Horizontal, this))
{
    setObjectName(QStringLiteral("ImageEnMViewStep2Images"));
    setFocusPolicy(Qt::StrongFocus);
    setAutoFillBackground(false);
    m_scroll->setRange(0, 0);
    m_scroll->setPageStep(1);
    m_scroll->setFocusPolicy(Qt::NoFocus);
    connect(m_scroll, &QScrollBar::valueChanged, this, [this](int value) {
        if (!m_files.isEmpty())
            setCurrentIndex(value);
    });
    connect(m_scroll, &QScrollBar::sliderPressed, this, &CoverFlowStrip::sliderPressed);
    connect(m_scroll, &QScrollBar::sliderReleased, this, &CoverFlowStrip::sliderReleased);
    m_animation.setDuration(kAnimationMs);
    m_animation.setEasingCurve(QEasingCurve::OutCubic);
    connect(&m_animation, &QVariantAnimation::valueChanged, this, [this](const QVariant& v) {
        m_position = v.toDouble();
        update();
    });
}

void CoverFlowStrip::setItems(const QStringList& files)
{
    m_animation.stop();
    m_files = files;
    m_pictures = QList<QImage>(files.size());
    m_asked.clear();
    m_current = -1;
    m_position = 0;
    {
        const QSignalBlocker block(m_scroll);
        m_scroll->setRange(0, std::max(0, int(files.size()) - 1));
        m_scroll->setValue(0);
    }
    update();
}

void CoverFlowStrip::setThumbnail(int index, const QImage& picture)
{
    if (index < 0 || index >= count())
        return;
    QImage kept = picture;
    if (kept.width() > kThumbnailSize.width() || kept.height() > kThumbnailSize.height())
        kept = kept.scaled(kThumbnailSize, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    m_pictures[index] = kept;
    update();
}

bool CoverFlowStrip::hasThumbnail(int index) const
{
    return index >= 0 && index < count() && !m_pictures[index].isNull();
}

void CoverFlowStrip::setCurrentIndex(int index)
{
    index = m_files.isEmpty() ? -1 : std::clamp(index, 0, count() - 1);
    if (index == m_current)
        return;
    m_current = index;
    {
        const QSignalBlocker block(m_scroll);
        m_scroll->setValue(std::max(index, 0));
    }
    animateTo(index);
    emit currentChanged(index);
}

void CoverFlowStrip::animateTo(int index)
{
    m_animation.stop();
    if (!isVisible() || index < 0) {
        m_position = std::max(index, 0);
        update();
        return;
    }
    m_animation.setStartValue(m_position);
    m_animation.setEndValue(double(index));
    m_animation.start();
}

QRectF CoverFlowStrip::flowArea() const
{
    return QRectF(0, kMargin, width(), height() - kScrollBarHeight - 2 * kMargin);
}

void CoverFlowStrip::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    m_scroll->setGeometry(0, height() - kScrollBarHeight, width(), kScrollBarHeight);
}

// The placement of an item `offset` places from the centre: moved aside, shrunk and
// turned towards the middle. box receives the size of the item's frame.
QTransform CoverFlowStrip::itemTransform(double offset, const QRectF& area, QSizeF& box) const
{
    const double h = area.height();
    box = QSizeF(h * 4.0 / 3.0, h);
    const double distance = std::abs(offset);
    const double side = std::clamp(offset, -1.0, 1.0);
    double x = offset * box.width() * kFirstStep;
    if (distance > 1)
        x = std::copysign(box.width() * kFirstStep + (distance - 1) * box.width() * kNextStep, offset);
    const double scale = 1.0 - (1.0 - kSideScale) * std::min(distance, 1.0);
    QTransform t;
    t.translate(area.center().x() + x, area.center().y());
    t.rotate(-side * kSideAngle, Qt::YAxis);
    t.scale(scale, scale);
    return t;
}

void CoverFlowStrip::paintItem(QPainter& p, int index, double offset, const QRectF& area)
{
    QSizeF box;
    p.setTransform(itemTransform(offset, area, box));
    const QImage& picture = m_pictures[index];
    const QSizeF size = picture.isNull() ? box : QSizeF(picture.size()).scaled(box, Qt::KeepAspectRatio);
    const QRectF r(-size.width() / 2, -size.height() / 2, size.width(), size.height());
    if (picture.isNull()) {
        p.fillRect(r, colour::kEdit);
        if (!m_asked.contains(index)) {
            m_asked.insert(index);
            QMetaObject::invokeMethod(this, [this, index] { emit thumbnailWanted(index); },
                                      Qt::QueuedConnection);
        }
    } else {
        p.drawImage(r, picture);
    }
    // Items further from the centre lie deeper in the shade.
    const double distance = std::abs(offset);
    if (distance > 0.01)
        p.fillRect(r, QColor(0, 0, 0, int(std::min(distance, 3.0) * 45)));
    QPen border(colour::kAccent, 2);
    border.setCosmetic(true);
    p.setPen(border);
    p.setBrush(Qt::NoBrush);
    p.drawRect(r);
}

void CoverFlowStrip::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), colour::kPage);
    if (m_files.isEmpty())
        return;
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF area = flowArea();
    const double boxWidth = area.height() * 4.0 / 3.0;
    const double reach = 2 + std::max(0.0, (area.width() / 2 - boxWidth * kFirstStep) /
                                               (boxWidth * kNextStep));
    QList<int> order;
    for (int i = 0; i < count(); ++i)
        if (std::abs(i - m_position) <= reach)
            order << i;
    // Far items first, so nearer ones cover them.
    std::sort(order.begin(), order.end(), [this](int a, int b) {
        return std::abs(a - m_position) > std::abs(b - m_position);
    });
    for (int i : order)
        paintItem(p, i, i - m_position, area);
}

// The item under a point where the items stand once the strip has come to rest, so that
// a click during the glide hits what the user aims at.
int CoverFlowStrip::itemAt(const QPointF& point) const
{
    const QRectF area = flowArea();
    int hit = -1;
    double hitDistance = 0;
    for (int i = 0; i < count(); ++i) {
        const double offset = i - std::max(m_current, 0);
        QSizeF box;
        const QTransform t = itemTransform(offset, area, box);
        const QImage& picture = m_pictures[i];
        const QSizeF size =
            picture.isNull() ? box : QSizeF(picture.size()).scaled(box, Qt::KeepAspectRatio);
        const QRectF r(-size.width() / 2, -size.height() / 2, size.width(), size.height());
        // Nearer items lie on top.
        if (t.map(QPolygonF(r)).containsPoint(point, Qt::OddEvenFill) &&
            (hit < 0 || std::abs(offset) < hitDistance)) {
            hit = i;
            hitDistance = std::abs(offset);
        }
    }
    return hit;
}

void CoverFlowStrip::mousePressEvent(QMouseEvent* event)
{
    QWidget::mousePressEvent(event);
    if (event->button() != Qt::LeftButton)
        return;
    if (const int index = itemAt(event->position()); index >= 0)
        setCurrentIndex(index);
}

void CoverFlowStrip::wheelEvent(QWheelEvent* event)
{
    const QPoint delta = event->angleDelta();
    const int step = (std::abs(delta.x()) > std::abs(delta.y()) ? delta.x() : delta.y()) > 0 ? -1 : 1;
    if (m_current >= 0)
        setCurrentIndex(m_current + step);
    event->accept();
}

void CoverFlowStrip::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Left:
        return setCurrentIndex(m_current - 1);
    case Qt::Key_Right:
        return setCurrentIndex(m_current + 1);
    case Qt::Key_Home:
        return setCurrentIndex(0);
    case Qt::Key_End:
        return setCurrentIndex(count() - 1);
    default:
        QWidget::keyPressEvent(event);
    }
}

} // namespace vistarel::app
