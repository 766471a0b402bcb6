#pragma once

#include <QWidget>

class QLabel;

namespace vistarel::app {

class GlyphButton;

// The window's own title bar: the background picture ImageTop, the logo ImageLogo, the
// product name ImageVistarel, the version label LabelVersion and, right-aligned, the
// language tile and the save, minimise, maximise and close buttons (30 × 18, top 4).
class TitleBar : public QWidget
{
    Q_OBJECT

public:
    explicit TitleBar(QWidget* parent);

    QLabel* versionLabel() const { return m_version; }
    GlyphButton* languageTile() const { return m_language; }
    // Shows the restore glyph on the maximise button while the window is maximised.
    void setMaximizedGlyph(bool maximized);

signals:
    // A left-button press on the background, logo, product name or version label.
    void moveRequested();
    void languageClicked();
    void saveClicked();
    void minimizeClicked();
    void maximizeClicked();
    void closeClicked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QWidget* m_background;
    QWidget* m_logo;
    QWidget* m_name;
    QLabel* m_version;
    GlyphButton* m_language;
    GlyphButton* m_save;
    GlyphButton* m_minimize;
    GlyphButton* m_maximize;
    GlyphButton* m_close;
};

} // namespace vistarel::app
