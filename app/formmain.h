#pragma once

#include "app/confirmpanel.h"
#include "app/desktop.h"
#include "project/settings.h"
#include "project/slidelist.h"

#include <QRect>
#include <QTimer>
#include <QUrl>
#include <QWidget>

#include <functional>
#include <memory>

class QLabel;

namespace vistarel::lang {
class MessageList;
}

namespace vistarel::app {

class LanguageController;
class Navigator;
class RenderControl;
class ProgressPage;
class ResizeFrame;
class StartPanel;
class Step1Page;
class Step2Page;
class Step3Page;
class StepControl;
class TitleBar;
class UpdateAssistant;
class WindowHost;

// What a project action waits for on the confirmation panel.
enum class TProjectAction { paNone, paNew, paLoad, paQuit };

// What the window needs from its surroundings; the program and the tests fill it
// differently.
struct FormMainServices
{
    project::Settings settings;
    QString programDir;                   // holds the language files "<code>.ini"
    QString appDataDir;                   // AppDataDir, with trailing '/'
    std::shared_ptr<Desktop> desktop;     // dialogs and opening files
    QUrl updateUrl;                       // the update information; empty: no check
    std::function<void()> endApplication; // asks the application to end

    // The running program's services: the user's settings, the executable's folder,
    // Qt's dialogs, the update address of the settings value UpdateUrl or else of the
    // build, and QCoreApplication::quit.
    static FormMainServices forProgram();
};

// The main window: borderless, with its own title bar and resize frame, the step
// control, the four pages and the overlay panels. It owns the project (slide list,
// step-3 settings, changed flag), the messages of the current language and the render
// host, and gives the pages a small API for them. Pages and panels live in their own
// classes; see app/README.md for how they plug in.
class TFormMain : public QWidget
{
    Q_OBJECT

public:
    explicit TFormMain(FormMainServices services, QWidget* parent = nullptr);
    // FormDestroy: stores the window's settings.
    ~TFormMain() override;

    // ---- shared parts for the pages --------------------------------------------------
    project::SlideList& slides() { return m_slides; }
    project::Settings& settings() { return m_services.settings; }
    Desktop& desktop() { return *m_services.desktop; }
    WindowHost& host() { return *m_host; }
    const QString& appDataDir() const { return m_services.appDataDir; }
    const lang::MessageList& messages() const;
    // LangStrings: message "Str<id>" of the current language.
    QString str(int id) const;
    StepControl* stepControl() const { return m_stepControl; }
    // The wizard's moves: the one place that shows and hides the pages.
    Navigator* navigator() const { return m_navigator; }
    // Step 3's render button and the progress page's button.
    RenderControl* renderControl() const { return m_render; }
    Step1Page* step1() const { return m_step1; }
    Step2Page* step2() const { return m_step2; }
    Step3Page* step3() const { return m_step3; }
    ProgressPage* progressPage() const { return m_progress; }
    QLabel* versionLabel() const;
    StartPanel* startPanel() const { return m_startPanel; }
    ConfirmPanel* confirmPanel() const { return m_confirmPanel; }
    UpdateAssistant* updateAssistant() const { return m_update; }
    // The message dialog (custom buttons "OK" and "Abbrechen" of the language).
    render::DialogResult taskDialog(const lang::TaskDialogText& text, TaskDialogKind kind);
    void messageBox(const QString& text, MessageKind kind);

    // ---- project -------------------------------------------------------------------
    bool projectDirty() const { return FProjectDirty; }
    // Every user edit of the slides, a slide's settings or a stored step-3 setting.
    void markProjectChanged() { FProjectDirty = true; }
    TProjectAction pendingAction() const { return FPendingAction; }
    bool discardConfirmed() const { return FDiscardConfirmed; }
    // The default output path of the last new project.
    const QString& slideshowOutput() const { return SlideshowOutput; }
    // The file name the project's save dialog remembers (".vrj" after a new project,
    // empty after a load).
    const QString& saveDialogFileName() const { return m_saveDialogFileName; }

    // Runs the action at once when nothing is unsaved, otherwise asks first on the
    // confirmation panel.
    void requestAction(TProjectAction action);
    void performAction(TProjectAction action);
    void answerConfirmation(ConfirmAnswer answer);
    // The save dialog; true when the project was written.
    bool saveWithDialog();
    // The open dialog; true when a file was chosen (and read).
    bool openWithDialog();
    void startNewProject();
    // Reads a project into the (new, empty) project; reports problems to the user.
    bool readProject(const QString& path);
    // Writes the project; true on success (the project is then unchanged).
    bool writeProject(const QString& path);
    void openRecentProject(const QString& path);

    // ---- language ------------------------------------------------------------------
    void applyLanguage(const QString& code);
    QString currentLanguage() const;
    LanguageController& language() { return *m_language; }

    // ---- window --------------------------------------------------------------------
    bool isOwnMaximized() const { return IsMaximized; }
    void RzBmpButtonMinimizeClick();
    void RzBmpButtonMaximizeClick();
    void RzBmpButtonCloseClick();

signals:
    void projectStarted();        // a new project was started
    void projectLoaded();         // a project file was read
    void languageAboutToChange(); // pages remember their list positions
    void languageChanged();       // texts and messages are in; pages restore positions
    void moveResizeFinished();    // an interactive move or resize has ended

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void buildWindow();
    void connectParts();
    void FormCreate();
    void FormShow();
    void placeFromSettings();
    void storeSettings();
    void layoutParts();
    void languageApplied();
    void startMove();
    void startResize(Qt::Edges edges);
    void setOwnMaximized(bool maximized);
    void showPendingCrashReport();
    double devicePixelRatio() const;
    QRect workArea() const;

    FormMainServices m_services;
    project::SlideList m_slides;
    LanguageController* m_language = nullptr;
    std::unique_ptr<WindowHost> m_host;

    TitleBar* m_titleBar = nullptr;
    StepControl* m_stepControl = nullptr;
    Navigator* m_navigator = nullptr;
    RenderControl* m_render = nullptr;
    Step1Page* m_step1 = nullptr;
    Step2Page* m_step2 = nullptr;
    Step3Page* m_step3 = nullptr;
    ProgressPage* m_progress = nullptr;
    StartPanel* m_startPanel = nullptr;
    ConfirmPanel* m_confirmPanel = nullptr;
    ResizeFrame* m_frame = nullptr;
    UpdateAssistant* m_update = nullptr;
    FileDialogTexts* m_openDialog = nullptr;
    FileDialogTexts* m_saveDialog = nullptr;
    TaskDialogButtons* m_taskDialogButtons = nullptr;
    QTimer m_moveResizeEnd;

    bool FProjectDirty = false;
    TProjectAction FPendingAction = TProjectAction::paNone;
    bool FDiscardConfirmed = false;
    QString SlideshowOutput;
    QString m_saveDialogFileName; // the save dialog's remembered file name
    QString m_lastOpenFolder;

    bool IsMaximized = false;
    QRect m_lastWindow; // LastWindowLeft, LastWindowTop, LastWindowWidth, LastWindowHeight
    QSize m_designMinimum;
    bool m_shownOnce = false;
};

} // namespace vistarel::app
