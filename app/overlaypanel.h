#pragma once

#include <QColor>
#include <QFrame>

namespace vistarel::app {

// A panel of fixed design size that lies over the window's pages, kept centred in its
// parent while the window is resized (start panel, confirmation panel, the step-2
// confirmations). Hidden until shown with showInFront(); it never blocks the rest of the
// window.
class OverlayPanel : public QFrame
{
    Q_OBJECT

public:
    OverlayPanel(const QString& name, QSize designSize, const QColor& background, QWidget* parent);

    void showInFront();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void centre();
    QColor m_background;
};

} // namespace vistarel::app
