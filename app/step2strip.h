#pragma once

#include <QAbstractListModel>
#include <QImage>
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

namespace vistarel::app {

// Thumbnails of the step-2 strip are made at this size.
inline constexpr QSize kStep2ThumbnailSize{400, 300};

// One item of the step-2 strip: the slide's file when it exists (its thumbnail is made
// when the item is first shown), otherwise the picture the step-1 strip had of it.
struct Step2StripItem
{
    QString file;    // empty when the file is gone
    QImage fallback; // used only when file is empty; may be null
};

// The items for the slides' files in list order: item i shows slide i.
// stripPicture(file) gives the step-1 strip's picture of a file that is gone; keepAlive
// runs after each item (the 75 ms rule).
std::vector<Step2StripItem>
step2StripItems(const QStringList& files, const std::function<QImage(const QString&)>& stripPicture,
                const std::function<void()>& keepAlive);

// The content of the step-2 strip ImageEnMViewStep2Images, a copy of the slide list made
// each time step 2 is entered. It holds no settings: the slide at position i of this
// strip is slide i of the slide list.
class Step2StripModel : public QAbstractListModel
{
    Q_OBJECT

public:
    enum Role { FilePathRole = Qt::UserRole + 1, FallbackPictureRole };

    explicit Step2StripModel(QObject* parent = nullptr);

    // Replaces every item (one model reset).
    void setItems(std::vector<Step2StripItem> items);
    const Step2StripItem& item(int row) const { return m_items[std::size_t(row)]; }

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    std::vector<Step2StripItem> m_items;
};

} // namespace vistarel::app
