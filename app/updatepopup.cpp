#include "app/updatepopup.h"

#include "app/formtranslator.h"
#include "app/style.h"
#include "app/widgets.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

namespace vistarel::app {

namespace {
constexpr int kBoxWidth = 324;
constexpr int kBoxHeight = 199;
constexpr int kShadow = 8;
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
    setAttribute(Qt::WA_TranslucentBackground);
    setWindowOpacity(kOpacity);
    setFixedSize(kBoxWidth + 2 * kShadow, kBoxHeight + 2 * kShadow + kArrow);

    auto* panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("RzPanelUpdate"));
    panel->setGeometry(kShadow, kShadow + kArrow + kHeaderHeight, kBoxWidth,
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
    QPoint topLeft(arrowTip.x() - width() / 2, arrowTip.y() - kShadow);
    if (const QScreen* screen = QGuiApplication::screenAt(arrowTip)) {
        const QRect area = screen->availableGeometry();
        topLeft.setX(std::clamp(topLeft.x(), area.left(), std::max(area.left(), area.right() - width())));
        topLeft.setY(std::clamp(topLeft.y(), area.top(), std::max(area.top(), area.bottom() - height())));
    }
    m_arrowX = std::clamp(arrowTip.x() - topLeft.x(), kShadow + 16, width() - kShadow - 16);
    move(topLeft);
    show();
    raise();
    update();
}

void UpdatePopup::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF box(kShadow, kShadow + kArrow, kBoxWidth, kBoxHeight);
    for (int i = kShadow; i > 0; --i) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 0, 10));
        p.drawRoundedRect(box.adjusted(-i, -i + 2, i, i + 2), 6 + i, 6 + i);
    }
    QPainterPath shape;
    shape.addRoundedRect(box, 6, 6);
    QPainterPath arrow;
    arrow.moveTo(m_arrowX - kArrow, box.top() + 1);
    arrow.lineTo(m_arrowX, box.top() - kArrow);
    arrow.lineTo(m_arrowX + kArrow, box.top() + 1);
    arrow.closeSubpath();
    shape = shape.united(arrow);
    p.setBrush(Qt::white);
    p.drawPath(shape);
    const QRectF head(box.left(), box.top(), box.width(), kHeaderHeight);
    QPainterPath headShape;
    headShape.addRoundedRect(head.adjusted(0, 0, 0, 6), 6, 6);
    p.setClipRect(head);
    p.setBrush(colour::kAccent);
    p.drawPath(headShape.united(arrow));
    p.setClipping(false);
    p.setBrush(colour::kAccent);
    p.drawPath(arrow);
    QFont f = font();
    f.setPixelSize(14);
    f.setBold(true);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(head.adjusted(14, 0, -14, 0), Qt::AlignVCenter | Qt::AlignLeft, m_header);
}

} // namespace vistarel::app
