#include "app/foldermodel.h"

#include "project/mediakind.h"

#include <QDir>
#include <QtConcurrent/QtConcurrentRun>

#include <algorithm>

namespace vistarel::app {

namespace {
// Changes on disk often come in bursts (a copy of many photos): read once they settle.
constexpr int kChangeSettleMs = 300;

QStringList mediaNameFilters()
{
    QStringList filters;
    for (const QString& extension : project::mediaExtensions())
        filters << QStringLiteral("*.") + extension;
    return filters;
}
} // namespace

int compareFileNames(const QString& a, const QString& b)
{
    qsizetype i = 0;
    qsizetype j = 0;
    while (i < a.size() && j < b.size()) {
        if (a[i].isDigit() && b[j].isDigit()) {
            // Compare the runs' values: skip leading zeros, then longer is larger.
            qsizetype ai = i;
            qsizetype bj = j;
            while (ai < a.size() && a[ai] == u'0')
                ++ai;
            while (bj < b.size() && b[bj] == u'0')
                ++bj;
            qsizetype ae = ai;
            qsizetype be = bj;
            while (ae < a.size() && a[ae].isDigit())
                ++ae;
            while (be < b.size() && b[be].isDigit())
                ++be;
            if (ae - ai != be - bj)
                return ae - ai < be - bj ? -1 : 1;
            if (const int order =
                    QStringView(a).sliced(ai, ae - ai).compare(QStringView(b).sliced(bj, be - bj)))
                return order;
            i = ae;
            j = be;
            continue;
        }
        const QChar x = a[i].toCaseFolded();
        const QChar y = b[j].toCaseFolded();
        if (x != y)
            return x < y ? -1 : 1;
        ++i;
        ++j;
    }
    if (i < a.size() || j < b.size())
        return i < a.size() ? 1 : -1;
    // Equal but for letter case or leading zeros: any fixed order.
    return a.compare(b);
}

std::vector<FolderEntry> listMediaFolder(const QString& folder)
{
    if (folder.isEmpty())
        return {};
    static const QStringList filters = mediaNameFilters();
    // AllDirs: the name filters apply to files only. Special files (pipes, devices) are
    // left out: reading one as a picture could block forever.
    const QFileInfoList infos = QDir(folder).entryInfoList(
        filters, QDir::Files | QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Hidden, QDir::NoSort);
    std::vector<FolderEntry> entries;
    entries.reserve(std::size_t(infos.size()));
    for (const QFileInfo& info : infos)
        entries.push_back({info.fileName(), info.absoluteFilePath(), info.isDir()});
    std::sort(entries.begin(), entries.end(), [](const FolderEntry& a, const FolderEntry& b) {
        if (a.isFolder != b.isFolder)
            return a.isFolder;
        return compareFileNames(a.name, b.name) < 0;
    });
    return entries;
}

FolderModel::FolderModel(QObject* parent)
    : QAbstractListModel(parent)
{
    m_changeDelay.setSingleShot(true);
    m_changeDelay.setInterval(kChangeSettleMs);
    connect(&m_watcher, &QFutureWatcherBase::finished, this, &FolderModel::listingRead);
    connect(&m_diskWatcher, &QFileSystemWatcher::directoryChanged, &m_changeDelay,
            qOverload<>(&QTimer::start));
    connect(&m_changeDelay, &QTimer::timeout, this, [this] { readListing(false); });
}

void FolderModel::setFolder(const QString& folder)
{
    m_changeDelay.stop();
    if (!m_diskWatcher.directories().isEmpty())
        m_diskWatcher.removePaths(m_diskWatcher.directories());
    m_folder = folder;
    beginResetModel();
    m_entries.clear();
    m_rows.clear();
    endResetModel();
    if (!folder.isEmpty() && QFileInfo(folder).isDir())
        m_diskWatcher.addPath(folder);
    readListing(true);
}

void FolderModel::readListing(bool fresh)
{
    if (m_watcher.isRunning() && !fresh) {
        // A change while a listing is read: read once more when it is done.
        m_readAgain = true;
        return;
    }
    m_readAgain = false;
    m_readFresh = fresh;
    m_loading = m_loading || fresh;
    m_readGeneration = ++m_generation;
    const QString folder = m_folder;
    m_watcher.setFuture(QtConcurrent::run([folder] { return listMediaFolder(folder); }));
}

void FolderModel::listingRead()
{
    if (m_watcher.isCanceled() || m_readGeneration != m_generation)
        return;
    std::vector<FolderEntry> entries = m_watcher.result();
    beginResetModel();
    m_entries = std::move(entries);
    m_rows.clear();
    m_rows.reserve(qsizetype(m_entries.size()));
    for (std::size_t i = 0; i < m_entries.size(); ++i)
        m_rows.insert(m_entries[i].path, int(i));
    endResetModel();
    m_loading = false;
    emit listingLoaded(m_readFresh);
    if (m_readAgain)
        readListing(false);
}

int FolderModel::rowOfPath(const QString& path) const
{
    return m_rows.value(path, -1);
}

int FolderModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_entries.size());
}

Qt::ItemFlags FolderModel::flags(const QModelIndex& index) const
{
    const Qt::ItemFlags base = QAbstractListModel::flags(index);
    return index.isValid() ? base | Qt::ItemIsDragEnabled : base;
}

QVariant FolderModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const FolderEntry& e = m_entries[std::size_t(index.row())];
    switch (role) {
    case Qt::DisplayRole:
        return e.name;
    case FilePathRole:
        return e.path;
    case IsFolderRole:
        return e.isFolder;
    default:
        return {};
    }
}

} // namespace vistarel::app
