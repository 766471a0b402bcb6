#pragma once

#include <QWidget>

namespace vistarel::app {

// The ring-shaped progress indicator CircularProgressProgress: a dark ring with a blue
// arc from twelve o'clock clockwise for the value (0..100) and the value with a percent
// sign in bold white in its centre. The ring fills the largest centred square.
class ProgressRing : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kArcWidth = 10;
    static const QColor kArcColour;  // RGB 03 8C FC
    static const QColor kRingColour; // RGB 25 25 25

    explicit ProgressRing(QWidget* parent);

    int value() const { return m_value; }
    // Values outside 0..100 are held at the nearest end.
    void setValue(int value);
    QString valueText() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int m_value = 0;
};

} // namespace vistarel::app
