#include "app/folderview.h"

#include "app/foldermodel.h"
#include "app/mediadrag.h"
#include "app/mediapaint.h"
#include "app/style.h"
#include "project/mediakind.h"

#include <QDrag>
#include <QMimeData>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>

namespace vistarel::app {

namespace {

const QColor kHover{0x52, 0x52, 0x52};
constexpr int kCellMargin = 6;     // around the thumbnail box in a grid cell
constexpr int kCaptionHeight = 20; // the file name under a thumbnail
constexpr int kListRowHeight = 36; // a 32-pixel icon and a little air
// Decoded thumbnails of the folder view: some thousand gallery cells or a few hundred
// large ones.
constexpr qint64 kFolderCacheBytes = 160ll << 20;

QSize cellSizeOf(FolderViewMode mode)
{
    const QSize box = thumbnailBoxOf(mode);
    return {box.width() + 2 * kCellMargin, box.height() + 2 * kCellMargin + kCaptionHeight};
}

// Draws the items of the folder view: an icon and the name beside it in the list, a
// thumbnail (or its placeholder) with the name below in the grids.
class FolderDelegate : public QStyledItemDelegate
{
public:
    explicit FolderDelegate(FolderView& view)
        : QStyledItemDelegate(&view)
        , m_view(view)
    {
    }

    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override
    {
        // List rows span the view, so the selection reads as one bar.
        if (m_view.mode() == FolderViewMode::List)
            return {std::max(m_view.viewport()->width(), 200), kListRowHeight};
        return cellSizeOf(m_view.mode());
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override
    {
        const QString path = index.data(FolderModel::FilePathRole).toString();
        const bool isFolder = index.data(FolderModel::IsFolderRole).toBool();
        const QString name = index.data(Qt::DisplayRole).toString();
        painter->save();
        if (option.state & QStyle::State_Selected)
            painter->fillRect(option.rect, colour::kAccent);
        else if (option.state & QStyle::State_MouseOver)
            painter->fillRect(option.rect, kHover);
        painter->setPen(Qt::white);
        if (m_view.mode() == FolderViewMode::List)
            paintRow(*painter, option, path, isFolder, name);
        else
            paintCell(*painter, option, path, isFolder, name);
        painter->restore();
    }

private:
    void paintRow(QPainter& p, const QStyleOptionViewItem& option, const QString& path,
                  bool isFolder, const QString& name) const
    {
        const QRect r = option.rect;
        const QRectF icon(r.left() + 6, r.top() + (r.height() - 32) / 2.0, 32, 32);
        paintGlyph(p, mediaGlyphOf(path, isFolder), icon.adjusted(5, 5, -5, -5), Qt::white);
        const QRect text(int(icon.right()) + 8, r.top(), r.width() - int(icon.width()) - 20,
                         r.height());
        p.drawText(text, Qt::AlignLeft | Qt::AlignVCenter,
                   option.fontMetrics.elidedText(name, Qt::ElideMiddle, text.width()));
    }

    void paintCell(QPainter& p, const QStyleOptionViewItem& option, const QString& path,
                   bool isFolder, const QString& name) const
    {
        const QRect r = option.rect;
        const QSize boxSize = thumbnailBoxOf(m_view.mode());
        const QRectF box(r.left() + kCellMargin, r.top() + kCellMargin, boxSize.width(),
                         boxSize.height());
        if (isFolder) {
            const qreal side = std::min(std::min(box.width(), box.height()) * 0.6, qreal(72));
            paintGlyph(p, Glyph::Folder,
                       QRectF(box.center().x() - side / 2, box.center().y() - side / 2, side, side),
                       Qt::white);
        } else {
            paintThumbnailOf(p, box, path);
        }
        const QRect caption(r.left() + 4, int(box.bottom()) + 2, r.width() - 8, kCaptionHeight);
        p.setPen(Qt::white);
        p.drawText(caption, Qt::AlignHCenter | Qt::AlignVCenter,
                   option.fontMetrics.elidedText(name, Qt::ElideMiddle, caption.width()));
    }

    void paintThumbnailOf(QPainter& p, const QRectF& box, const QString& path) const
    {
        paintCachedThumbnail(p, box, m_view.thumbnails(), path, m_view.requestBox(),
                             m_view.devicePixelRatioF());
    }

    FolderView& m_view;
};

} // namespace

QSize thumbnailBoxOf(FolderViewMode mode)
{
    switch (mode) {
    case FolderViewMode::List:
        return {32, 32};
    case FolderViewMode::Gallery:
        return {120, 84};
    case FolderViewMode::Large:
        return {340, 240};
    }
    return {120, 84};
}

FolderView::FolderView(const QString& appDataDir, QWidget* parent)
    : QListView(parent)
    , m_model(new FolderModel(this))
    , m_thumbnails(appDataDir, kFolderCacheBytes)
{
    setObjectName(QStringLiteral("ImageEnFolderMViewManual"));
    setModel(m_model);
    setItemDelegate(new FolderDelegate(*this));
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionRectVisible(true);
    setDragEnabled(true);
    setDragDropMode(QAbstractItemView::DragOnly);
    setDefaultDropAction(Qt::CopyAction);
    setUniformItemSizes(true);
    setMovement(QListView::Static);
    setResizeMode(QListView::Adjust);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    setFrameShape(QFrame::NoFrame);
    setMouseTracking(true);
    viewport()->setAttribute(Qt::WA_Hover);
    setMode(FolderViewMode::Gallery);

    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &FolderView::trackSelection);
    connect(m_model, &QAbstractItemModel::modelAboutToBeReset, this,
            &FolderView::rememberSelection);
    connect(m_model, &FolderModel::listingLoaded, this, [this](bool fresh) {
        if (!fresh)
            restoreSelection();
    });
    connect(&m_thumbnails, &ThumbnailCache::thumbnailReady, this, &FolderView::thumbnailArrived);
    connect(&m_thumbnails, &ThumbnailCache::thumbnailFailed, this, &FolderView::thumbnailArrived);
    connect(this, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
        if (index.data(FolderModel::IsFolderRole).toBool())
            emit folderActivated(index.data(FolderModel::FilePathRole).toString());
    });
}

