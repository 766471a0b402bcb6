#include "clirun.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>

namespace vistarel::cli::test {

CliRun runCli(const QStringList& args, int timeoutMs)
{
    QProcess process;
    process.setProgram(QDir(QCoreApplication::applicationDirPath()).filePath(u"vistarel-cli"_qs));
    process.setArguments(args);
    process.start();
    process.waitForFinished(timeoutMs);
    return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
}

} // namespace vistarel::cli::test
