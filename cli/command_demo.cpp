// vistarel-cli demo: a small show built from media made on the spot, saved as a project
// beside the video and rendered.
#include "cli/commands.h"
#include "cli/renderconsole.h"

#include "project/appdata.h"
#include "project/projectfile.h"
#include "project/slidelist.h"
#include "project/transitioncatalogue.h"
#include "render/tools/argsplit.h"
#include "render/tools/toolrunner.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>

#include <memory>

namespace vistarel::cli {

namespace {

const char* const kUsage = "usage: vistarel-cli demo [--output FILE]\n";
const QString kDefaultOutput = QStringLiteral("vistarel-demo/demo.mp4");

// A rich-text subtitle as the step-2 editor writes it: centred, two sizes and colours.
const QString kDemoSubtitle = QStringLiteral(
    "{\\rtf1\\ansi{\\fonttbl{\\f0\\fnil Tahoma;}}"
    "{\\colortbl ;\\red255\\green214\\blue10;\\red255\\green255\\blue255;}"
    "\\qc\\f0\\fs64\\b\\cf1 Vistarel\\b0\\cf2  demo\\par"
    "\\fs36\\i pictures, a clip, music and transitions\\i0\\par}");

// A landscape of sky, sun and hills with a caption; every picture looks different.
QImage paintScene(int width, int height, QColor sky, QColor ground, const QString& caption)
{
    QImage image(width, height, QImage::Format_RGB888);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient skyGradient(0, 0, 0, height);
    skyGradient.setColorAt(0, sky.darker(160));
    skyGradient.setColorAt(1, sky.lighter(140));
    painter.fillRect(image.rect(), skyGradient);
    QRadialGradient sun(width * 0.75, height * 0.28, height * 0.14);
    sun.setColorAt(0, QColor(255, 250, 210));
    sun.setColorAt(1, QColor(255, 200, 80, 0));
    painter.setBrush(sun);
    painter.setPen(Qt::NoPen);
    painter.drawEllipse(QPointF(width * 0.75, height * 0.28), height * 0.14, height * 0.14);
    for (int hill = 0; hill < 3; ++hill) {
        painter.setBrush(ground.darker(100 + 30 * hill));
        const double top = height * (0.55 + 0.1 * hill);
        painter.drawEllipse(QRectF(-width * 0.3 + hill * width * 0.35, top, width * 0.9, height));
    }
    QFont font = painter.font();
    font.setPixelSize(std::max(12, height / 12));
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(image.rect().adjusted(0, height / 20, 0, 0), Qt::AlignHCenter | Qt::AlignTop,
                     caption);
    return image;
}

struct DemoSlide
{
    QString file;
    std::unique_ptr<project::TMyImageInfo> record; // none: the default fade-in
};

std::unique_ptr<project::TMyImageInfo> slideRecord(const char* effect, int durationPosition)
{
    auto record = std::make_unique<project::TMyImageInfo>();
    record->Transition = project::transitionOrdinal(QString::fromLatin1(effect)).value_or(1);
    record->TransitionDuration = 2; // 1 s
    record->Duration = durationPosition;
    record->Font = QStringLiteral("Tahoma");
    record->FontColor = project::kWhite;
    record->FontSize = 1;
    return record;
}

bool makeMedia(render::Host& host, const QString& folder, const QString& name,
               const QString& arguments)
{
    const QString target = folder + name;
    const int code = render::RunTool(host, render::GetFFmpegPath(),
                                     arguments + QStringLiteral(" -loglevel error ") + render::quotedArgument(target),
                                     nullptr, {});
    return code == 0 && QFileInfo::exists(target);
}

// Paints the pictures and has ffmpeg make the clip and the music; returns the slides.
std::vector<DemoSlide> makeDemoMedia(render::Host& host, const QString& folder, QString& music,
                                     QString& error)
{
    std::vector<DemoSlide> slides;
    const auto picture = [&](const QString& name, const QImage& image) {
        if (!image.save(folder + name))
            error = QStringLiteral("cannot write ") + folder + name;
        slides.push_back({folder + name, nullptr});
    };
    picture(QStringLiteral("01 meadow.jpg"),
            paintScene(2000, 1333, QColor(60, 120, 210), QColor(70, 150, 60), QStringLiteral("Meadow")));
    picture(QStringLiteral("02 tower.jpg"),
            paintScene(900, 1600, QColor(200, 110, 60), QColor(90, 80, 70), QStringLiteral("Tower")));
    slides.back().record = slideRecord("iettCrossDissolve", 2);
    slides.back().record->BlurBackground = true;
    picture(QStringLiteral("03 title.png"),
            paintScene(1200, 1200, QColor(40, 40, 90), QColor(30, 60, 90), QString()));
    slides.back().record = slideRecord("iettCircularWipeFromCenter", 3);
    slides.back().record->Subtitle = kDemoSubtitle;

    const QString clip = QStringLiteral("04 clip.mp4");
    if (!makeMedia(host, folder, clip,
                   QStringLiteral("-y -f lavfi -i testsrc2=s=960x540:r=30:d=4 -f lavfi -i "
                                  "sine=f=660:d=4 -c:v libx264 -pix_fmt yuv420p -c:a aac")))
        error = QStringLiteral("cannot make the demo clip");
    slides.push_back({folder + clip, slideRecord("iettCrossDissolve", 3)});
    slides.back().record->AudioMode = 2; // its own sound, with the music lowered

    picture(QStringLiteral("05 panorama.jpg"),
            paintScene(2400, 800, QColor(20, 150, 200), QColor(200, 170, 90), QStringLiteral("Panorama")));
    slides.back().record = slideRecord("iettBarsInFromLeft", 2);
    picture(QStringLiteral("06 small.png"),
            paintScene(480, 360, QColor(120, 60, 150), QColor(60, 110, 60), QStringLiteral("Small")));
    slides.back().record = slideRecord("iettExpandingCircles", 2);

    music = folder + QStringLiteral("music.mp3");
    if (!makeMedia(host, folder, QStringLiteral("music.mp3"),
                   QStringLiteral("-y -f lavfi -i \"aevalsrc=0.25*sin(2*PI*t*(220+55*mod(floor(t*2)"
                                  "\\,5)))*min(1\\,mod(t\\,0.5)*8):s=44100:d=12\" -c:a libmp3lame")))
        error = QStringLiteral("cannot make the demo music");
    return slides;
}

} // namespace

int runDemo(CliContext& context)
{
    QStringList args = context.args;
    bool missingValue = false;
    const QString output = QFileInfo(takeOption(args, QStringLiteral("--output"), missingValue)
                                         .value_or(kDefaultOutput))
                               .absoluteFilePath();
    if (missingValue || !args.isEmpty()) {
        context.err << kUsage;
        return kExitUsage;
    }
    const QFileInfo outputInfo(output);
    const QString media = outputInfo.absolutePath() + QStringLiteral("/demo media/");
    if (!QDir().mkpath(media)) {
        context.err << "error: cannot create " << media << Qt::endl;
        return kExitFailure;
    }

    render::ConsoleHost toolHost(project::AppDataDir(), context.messages);
    QString music;
    QString error;
    std::vector<DemoSlide> made = makeDemoMedia(toolHost, media, music, error);
    if (!error.isEmpty()) {
        context.err << "error: " << error << Qt::endl;
        return kExitFailure;
    }
    project::SlideList slides;
    for (DemoSlide& slide : made)
        slides.setSettings(slides.appendFile(slide.file), std::move(slide.record));

    project::OutputSettings settings;
    settings.ResolutionIndex = 2; // HD
    settings.ResolutionX = QStringLiteral("1280");
    settings.ResolutionY = QStringLiteral("720");
    settings.MusicIndex = 0;
    settings.MusicRepeat = 0;
    settings.MusicFiles = {music};
    settings.OutputFile = output;
    const QString projectFile =
        outputInfo.absolutePath() + u'/' + outputInfo.completeBaseName() + QStringLiteral(".vrj");
    const auto saved = project::saveProjectFile(projectFile, project::buildProjectFile(slides, settings));
    if (!saved.ok) {
        context.err << "error: cannot save " << projectFile << ": " << saved.error << Qt::endl;
        return kExitFailure;
    }
    context.out << "project: " << projectFile << Qt::endl;

    render::RenderJobSettings job;
    job.outputFile = output;
    job.withMusic = true;
    job.musicFiles = settings.MusicFiles;
    job.repeatMusic = true;
    job.widthText = settings.ResolutionX;
    job.heightText = settings.ResolutionY;
    return renderOnConsole(context, slides, job, {});
}

} // namespace vistarel::cli
