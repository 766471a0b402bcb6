#pragma once

#include "app/thumbnailcache.h"

#include <QListView>
#include <QStringList>

namespace vistarel::app {

class FolderModel;

// The folder view's three modes: their values are the stored ViewOption.
enum class FolderViewMode { List = 0, Gallery = 1, Large = 2 };

// The thumbnail box of a mode: 32 x 32 file-type icons for the list (nothing decoded),
// 120 x 84 and 340 x 240 thumbnails for the gallery and the large view.
QSize thumbnailBoxOf(FolderViewMode mode);

// ImageEnFolderMViewManual: the media of one folder (and its subfolders) as a list of
// icons or a grid of thumbnails. Thumbnails are made in the background and drawn as
// placeholders until they are ready. Items are selected by click, Ctrl, Shift and by a
// rubber band over empty space; dragging selected items offers their files in the order
// they were selected. A double click on a folder opens it.
class FolderView : public QListView
{
    Q_OBJECT

public:
    FolderView(const QString& appDataDir, QWidget* parent);

    FolderModel* folderModel() const { return m_model; }
    ThumbnailCache& thumbnails() { return m_thumbnails; }

    // Shows a folder; queued thumbnails of the previous one are dropped.
    void setFolder(const QString& folder);
    QString folder() const;

    FolderViewMode mode() const { return m_mode; }
    // Configures the view for a mode; the large mode reads the folder again, so the
    // thumbnails are built at the new size.
    void setMode(FolderViewMode mode);

    // The selected files and folders, in the order they were selected.
    QStringList selectedPathsInOrder() const;
    // Files on screen whose thumbnail is neither drawn nor known to fail (0 in list mode).
    int visibleThumbnailsWaiting() const;
    // The box thumbnails are made at: the mode's box in device pixels.
    QSize requestBox() const;

signals:
    void folderActivated(const QString& folder);

protected:
    void startDrag(Qt::DropActions supportedActions) override;

private:
    void trackSelection(const QItemSelection& selected, const QItemSelection& deselected);
    void rememberSelection();
    void restoreSelection();
    void thumbnailArrived(const QString& file, QSize box);

    FolderModel* m_model;
    ThumbnailCache m_thumbnails;
    FolderViewMode m_mode = FolderViewMode::Gallery;
    QStringList m_selectionOrder; // paths, in the order they were selected
    QStringList m_keptSelection;  // across a listing read again after a change on disk
    QString m_keptCurrent;
};

} // namespace vistarel::app
