#include "app/step1page.h"

#include "app/formmain.h"
#include "project/settings.h"

#include <QFileInfo>

namespace vistarel::app {

Step1Page::Step1Page(TFormMain& form)
    : QWidget(&form)
    , m_form(form)
{
    setObjectName(QStringLiteral("RzPanelStep1"));
}

void Step1Page::restoreStartSettings(const project::Settings& settings)
{
    const QString folder = settings.lastFolder();
    if (!folder.isEmpty() && QFileInfo(folder).isDir())
        m_folder = folder;
}

QString Step1Page::currentFolder() const
{
    return m_folder;
}

} // namespace vistarel::app
