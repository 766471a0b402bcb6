#pragma once

#include <QAbstractItemModel>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

namespace vistarel::app {

// The roots the folder tree starts with: the user's home folder, the file system's root
// and every other mounted drive that holds files (pseudo file systems such as /proc are
// left out), without repeats.
QStringList folderTreeRoots();

// The folder tree's model: the given root folders at the top, each with its subfolders
// (hidden ones included, sorted by name), read from disk when a folder is first
// expanded.
class FolderTreeModel : public QAbstractItemModel
{
    Q_OBJECT

public:
    enum Role { FolderPathRole = Qt::UserRole + 1, RootKindRole };
    enum class RootKind { None, Home, Drive };

    explicit FolderTreeModel(const QStringList& roots, QObject* parent = nullptr);
    ~FolderTreeModel() override;

    QString pathOf(const QModelIndex& index) const;
    // The item of a folder, reading the folders on its way from the nearest root; an
    // invalid index when no root holds it or it does not exist.
    QModelIndex indexOfPath(const QString& folder);

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool hasChildren(const QModelIndex& parent = {}) const override;
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;

private:
    struct Node;
    Node* nodeOf(const QModelIndex& index) const;
    QModelIndex indexOfNode(const Node* node) const;
    void fetch(Node* node);

    std::vector<std::unique_ptr<Node>> m_roots;
    QString m_home;
};

} // namespace vistarel::app
