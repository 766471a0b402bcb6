#pragma once

#include <QString>
#include <QUrl>

#include <optional>

namespace vistarel::app {

// What the update-information text says, next to the program's own version. Versions
// are written major, ".", then minor, release and build without separators (2.2.0.1 is
// "2.201").
struct TUpdateInfo
{
    QString ThisVersion;
    QString NetVersion;      // ThisVersion when the text names none
    QString NetVersionSize;  // "0" when absent; not used further
    QString DownloadUrl;     // the file to download ("url=" line), may be relative
    QString PageUrl;         // the web page of the new version ("page=" line)
    bool complete = false;   // the "[data full]" block had its version and size lines
};

// Reads the information text. Lines end in LF (a CR before it is dropped); a last line
// without LF is not used. After the first line containing "[data full]" the next line
// holds the version from its ninth character ("version=2.210"), the one after it the
// size from its sixth ("size=12345"); the following lines up to the next "[" line may
// name "url=" and "page=". Only texts of more than two lines are searched.
TUpdateInfo ParseUpdateInfo(const QString& text, const QString& thisVersion);

// N(v): the number made of the characters 1, 3, 4 and 5 of a version text, in this
// order ("2.201" gives 2201); nothing when the text is too short or not all digits.
std::optional<int> versionNumber(const QString& version);

// Whether the pop-up offers the published version: only for a complete text whose
// version is readable and greater than the program's own.
bool offersUpdate(const TUpdateInfo& info);

// The update addresses the program accepts: https, or http and https to the loopback
// host (127.0.0.1, ::1, localhost) for tests.
bool isAllowedUpdateUrl(const QUrl& url);

// The installer must be larger than this; a smaller download counts as failed.
inline constexpr qint64 kMinimumInstallerBytes = 2200;
inline bool isUsableInstallerSize(qint64 bytes)
{
    return bytes > kMinimumInstallerBytes;
}

// The local name of a download: the address's last path segment when it is a plain
// file name, else "vistarel-update".
QString downloadFileName(const QUrl& url);

} // namespace vistarel::app
