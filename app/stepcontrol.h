#pragma once

#include <QStringList>
#include <QWidget>

namespace vistarel::app {

// The wizard's step control AdvSmoothStepControlMain: three steps side by side, the
// active one on blue, the others on dark grey, each with a caption and a bold
// description. It reports every change of its active step, from a click or from the
// program; asking for the step that is already active reports nothing.
class StepControl : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kStepCount = 3;

    explicit StepControl(QWidget* parent);

    int activeStep() const { return m_active; }
    void setActiveStep(int step);
    void setStepTexts(int step, const QString& caption, const QString& description);
    QString caption(int step) const { return m_captions.value(step); }
    QString description(int step) const { return m_descriptions.value(step); }

signals:
    void stepChanged(int step);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QRectF stepRect(int step) const;

    int m_active = 0;
    QStringList m_captions;
    QStringList m_descriptions;
};

} // namespace vistarel::app
