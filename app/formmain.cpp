#include "app/formmain.h"

#include "app/crashhandler.h"
#include "app/languagecontroller.h"
#include "app/navigator.h"
#include "app/progresspage.h"
#include "app/rendercontrol.h"
#include "app/resizeframe.h"
#include "app/startpanel.h"
#include "app/step1page.h"
#include "app/step2page.h"
#include "app/step3page.h"
#include "app/stepcontrol.h"
#include "app/style.h"
#include "app/titlebar.h"
#include "app/updateassistant.h"
#include "app/widgets.h"
#include "app/windowgeometry.h"
#include "app/windowhost.h"
#include "project/appdata.h"
#include "project/recentprojects.h"
#include "project/version.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QWindow>

#ifndef VISTAREL_UPDATE_URL
#define VISTAREL_UPDATE_URL ""
#endif

namespace vistarel::app {

namespace {
constexpr int kMoveResizeSettleMs = 250;
} // namespace

FormMainServices FormMainServices::forProgram()
{
    FormMainServices s;
    s.programDir = project::executableDir();
    s.appDataDir = project::AppDataDir();
    s.desktop = std::make_shared<WidgetDesktop>();
    QString url = s.settings.updateUrl();
    if (url.isEmpty())
        url = QStringLiteral(VISTAREL_UPDATE_URL);
    s.updateUrl = QUrl(url);
    s.endApplication = [] {
        QMetaObject::invokeMethod(QCoreApplication::instance(), &QCoreApplication::quit,
                                  Qt::QueuedConnection);
    };
    return s;
}

TFormMain::TFormMain(FormMainServices services, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint)
    , m_services(std::move(services))
    , m_designMinimum(kDesignWidth, kDesignHeight)
{
    setObjectName(QStringLiteral("FormMain"));
    setWindowTitle(QStringLiteral("Vistarel"));
    buildWindow();
    connectParts();
    FormCreate();
}

TFormMain::~TFormMain()
{
    storeSettings();
    // Hidden here, while the slide list still exists: QWidget's destructor would hide
    // the window later, and the focus leaving the subtitle editor then commits into a
    // window whose members are gone.
    hide();
    m_slides.clear();
}

void TFormMain::buildWindow()
{
    setMinimumSize(m_designMinimum);
    resize(m_designMinimum);
    m_language = new LanguageController(this, m_services.programDir, m_services.settings,
                                        *m_services.desktop, m_services.endApplication);
    m_host = std::make_unique<WindowHost>(*this, m_services.appDataDir, m_language->messages());
    m_titleBar = new TitleBar(this);
    m_stepControl = new StepControl(this);
    m_step1 = new Step1Page(*this);
    m_step2 = new Step2Page(*this);
    m_step3 = new Step3Page(*this);
    m_progress = new ProgressPage(*this);
    m_navigator = new Navigator(*this);
    m_navigator->showPage(WizardPage::Step1);
    m_render = new RenderControl(*this);
    m_openDialog = new FileDialogTexts(QStringLiteral("OpenDialogTask"),
                                       QStringLiteral("Projekt laden"),
                                       QStringLiteral("Vistarel-Projekte|*.vrj"), this);
    m_saveDialog = new FileDialogTexts(QStringLiteral("SaveDialogTask"),
                                       QStringLiteral("Projekt speichern"),
                                       QStringLiteral("Vistarel-Projekte|*.vrj"), this);
    m_taskDialogButtons = new TaskDialogButtons(this);
    m_startPanel = new StartPanel(m_services.settings, this);
    m_confirmPanel = new ConfirmPanel(this);
    m_update = new UpdateAssistant(*this);
    m_frame = new ResizeFrame(this);
    m_moveResizeEnd.setSingleShot(true);
    m_moveResizeEnd.setInterval(kMoveResizeSettleMs);
}

void TFormMain::connectParts()
{
    connect(m_titleBar, &TitleBar::moveRequested, this, &TFormMain::startMove);
    connect(m_titleBar, &TitleBar::saveClicked, this, [this] { saveWithDialog(); });
    connect(m_titleBar, &TitleBar::minimizeClicked, this, &TFormMain::RzBmpButtonMinimizeClick);
    connect(m_titleBar, &TitleBar::maximizeClicked, this, &TFormMain::RzBmpButtonMaximizeClick);
    connect(m_titleBar, &TitleBar::closeClicked, this, &TFormMain::RzBmpButtonCloseClick);
    connect(m_titleBar, &TitleBar::languageClicked, this, [this] {
        const QWidget* tile = m_titleBar->languageTile();
        m_language->popUpMenu(tile->mapToGlobal(QPoint(0, tile->height())));
    });
    connect(m_frame, &ResizeFrame::resizeRequested, this, &TFormMain::startResize);
    connect(m_language, &LanguageController::aboutToApply, this,
            &TFormMain::languageAboutToChange);
    connect(m_language, &LanguageController::applied, this, &TFormMain::languageApplied);
    connect(m_language, &LanguageController::languageChosen, this, &TFormMain::applyLanguage);
    connect(m_startPanel, &StartPanel::openRequested, this, [this] {
        if (openWithDialog())
            m_startPanel->hide();
    });
    connect(m_startPanel, &StartPanel::recentRequested, this, &TFormMain::openRecentProject);
    connect(m_confirmPanel, &ConfirmPanel::answered, this, &TFormMain::answerConfirmation);
    connect(&m_moveResizeEnd, &QTimer::timeout, this, [this] {
        m_step2->refreshPreview();
        emit moveResizeFinished();
    });
}

// The start sequence: settings in their order, the language, the default output and
// the update check.
void TFormMain::FormCreate()
{
    const project::Settings& s = m_services.settings;
    m_step1->restoreStartSettings(s);
    placeFromSettings();
    m_step2->restoreStartSettings(s);
    applyLanguage(project::startLanguage(s));
    SlideshowOutput = project::defaultOutputPath(s, str(67));
    project::OutputSettings output = m_step3->outputSettings();
    output.OutputFile = SlideshowOutput;
    m_step3->setOutputSettings(output);
    m_update->start(m_services.updateUrl);
}

double TFormMain::devicePixelRatio() const
{
    const QScreen* s = screen();
    return s ? s->devicePixelRatio() : 1.0;
}

QRect TFormMain::workArea() const
{
    const QScreen* s = QGuiApplication::screenAt(geometry().center());
    if (!s)
        s = screen();
    return s ? s->availableGeometry() : QRect(QPoint(), size());
}

// Position and size from the settings. Sizes are stored in device pixels at SavedPPI
// and scaled once by the ratio of the densities; positions are Qt's screen coordinates.
void TFormMain::placeFromSettings()
{
    const double ratio = devicePixelRatio();
    const project::StartGeometry g =
        project::startGeometry(m_services.settings, pixelsPerInch(ratio));
    QRect r(QPoint(), size());
    if (g.width)
        r.setWidth(std::max(toLogicalPixels(*g.width, ratio), m_designMinimum.width()));
    if (g.height)
        r.setHeight(std::max(toLogicalPixels(*g.height, ratio), m_designMinimum.height()));
    if (g.position)
        r.moveTopLeft(*g.position);
    else if (const QScreen* s = screen())
        r.moveCenter(s->availableGeometry().center());
    setGeometry(r);
    if (g.maximized) {
        const QRect area = workArea();
        setMinimumSize(m_designMinimum.boundedTo(area.size()));
        setGeometry(area);
    }
    setOwnMaximized(g.maximized);
}

void TFormMain::storeSettings()
{
    project::Settings& s = m_services.settings;
    namespace name = project::settingname;
    if (const QString folder = m_step1->currentFolder(); !folder.isEmpty())
        s.setText(name::LastFolder, folder);
    s.setText(name::LastOutput, m_step3->outputFile());
    const double ratio = devicePixelRatio();
    s.setInteger(name::SavedPPI, pixelsPerInch(ratio));
    const QRect r = geometry();
    s.setInteger(name::WindowLeft, r.left());
    s.setInteger(name::WindowTop, r.top());
    s.setInteger(name::WindowWidth, toDevicePixels(r.width(), ratio));
    s.setInteger(name::WindowHeight, toDevicePixels(r.height(), ratio));
}

void TFormMain::FormShow()
{
    // A window whose monitor has gone comes back onto the nearest one.
    if (!IsMaximized)
        setGeometry(moveIntoArea(geometry(), workArea()));
    FProjectDirty = false;
    m_startPanel->showAtStart();
    QTimer::singleShot(0, this, &TFormMain::showPendingCrashReport);
}

void TFormMain::showPendingCrashReport()
{
    const QString report = takePendingCrashReport(m_services.appDataDir);
    if (report.isEmpty())
        return;
    const QString path = QDir::toNativeSeparators(report);
    const QString text = str(2) + QStringLiteral("\n\n") + str(8) + u' ' + crashCauseOf(report) +
                         QStringLiteral("\n\n") + str(3) + u'\n' + path + QStringLiteral("\n\n") +
                         str(4) + QStringLiteral("\n\n") + str(9);
    m_services.desktop->crashNotice(this, {str(1), text, report, str(5), str(6), str(7)});
}

void TFormMain::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!m_shownOnce) {
        m_shownOnce = true;
        FormShow();
    }
}

