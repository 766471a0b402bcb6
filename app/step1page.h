#pragma once

#include <QString>
#include <QWidget>

namespace vistarel::project {
class Settings;
}

namespace vistarel::app {

class TFormMain;

// Step 1, RzPanelStep1: media selection (folder tree, folder view, slide strip) and the
// wizard moves. The window calls the two functions below; everything else of the page
// lives here.
class Step1Page : public QWidget
{
    Q_OBJECT

public:
    explicit Step1Page(TFormMain& form);

    // Start sequence: LastFolder (only if it exists), ViewOption, PreviewOption.
    void restoreStartSettings(const project::Settings& settings);
    // The folder shown in the folder tree, stored as LastFolder at exit; empty: none.
    QString currentFolder() const;

private:
    TFormMain& m_form;
    QString m_folder;
};

} // namespace vistarel::app
