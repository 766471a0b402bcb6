#pragma once

#include <QString>

#include <array>

namespace vistarel::app {

// The resolution presets of step 3 in list order; the list's last position (7,
// "benutzerdefiniert") has no preset: the edits keep what the user typed.
struct ResolutionPreset
{
    const char* name; // the design text of the entry
    int width;
    int height;
};
inline constexpr std::array<ResolutionPreset, 7> kResolutionPresets{{
    {"SD (NTSC)", 720, 480},
    {"SD (PAL)", 720, 576},
    {"HD", 1280, 720},
    {"Full HD", 1920, 1080},
    {"2K QHD", 2048, 1080},
    {"4K UHD", 3840, 2160},
    {"4K DCI", 4096, 2160},
}};
inline constexpr const char* kUserDefinedEntry = "benutzerdefiniert";

// Whether the file-name part of a path has an extension: a point anywhere in it, as the
// file dialogs of the design see it (".vrj" and "a." count).
bool hasExtension(const QString& path);
// The path with the given extension (".mp4") appended when it has none.
QString withDefaultExtension(const QString& path, const QString& extension);
// The path with its extension replaced by the given one, or the extension appended when
// it has none.
QString replaceExtension(const QString& path, const QString& extension);

// What the job-file field holds after a change of the job switch: a name of at least 6
// characters stays; otherwise the project's last save name when it has at least 5
// characters, else the output file with the extension ".vrj".
QString prefilledJobFile(const QString& current, const QString& lastSaveName,
                         const QString& outputFile);

} // namespace vistarel::app
