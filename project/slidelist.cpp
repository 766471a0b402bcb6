#include "project/slidelist.h"

#include "project/recordcreation.h"

#include <QFileInfo>

#include <algorithm>

namespace vistarel::project {

SlideList::SlideList(QObject* parent)
    : QAbstractListModel(parent)
{
}

SlideList::~SlideList() = default;

QString SlideList::fileName(int index) const
{
    return (index >= 0 && index < count()) ? m_items[index].file : QString();
}

QStringList SlideList::fileNames() const
{
    QStringList names;
    names.reserve(count());
    for (const Item& item : m_items)
        names << item.file;
    return names;
}

const TMyImageInfo* SlideList::settings(int index) const
{
    return (index >= 0 && index < count()) ? m_items[index].record.get() : nullptr;
}

TMyImageInfo* SlideList::settings(int index)
{
    return (index >= 0 && index < count()) ? m_items[index].record.get() : nullptr;
}

TMyImageInfo& SlideList::settingsOnDemand(int index)
{
    Q_ASSERT(index >= 0 && index < count());
    Item& item = m_items[index];
    if (!item.record) {
        item.record = newRecordForStep2Edit();
        const QModelIndex changed = this->index(index);
        emit dataChanged(changed, changed, {HasRecordRole});
    }
    return *item.record;
}

void SlideList::setSettings(int index, std::unique_ptr<TMyImageInfo> record)
{
    if (index < 0 || index >= count())
        return;
    m_items[index].record = std::move(record);
    const QModelIndex changed = this->index(index);
    emit dataChanged(changed, changed, {HasRecordRole});
}

int SlideList::insertFiles(const QStringList& files, int position)
{
    std::vector<Item> fresh;
    for (const QString& file : files) {
        if (QFileInfo(file).isFile())
            fresh.push_back(Item{file, nullptr});
    }
    if (fresh.empty())
        return 0;
    position = std::clamp(position, 0, count());
    const int n = static_cast<int>(fresh.size());
    beginInsertRows({}, position, position + n - 1);
    m_items.insert(m_items.begin() + position, std::make_move_iterator(fresh.begin()),
                   std::make_move_iterator(fresh.end()));
    endInsertRows();
    return n;
}

int SlideList::appendFile(const QString& file)
{
    const int index = count();
    beginInsertRows({}, index, index);
    m_items.push_back(Item{file, nullptr});
    endInsertRows();
    return index;
}

QList<int> SlideList::normalisedSelection(QList<int> selected, int count)
{
    std::sort(selected.begin(), selected.end());
    selected.erase(std::unique(selected.begin(), selected.end()), selected.end());
    selected.erase(std::remove_if(selected.begin(), selected.end(),
                                  [count](int i) { return i < 0 || i >= count; }),
                   selected.end());
    return selected;
}

void SlideList::moveSelection(QList<int> selected, int position)
{
    selected = normalisedSelection(std::move(selected), count());
    if (selected.isEmpty())
        return;
    position = std::clamp(position, 0, count());

    // The new order as old indices: the items that stay, with the moving ones inserted
    // where the insertion point ends up once they are taken out.
    std::vector<int> order;
    int target = position;
    for (int i = 0, s = 0; i < count(); ++i) {
        if (s < selected.size() && selected[s] == i) {
            ++s;
            if (i < position)
                --target;
        } else {
            order.push_back(i);
        }
    }
    order.insert(order.begin() + target, selected.cbegin(), selected.cend());

    emit layoutAboutToBeChanged();
    std::vector<int> newRowOf(order.size());
    std::vector<Item> reordered;
    reordered.reserve(order.size());
    for (int row = 0; row < int(order.size()); ++row) {
        newRowOf[order[row]] = row;
        reordered.push_back(std::move(m_items[order[row]]));
    }
    const QModelIndexList from = persistentIndexList();
    QModelIndexList to;
    for (const QModelIndex& idx : from)
        to << index(newRowOf[idx.row()]);
    changePersistentIndexList(from, to);
    m_items = std::move(reordered);
    emit layoutChanged();
}

void SlideList::deleteSelection(QList<int> selected)
{
    selected = normalisedSelection(std::move(selected), count());
    // From the back, so that earlier indices stay valid.
    for (auto it = selected.crbegin(); it != selected.crend(); ++it) {
        beginRemoveRows({}, *it, *it);
        m_items.erase(m_items.begin() + *it);
        endRemoveRows();
    }
}

void SlideList::clear()
{
    if (m_items.empty())
        return;
    beginResetModel();
    m_items.clear();
    endResetModel();
}

int SlideList::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : count();
}

Qt::ItemFlags SlideList::flags(const QModelIndex& index) const
{
    const Qt::ItemFlags base = QAbstractListModel::flags(index);
    return index.isValid() ? base | Qt::ItemIsDragEnabled : base;
}

QVariant SlideList::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= count())
        return {};
    const Item& item = m_items[index.row()];
    switch (role) {
    case Qt::DisplayRole:
        return QFileInfo(item.file).fileName();
    case FilePathRole:
        return item.file;
    case HasRecordRole:
        return item.record != nullptr;
    default:
        return {};
    }
}

} // namespace vistarel::project
