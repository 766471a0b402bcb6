#include "app/step3rules.h"

namespace vistarel::app {

namespace {
constexpr qsizetype kKeptJobNameLength = 6;
constexpr qsizetype kUsableSaveNameLength = 5;

// Where the file-name part of a path begins (either separator counts: the field holds
// what the user typed).
qsizetype fileNameStart(const QString& path)
{
    return std::max(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\')) + 1;
}

qsizetype extensionStart(const QString& path)
{
    const qsizetype point = path.lastIndexOf(u'.');
    return point >= fileNameStart(path) ? point : -1;
}
} // namespace

bool hasExtension(const QString& path)
{
    return extensionStart(path) >= 0;
}

QString withDefaultExtension(const QString& path, const QString& extension)
{
    return hasExtension(path) ? path : path + extension;
}

QString replaceExtension(const QString& path, const QString& extension)
{
    const qsizetype point = extensionStart(path);
    return (point >= 0 ? path.left(point) : path) + extension;
}

QString prefilledJobFile(const QString& current, const QString& lastSaveName,
                         const QString& outputFile)
{
    if (current.size() >= kKeptJobNameLength)
        return current;
    if (lastSaveName.size() >= kUsableSaveNameLength)
        return lastSaveName;
    return replaceExtension(outputFile, QStringLiteral(".vrj"));
}

} // namespace vistarel::app
