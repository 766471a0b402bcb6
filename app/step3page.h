#pragma once

#include "project/outputsettings.h"

#include <QWidget>

namespace vistarel::app {

class TFormMain;

// Step 3, RzPanelStep3: output settings and the render button. It holds the project's
// step-3 settings (resolution, music, repeat, output file) and the job file; the
// project actions read and fill them through the functions below, which never mark the
// project as changed.
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

private:
    TFormMain& m_form;
    project::OutputSettings m_settings;
    QString m_jobFile;
    bool m_saveJob = false;
};

} // namespace vistarel::app
