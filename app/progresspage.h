#pragma once

#include <QWidget>

namespace vistarel::app {

class TFormMain;

// The progress page RzPanelProgress: the ring, the state line and the cancel button of
// a running render.
class ProgressPage : public QWidget
{
    Q_OBJECT

public:
    explicit ProgressPage(TFormMain& form);

private:
    TFormMain& m_form;
};

} // namespace vistarel::app
