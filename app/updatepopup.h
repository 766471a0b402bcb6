#pragma once

#include <QPainterPath>
#include <QWidget>

class QLabel;
class QTimer;

namespace vistarel::app {

// The running dots that show a download is under way (AdvSmoothWin8MarqueeUpdate).
class MarqueeDots : public QWidget
{
    Q_OBJECT

public:
    explicit MarqueeDots(QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    QTimer* m_timer;
    int m_phase = 0;
};

// The update pop-up AdvSmoothPopupUpdate: a slightly transparent window that stays on
// top, with a pointer arrow at its top centre and a header, holding the
// panel RzPanelUpdate with the text RzLabelUpdateInfo, the marquee and the buttons
// "Abbrechen" and "Installation starten".
class UpdatePopup : public QWidget
{
    Q_OBJECT

public:
    explicit UpdatePopup(QWidget* parent);

    void setHeader(const QString& header);
    QString header() const { return m_header; }
    void setInfoText(const QString& text);
    void setMarqueeVisible(bool visible);
    bool isMarqueeVisible() const;
    // Shows the pop-up with the tip of its arrow at the given screen point, kept on the
    // screen's available area.
    void popUpAt(const QPoint& arrowTip);

signals:
    void cancelClicked();
    void downloadClicked();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPainterPath outline() const;

    QString m_header;
    QLabel* m_info;
    MarqueeDots* m_marquee;
    int m_arrowX = 0;
};

} // namespace vistarel::app
