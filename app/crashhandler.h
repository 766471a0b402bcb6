#pragma once

#include <QString>
#include <QStringList>

namespace vistarel::app {

// Crash reports. A handler for the fatal signals (SIGSEGV, SIGBUS, SIGILL, SIGFPE,
// SIGABRT) writes "crash-report.txt" with the signal, the faulting address and a
// backtrace into the given folder, prints the crash texts to standard error and lets the
// signal end the process as it would have. At the next start the window finds the
// report, moves it aside under a dated name and tells the user where it is.

// The name of a report not yet shown.
inline constexpr const char* kCrashReportName = "crash-report.txt";

// Installs the handler; reports go to folder (with or without trailing '/'). May be
// called again to move the reports elsewhere. Not thread-safe against a crash in flight.
void installCrashHandler(const QString& folder, const QString& versionText);

// Removes the handler and restores the signals' default actions.
void uninstallCrashHandler();

// The ten texts of the crash dialog (messages Str1 to Str10); the handler prints the
// title (Str1) and the closing line (Str10) when a crash happens.
void setCrashTexts(const QStringList& texts);

// A report left by an earlier run: moved to "crash-report-<yyyyMMdd-hhmmss>.txt" in the
// same folder, whose path is returned, so it is announced once. Empty when there is none.
QString takePendingCrashReport(const QString& folder);

// The "Cause" line of a report ("SIGSEGV (segmentation fault) at 0x0"), empty if none.
QString crashCauseOf(const QString& reportPath);

} // namespace vistarel::app
