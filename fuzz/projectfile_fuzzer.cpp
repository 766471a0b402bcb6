// Feeds arbitrary bytes to the project reader and writes the result back: the reader
// must never crash or hang, and what it loads must be writable.
#include "lang/textdecoding.h"
#include "project/projectfile.h"
#include "project/slidelist.h"

#include <cstddef>
#include <cstdint>

using namespace vistarel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    project::SlideList slides;
    project::OutputSettings output;
    project::LoadCallbacks callbacks;
    callbacks.onMissingMedia = [](const QString&) { return project::MissingMediaAnswer::Skip; };
    project::readProjectText(lang::decodeTextFile(bytes), slides, output, callbacks);
    const QByteArray written = project::buildProjectFile(slides, output);
    return written.isEmpty() ? 1 : 0;
}
