#include "app/slidestrip.h"

#include "app/mediadrag.h"
#include "app/mediapaint.h"
#include "app/style.h"
#include "project/mediakind.h"
#include "project/slidelist.h"

#include <QDrag>
#include <QDragMoveEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMimeData>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>

namespace vistarel::app {

namespace {

const QColor kMarker{0xC0, 0xC0, 0xC0};
const QColor kHover{0x52, 0x52, 0x52};
constexpr int kMarkerInset = 10;
constexpr int kMarkerWidth = 2;
constexpr int kCachedThumbnails = 200;
constexpr int kEdgeZone = 28; // pixels at either end where a drag scrolls the strip
constexpr int kEdgeScrollMs = 40;

class StripDelegate : public QStyledItemDelegate
{
public:
    explicit StripDelegate(SlideStrip& strip)
        : QStyledItemDelegate(&strip)
        , m_strip(strip)
    {
    }

    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override
    {
        return m_strip.cellSize();
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override
    {
        const QString path = index.data(project::SlideList::FilePathRole).toString();
        painter->save();
        if (option.state & QStyle::State_Selected)
            painter->fillRect(option.rect, colour::kAccent);
        else if (option.state & QStyle::State_MouseOver)
            painter->fillRect(option.rect, kHover);
        const QRect box = m_strip.thumbnailBox(option.rect);
        paintCachedThumbnail(*painter, box, m_strip.thumbnails(), path, m_strip.requestBox(),
                             m_strip.devicePixelRatioF());
        painter->restore();
    }

private:
    SlideStrip& m_strip;
};

} // namespace

int insertionPointAt(int contentX, int cellWidth, int count)
{
    if (cellWidth <= 0 || contentX < 0)
        return 0;
    return std::min(contentX / cellWidth, count);
}

QLine insertionMarkerLine(const QRect& box, bool atEnd)
{
    const int y = atEnd ? box.top() + box.height() - kMarkerWidth : box.top() + 1;
    return {box.left() + kMarkerInset, y, box.left() + box.width() - kMarkerInset, y};
}

SlideStrip::SlideStrip(project::SlideList& slides, const QString& appDataDir, QWidget* parent)
    : QListView(parent)
    , m_slides(slides)
    , m_thumbnails(appDataDir,
                   qint64(kCachedThumbnails) * kStripThumbnailSize.width() *
                       kStripThumbnailSize.height() * 4 *
                       qint64(std::ceil(qGuiApp->devicePixelRatio() * qGuiApp->devicePixelRatio())))
{
    setObjectName(QStringLiteral("ImageEnMViewPreview"));
    setModel(&m_slides);
    setItemDelegate(new StripDelegate(*this));
    setViewMode(QListView::ListMode);
    setFlow(QListView::LeftToRight);
    setWrapping(false);
    setUniformItemSizes(true);
    setMovement(QListView::Static);
    setSpacing(0);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setDragEnabled(true);
    setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::DragDrop);
    setDropIndicatorShown(false);
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    viewport()->setAttribute(Qt::WA_Hover);

