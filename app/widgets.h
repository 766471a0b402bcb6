#pragma once

#include "app/artwork.h"

#include <QAbstractButton>
#include <QColor>
#include <QLabel>

#include <optional>

namespace vistarel::app {

// A small flat button that draws a glyph (or its text when it has no glyph) on a
// background that changes while the mouse is over it. The title-bar buttons and the
// language tile are made of it.
class GlyphButton : public QAbstractButton
{
    Q_OBJECT

public:
    GlyphButton(const QString& name, std::optional<Glyph> glyph, QWidget* parent);

    void setGlyph(Glyph glyph);
    void setColours(const QColor& normal, const QColor& hover);

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    std::optional<Glyph> m_glyph;
    QColor m_normal = Qt::transparent;
    QColor m_hover;
    bool m_hovered = false;
};

// A large picture button with a caption under the picture (start panel).
class ImageButton : public QAbstractButton
{
    Q_OBJECT

public:
    ImageButton(const QString& name, Glyph glyph, const QString& caption, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    Glyph m_glyph;
    bool m_hovered = false;
};

// A label that reports a left click; links and clickable texts are made of it. With
// link colours it is drawn in the accent blue and turns white under the mouse.
class ClickLabel : public QLabel
{
    Q_OBJECT

public:
    ClickLabel(const QString& name, const QString& text, QWidget* parent);
    // Accent blue, white under the mouse.
    void setLinkColours(bool on);
    // Any pair of text colours: normal, and while the mouse is over the label.
    void setHoverColours(const QColor& normal, const QColor& hover);

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void applyColour(const QColor& colour);
    bool m_hoverColours = false;
    QColor m_normal;
    QColor m_hover;
};

// A small picture button with an active and an inactive picture: active while the mouse
// is over it and while it stands for the current choice, inactive otherwise.
class PictureIcon : public QAbstractButton
{
    Q_OBJECT

public:
    PictureIcon(const QString& name, Glyph glyph, const QString& hint, QWidget* parent);

    void setCurrent(bool current);
    bool isCurrent() const { return m_current; }
    // Whether the active picture is the one shown now.
    bool showsActive() const { return m_current || m_hovered; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    Glyph m_glyph;
    bool m_current = false;
    bool m_hovered = false;
};

// A ticked or empty box glyph that reports a left click.
class BoxGlyph : public QWidget
{
    Q_OBJECT

public:
    BoxGlyph(const QString& name, QWidget* parent);
    bool isTicked() const { return m_ticked; }
    void setTicked(bool ticked);

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool m_ticked = false;
};

// A label with a font of the given pixel size, weight and colour.
QLabel* makeLabel(const QString& name, const QString& text, int pixelSize, QFont::Weight weight,
                  const QColor& colour, QWidget* parent);

// An underlined link in the accent blue that turns white under the mouse.
ClickLabel* makeLink(const QString& name, const QString& text, QWidget* parent);

// A flat button with the look of the style sheet's role ("primary" or "secondary").
QAbstractButton* makeButton(const QString& name, const QString& text, const char* role,
                            QWidget* parent);

} // namespace vistarel::app
