// vistarel-cli render: a project rendered without the window, with its own step-3 settings.
#include "cli/commands.h"
#include "cli/projectloading.h"
#include "cli/renderconsole.h"

#include "project/slidelist.h"

#include <QRegularExpression>

namespace vistarel::cli {

namespace {

const char* const kUsage =
    "usage: vistarel-cli render PROJECT.vrj [--output FILE] [--size WxH] [--keep-work] [--open]\n";

// The job's settings from the project's step-3 values and the command's options.
render::RenderJobSettings jobSettings(const project::OutputSettings& output,
                                      const std::optional<QString>& outputFile,
                                      const std::optional<QString>& size)
{
    render::RenderJobSettings settings = render::jobSettingsOf(output);
    settings.outputFile = outputFile.value_or(output.OutputFile);
    if (size) {
        static const QRegularExpression pattern(QStringLiteral("^(\\d+)[xX](\\d+)$"));
        const QRegularExpressionMatch match = pattern.match(*size);
        // A malformed size reaches the job's check, which explains the rule.
        settings.widthText = match.hasMatch() ? match.captured(1) : QString();
        settings.heightText = match.hasMatch() ? match.captured(2) : QString();
    }
    return settings;
}

} // namespace

int runRender(CliContext& context)
{
    QStringList args = context.args;
    bool missingValue = false;
    const std::optional<QString> outputFile =
        takeOption(args, QStringLiteral("--output"), missingValue);
    const std::optional<QString> size = takeOption(args, QStringLiteral("--size"), missingValue);
    ConsoleRenderOptions options;
    options.keepWork = takeFlag(args, QStringLiteral("--keep-work"));
    options.openVideo = takeFlag(args, QStringLiteral("--open"));
    if (missingValue || args.size() != 1 || args[0].startsWith(QStringLiteral("--"))) {
        context.err << kUsage;
        return kExitUsage;
    }

    project::SlideList slides;
    project::OutputSettings output;
    if (const int code = loadProjectForCli(context, args[0], false, slides, output))
        return code;
    if (slides.count() == 0) {
        context.err << "error: " << context.messages.str(44) << Qt::endl;
        return kExitFailure;
    }
    return renderOnConsole(context, slides, jobSettings(output, outputFile, size), options);
}

} // namespace vistarel::cli
