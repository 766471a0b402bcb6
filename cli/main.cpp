// vistarel-cli: Vistarel's work without the window.
#include "cli/commands.h"
#include "project/version.h"

#include <QGuiApplication>
#include <QTextStream>

#include <cstdio>

using namespace vistarel;

namespace {

void printUsage(QTextStream& stream)
{
    stream << "usage: vistarel-cli COMMAND [ARGUMENTS]\n\ncommands:\n";
    for (const cli::Command& command : cli::commands())
        stream << "  " << command.name << ' ' << command.usage << "\n      " << command.summary
               << '\n';
    stream << "\n  --help     this text\n  --version  the program's version\n";
}

} // namespace

int main(int argc, char* argv[])
{
    // Subtitles and pictures are drawn with Qt's painter; no display is needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QGuiApplication::setApplicationName(QStringLiteral("Vistarel"));
    QGuiApplication::setOrganizationName(QStringLiteral("Tarvik"));

    QTextStream out(stdout);
    QTextStream err(stderr);
    QStringList args = QGuiApplication::arguments().mid(1);
    if (args.isEmpty()) {
        printUsage(err);
        return cli::kExitUsage;
    }
    const QString name = args.takeFirst();
    if (name == QStringLiteral("--help") || name == QStringLiteral("-h")) {
        printUsage(out);
        return cli::kExitOk;
    }
    if (name == QStringLiteral("--version")) {
        out << "vistarel-cli " << project::versionText(project::programVersion()) << '\n';
        return cli::kExitOk;
    }
    for (const cli::Command& command : cli::commands()) {
        if (name == QLatin1String(command.name)) {
            cli::CliContext context{args, cli::loadUserMessages(), out, err};
            return command.run(context);
        }
    }
    err << "vistarel-cli: unknown command '" << name << "'\n\n";
    printUsage(err);
    return cli::kExitUsage;
}
