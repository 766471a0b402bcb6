#pragma once

#include "lang/messagelist.h"
#include "lang/taskdialogtext.h"

#include <QElapsedTimer>
#include <QString>
#include <QStringList>

#include <atomic>

namespace vistarel::render {

enum class DialogResult { Ok, Cancel };

// Writes the lines as a list file: each line ended by CR LF, UTF-8 without byte-order
// mark; an empty list gives an empty file. Replaces the file. Returns false when it
// cannot be written completely.
bool SaveListUtf8(const QStringList& lines, const QString& file);

// What the render engine needs from the program that runs it: the main window in the
// GUI, a console host in the CLI and the tests. The engine calls it only on the thread
// that started the job; ActionCanceled may also be set from elsewhere (a cancel button,
// a signal handler).
class Host
{
public:
    Host(QString appDataDir, const lang::MessageList& messages);
    virtual ~Host();
    Host(const Host&) = delete;
    Host& operator=(const Host&) = delete;

    // Set to cancel the running job; polled by the tool runner and the export.
    std::atomic<bool> ActionCanceled{false};

    // The per-user work folder, with a trailing '/'.
    const QString& AppDataDir() const { return m_appDataDir; }
    // Message "Str<id>" of the current language (LangStrings for 1..75).
    QString message(int id) const;

    // ---- render log (MemoLog) ----
    const QStringList& MemoLog() const { return m_memoLog; }
    // Appends text; each line of a text with line breaks becomes one log line.
    void appendLog(const QString& text);
    void clearLog();
    // Writes the log lines, each ended by CR LF, as UTF-8. Returns false on failure.
    bool saveLog(const QString& path) const;

    // ---- progress ring (CircularProgressProgress), 0..100 ----
    int progress() const { return m_progress; }
    void setProgress(int percent);

    // ---- keeping the window alive ----
    // Lets the window process pending events (the GUI) or does nothing (the console).
    virtual void pumpMessages() {}
    // pumpMessages() when more than 75 ms have passed since the last pump (LastTick).
    void pumpIfDue();

    // ---- dialogs ----
    // The task dialog "Vistarel" with instruction, content and footer, buttons OK and
    // Cancel; returns the button that closed it.
    virtual DialogResult taskDialog(const lang::TaskDialogText& text) = 0;
    // A plain message box with an OK button.
    virtual void messageBox(const QString& text) = 0;
    // Opens a file with the desktop's default program (the finished video).
    virtual void openFile(const QString& path);

protected:
    virtual void progressChanged(int /*percent*/) {}
    virtual void logAppended(const QStringList& /*lines*/) {}

private:
    QString m_appDataDir;
    const lang::MessageList& m_messages;
    QStringList m_memoLog;
    int m_progress = 0;
    QElapsedTimer m_lastTick;
};

// The host of the CLI and the tests: dialogs go to standard error and are answered
// with OK (or the answer set for tests); every dialog and message box is also recorded.
class ConsoleHost : public Host
{
public:
    using Host::Host;

    DialogResult taskDialog(const lang::TaskDialogText& text) override;
    void messageBox(const QString& text) override;

    // What was shown, in order (task dialogs as "instruction | content | footer").
    QStringList shownDialogs;
    // The answer taskDialog gives.
    DialogResult answer = DialogResult::Ok;
    // Whether dialogs are also printed to standard error.
    bool printDialogs = true;
};

} // namespace vistarel::render
