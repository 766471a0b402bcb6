#pragma once

#include "project/outputsettings.h"

#include <QWidget>

class QAbstractButton;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;

namespace vistarel::app {

class FileDialogTexts;
class FileNameEdit;
class MusicIcon;
class TFormMain;

// Step 3, RzPanelStep3: the settings of the whole video (resolution, background music,
// output file), whether the project is saved as a job file first, and the render button.
// The controls hold the project's step-3 settings. User edits of stored settings mark
// the project as changed; the functions that fill the page from data (a loaded or new
// project) never do, and apply the same enabling and visibility rules.
class Step3Page : public QWidget
{
    Q_OBJECT

public:
    explicit Step3Page(TFormMain& form);

    project::OutputSettings outputSettings() const;
    void setOutputSettings(const project::OutputSettings& settings);
    // The text of the output field (ElFileNameEditStep3Output).
    QString outputFile() const;

    // The job-file field (ElFileNameEditStep3Task) and the switch "Einstellungen
    // speichern:" (ElComboBoxStep3Task, "ja" = save). The field is visible exactly while
    // the switch says "ja".
    QString jobFile() const;
    bool saveJob() const;
    void setJobFile(const QString& path, bool save);

    // A new project: the output field gets defaultOutput, the job field is emptied and
    // hidden with the switch at "nein", the music list is emptied with music and repeat
    // at "nein". The resolution stays as it is.
    void resetForNewProject(const QString& defaultOutput);

    // While a render runs (also while a cancelled one winds down) the page's buttons
    // "Zurück" and "Slideshow erstellen" are disabled.
    void setRenderRunning(bool running);

    // The user's actions (public so the window and the tests run them as a click does).
    void ElComboBoxStep3ResolutionChange();
    void ElComboBoxStep3MusicChange();
    void ElComboBoxStep3TaskChange();
    void ImageStep3MusicAddClick();
    void ImageStep3MusicRemoveClick();
    void ElFileNameEditStep3OutputBrowse();
    void ElFileNameEditStep3TaskBrowse();

signals:
    void renderClicked(); // RzBmpButtonStep3Render
    void backClicked();   // RzBmpButtonStep3Back

private:
    QWidget* buildResolution();
    QWidget* buildMusic();
    QWidget* buildOutput();
    QWidget* buildTask();
    QLayout* buildBottom();
    void connectControls();
    void applyResolutionRule();
    void applyMusicVisibility();
    void applyTaskVisibility();

    TFormMain& m_form;
    QComboBox* m_resolution = nullptr;
    QLineEdit* m_width = nullptr;
    QLineEdit* m_height = nullptr;
    QComboBox* m_music = nullptr;
    QListWidget* m_musicList = nullptr;
    QLabel* m_musicAddLabel = nullptr;
    MusicIcon* m_musicAdd = nullptr;
    MusicIcon* m_musicRemove = nullptr;
    QComboBox* m_repeat = nullptr;
    FileNameEdit* m_output = nullptr;
    QComboBox* m_task = nullptr;
    FileNameEdit* m_job = nullptr;
    FileDialogTexts* m_musicDialog = nullptr;
    QAbstractButton* m_back = nullptr;
    QAbstractButton* m_render = nullptr;
    QString m_lastMusicFolder;
    // Set while the program fills the controls: index changes are then not user edits.
    bool m_filling = false;
};

} // namespace vistarel::app
