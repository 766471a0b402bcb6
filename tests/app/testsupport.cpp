#include "testsupport.h"

#include "project/appdata.h"

#include <QAbstractButton>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

namespace vistarel::app::test {

std::map<std::string, TestFactory>& testRegistry()
{
    static std::map<std::string, TestFactory> registry;
    return registry;
}

QStringList ScriptedDesktop::chooseFiles(QWidget*, const FileDialogRequest& request)
{
    fileRequests << request;
    return fileAnswers.isEmpty() ? QStringList() : fileAnswers.takeFirst();
}

render::DialogResult ScriptedDesktop::taskDialog(QWidget*, const lang::TaskDialogText& text,
                                                 TaskDialogKind kind, const QStringList& buttons)
{
    taskDialogs << TaskDialogCall{text, kind, buttons};
    return taskAnswers.isEmpty() ? render::DialogResult::Ok : taskAnswers.takeFirst();
}

void ScriptedDesktop::messageBox(QWidget*, const QString& text, MessageKind)
{
    messageBoxes << text;
}

void ScriptedDesktop::crashNotice(QWidget*, const CrashNotice& notice)
{
    crashNotices << notice;
}

bool ScriptedDesktop::openUrl(const QUrl& url)
{
    openedUrls << url;
    return openUrlWorks;
}

WindowEnvironment::WindowEnvironment()
    : programDir(project::executableDir())
    , appDataDir(m_dir.filePath(QStringLiteral("appdata/")))
{
    QDir().mkpath(appDataDir);
}

FormMainServices WindowEnvironment::services()
{
    FormMainServices s;
    s.settings = settings();
    s.programDir = programDir;
    s.appDataDir = appDataDir;
    s.desktop = desktop;
    s.updateUrl = updateUrl;
    s.endApplication = [this] { ++endRequests; };
    return s;
}

std::unique_ptr<TFormMain> WindowEnvironment::makeWindow()
{
    return std::make_unique<TFormMain>(services());
}

std::unique_ptr<TFormMain> WindowEnvironment::showWindow()
{
    auto window = makeWindow();
    window->show();
    if (!QTest::qWaitForWindowExposed(window.get()))
        qWarning("window not exposed");
    return window;
}

void writeFile(const QString& path, const QByteArray& content)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
        qFatal("cannot write %s", qPrintable(path));
}

void clickButton(QWidget* window, const char* objectName)
{
    auto* button = window->findChild<QAbstractButton*>(QString::fromLatin1(objectName));
    if (!button)
        qFatal("no button %s", objectName);
    button->click();
}

} // namespace vistarel::app::test
