#include "app/progresspage.h"

#include "app/formmain.h"

namespace vistarel::app {

ProgressPage::ProgressPage(TFormMain& form)
    : QWidget(&form)
    , m_form(form)
{
    setObjectName(QStringLiteral("RzPanelProgress"));
}

} // namespace vistarel::app
