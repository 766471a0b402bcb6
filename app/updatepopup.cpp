#include "app/updatepopup.h"

#include "app/formtranslator.h"
#include "app/style.h"
#include "app/widgets.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QRegion>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

namespace vistarel::app {

namespace {
constexpr int kBoxWidth = 324;
constexpr int kBoxHeight = 199;
constexpr int kArrow = 10;
constexpr int kHeaderHeight = 30;
constexpr double kOpacity = 200.0 / 255.0;
constexpr int kDots = 5;
} // namespace

MarqueeDots::MarqueeDots(QWidget* parent)
    : QWidget(parent)
    , m_timer(new QTimer(this))
{
    setObjectName(QStringLiteral("AdvSmoothWin8MarqueeUpdate"));
    setFixedHeight(10);
    m_timer->setInterval(30);
    connect(m_timer, &QTimer::timeout, this, [this] {
        m_phase = (m_phase + 1) % 160;
        update();
    });
}

void MarqueeDots::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(colour::kAccent);
    // The dots run across in a train and slow down in the middle, as the desktop's own
    // busy indicators do.
    for (int i = 0; i < kDots; ++i) {
        const double t = (m_phase - i * 6) / 120.0;
        if (t < 0 || t > 1)
            continue;
        const double eased = 0.5 - 0.5 * std::cos(t * 3.14159265358979);
        const double x = -10 + eased * (width() + 20);
        p.drawEllipse(QPointF(x, height() / 2.0), 3, 3);
    }
}

void MarqueeDots::showEvent(QShowEvent* event)
{
    m_timer->start();
    QWidget::showEvent(event);
}

void MarqueeDots::hideEvent(QHideEvent* event)
{
    m_timer->stop();
    QWidget::hideEvent(event);
}

UpdatePopup::UpdatePopup(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
    , m_header(QStringLiteral("Update-Assistent"))
{
    setObjectName(QStringLiteral("AdvSmoothPopupUpdate"));
    // Opaque with a shape mask: a translucent window turns black on desktops without a
    // compositor, a mask works everywhere. The opacity applies where a compositor is.
    setWindowOpacity(kOpacity);
    setFixedSize(kBoxWidth, kBoxHeight + kArrow);

    auto* panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("RzPanelUpdate"));
    panel->setGeometry(0, kArrow + kHeaderHeight, kBoxWidth,
                       kBoxHeight - kHeaderHeight);
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(16, 14, 16, 14);
    m_info = makeLabel(QStringLiteral("RzLabelUpdateInfo"),
                       QStringLiteral("Der Update-Assistent lädt jetzt Version x.xxx herunter "
                                      "und ersetzt die installierte Version x.xxx."),
                       13, QFont::Normal, Qt::black, panel);
    m_info->setAlignment(Qt::AlignCenter);
    markProgramTexts(m_info, {QStringLiteral("Caption")}); // composed from Str33 and Str34
    m_info->setWordWrap(true);
    layout->addWidget(m_info, 1);
    m_marquee = new MarqueeDots(panel);
    m_marquee->hide();
    layout->addWidget(m_marquee);
    auto* buttons = new QHBoxLayout;
    auto* cancel = makeButton(QStringLiteral("RzBmpButtonUpdateCancel"),
                              QStringLiteral("Abbrechen"), "secondary", panel);
    auto* download = makeButton(QStringLiteral("RzBmpButtonUpdateDownload"),
                                QStringLiteral("Installation starten"), "primary", panel);
    buttons->addWidget(cancel, 1);
    buttons->addWidget(download, 1);
    layout->addLayout(buttons);
    connect(cancel, &QAbstractButton::clicked, this, &UpdatePopup::cancelClicked);
    connect(download, &QAbstractButton::clicked, this, &UpdatePopup::downloadClicked);
}

void UpdatePopup::setHeader(const QString& header)
{
    m_header = header;
    update();
}

void UpdatePopup::setInfoText(const QString& text)
{
    m_info->setText(text);
}

void UpdatePopup::setMarqueeVisible(bool visible)
{
    m_marquee->setVisible(visible);
}

bool UpdatePopup::isMarqueeVisible() const
{
    return m_marquee->isVisibleTo(this);
}

void UpdatePopup::popUpAt(const QPoint& arrowTip)
{
    QPoint topLeft(arrowTip.x() - width() / 2, arrowTip.y());
    if (const QScreen* screen = QGuiApplication::screenAt(arrowTip)) {
        const QRect area = screen->availableGeometry();
        topLeft.setX(std::clamp(topLeft.x(), area.left(), std::max(area.left(), area.right() - width())));
        topLeft.setY(std::clamp(topLeft.y(), area.top(), std::max(area.top(), area.bottom() - height())));
    }
    m_arrowX = std::clamp(arrowTip.x() - topLeft.x(), 16, width() - 16);
    move(topLeft);
    setMask(QRegion(outline().toFillPolygon().toPolygon()));
    show();
    raise();
    update();
}

QPainterPath UpdatePopup::outline() const
{
    const QRectF box(0, kArrow, kBoxWidth, kBoxHeight);
    QPainterPath shape;
    shape.addRoundedRect(box, 6, 6);
    QPainterPath arrow;
    arrow.moveTo(m_arrowX - kArrow, box.top() + 1);
    arrow.lineTo(m_arrowX, box.top() - kArrow);
    arrow.lineTo(m_arrowX + kArrow, box.top() + 1);
    arrow.closeSubpath();
    return shape.united(arrow).simplified();
}

void UpdatePopup::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QPainterPath shape = outline();
    p.fillPath(shape, Qt::white);
    // The header band and the arrow above it in the accent colour.
    p.save();
    p.setClipRect(QRectF(0, 0, width(), kArrow + kHeaderHeight));
    p.fillPath(shape, colour::kAccent);
    p.restore();
    p.setPen(QPen(colour::kAccent.darker(130), 1));
    p.drawPath(shape);
    QFont f = font();
    f.setPixelSize(14);
    f.setBold(true);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRectF(14, kArrow, kBoxWidth - 28, kHeaderHeight),
               Qt::AlignVCenter | Qt::AlignLeft, m_header);
}

} // namespace vistarel::app
