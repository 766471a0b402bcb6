#pragma once

#include <QAbstractListModel>
#include <QFileSystemWatcher>
#include <QFutureWatcher>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <vector>

namespace vistarel::app {

// The order of file names as people read them: letter case is ignored (unless the
// names differ only in it) and runs of digits compare by their value ("img2" before
// "img10"). Negative, 0 or positive like a comparison. Pure.
int compareFileNames(const QString& a, const QString& b);

// One entry of a folder listing.
struct FolderEntry
{
    QString name;
    QString path;
    bool isFolder = false;
};

// The entries of a folder that the media browser shows: its subfolders and the files
// whose extension is in the media mask (any letter case), hidden ones included, folders
// first, each part sorted by name as people read numbers ("img2" before "img10").
// Reads the disk on the calling thread.
std::vector<FolderEntry> listMediaFolder(const QString& folder);

// The folder view's model: the listing of one folder, read in the background so that a
// large or slow folder never stalls the window, and read again when the folder's content
// changes on disk.
class FolderModel : public QAbstractListModel
{
    Q_OBJECT

public:
    enum Role { FilePathRole = Qt::UserRole + 1, IsFolderRole };

    explicit FolderModel(QObject* parent = nullptr);

    // Shows the folder (empty until its listing has been read); an empty path shows
    // nothing. Reading the same folder again is how the view is rebuilt.
    void setFolder(const QString& folder);
    const QString& folder() const { return m_folder; }
    // Whether the listing of the folder last set has yet to arrive.
    bool isLoading() const { return m_loading; }

    const FolderEntry& entry(int row) const { return m_entries[std::size_t(row)]; }
    int rowOfPath(const QString& path) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    // Entries can be dragged (into the slide strip).
    Qt::ItemFlags flags(const QModelIndex& index) const override;

signals:
    // A listing arrived: after a new folder (fresh) or after a change on disk.
    void listingLoaded(bool fresh);

private:
    void readListing(bool fresh);
    void listingRead();

    QString m_folder;
    std::vector<FolderEntry> m_entries;
    QHash<QString, int> m_rows; // path -> row
    QFutureWatcher<std::vector<FolderEntry>> m_watcher;
    QFileSystemWatcher m_diskWatcher;
    QTimer m_changeDelay;
    int m_generation = 0;
    int m_readGeneration = 0;
    bool m_readFresh = false;
    bool m_readAgain = false;
    bool m_loading = false;
};

} // namespace vistarel::app
