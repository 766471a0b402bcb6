#pragma once

#include "project/outputsettings.h"
#include "project/version.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>

namespace vistarel::project {

class SlideList;

// ---- Writing -------------------------------------------------------------------------

// The whole project file: "[Settings]", then one "[Image<i>]" section per slide (a slide
// without record as the fixed defaults block). UTF-8 without byte-order mark, CR LF
// after every line.
QByteArray buildProjectFile(const SlideList& slides, const OutputSettings& output,
                            const VersionNumbers& version = programVersion());

struct SaveResult
{
    bool ok = false;
    QString error; // the system's reason when !ok
};

// Writes the bytes to a temporary file beside the target and renames it over the old
// file, so a failed or interrupted save leaves the previous project intact.
SaveResult saveProjectFile(const QString& path, const QByteArray& bytes);

// ---- Reading -------------------------------------------------------------------------

enum class MissingMediaAnswer { Skip, Abort };

struct LoadResult
{
    enum class Status {
        Loaded,       // slides appended, output settings filled
        FileNotFound, // nothing read
        Unreadable,   // the file could not be read (error says why); nothing changed
        Aborted,      // the user stopped at a missing media file; slide list emptied
    };
    Status status = Status::Loaded;
    QString error;
    QStringList skipped; // media files that were missing and skipped
};

struct LoadCallbacks
{
    // Asked once per slide whose media file does not exist. Without it, such slides are
    // skipped.
    std::function<MissingMediaAnswer(const QString& file)> onMissingMedia;
    // Called between slides so that a window can stay responsive.
    std::function<void()> keepAlive;
};

// Reads a project: appends the slides that exist, with their records, to the slide list
// (which the caller has emptied) and fills the output settings. Never throws; a file of
// any content loads by the rules or is refused.
LoadResult readProjectFile(const QString& path, SlideList& slides, OutputSettings& output,
                           const LoadCallbacks& callbacks = {});

// The same for a project file's text already in memory (the file's decoded content).
LoadResult readProjectText(const QString& text, SlideList& slides, OutputSettings& output,
                           const LoadCallbacks& callbacks = {});

// The "MusicFile" value split into its files: "|" separates, an entry starting with '"'
// is quoted ("" inside stands for one quote), parts are trimmed, empty parts dropped.
QStringList splitMusicFileValue(const QString& value);

inline constexpr qint64 kMaxProjectFileBytes = 64ll * 1024 * 1024;

} // namespace vistarel::project
