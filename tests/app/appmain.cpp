// The main of the window's tests: a widget application on the offscreen platform, with
// the user's folders moved into a temporary folder, running the test class named by the
// first argument (all classes without one).
#include "app/style.h"
#include "testsupport.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home;
    for (const char* variable : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME", "VISTAREL_APPDATA"})
        qputenv(variable, home.filePath(QString::fromLatin1(variable)).toUtf8());

    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    vistarel::app::applyDarkStyle(app);

    auto& registry = vistarel::app::test::testRegistry();
    QStringList args = QCoreApplication::arguments();
    QString only;
    if (args.size() > 1 && !args[1].startsWith(u'-'))
        only = args.takeAt(1);
    int failures = 0;
    bool ran = false;
    for (const auto& [name, factory] : registry) {
        if (!only.isEmpty() && only != QString::fromStdString(name))
            continue;
        ran = true;
        std::unique_ptr<QObject> test = factory();
        failures += QTest::qExec(test.get(), args);
    }
    if (!ran) {
        qCritical("no test class named %s", qPrintable(only));
        return 2;
    }
    return failures == 0 ? 0 : 1;
}