    m_edgeScroll.setInterval(kEdgeScrollMs);
    connect(&m_edgeScroll, &QTimer::timeout, this, [this] {
        horizontalScrollBar()->setValue(horizontalScrollBar()->value() + m_edgeScrollStep);
    });
    connect(&m_thumbnails, &ThumbnailCache::thumbnailReady, this, &SlideStrip::thumbnailArrived);
    connect(&m_thumbnails, &ThumbnailCache::thumbnailFailed, this, &SlideStrip::thumbnailArrived);
    connect(&m_slides, &QAbstractItemModel::rowsInserted, this,
            [this](const QModelIndex&, int, int last) { makeCurrent(last); });
    connect(&m_slides, &QAbstractItemModel::rowsRemoved, this,
            [this](const QModelIndex&, int first, int) {
                if (m_slides.count() > 0)
                    makeCurrent(std::min(first, m_slides.count() - 1));
            });
}

QSize SlideStrip::requestBox() const
{
    const qreal ratio = devicePixelRatioF();
    return {qRound(kStripThumbnailSize.width() * ratio),
            qRound(kStripThumbnailSize.height() * ratio)};
}

void SlideStrip::setZoomPercent(int percent)
{
    if (percent == m_zoom)
        return;
    m_zoom = percent;
    scheduleDelayedItemsLayout();
    viewport()->update();
}

QSize SlideStrip::cellSize() const
{
    return {kStripThumbnailSize.width() * m_zoom / 100 + 2 * kStripCellPadding,
            kStripThumbnailSize.height() * m_zoom / 100 + 2 * kStripCellPadding};
}

QRect SlideStrip::thumbnailBox(const QRect& cell) const
{
    return QRect(cell.left() + kStripCellPadding, cell.top() + kStripCellPadding,
                 kStripThumbnailSize.width() * m_zoom / 100,
                 kStripThumbnailSize.height() * m_zoom / 100);
}

int SlideStrip::insertionPointAt(QPoint viewportPos) const
{
    const int count = m_slides.count();
    if (count == 0)
        return 0;
    const int origin = visualRect(m_slides.index(0)).left();
    return app::insertionPointAt(viewportPos.x() - origin, cellSize().width(), count);
}

QList<int> SlideStrip::selectedRows() const
{
    QList<int> rows;
    for (const QModelIndex& index : selectionModel()->selectedIndexes())
        rows << index.row();
    std::sort(rows.begin(), rows.end());
    return rows;
}

QMimeData* SlideStrip::mimeForSelection() const
{
    return slideRowsMime(quintptr(this), selectedRows()).release();
}

void SlideStrip::makeCurrent(int row)
{
    const QModelIndex index = m_slides.index(row);
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
}

bool SlideStrip::acceptsDrag(const QMimeData* mime) const
{
    return mediaFilesOf(mime).has_value() || slideRowsOf(mime, quintptr(this)).has_value();
}

void SlideStrip::dragEnterEvent(QDragEnterEvent* event)
{
    if (!acceptsDrag(event->mimeData())) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
}

void SlideStrip::dragMoveEvent(QDragMoveEvent* event)
{
    const QPoint pos = event->position().toPoint();
    scrollNearEdge(pos.x());
    fDragInsertPos = -1;
    if (slideRowsOf(event->mimeData(), quintptr(this))) {
        event->setDropAction(Qt::MoveAction);
        event->accept();
        fDragInsertPos = insertionPointAt(pos);
    } else if (mediaFilesOf(event->mimeData())) {
        event->acceptProposedAction();
    } else {
        event->ignore();
    }
    viewport()->update();
}

void SlideStrip::dragLeaveEvent(QDragLeaveEvent* event)
{
    endDragOver();
    QListView::dragLeaveEvent(event);
}

void SlideStrip::endDragOver()
{
    m_edgeScroll.stop();
    fDragInsertPos = -1;
    viewport()->update();
}

void SlideStrip::scrollNearEdge(int x)
{
    const int step = std::max(8, cellSize().width() / 4);
    if (x < kEdgeZone)
        m_edgeScrollStep = -step;
    else if (x > viewport()->width() - kEdgeZone)
        m_edgeScrollStep = step;
    else
        m_edgeScrollStep = 0;
    if (m_edgeScrollStep != 0 && !m_edgeScroll.isActive())
        m_edgeScroll.start();
    else if (m_edgeScrollStep == 0)
        m_edgeScroll.stop();
}

void SlideStrip::dropEvent(QDropEvent* event)
{
    const int position = insertionPointAt(event->position().toPoint());
    endDragOver();
    if (const auto rows = slideRowsOf(event->mimeData(), quintptr(this))) {
        event->setDropAction(Qt::MoveAction);
        event->accept();
        m_slides.moveSelection(*rows, position);
        emit edited();
        return;
    }
    if (const auto files = mediaFilesOf(event->mimeData())) {
        event->acceptProposedAction();
        m_slides.insertFiles(*files, position);
        emit edited();
        return;
    }
    event->ignore();
}

void SlideStrip::startDrag(Qt::DropActions)
{
    if (selectedRows().isEmpty())
        return;
    auto* drag = new QDrag(this);
    drag->setMimeData(mimeForSelection());
    const QModelIndex current = currentIndex();
    const QImage picture = m_thumbnails.cached(
        current.data(project::SlideList::FilePathRole).toString(), requestBox());
    if (!picture.isNull()) {
        QPixmap pixmap = QPixmap::fromImage(picture.scaled(
            QSize(80, 60) * devicePixelRatioF(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
        pixmap.setDevicePixelRatio(devicePixelRatioF());
        drag->setPixmap(pixmap);
    }
    drag->exec(Qt::MoveAction, Qt::MoveAction);
    // The marker goes when the drag ends, wherever it ended.
    endDragOver();
}

void SlideStrip::keyReleaseEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Delete && !event->isAutoRepeat()) {
        const int before = m_slides.count();
        m_slides.deleteSelection(selectedRows());
        if (m_slides.count() != before)
            emit edited();
        event->accept();
        return;
    }
    QListView::keyReleaseEvent(event);
}

void SlideStrip::paintEvent(QPaintEvent* event)
{
    QListView::paintEvent(event);
    const int count = m_slides.count();
    if (fDragInsertPos < 0 || count == 0)
        return;
    const bool atEnd = fDragInsertPos >= count;
    const QRect cell = visualRect(m_slides.index(atEnd ? count - 1 : fDragInsertPos));
    QPainter p(viewport());
    p.setPen(QPen(kMarker, kMarkerWidth, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(insertionMarkerLine(thumbnailBox(cell), atEnd));
}

void SlideStrip::thumbnailArrived(const QString& file, QSize box)
{
    const int count = m_slides.count();
    if (box != requestBox() || count == 0)
        return;
    // Only the cells on screen; a file may stand in the list more than once.
    const int y = viewport()->height() / 2;
    const int first = std::max(0, indexAt(QPoint(0, y)).row());
    QModelIndex lastShown = indexAt(QPoint(viewport()->width() - 1, y));
    const int last = lastShown.isValid() ? lastShown.row() : count - 1;
    for (int row = first; row <= last; ++row) {
        if (m_slides.fileName(row) == file)
            viewport()->update(visualRect(m_slides.index(row)));
    }
}

} // namespace vistarel::app
