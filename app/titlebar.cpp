#include "app/titlebar.h"

#include "app/artwork.h"
#include "app/formtranslator.h"
#include "app/style.h"
#include "app/widgets.h"

#include <QLabel>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>

#include <cmath>

namespace vistarel::app {

namespace {

constexpr int kButtonWidth = 30;
constexpr int kButtonHeight = 18;
constexpr int kButtonTop = 4;
constexpr int kButtonGap = 2;

class Picture : public QWidget
{
public:
    using Painter = void (*)(QPainter&, const QRect&);
    Picture(const QString& name, Painter painter, QWidget* parent)
        : QWidget(parent)
        , m_painter(painter)
    {
        setObjectName(name);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        m_painter(p, rect());
    }

private:
    Painter m_painter;
};

void paintBackground(QPainter& p, const QRect& r)
{
    QLinearGradient gradient(r.topLeft(), r.bottomLeft());
    gradient.setColorAt(0, QColor(0x2A, 0x2A, 0x2A));
    gradient.setColorAt(1, colour::kTitleBar);
    p.fillRect(r, gradient);
    p.setPen(QColor(0x18, 0x18, 0x18));
    p.drawLine(r.bottomLeft(), r.bottomRight());
}

void paintLogoPicture(QPainter& p, const QRect& r)
{
    paintLogo(p, r);
}

void paintNamePicture(QPainter& p, const QRect& r)
{
    paintProductName(p, r);
}

} // namespace

TitleBar::TitleBar(QWidget* parent)
    : QWidget(parent)
    , m_background(new Picture(QStringLiteral("ImageTop"), paintBackground, this))
    , m_logo(new Picture(QStringLiteral("ImageLogo"), paintLogoPicture, this))
    , m_name(new Picture(QStringLiteral("ImageVistarel"), paintNamePicture, this))
    , m_version(makeLabel(QStringLiteral("LabelVersion"), QString(), 11, QFont::Normal,
                          colour::kDimText, this))
    , m_language(new GlyphButton(QStringLiteral("AdvMetroTileLanguage"), std::nullopt, this))
    , m_save(new GlyphButton(QStringLiteral("RzBmpButtonSave"), Glyph::Save, this))
    , m_minimize(new GlyphButton(QStringLiteral("RzBmpButtonMinimize"), Glyph::Minimize, this))
    , m_maximize(new GlyphButton(QStringLiteral("RzBmpButtonMaximize"), Glyph::Maximize, this))
    , m_close(new GlyphButton(QStringLiteral("RzBmpButtonClose"), Glyph::Close, this))
{
    setFixedHeight(kTitleBarHeight);
    m_logo->setGeometry(10, 7, 24, 24);
    const int nameWidth = static_cast<int>(std::ceil(productNameWidth(font()))) + 4;
    m_name->setGeometry(42, 7, nameWidth, 24);
    m_version->setGeometry(42 + nameWidth + 8, 14, 140, 16);
    m_version->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_language->setColours(colour::kTile, colour::kTileHover);
    markProgramTexts(m_language, {QStringLiteral("Caption")}); // the language code
    m_language->setToolTip(QStringLiteral("Sprache wechseln"));
    m_save->setToolTip(QStringLiteral("Projekt speichern"));
    m_minimize->setToolTip(QStringLiteral("Minimieren"));
    m_maximize->setToolTip(QStringLiteral("Maximieren"));
    m_close->setToolTip(QStringLiteral("Schließen"));
    m_close->setColours(Qt::transparent, colour::kCloseHover);
    for (QWidget* w : {m_background, m_logo, m_name, static_cast<QWidget*>(m_version)})
        w->installEventFilter(this);
    connect(m_language, &QAbstractButton::clicked, this, &TitleBar::languageClicked);
    connect(m_save, &QAbstractButton::clicked, this, &TitleBar::saveClicked);
    connect(m_minimize, &QAbstractButton::clicked, this, &TitleBar::minimizeClicked);
    connect(m_maximize, &QAbstractButton::clicked, this, &TitleBar::maximizeClicked);
    connect(m_close, &QAbstractButton::clicked, this, &TitleBar::closeClicked);
}

void TitleBar::setMaximizedGlyph(bool maximized)
{
    m_maximize->setGlyph(maximized ? Glyph::Restore : Glyph::Maximize);
}

bool TitleBar::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        emit moveRequested();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void TitleBar::resizeEvent(QResizeEvent* event)
{
    m_background->setGeometry(rect());
    int x = width() - kFrameThickness - 2 - kButtonWidth;
    for (QWidget* button : {m_close, m_maximize, m_minimize, m_save, m_language}) {
        button->setGeometry(x, kButtonTop, kButtonWidth, kButtonHeight);
        x -= kButtonWidth + kButtonGap;
    }
    QWidget::resizeEvent(event);
}

} // namespace vistarel::app
