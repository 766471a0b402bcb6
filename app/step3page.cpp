#include "app/step3page.h"

#include "app/formmain.h"

namespace vistarel::app {

namespace {
constexpr int kNo = 1; // position of "nein" in the yes/no lists
} // namespace

Step3Page::Step3Page(TFormMain& form)
    : QWidget(&form)
    , m_form(form)
{
    setObjectName(QStringLiteral("RzPanelStep3"));
}

project::OutputSettings Step3Page::outputSettings() const
{
    return m_settings;
}

void Step3Page::setOutputSettings(const project::OutputSettings& settings)
{
    m_settings = settings;
}

QString Step3Page::outputFile() const
{
    return m_settings.OutputFile;
}

QString Step3Page::jobFile() const
{
    return m_jobFile;
}

bool Step3Page::saveJob() const
{
    return m_saveJob;
}

void Step3Page::setJobFile(const QString& path, bool save)
{
    m_jobFile = path;
    m_saveJob = save;
}

void Step3Page::resetForNewProject(const QString& defaultOutput)
{
    m_settings.OutputFile = defaultOutput;
    m_jobFile.clear();
    m_saveJob = false;
    m_settings.MusicFiles.clear();
    m_settings.MusicIndex = kNo;
    m_settings.MusicRepeat = kNo;
}

} // namespace vistarel::app
