#pragma once

#include <QWidget>

class QAbstractButton;
class QLabel;

namespace vistarel::app {

class ProgressRing;
class TFormMain;

// The progress page RzPanelProgress: the title, the ring, the state line under it and
// the button at the bottom left that cancels a running render or, after the end,
// returns to step 3. The state line and the button caption are message ids, so a
// language switch rewrites them.
class ProgressPage : public QWidget
{
    Q_OBJECT

public:
    explicit ProgressPage(TFormMain& form);

    ProgressRing* ring() const { return m_ring; }
    void setProgress(int percent);
    // The state line's message (0: empty) and the button caption's message.
    void setStateMessage(int id);
    void setButtonMessage(int id);
    QString stateText() const;
    QString buttonText() const;

signals:
    void buttonClicked(); // RzBmpButtonProgressCancel

private:
    void showTexts();

    TFormMain& m_form;
    ProgressRing* m_ring;
    QLabel* m_state;
    QAbstractButton* m_button;
    int m_stateId = 0;
    int m_buttonId = 56;
};

} // namespace vistarel::app
