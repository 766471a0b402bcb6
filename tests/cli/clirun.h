#pragma once

#include <QByteArray>
#include <QStringList>

namespace vistarel::cli::test {

struct CliRun
{
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

// Runs vistarel-cli from the test's own folder with the arguments and waits for it.
CliRun runCli(const QStringList& args, int timeoutMs = 60000);

} // namespace vistarel::cli::test
