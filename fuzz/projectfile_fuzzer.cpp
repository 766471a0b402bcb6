// Feeds arbitrary bytes to the project reader and writes the result back: the reader
// must never crash or hang, and what it loads must be writable.
#include "project/projectfile.h"
#include "project/slidelist.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

using namespace vistarel::project;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static QTemporaryDir dir;
    static const QString path = dir.filePath(QStringLiteral("fuzz.vrj"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return 0;
    file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    file.close();

    SlideList slides;
    OutputSettings output;
    LoadCallbacks callbacks;
    callbacks.onMissingMedia = [](const QString&) { return MissingMediaAnswer::Skip; };
    readProjectFile(path, slides, output, callbacks);
    const QByteArray written = buildProjectFile(slides, output);
    return written.isEmpty() ? 1 : 0;
}
