#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>

namespace vistarel::project {

// The step-3 settings a project file stores, with the values a file without them gets.
// List choices are positions: music and repeat 0 = "ja", 1 = "nein"; resolution 7 is
// the user-defined size.
struct OutputSettings
{
    std::int32_t ResolutionIndex = 0;
    QString ResolutionX = QStringLiteral("1920"); // as typed
    QString ResolutionY = QStringLiteral("1080");
    std::int32_t MusicIndex = 1;
    std::int32_t MusicRepeat = 1;
    QStringList MusicFiles; // full paths, in list order
    QString OutputFile;

    friend bool operator==(const OutputSettings&, const OutputSettings&) = default;
};

inline constexpr int kUserDefinedResolution = 7;

} // namespace vistarel::project
