#include "app/step2strip.h"

#include <QFileInfo>

namespace vistarel::app {

std::vector<Step2StripItem>
step2StripItems(const QStringList& files, const std::function<QImage(const QString&)>& stripPicture,
                const std::function<void()>& keepAlive)
{
    std::vector<Step2StripItem> items;
    items.reserve(std::size_t(files.size()));
    for (const QString& file : files) {
        if (!file.isEmpty() && QFileInfo::exists(file))
            items.push_back({file, QImage()});
        else
            items.push_back({QString(), stripPicture ? stripPicture(file) : QImage()});
        if (keepAlive)
            keepAlive();
    }
    return items;
}

Step2StripModel::Step2StripModel(QObject* parent)
    : QAbstractListModel(parent)
{
}

void Step2StripModel::setItems(std::vector<Step2StripItem> items)
{
    beginResetModel();
    m_items = std::move(items);
    endResetModel();
}

int Step2StripModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_items.size());
}

QVariant Step2StripModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const Step2StripItem& item = m_items[std::size_t(index.row())];
    switch (role) {
    case Qt::DisplayRole:
        return QFileInfo(item.file).fileName();
    case FilePathRole:
        return item.file;
    case FallbackPictureRole:
        return item.fallback;
    default:
        return {};
    }
}

} // namespace vistarel::app
