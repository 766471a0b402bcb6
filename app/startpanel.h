#pragma once

#include "app/overlaypanel.h"

namespace vistarel::project {
class Settings;
}

namespace vistarel::app {

class BoxGlyph;
class RecentList;

// The start panel RzPanelStart (560 × 444, centred): welcome texts, the buttons "Neues
// Projekt" and "Projekt öffnen...", the recent projects, the switch "Beim Start nicht
// mehr anzeigen" and "Schließen". It only reports the user's choices; the window
// performs them.
class StartPanel : public OverlayPanel
{
    Q_OBJECT

public:
    StartPanel(project::Settings& settings, QWidget* parent);

    // Shown when the window is shown, unless the user switched it off.
    void showAtStart();
    // Fills the recent list from the settings (existing files only).
    void fillRecentList();
    bool startNoShow() const { return FStartNoShow; }
    RecentList* recentList() const { return m_recent; }

signals:
    void openRequested();                  // "Projekt öffnen..."
    void recentRequested(const QString& path);

private:
    void toggleStartNoShow();
    void recentClicked(int row);

    project::Settings& m_settings;
    RecentList* m_recent;
    BoxGlyph* m_box;
    bool FStartNoShow = false;
};

} // namespace vistarel::app
