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
    void setLinkColours(bool on);

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void applyColour(const QColor& colour);
    bool m_link = false;
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

// A flat button with the look of the style sheet's role ("primary" or "secondary").
QAbstractButton* makeButton(const QString& name, const QString& text, const char* role,
                            QWidget* parent);

} // namespace vistarel::app
