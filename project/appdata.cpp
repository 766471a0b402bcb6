#include "project/appdata.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

namespace vistarel::project {

namespace {

QString withTrailingSlash(QString path)
{
    if (!path.endsWith(u'/'))
        path += u'/';
    return path;
}

} // namespace

QString AppDataDir()
{
    QString dir = qEnvironmentVariable("VISTAREL_APPDATA");
    if (dir.isEmpty())
        dir = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
              QStringLiteral("/Tarvik Software/Vistarel");
    dir = withTrailingSlash(QDir(dir).absolutePath());
    QDir().mkpath(dir);
    return dir;
}

QString executableDir()
{
    return withTrailingSlash(QCoreApplication::applicationDirPath());
}

} // namespace vistarel::project
