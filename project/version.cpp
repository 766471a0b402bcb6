#include "project/version.h"

namespace vistarel::project {

VersionNumbers programVersion()
{
    return {VISTAREL_VERSION_MAJOR, VISTAREL_VERSION_MINOR, VISTAREL_VERSION_PATCH,
            VISTAREL_VERSION_TWEAK};
}

QString versionDigits(const VersionNumbers& v)
{
    return QStringLiteral("%1%2%3%4").arg(v.major).arg(v.minor).arg(v.release).arg(v.build);
}

QString versionText(const VersionNumbers& v)
{
    return QStringLiteral("%1.%2%3%4").arg(v.major).arg(v.minor).arg(v.release).arg(v.build);
}

} // namespace vistarel::project
