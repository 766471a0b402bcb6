#pragma once

#include "project/recentprojects.h"

#include <QListWidget>
#include <QStringList>

namespace vistarel::app {

// The start panel's recent list RzListBoxStartRecent: owner-drawn rows of 36 pixels
// (name at the left, date at the right), a selection that follows the mouse, and a hint
// naming the folder when two shown projects share a file name.
class RecentList : public QListWidget
{
    Q_OBJECT

public:
    static constexpr int kRowHeight = 36;

    explicit RecentList(QWidget* parent);

    // Fills the rows; FRecentFiles and FRecentDates stay aligned with them.
    void setProjects(const QList<project::RecentProject>& projects);
    const QStringList& recentFiles() const { return FRecentFiles; }
    const QStringList& recentDates() const { return FRecentDates; }
    // The selected row, -1 for none.
    int selectedRow() const;
    // The hint now set for the list (empty: none).
    QString hint() const { return m_hint; }

signals:
    // A click on the list, with the selected row (-1 when none is selected).
    void rowClicked(int row);

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool viewportEvent(QEvent* event) override;

private:
    QStringList FRecentFiles;
    QStringList FRecentDates;
    QString m_hint;
};

// The hint for a row: the folder of its file (without trailing separator) when another
// file of the list has the same name, ignoring letter case; otherwise empty.
QString recentHint(const QStringList& files, int row);

} // namespace vistarel::app