void FolderView::setFolder(const QString& folder)
{
    m_thumbnails.cancelPending();
    m_selectionOrder.clear();
    m_keptSelection.clear();
    m_keptCurrent.clear();
    m_model->setFolder(folder);
}

QString FolderView::folder() const
{
    return m_model->folder();
}

void FolderView::setMode(FolderViewMode mode)
{
    const bool rebuild = mode == FolderViewMode::Large && m_mode != FolderViewMode::Large;
    m_mode = mode;
    if (mode == FolderViewMode::List) {
        setViewMode(QListView::ListMode);
        setFlow(QListView::TopToBottom);
        setWrapping(false);
        setGridSize(QSize());
        setIconSize(thumbnailBoxOf(mode));
    } else {
        setViewMode(QListView::IconMode);
        setFlow(QListView::LeftToRight);
        setWrapping(true);
        setGridSize(cellSizeOf(mode));
        setIconSize(thumbnailBoxOf(mode));
    }
    // setViewMode resets these.
    setMovement(QListView::Static);
    setResizeMode(QListView::Adjust);
    setSpacing(0);
    setDragEnabled(true);
    setDragDropMode(QAbstractItemView::DragOnly);
    m_thumbnails.cancelPending();
    // A listing still under way is drawn in the new mode anyway.
    if (rebuild && !folder().isEmpty() && !m_model->isLoading())
        setFolder(folder());
    scheduleDelayedItemsLayout();
    viewport()->update();
}

