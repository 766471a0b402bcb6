#include "app/crashhandler.h"
#include "app/formmain.h"
#include "app/languagecontroller.h"
#include "app/reviewscenes.h"
#include "app/startpanel.h"
#include "app/style.h"
#include "project/appdata.h"
#include "project/version.h"
#include "subtitle/subtitlefonts.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QScreen>
#include <QTimer>

namespace {

// Options for reviewing the window's look (screenshots of a scene), not for users.
struct ReviewOptions
{
    QString screenshot;
    QString scene;
    QString project;     // opened before a step-2 scene
    QString subtitleRtf; // the step-2 subtitle scene writes the typed subtitle's RTF here
    int delayMs = 1500;
};

ReviewOptions parseReviewOptions(const QApplication& app)
{
    QCommandLineParser parser;
    QCommandLineOption screenshot(QStringLiteral("screenshot"), QString(), QStringLiteral("file"));
    QCommandLineOption scene(QStringLiteral("scene"), QString(), QStringLiteral("name"));
    QCommandLineOption delay(QStringLiteral("screenshot-delay"), QString(), QStringLiteral("ms"));
    QCommandLineOption project(QStringLiteral("project"), QString(), QStringLiteral("file"));
    QCommandLineOption rtf(QStringLiteral("subtitle-rtf"), QString(), QStringLiteral("file"));
    for (QCommandLineOption* option : {&screenshot, &scene, &delay, &project, &rtf}) {
        option->setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(*option);
    }
    parser.process(app);
    ReviewOptions o{parser.value(screenshot), parser.value(scene), parser.value(project),
                    parser.value(rtf), 1500};
    if (parser.isSet(delay))
        o.delayMs = parser.value(delay).toInt();
    return o;
}

void runReview(vistarel::app::TFormMain& window, const ReviewOptions& options)
{
    using vistarel::app::TProjectAction;
    if (options.scene == u"confirm") {
        window.startPanel()->hide();
        window.markProjectChanged();
        window.requestAction(TProjectAction::paQuit);
    }
    if (options.scene.startsWith(u"step2"))
        vistarel::app::showStep2Scene(window, options.scene, options.project, options.subtitleRtf);
    if (options.scene == u"languages") {
        QTimer::singleShot(300, &window, [&window] {
            QWidget* tile = window.findChild<QWidget*>(QStringLiteral("AdvMetroTileLanguage"));
            window.language().popUpMenu(tile->mapToGlobal(QPoint(0, tile->height())));
        });
    }
    if (options.screenshot.isEmpty())
        return;
    QTimer::singleShot(options.delayMs, &window, [options] {
        // The whole screen, so pop-ups that are windows of their own are in the picture.
        QGuiApplication::primaryScreen()->grabWindow(0).save(options.screenshot);
        QCoreApplication::exit(0);
    });
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Tarvik"));
    QApplication::setApplicationName(QStringLiteral("Vistarel"));
    QApplication::setApplicationDisplayName(QStringLiteral("Vistarel"));
    vistarel::app::applyDarkStyle(app);
    // The subtitle editor and the burnt-in subtitles both default to Tahoma.
    vistarel::subtitle::ensureSubtitleFonts();
    const ReviewOptions review = parseReviewOptions(app);
    vistarel::app::installCrashHandler(
        vistarel::project::AppDataDir(),
        vistarel::project::versionText(vistarel::project::programVersion()));

    vistarel::app::TFormMain window(vistarel::app::FormMainServices::forProgram());
    window.show();
    runReview(window, review);
    return app.exec();
}
