#pragma once

#include <QIcon>
#include <QWidget>

class QPainter;
class QRectF;
class QColor;

namespace vistarel::app {

// The pictures of the subtitle toolbar, drawn at any density.
enum class ToolIcon {
    Bold,
    Italic,
    Underline,
    Strikeout,
    Colour,
    AlignLeft,
    AlignCenter,
    AlignRight,
    FontSmaller,
    FontLarger,
};

QIcon toolIcon(ToolIcon icon);

// The strip-size icons of step 2: a row of small pictures (normal) or one large picture
// (large), in white when active and grey when not.
void paintStripSizeIcon(QPainter& painter, const QRectF& box, bool large, const QColor& colour);

// A strip-size icon (ImageStep2ImagesNormal, ImageStep2ImagesLarge): its active picture
// while the mouse is over it or its layout is the current one, else the inactive one.
class StripSizeIcon : public QWidget
{
    Q_OBJECT

public:
    StripSizeIcon(const QString& name, bool large, QWidget* parent);
    void setActive(bool active);
    bool isActive() const { return m_active; }

signals:
    void clicked();
    // The mouse left the icon (the page then shows the picture of the current layout).
    void left();

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool m_large;
    bool m_active = false;
};

} // namespace vistarel::app
