#pragma once

#include <QString>

namespace vistarel::project {

// The program's four version numbers, set in the build.
struct VersionNumbers
{
    int major = 0;
    int minor = 0;
    int release = 0;
    int build = 0;
};

VersionNumbers programVersion();

// All four numbers one after the other, as a project file's "Version" line: 2.2.0.1 → "2201".
QString versionDigits(const VersionNumbers& v);
// The shown version: major, ".", then minor, release and build without separators:
// 2.2.0.1 → "2.201".
QString versionText(const VersionNumbers& v);

} // namespace vistarel::project
