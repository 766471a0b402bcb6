#include "project/recentprojects.h"

#include "project/settings.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace vistarel::project {

void putProjectOnTop(Settings& settings, const QString& file)
{
    if (file.isEmpty())
        return;
    QStringList list{QFileInfo(file).absoluteFilePath()};
    for (int i = 1; i <= kRecentProjectCount; ++i) {
        const QString entry = settings.text(settingname::recent(i)).value_or(QString());
        if (!entry.isEmpty() && entry.compare(list.first(), Qt::CaseInsensitive) != 0)
            list << entry;
    }
    for (int i = 1; i <= kRecentProjectCount; ++i) {
        if (i <= list.size())
            settings.setText(settingname::recent(i), list[i - 1]);
        else
            settings.remove(settingname::recent(i));
    }
}

QList<RecentProject> recentProjectsForStartPanel(const Settings& settings, const QLocale& locale)
{
    QList<RecentProject> rows;
    for (int i = 1; i <= kRecentProjectCount; ++i) {
        const QString path = settings.text(settingname::recent(i)).value_or(QString());
        const QFileInfo info(path);
        if (path.isEmpty() || !info.isFile())
            continue;
        RecentProject row{path, info.fileName(), {}};
        const QDateTime changed = info.lastModified();
        if (changed.isValid())
            row.dateText = locale.toString(changed.date(), QLocale::ShortFormat) +
                           QStringLiteral(", ") + changed.toString(QStringLiteral("hh:mm"));
        rows << row;
    }
    return rows;
}

QString defaultOutputPath(const Settings& settings, const QString& defaultFileName)
{
    QString folder;
    if (const auto last = settings.lastOutput(); last && !last->isEmpty()) {
        const QString candidate = QFileInfo(*last).absolutePath();
        if (QFileInfo(candidate).isDir())
            folder = candidate;
    }
    if (folder.isEmpty())
        folder = QStandardPaths::writableLocation(QStandardPaths::MoviesLocation);
    return QDir(folder).filePath(defaultFileName);
}

} // namespace vistarel::project
