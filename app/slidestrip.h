#pragma once

#include "app/thumbnailcache.h"

#include <QLine>
#include <QListView>
#include <QTimer>

namespace vistarel::project {
class SlideList;
}

namespace vistarel::app {

// Thumbnails of the slide strip are made at this size and shown at 50 % (normal strip)
// or 100 % (large strip).
inline constexpr QSize kStripThumbnailSize{200, 150};
// Space around a thumbnail in its cell.
inline constexpr int kStripCellPadding = 6;

// The insertion point of a position in a row of cells: the index of the cell under it
// (contentX counts from the first cell, scrolled-out cells included), at most count, so a
// position behind the last cell appends. Pure.
int insertionPointAt(int contentX, int cellWidth, int count);

// The silver marker of an internal drag: a horizontal line across the thumbnail box of
// the cell before which the slides would land (along its top edge), or along the bottom
// edge of the last cell when they would land at the end. box is that cell's thumbnail
// box as displayed. Pure.
QLine insertionMarkerLine(const QRect& box, bool atEnd);

// ImageEnMViewPreview: the slide list as one row of thumbnails. Media dropped from the
// folder view are inserted at the cell under the pointer; selected slides are reordered
// by dragging them inside the strip (a silver marker shows where they will land) and
// removed with the Delete key. The strip keeps a current (selected) slide while it has
// slides: inserted slides become current, and after a removal a remaining one does.
// It does not know the project's changed flag: it reports the user's edits.
class SlideStrip : public QListView
{
    Q_OBJECT

public:
    SlideStrip(project::SlideList& slides, const QString& appDataDir, QWidget* parent);

    project::SlideList& slides() const { return m_slides; }
    ThumbnailCache& thumbnails() { return m_thumbnails; }
    // The box thumbnails are requested at (the design size in device pixels).
    QSize requestBox() const;

    // 50 (normal strip) or 100 (large strip).
    int zoomPercent() const { return m_zoom; }
    void setZoomPercent(int percent);
    QSize cellSize() const;
    // The thumbnail box of a cell as displayed.
    QRect thumbnailBox(const QRect& cell) const;

    // The insertion point under a position of the viewport.
    int insertionPointAt(QPoint viewportPos) const;
    // fDragInsertPos: where an internal drag over the strip would insert; -1 otherwise.
    int dragInsertPos() const { return fDragInsertPos; }
    QList<int> selectedRows() const;
    // What dragging the selected slides carries.
    QMimeData* mimeForSelection() const;

signals:
    // The user dropped media (whether or not any was inserted), moved slides, or
    // deleted slides.
    void edited();

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void startDrag(Qt::DropActions supportedActions) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    bool acceptsDrag(const QMimeData* mime) const;
    void makeCurrent(int row);
    void scrollNearEdge(int x);
    void endDragOver();
    void thumbnailArrived(const QString& file, QSize box);

    project::SlideList& m_slides;
    ThumbnailCache m_thumbnails;
    int m_zoom = 50;
    int fDragInsertPos = -1;
    QTimer m_edgeScroll;
    int m_edgeScrollStep = 0;
};

} // namespace vistarel::app
