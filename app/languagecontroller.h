#pragma once

#include "lang/messagelist.h"

#include <QObject>
#include <QString>
#include <QTranslator>

#include <functional>

class QMenu;
class QPoint;
class QWidget;

namespace vistarel::project {
class Settings;
}

namespace vistarel::app {

class Desktop;

// The interface language: finds the language file for a code, translates the window by
// object name, loads the messages (LangStrings) and stores the choice. It also builds
// the language menu PopupMenuLanguages from the "*.ini" files in the program's folder.
class LanguageController : public QObject
{
    Q_OBJECT

public:
    LanguageController(QWidget* form, QString programDir, project::Settings& settings,
                       Desktop& desktop, std::function<void()> endApplication);

    // Applies a language (any letter case). A code without file falls back to "en";
    // without "en.ini" a warning is shown and the application is asked to end, and the
    // remaining steps still run. Emits aboutToApply before the texts change and applied
    // after texts and messages are loaded.
    void apply(const QString& code);

    // The applied code in lower case ("de"); empty before the first apply.
    QString currentCode() const { return m_code; }
    const lang::MessageList& messages() const { return m_messages; }

    // Rebuilds the menu: one item per "*.ini" file of the program's folder, captioned
    // with the file name's first two characters in upper case.
    QMenu* buildMenu();
    void popUpMenu(const QPoint& globalPos);

signals:
    void aboutToApply();
    void applied();
    // A menu item was chosen; the window applies the language.
    void languageChosen(const QString& code);

private:
    void translateQtDialogs(const QString& code);

    QWidget* m_form;
    QString m_programDir;
    project::Settings& m_settings;
    Desktop& m_desktop;
    std::function<void()> m_endApplication;
    lang::MessageList m_messages;
    QString m_code;
    QMenu* m_menu;
    QTranslator m_qtTexts; // Qt's own dialogs and standard texts
};

} // namespace vistarel::app
