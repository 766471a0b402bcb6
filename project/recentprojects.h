#pragma once

#include <QList>
#include <QLocale>
#include <QString>

namespace vistarel::project {

class Settings;

inline constexpr int kRecentProjectCount = 4;

// Puts a project file on top of the recent list ("Recent1" .. "Recent4"): the file as a
// full path first, then the earlier entries that differ from it (ignoring letter case),
// at most four. Nothing happens for an empty name.
void putProjectOnTop(Settings& settings, const QString& file);

// One row of the start panel's recent list.
struct RecentProject
{
    QString path;     // full path
    QString name;     // file name without folder
    QString dateText; // last change: short date, ", ", "hh:mm"; empty when unknown
};

// The recent entries whose files exist, most recent first. Missing files are skipped
// but stay stored.
QList<RecentProject> recentProjectsForStartPanel(const Settings& settings,
                                                 const QLocale& locale = QLocale());

// The default output video: the folder of the last output when it still exists, else
// the user's Videos folder, followed by the default file name (message Str67).
QString defaultOutputPath(const Settings& settings, const QString& defaultFileName);

} // namespace vistarel::project