// FormCloseQuery: unsaved changes first go to the confirmation panel.
void TFormMain::closeEvent(QCloseEvent* event)
{
    if (m_render->ActionExecuting()) {
        event->ignore();
        m_render->closeRequestedDuringRender();
        return;
    }
    if (FProjectDirty && !FDiscardConfirmed) {
        event->ignore();
        requestAction(TProjectAction::paQuit);
        return;
    }
    event->accept();
}

void TFormMain::RzBmpButtonCloseClick()
{
    if (m_render->ActionExecuting()) {
        m_render->closeRequestedDuringRender();
        return;
    }
    if (FProjectDirty && !FDiscardConfirmed) {
        requestAction(TProjectAction::paQuit);
        return;
    }
    hide();
    m_services.endApplication();
}

void TFormMain::RzBmpButtonMinimizeClick()
{
    showMinimized();
}

void TFormMain::RzBmpButtonMaximizeClick()
{
    const MaximizeStep step = toggleOwnMaximized(geometry(), workArea(), m_lastWindow,
                                                 m_designMinimum);
    m_lastWindow = step.remembered;
    namespace name = project::settingname;
    project::Settings& s = m_services.settings;
    if (step.maximized) {
        // A work area smaller than the design minimum must still be filled.
        setMinimumSize(m_designMinimum.boundedTo(step.bounds.size()));
    } else {
        setMinimumSize(m_designMinimum);
    }
    setOwnMaximized(step.maximized);
    setGeometry(step.bounds);
    s.setInteger(name::WindowMaximized, step.maximized ? 1 : 0);
    if (!step.maximized) {
        const double ratio = devicePixelRatio();
        s.setInteger(name::WindowLeft, step.bounds.left());
        s.setInteger(name::WindowTop, step.bounds.top());
        s.setInteger(name::WindowWidth, toDevicePixels(step.bounds.width(), ratio));
        s.setInteger(name::WindowHeight, toDevicePixels(step.bounds.height(), ratio));
    }
    m_step2->refreshPreview();
    m_step2->applyWindowHeight(height());
}

