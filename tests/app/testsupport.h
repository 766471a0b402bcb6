#pragma once

#include "app/desktop.h"
#include "app/formmain.h"

#include <QList>
#include <QStringList>
#include <QTemporaryDir>
#include <QUrl>

#include <functional>
#include <map>
#include <memory>
#include <string>

namespace vistarel::app::test {

// Test classes register themselves by name; the test main runs the one named on its
// command line.
using TestFactory = std::function<std::unique_ptr<QObject>()>;
std::map<std::string, TestFactory>& testRegistry();

template <typename T>
bool registerTest(const char* name)
{
    testRegistry()[name] = [] { return std::make_unique<T>(); };
    return true;
}

// A desktop that answers from scripts and records what was asked.
class ScriptedDesktop : public Desktop
{
public:
    struct TaskDialogCall
    {
        lang::TaskDialogText text;
        TaskDialogKind kind;
        QStringList buttons;
    };

    QStringList chooseFiles(QWidget* parent, const FileDialogRequest& request) override;
    render::DialogResult taskDialog(QWidget* parent, const lang::TaskDialogText& text,
                                    TaskDialogKind kind, const QStringList& buttons) override;
    void messageBox(QWidget* parent, const QString& text, MessageKind kind) override;
    void crashNotice(QWidget* parent, const CrashNotice& notice) override;
    bool openUrl(const QUrl& url) override;

    // One answer per file dialog, in order; an empty list (or none left) cancels.
    QList<QStringList> fileAnswers;
    QList<render::DialogResult> taskAnswers; // default OK when none left
    bool openUrlWorks = true;                 // what openUrl answers

    QList<FileDialogRequest> fileRequests;
    QList<TaskDialogCall> taskDialogs;
    QStringList messageBoxes;
    QList<CrashNotice> crashNotices;
    QList<QUrl> openedUrls;
};

// A fresh place for one window: its own settings file, application-data folder and
// program folder (the build's, with de.ini and en.ini, unless a test gives another).
class WindowEnvironment
{
    QTemporaryDir m_dir; // first: the paths below are made from it

public:
    WindowEnvironment();

    QString path(const QString& name) const { return m_dir.filePath(name); }
    QString settingsFile() const { return path(QStringLiteral("settings.ini")); }
    project::Settings settings() const { return project::Settings(settingsFile()); }
    FormMainServices services();
    // A window made from services(), not shown.
    std::unique_ptr<TFormMain> makeWindow();
    // A window made and shown (start panel, first-show steps done).
    std::unique_ptr<TFormMain> showWindow();

    std::shared_ptr<ScriptedDesktop> desktop = std::make_shared<ScriptedDesktop>();
    QString programDir;
    QString appDataDir;
    QUrl updateUrl;
    int endRequests = 0;
};

// Creates a file (and its folders) with the given content.
void writeFile(const QString& path, const QByteArray& content = QByteArray("x"));
// Clicks the named button of the window.
void clickButton(QWidget* window, const char* objectName);

} // namespace vistarel::app::test
