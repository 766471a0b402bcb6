#pragma once

#include "project/myimageinfo.h"

#include <QAbstractListModel>
#include <QList>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

namespace vistarel::project {

// The project's ordered slides: one media file per item, each optionally owning its
// settings record. A slide without record means every setting has its default. Records
// travel with their items when items move and are freed with them.
//
// The list is a Qt item model (display role: the file name without folder; FilePathRole:
// the full path), so the window's strips can show it directly. It does not track the
// project's changed flag: callers acting for the user set that themselves.
class SlideList : public QAbstractListModel
{
    Q_OBJECT

public:
    enum Role { FilePathRole = Qt::UserRole + 1, HasRecordRole };

    explicit SlideList(QObject* parent = nullptr);
    ~SlideList() override;

    int count() const { return static_cast<int>(m_items.size()); }
    QString fileName(int index) const;
    QStringList fileNames() const;

    // The record of a slide, or nullptr when it has none (every setting default).
    const TMyImageInfo* settings(int index) const;
    TMyImageInfo* settings(int index);
    // The record, created with the step-2 initial values when the slide has none.
    TMyImageInfo& settingsOnDemand(int index);
    // Ties a record to the slide (replacing and freeing an earlier one); nullptr removes it.
    void setSettings(int index, std::unique_ptr<TMyImageInfo> record);

    // Inserts one item without record per file that exists (folders and missing files
    // are skipped) at position, in the given order. Returns the number inserted.
    int insertFiles(const QStringList& files, int position);
    // Appends one item without record, whether or not the file exists; returns its index.
    int appendFile(const QString& file);
    // Moves the selected items (any order, duplicates ignored) so that they stand, in
    // their list order, where the insertion point "before item position" was.
    // position may be count() for the end. Records travel with their items.
    void moveSelection(QList<int> selected, int position);
    // Removes the selected items and frees their records.
    void deleteSelection(QList<int> selected);
    // Removes every item and frees every record.
    void clear();

    // QAbstractItemModel
    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    // Slides can be dragged (views reorder them by drag and drop).
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    struct Item
    {
        QString file;
        std::unique_ptr<TMyImageInfo> record;
    };

    static QList<int> normalisedSelection(QList<int> selected, int count);

    std::vector<Item> m_items;
};

} // namespace vistarel::project
