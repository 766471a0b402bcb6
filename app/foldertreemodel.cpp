#include "app/foldertreemodel.h"

#include "app/foldermodel.h"
#include "app/mediapaint.h"
#include "app/style.h"

#include <QDir>
#include <QIcon>
#include <QStorageInfo>

#include <algorithm>

namespace vistarel::app {

struct FolderTreeModel::Node
{
    QString path;
    QString name;
    Node* parent = nullptr;
    int row = 0;
    bool fetched = false;
    std::vector<std::unique_ptr<Node>> children;
};

namespace {

bool holdsFiles(const QStorageInfo& volume)
{
    if (!volume.isValid() || !volume.isReady())
        return false;
    // Real devices and network shares; not /proc, /sys, tmpfs and their kin.
    const QByteArray device = volume.device();
    const QByteArray type = volume.fileSystemType();
    static const QList<QByteArray> network{"nfs",   "nfs4",       "cifs", "smb3",    "smbfs",
                                           "sshfs", "fuse.sshfs", "9p",   "virtiofs"};
    return device.startsWith("/dev/") || network.contains(type);
}

QStringList subfolders(const QString& folder)
{
    QStringList names =
        QDir(folder).entryList(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Hidden, QDir::NoSort);
    std::sort(names.begin(), names.end(),
              [](const QString& a, const QString& b) { return compareFileNames(a, b) < 0; });
    return names;
}

QString joined(const QString& folder, const QString& name)
{
    return folder.endsWith(u'/') ? folder + name : folder + u'/' + name;
}

bool isInside(const QString& folder, const QString& root)
{
    if (root == u"/")
        return folder.startsWith(u'/');
    return folder == root || folder.startsWith(root + u'/');
}

} // namespace

QStringList folderTreeRoots()
{
    QStringList roots{QDir::homePath(), QStringLiteral("/")};
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        const QString root = volume.rootPath();
        if (holdsFiles(volume) && !roots.contains(root))
            roots << root;
    }
    return roots;
}

FolderTreeModel::FolderTreeModel(const QStringList& roots, QObject* parent)
    : QAbstractItemModel(parent)
    , m_home(QDir::homePath())
{
    for (const QString& path : roots) {
        auto node = std::make_unique<Node>();
        node->path = QDir::cleanPath(path);
        node->name = path == u"/" ? path : QDir(path).dirName();
        node->row = int(m_roots.size());
        m_roots.push_back(std::move(node));
    }
}

FolderTreeModel::~FolderTreeModel() = default;

FolderTreeModel::Node* FolderTreeModel::nodeOf(const QModelIndex& index) const
{
    return index.isValid() ? static_cast<Node*>(index.internalPointer()) : nullptr;
}

QModelIndex FolderTreeModel::indexOfNode(const Node* node) const
{
    return node ? createIndex(node->row, 0, const_cast<Node*>(node)) : QModelIndex();
}

QString FolderTreeModel::pathOf(const QModelIndex& index) const
{
    const Node* node = nodeOf(index);
    return node ? node->path : QString();
}

QModelIndex FolderTreeModel::index(int row, int column, const QModelIndex& parent) const
{
    if (column != 0 || row < 0)
        return {};
    const Node* p = nodeOf(parent);
    const auto& list = p ? p->children : m_roots;
    return row < int(list.size()) ? indexOfNode(list[std::size_t(row)].get()) : QModelIndex();
}

QModelIndex FolderTreeModel::parent(const QModelIndex& child) const
{
    const Node* node = nodeOf(child);
    return node ? indexOfNode(node->parent) : QModelIndex();
}

int FolderTreeModel::rowCount(const QModelIndex& parent) const
{
    const Node* p = nodeOf(parent);
    return int(p ? p->children.size() : m_roots.size());
}

int FolderTreeModel::columnCount(const QModelIndex&) const
{
    return 1;
}

QVariant FolderTreeModel::data(const QModelIndex& index, int role) const
{
    const Node* node = nodeOf(index);
    if (!node)
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return node->name;
    case Qt::ToolTipRole:
    case FolderPathRole:
        return node->path;
    case RootKindRole:
        if (node->parent)
            return int(RootKind::None);
        return int(node->path == m_home ? RootKind::Home : RootKind::Drive);
    case Qt::DecorationRole: {
        static const QIcon folder = glyphIcon(Glyph::Folder, colour::kAccent, 16);
        static const QIcon home = glyphIcon(Glyph::Home, colour::kAccent, 16);
        static const QIcon drive = glyphIcon(Glyph::Drive, colour::kAccent, 16);
        if (node->parent)
            return folder;
        return node->path == m_home ? home : drive;
    }
    default:
        return {};
    }
}

bool FolderTreeModel::hasChildren(const QModelIndex& parent) const
{
    const Node* p = nodeOf(parent);
    if (!p)
        return !m_roots.empty();
    // Not read yet: offer the expander; reading shows whether there is anything.
    return !p->fetched || !p->children.empty();
}

bool FolderTreeModel::canFetchMore(const QModelIndex& parent) const
{
    const Node* p = nodeOf(parent);
    return p && !p->fetched;
}

void FolderTreeModel::fetchMore(const QModelIndex& parent)
{
    if (Node* p = nodeOf(parent))
        fetch(p);
}

void FolderTreeModel::fetch(Node* node)
{
    if (node->fetched)
        return;
    node->fetched = true;
    const QStringList names = subfolders(node->path);
    if (names.isEmpty()) {
        // The expander goes away.
        const QModelIndex idx = indexOfNode(node);
        emit dataChanged(idx, idx);
        return;
    }
    beginInsertRows(indexOfNode(node), 0, int(names.size()) - 1);
    for (const QString& name : names) {
        auto child = std::make_unique<Node>();
        child->path = joined(node->path, name);
        child->name = name;
        child->parent = node;
        child->row = int(node->children.size());
        node->children.push_back(std::move(child));
    }
    endInsertRows();
}

QModelIndex FolderTreeModel::indexOfPath(const QString& folder)
{
    const QString wanted = QDir::cleanPath(folder);
    if (wanted.isEmpty() || !QFileInfo(wanted).isDir())
        return {};
    // The nearest root: the longest one that holds the folder (home before "/").
    Node* node = nullptr;
    for (const auto& root : m_roots) {
        if (isInside(wanted, root->path) && (!node || root->path.size() > node->path.size()))
            node = root.get();
    }
    while (node && node->path != wanted) {
        fetch(node);
        Node* next = nullptr;
        for (const auto& child : node->children) {
            if (isInside(wanted, child->path)) {
                next = child.get();
                break;
            }
        }
        node = next;
    }
    return indexOfNode(node);
}

} // namespace vistarel::app
