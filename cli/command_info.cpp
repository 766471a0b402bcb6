// vistarel-cli info and save-as: a project printed, or read and written again.
#include "cli/commands.h"
#include "cli/projectloading.h"

#include "project/mediakind.h"
#include "project/optionlists.h"
#include "project/projectfile.h"
#include "project/slidelist.h"
#include "project/transitioncatalogue.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace vistarel::cli {

namespace {

using project::OutputSettings;
using project::SlideList;
using project::TMyImageInfo;

QJsonObject settingsJson(const OutputSettings& s)
{
    return {{"resolutionIndex", s.ResolutionIndex},
            {"resolutionX", s.ResolutionX},
            {"resolutionY", s.ResolutionY},
            {"musicIndex", s.MusicIndex},
            {"musicRepeat", s.MusicRepeat},
            {"musicFiles", QJsonArray::fromStringList(s.MusicFiles)},
            {"outputFile", s.OutputFile}};
}

QJsonObject slideJson(const SlideList& slides, int i)
{
    const TMyImageInfo* record = slides.settings(i);
    const TMyImageInfo r = record ? *record : TMyImageInfo{};
    return {{"file", slides.fileName(i)},
            {"isVideo", project::IsVideoFile(slides.fileName(i))},
            {"hasRecord", record != nullptr},
            {"duration", r.Duration},
            {"transition", r.Transition},
            {"transitionName", project::transitionIdentifier(r.Transition)},
            {"transitionDuration", r.TransitionDuration},
            {"stretch", r.Stretch},
            {"blurBackground", r.BlurBackground},
            {"subtitle", r.Subtitle},
            {"subtitleEdit", r.SubtitleEdit},
            {"font", r.Font},
            {"fontColor", double(r.FontColor)},
            {"fontSize", r.FontSize},
            {"audioMode", r.AudioMode},
            {"displaySeconds", project::displaySecondsOfDuration(r.Duration)},
            {"transitionMs", double(project::transitionMsOfPosition(r.TransitionDuration))}};
}

QString yesNo(std::int32_t position)
{
    return position == 0 ? QStringLiteral("yes") : QStringLiteral("no");
}

void printReadable(QTextStream& out, const QString& path, const SlideList& slides,
                   const OutputSettings& s)
{
    out << "Project:    " << QFileInfo(path).absoluteFilePath() << '\n'
        << "Output:     " << s.OutputFile << '\n'
        << "Resolution: " << s.ResolutionX << " x " << s.ResolutionY << " (preset "
        << s.ResolutionIndex << ")\n"
        << "Music:      " << yesNo(s.MusicIndex) << ", repeat " << yesNo(s.MusicRepeat) << '\n';
    for (const QString& music : s.MusicFiles)
        out << "            " << music << '\n';
    out << "Slides:     " << slides.count() << '\n';
    for (int i = 0; i < slides.count(); ++i) {
        const TMyImageInfo* r = slides.settings(i);
        const bool video = project::IsVideoFile(slides.fileName(i));
        out << QStringLiteral("%1. ").arg(i + 1, 3) << slides.fileName(i) << '\n'
            << "      " << (video ? "clip" : "picture");
        if (!r) {
            out << ", default settings\n";
            continue;
        }
        if (!video)
            out << ", " << project::displaySecondsOfDuration(r->Duration) << " s";
        out << ", effect "
            << (r->Transition == 0 ? QStringLiteral("none")
                                   : project::transitionListName(r->Transition))
            << " (" << project::transitionMsOfPosition(r->TransitionDuration) << " ms)"
            << (r->Stretch          ? ", stretched"
                : r->BlurBackground ? ", over blurred background"
                                    : ", fitted on black");
        if (video)
            out << ", audio mode " << int(project::audioModeOf(r->AudioMode));
        if (!r->Subtitle.trimmed().isEmpty())
            out << ", with subtitle";
        out << '\n';
    }
}

} // namespace

int runInfo(CliContext& context)
{
    QStringList args = context.args;
    const bool json = takeFlag(args, QStringLiteral("--json"));
    const bool skipMissing = takeFlag(args, QStringLiteral("--skip-missing"));
    if (args.size() != 1 || args.first().startsWith(QStringLiteral("--"))) {
        context.err << "usage: vistarel-cli info [--json] [--skip-missing] PROJECT.vrj\n";
        return kExitUsage;
    }
    SlideList slides;
    OutputSettings output;
    if (const int code = loadProjectForCli(context, args.first(), skipMissing, slides, output))
        return code;
    if (json) {
        QJsonArray slideArray;
        for (int i = 0; i < slides.count(); ++i)
            slideArray.append(slideJson(slides, i));
        const QJsonObject root{{"settings", settingsJson(output)}, {"slides", slideArray}};
        context.out << QJsonDocument(root).toJson(QJsonDocument::Indented);
    } else {
        printReadable(context.out, args.first(), slides, output);
    }
    return kExitOk;
}

int runSaveAs(CliContext& context)
{
    QStringList args = context.args;
    const bool skipMissing = takeFlag(args, QStringLiteral("--skip-missing"));
    if (args.size() != 2 || args[0].startsWith(QStringLiteral("--")) ||
        args[1].startsWith(QStringLiteral("--"))) {
        context.err << "usage: vistarel-cli save-as [--skip-missing] IN.vrj OUT.vrj\n";
        return kExitUsage;
    }
    SlideList slides;
    OutputSettings output;
    if (const int code = loadProjectForCli(context, args[0], skipMissing, slides, output))
        return code;
    const auto saved = project::saveProjectFile(args[1], project::buildProjectFile(slides, output));
    if (!saved.ok) {
        context.err << "error: " << context.messages.str(27) << ' ' << context.messages.str(28)
                    << ' ' << saved.error << Qt::endl;
        return kExitFailure;
    }
    return kExitOk;
}

} // namespace vistarel::cli
