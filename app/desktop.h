#pragma once

#include "lang/taskdialogtext.h"
#include "render/host.h"

#include <QObject>
#include <QString>
#include <QStringList>

class QUrl;
class QWidget;

namespace vistarel::app {

// The translatable texts of a file dialog ("<name>_Title", "<name>_Filter"), kept as a
// named object of the window so the language files reach them like any control.
// Filters are written "Description|*.ext" (pairs separated by '|').
class FileDialogTexts : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString Title READ title WRITE setTitle)
    Q_PROPERTY(QString Filter READ filter WRITE setFilter)

public:
    FileDialogTexts(const QString& name, QString title, QString filter, QObject* parent);

    QString title() const { return m_title; }
    void setTitle(const QString& title) { m_title = title; }
    QString filter() const { return m_filter; }
    void setFilter(const QString& filter) { m_filter = filter; }

private:
    QString m_title;
    QString m_filter;
};

// The custom buttons of the task dialog AdvMetroTaskDialogOKCancel ("OK", "Abbrechen"),
// translated like any control ("<name>_CustomButtons[i]").
class TaskDialogButtons : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QStringList CustomButtons READ customButtons WRITE setCustomButtons)

public:
    explicit TaskDialogButtons(QObject* parent);

    QStringList customButtons() const { return m_buttons; }
    void setCustomButtons(const QStringList& buttons) { m_buttons = buttons; }

private:
    QStringList m_buttons;
};

enum class FileDialogMode { Open, OpenMany, Save };

struct FileDialogRequest
{
    FileDialogMode mode = FileDialogMode::Open;
    QString title;
    QString filter;        // "Description|*.ext"
    QString defaultSuffix; // without the point
    QString initialPath;   // file or folder; empty: the dialog's choice
};

enum class TaskDialogKind { Information, Error };
enum class MessageKind { Information, Warning };

// The notice after a crash: title, the composed explanation, the report's path and the
// captions of the three buttons (show report, open folder, close).
struct CrashNotice
{
    QString title;
    QString text;
    QString reportPath;
    QString showReport;
    QString openFolder;
    QString close;
};

// Everything the window asks of the desktop: file dialogs, message dialogs and opening
// files or addresses. The program uses WidgetDesktop; tests answer through their own
// implementation, so no modal loop runs in a test.
class Desktop
{
public:
    virtual ~Desktop();

    // The chosen files (full paths), empty when the user cancelled. Save dialogs ask no
    // confirmation before an existing file is replaced.
    virtual QStringList chooseFiles(QWidget* parent, const FileDialogRequest& request) = 0;
    // The task dialog titled "Vistarel": instruction, content, footer and the buttons
    // (OK first, then Cancel). Returns the button that closed it (closing the window
    // counts as Cancel).
    virtual render::DialogResult taskDialog(QWidget* parent, const lang::TaskDialogText& text,
                                            TaskDialogKind kind, const QStringList& buttons) = 0;
    // A plain message box titled "Vistarel" with an OK button.
    virtual void messageBox(QWidget* parent, const QString& text, MessageKind kind) = 0;
    virtual void crashNotice(QWidget* parent, const CrashNotice& notice) = 0;
    // Opens a file or an address with the desktop's default program.
    virtual bool openUrl(const QUrl& url) = 0;
};

// The desktop of the running program: Qt's file dialogs and the window's own dialogs.
class WidgetDesktop : public Desktop
{
public:
    QStringList chooseFiles(QWidget* parent, const FileDialogRequest& request) override;
    render::DialogResult taskDialog(QWidget* parent, const lang::TaskDialogText& text,
                                    TaskDialogKind kind, const QStringList& buttons) override;
    void messageBox(QWidget* parent, const QString& text, MessageKind kind) override;
    void crashNotice(QWidget* parent, const CrashNotice& notice) override;
    bool openUrl(const QUrl& url) override;
};

// "Pictures|*.jpg;*.png|All|*" → "Pictures (*.jpg *.png);;All (*)".
QString qtFileFilter(const QString& filter);

} // namespace vistarel::app
