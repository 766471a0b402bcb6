#pragma once

#include <QImage>
#include <QList>
#include <QSet>
#include <QStringList>
#include <QVariantAnimation>
#include <QWidget>

class QScrollBar;

namespace vistarel::app {

// The step-2 strip ImageEnMViewStep2Images: a horizontal cover flow of all slides. The
// current slide stands in the middle at full height, the others recede to both sides,
// turned towards it; every picture has a 2-pixel accent border; no captions; single
// selection. The scroll bar's slider runs through the slides (its value is the current
// index). The strip holds file names and pictures only, never settings records.
class CoverFlowStrip : public QWidget
{
    Q_OBJECT

public:
    // The size pictures are kept at.
    static constexpr QSize kThumbnailSize{400, 300};

    explicit CoverFlowStrip(QWidget* parent);

    // Replaces the items (one per slide, in slide order); no item is current afterwards.
    void setItems(const QStringList& files);
    // The picture of an item, kept at no more than 400 x 300.
    void setThumbnail(int index, const QImage& picture);
    bool hasThumbnail(int index) const;
    int count() const { return int(m_files.size()); }
    QString fileName(int index) const { return m_files.value(index); }

    // -1 when there is none.
    int currentIndex() const { return m_current; }
    // Makes an item current (clamped to the items); emits currentChanged when it changes.
    void setCurrentIndex(int index);

    QScrollBar* scrollBar() const { return m_scroll; }

signals:
    // The current item changed (ImageEnMViewStep2ImagesImageSelect).
    void currentChanged(int index);
    // An item is about to be drawn without a picture; asked once per item and fill.
    void thumbnailWanted(int index);
    // The mouse was pressed on, and later released from, the scroll bar's slider.
    void sliderPressed();
    void sliderReleased();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QRectF flowArea() const;
    int itemAt(const QPointF& point) const;
    void paintItem(QPainter& p, int index, double offset, const QRectF& area);
    QTransform itemTransform(double offset, const QRectF& area, QSizeF& box) const;
    void animateTo(int index);

    QStringList m_files;
    QList<QImage> m_pictures;
    QSet<int> m_asked;
    int m_current = -1;
    double m_position = 0; // the item at the centre, between items while animating
    QVariantAnimation m_animation;
    QScrollBar* m_scroll;
};

} // namespace vistarel::app
