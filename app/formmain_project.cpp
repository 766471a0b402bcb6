// The project actions of the main window: new, open, save, the recent list and the
// confirmation panel in front of actions that would drop unsaved changes.
#include "app/formmain.h"

#include "app/startpanel.h"
#include "app/step3page.h"
#include "app/windowhost.h"
#include "project/projectfile.h"
#include "project/recentprojects.h"

#include <QFileInfo>

namespace vistarel::app {

namespace {
// A remembered save name this short ("" or ".vrj") counts as no name.
constexpr qsizetype kShortestSaveName = 5;
} // namespace

void TFormMain::requestAction(TProjectAction action)
{
    if (!FProjectDirty) {
        performAction(action);
        return;
    }
    FPendingAction = action;
    switch (action) {
    case TProjectAction::paNew:
        m_confirmPanel->setTitle(str(71));
        break;
    case TProjectAction::paLoad:
        m_confirmPanel->setTitle(str(72));
        break;
    case TProjectAction::paQuit:
        m_confirmPanel->setTitle(str(73));
        break;
    case TProjectAction::paNone:
        break;
    }
    m_confirmPanel->showInFront();
}

void TFormMain::performAction(TProjectAction action)
{
    switch (action) {
    case TProjectAction::paNew:
        startNewProject();
        break;
    case TProjectAction::paLoad:
        openWithDialog();
        break;
    case TProjectAction::paQuit:
        FDiscardConfirmed = true;
        RzBmpButtonCloseClick();
        break;
    case TProjectAction::paNone:
        break;
    }
}

void TFormMain::answerConfirmation(ConfirmAnswer answer)
{
    if (answer == ConfirmAnswer::Cancel) {
        FPendingAction = TProjectAction::paNone;
        m_confirmPanel->hide();
        return;
    }
    // "Speichern" goes on only when the project was written; otherwise the panel stays.
    if (answer == ConfirmAnswer::Save && !saveWithDialog())
        return;
    const TProjectAction action = std::exchange(FPendingAction, TProjectAction::paNone);
    m_confirmPanel->hide();
    performAction(action);
}

bool TFormMain::saveWithDialog()
{
    QString name = m_saveDialogFileName;
    if (name.size() <= kShortestSaveName && !m_step3->jobFile().isEmpty())
        name = m_step3->jobFile();
    if (name.size() <= kShortestSaveName)
        name.clear();
    const QStringList chosen = m_services.desktop->chooseFiles(
        this, {FileDialogMode::Save, m_saveDialog->title(), m_saveDialog->filter(),
               QStringLiteral("vrj"), name});
    if (chosen.isEmpty())
        return false;
    m_saveDialogFileName = chosen.first();
    return writeProject(chosen.first());
}

bool TFormMain::openWithDialog()
{
    const QStringList chosen = m_services.desktop->chooseFiles(
        this, {FileDialogMode::Open, m_openDialog->title(), m_openDialog->filter(),
               QStringLiteral("vrj"), m_lastOpenFolder});
    if (chosen.isEmpty())
        return false;
    m_lastOpenFolder = QFileInfo(chosen.first()).absolutePath();
    startNewProject();
    readProject(chosen.first());
    return true;
}

void TFormMain::startNewProject()
{
    m_slides.clear();
    SlideshowOutput = project::defaultOutputPath(m_services.settings, str(67));
    m_step3->resetForNewProject(SlideshowOutput);
    m_saveDialogFileName = QStringLiteral(".vrj");
    FProjectDirty = false;
    emit projectStarted();
}

bool TFormMain::readProject(const QString& path)
{
    if (!QFileInfo(path).isFile()) {
        messageBox(str(22) + path, MessageKind::Warning);
        return false;
    }
    m_saveDialogFileName.clear();
    project::OutputSettings output = m_step3->outputSettings();
    project::LoadCallbacks callbacks;
    callbacks.onMissingMedia = [this](const QString& file) {
        const QString content = str(24) + QStringLiteral("\n\n") + file + QStringLiteral("\n\n") + str(25);
        return taskDialog({str(23), content, str(26)}, TaskDialogKind::Error) == render::DialogResult::Ok
                   ? project::MissingMediaAnswer::Skip
                   : project::MissingMediaAnswer::Abort;
    };
    callbacks.keepAlive = [this] { m_host->pumpIfDue(); };
    const project::LoadResult result = project::readProjectFile(path, m_slides, output, callbacks);
    switch (result.status) {
    case project::LoadResult::Status::Loaded:
        m_step3->setOutputSettings(output);
        m_step3->setJobFile(QFileInfo(path).absoluteFilePath(), true);
        FProjectDirty = false;
        project::putProjectOnTop(m_services.settings, path);
        emit projectLoaded();
        return true;
    case project::LoadResult::Status::FileNotFound:
        messageBox(str(22) + path, MessageKind::Warning);
        return false;
    case project::LoadResult::Status::Unreadable:
        messageBox(str(30) + path + QStringLiteral("\n\n") + result.error, MessageKind::Warning);
        return false;
    case project::LoadResult::Status::Aborted:
        // The reader emptied the list: what remains is the new, unchanged project.
        return false;
    }
    return false;
}

bool TFormMain::writeProject(const QString& path)
{
    const QByteArray bytes = project::buildProjectFile(m_slides, m_step3->outputSettings());
    const project::SaveResult result = project::saveProjectFile(path, bytes);
    if (!result.ok) {
        taskDialog({str(27), str(28) + QStringLiteral("\n\n") + result.error, str(29)},
                   TaskDialogKind::Error);
        return false;
    }
    FProjectDirty = false;
    project::putProjectOnTop(m_services.settings, path);
    return true;
}

void TFormMain::openRecentProject(const QString& path)
{
    m_startPanel->hide();
    repaint();
    startNewProject();
    readProject(path);
}

} // namespace vistarel::app
