#include "app/crashhandler.h"
#include "app/formmain.h"
#include "app/foldermodel.h"
#include "app/folderview.h"
#include "app/languagecontroller.h"
#include "app/mediadrag.h"
#include "app/slidestrip.h"
#include "app/rendercontrol.h"
#include "app/reviewscenes.h"
#include "app/windowhost.h"
#include "app/startpanel.h"
#include "app/step1page.h"
#include "app/style.h"
#include "project/appdata.h"
#include "project/version.h"
#include "subtitle/subtitlefonts.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDragMoveEvent>
#include <QMimeData>
#include <QScreen>
#include <QTimer>

namespace {

// Options for reviewing the window's look (screenshots of a scene), not for users.
struct ReviewOptions
{
    QString screenshot;
    QString scene;
    QString project;     // a step-2 scene: project file to open, or folder of media
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

// Scenes "strip" and "drag": 30 slides from the folder shown in step 1; "drag" also
// holds slides 4 and 5 over the second cell, as in the middle of reordering them.
void fillStripForReview(vistarel::app::TFormMain& window, bool dragging)
{
    using namespace vistarel::app;
    Step1Page* page = window.step1();
    FolderModel* model = page->folderView()->folderModel();
    QStringList media;
    for (int row = 0; row < model->rowCount(); ++row) {
        if (!model->entry(row).isFolder)
            media << model->entry(row).path;
    }
    if (media.isEmpty())
        return;
    QStringList slides;
    while (slides.size() < 30)
        slides << media[slides.size() % media.size()];
    window.slides().insertFiles(slides, 0);
    SlideStrip* strip = page->slideStrip();
    if (!dragging)
        return;
    strip->selectionModel()->clear();
    for (int row : {3, 4})
        strip->selectionModel()->select(strip->model()->index(row, 0), QItemSelectionModel::Select);
    strip->scrollTo(strip->model()->index(0, 0));
    // The drag stays over the strip until the screenshot: the window keeps its content.
    QMimeData* mime = strip->mimeForSelection();
    mime->setParent(&window);
    const QPoint at = strip->visualRect(strip->model()->index(1, 0)).center();
    QDragEnterEvent enter(at, Qt::MoveAction, mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(strip->viewport(), &enter);
    QDragMoveEvent move(at, Qt::MoveAction, mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(strip->viewport(), &move);
}

// The whole screen, so pop-ups that are windows of their own are in the picture. A
// render still running is cancelled: the review ends without a finished video.
void takeScreenshot(vistarel::app::TFormMain& window, const QString& file)
{
    QGuiApplication::primaryScreen()->grabWindow(0).save(file);
    if (window.renderControl()->ActionExecuting())
        window.host().ActionCanceled = true;
    QCoreApplication::exit(0);
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
    if (options.scene == u"strip" || options.scene == u"drag") {
        const bool dragging = options.scene == u"drag";
        QTimer::singleShot(600, &window, [&window, dragging] { fillStripForReview(window, dragging); });
    }
    if (options.scene == u"rendered") {
        vistarel::app::showStep3Scene(window, options.scene, options.project, [&window, options] {
            takeScreenshot(window, options.screenshot);
        });
        return;
    }
    if (options.scene == u"step3" || options.scene == u"render")
        vistarel::app::showStep3Scene(window, options.scene, options.project, {});
    if (options.screenshot.isEmpty())
        return;
    QTimer::singleShot(options.delayMs, &window,
                       [&window, options] { takeScreenshot(window, options.screenshot); });
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