void TFormMain::setOwnMaximized(bool maximized)
{
    IsMaximized = maximized;
    m_frame->setSizingCursors(!maximized);
    m_titleBar->setMaximizedGlyph(maximized);
}

void TFormMain::startMove()
{
    if (IsMaximized || !windowHandle())
        return;
    windowHandle()->startSystemMove();
}

void TFormMain::startResize(Qt::Edges edges)
{
    if (IsMaximized || !windowHandle())
        return;
    windowHandle()->startSystemResize(edges);
}

void TFormMain::layoutParts()
{
    const int w = width();
    const int h = height();
    const int inset = kFrameThickness;
    m_titleBar->setGeometry(0, 0, w, kTitleBarHeight);
    m_stepControl->setGeometry(inset, kTitleBarHeight, w - 2 * inset, kStepControlHeight);
    const QRect pages(inset, kTitleBarHeight + kStepControlHeight, w - 2 * inset,
                      h - kTitleBarHeight - kStepControlHeight - inset);
    for (QWidget* page : {static_cast<QWidget*>(m_step1), static_cast<QWidget*>(m_step2),
                          static_cast<QWidget*>(m_step3), static_cast<QWidget*>(m_progress)})
        page->setGeometry(pages);
    m_frame->layout();
}

void TFormMain::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    layoutParts();
    m_step2->applyWindowHeight(height());
    m_moveResizeEnd.start();
}

void TFormMain::moveEvent(QMoveEvent* event)
{
    QWidget::moveEvent(event);
    m_moveResizeEnd.start();
}

void TFormMain::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), colour::kPage);
    p.setPen(colour::kRowLine);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

QLabel* TFormMain::versionLabel() const
{
    return m_titleBar->versionLabel();
}

const lang::MessageList& TFormMain::messages() const
{
    return m_language->messages();
}

QString TFormMain::str(int id) const
{
    return m_language->messages().str(id);
}

render::DialogResult TFormMain::taskDialog(const lang::TaskDialogText& text, TaskDialogKind kind)
{
    return m_services.desktop->taskDialog(this, text, kind, m_taskDialogButtons->customButtons());
}

void TFormMain::messageBox(const QString& text, MessageKind kind)
{
    m_services.desktop->messageBox(this, text, kind);
}

QString TFormMain::currentLanguage() const
{
    return m_language->currentCode();
}

// Changing the language never marks the project as changed.
void TFormMain::applyLanguage(const QString& code)
{
    // A subtitle edit not yet committed is the user's change, not the language's.
    m_step2->commitSubtitleEdit();
    const bool dirty = FProjectDirty;
    m_language->apply(code);
    FProjectDirty = dirty;
}

// The texts the program composes, after the language file has been applied.
void TFormMain::languageApplied()
{
    m_titleBar->languageTile()->setText(m_language->currentCode().toUpper());
    m_update->setHeader(str(39));
    for (int step = 0; step < StepControl::kStepCount; ++step)
        m_stepControl->setStepTexts(step, str(61 + step), str(64 + step));
    emit languageChanged();
    versionLabel()->setText(str(14) + u' ' + project::versionText(project::programVersion()));
    QStringList crashTexts;
    for (int id = 1; id <= 10; ++id)
        crashTexts << str(id);
    setCrashTexts(crashTexts);
}

} // namespace vistarel::app