QSize FolderView::requestBox() const
{
    const qreal ratio = devicePixelRatioF();
    const QSize box = thumbnailBoxOf(m_mode);
    return {qRound(box.width() * ratio), qRound(box.height() * ratio)};
}

void FolderView::trackSelection(const QItemSelection& selected, const QItemSelection& deselected)
{
    for (const QModelIndex& index : deselected.indexes())
        m_selectionOrder.removeAll(index.data(FolderModel::FilePathRole).toString());
    QModelIndexList added = selected.indexes();
    std::sort(added.begin(), added.end(),
              [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
    // A click on the current item of a range, or a range that grows, adds rows again.
    for (const QModelIndex& index : added) {
        const QString path = index.data(FolderModel::FilePathRole).toString();
        if (!m_selectionOrder.contains(path))
            m_selectionOrder << path;
    }
}

QStringList FolderView::selectedPathsInOrder() const
{
    QStringList paths;
    for (const QString& path : m_selectionOrder) {
        const int row = m_model->rowOfPath(path);
        if (row >= 0 && selectionModel()->isRowSelected(row))
            paths << path;
    }
    return paths;
}

void FolderView::rememberSelection()
{
    m_keptSelection = selectedPathsInOrder();
    m_keptCurrent = currentIndex().data(FolderModel::FilePathRole).toString();
    m_selectionOrder.clear();
}

void FolderView::restoreSelection()
{
    const int scroll = verticalScrollBar()->value();
    for (const QString& path : std::as_const(m_keptSelection)) {
        const int row = m_model->rowOfPath(path);
        if (row >= 0)
            selectionModel()->select(m_model->index(row), QItemSelectionModel::Select);
    }
    if (const int row = m_model->rowOfPath(m_keptCurrent); row >= 0)
        selectionModel()->setCurrentIndex(m_model->index(row), QItemSelectionModel::NoUpdate);
    m_keptSelection.clear();
    m_keptCurrent.clear();
    verticalScrollBar()->setValue(scroll);
}

void FolderView::thumbnailArrived(const QString& file, QSize box)
{
    if (box != requestBox())
        return;
    const int row = m_model->rowOfPath(file);
    if (row >= 0)
        update(m_model->index(row));
}

int FolderView::visibleThumbnailsWaiting() const
{
    const int count = m_model->rowCount();
    if (m_mode == FolderViewMode::List || count == 0)
        return 0;
    // The cells on screen are one run of rows, from the top-left to the bottom-right.
    const QRect visible = viewport()->rect();
    const QModelIndex first = indexAt(visible.topLeft() + QPoint(1, 1));
    const QModelIndex last = indexAt(visible.bottomRight() - QPoint(1, 1));
    const QSize box = requestBox();
    int waiting = 0;
    for (int row = first.isValid() ? first.row() : 0;
         row <= (last.isValid() ? last.row() : count - 1); ++row) {
        const FolderEntry& entry = m_model->entry(row);
        if (entry.isFolder || !visualRect(m_model->index(row)).intersects(visible))
            continue;
        const ThumbnailCache::State state = m_thumbnails.state(entry.path, box);
        if (state != ThumbnailCache::State::Ready && state != ThumbnailCache::State::Failed)
            ++waiting;
    }
    return waiting;
}

void FolderView::startDrag(Qt::DropActions)
{
    const QStringList files = selectedPathsInOrder();
    if (files.isEmpty())
        return;
    auto* drag = new QDrag(this);
    drag->setMimeData(mediaFilesMime(files).release());
    const QImage first = m_thumbnails.cached(files.first(), requestBox());
    if (!first.isNull()) {
        QPixmap picture = QPixmap::fromImage(first.scaled(
            QSize(96, 72) * devicePixelRatioF(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
        picture.setDevicePixelRatio(devicePixelRatioF());
        drag->setPixmap(picture);
    }
    drag->exec(Qt::CopyAction, Qt::CopyAction);
}

} // namespace vistarel::app
