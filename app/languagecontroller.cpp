#include "app/languagecontroller.h"

#include "app/desktop.h"
#include "app/formtranslator.h"
#include "lang/languagefile.h"
#include "project/settings.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QMenu>

#include <algorithm>

namespace vistarel::app {

LanguageController::LanguageController(QWidget* form, QString programDir,
                                       project::Settings& settings, Desktop& desktop,
                                       std::function<void()> endApplication)
    : QObject(form)
    , m_form(form)
    , m_programDir(std::move(programDir))
    , m_settings(settings)
    , m_desktop(desktop)
    , m_endApplication(std::move(endApplication))
    , m_menu(new QMenu(form))
{
    m_menu->setObjectName(QStringLiteral("PopupMenuLanguages"));
}

void LanguageController::apply(const QString& requested)
{
    QString code = requested.toLower();
    // A code names a file beside the program; anything but letters (a stored value
    // like "../x") is no language.
    const bool letters = !code.isEmpty() && std::all_of(code.cbegin(), code.cend(), [](QChar c) {
        return c >= u'a' && c <= u'z';
    });
    if (!letters || !QFileInfo(QDir(m_programDir).filePath(code + QStringLiteral(".ini"))).isFile())
        code = QStringLiteral("en");
    const QString file = lang::resolveLanguageFile(m_programDir, code);
    if (file.isEmpty()) {
        // The program's own text: without language files there are no others.
        m_desktop.messageBox(m_form,
                             QStringLiteral("Language files not found, please re-install the software!"),
                             MessageKind::Warning);
        m_endApplication();
    }
    emit aboutToApply();
    if (!file.isEmpty()) {
        const lang::LanguageFile texts = lang::LanguageFile::load(file);
        translateForm(m_form, texts);
        m_messages.load(texts);
    }
    m_code = code;
    translateQtDialogs(code);
    m_settings.setText(project::settingname::Language, code);
    emit applied();
}

void LanguageController::translateQtDialogs(const QString& code)
{
    // The file and colour choosers are Qt's; they speak the program's language where the
    // system has Qt's translation for it, and English otherwise.
    QCoreApplication::removeTranslator(&m_qtTexts);
    if (m_qtTexts.load(QStringLiteral("qtbase_") + code,
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&m_qtTexts);
}

QMenu* LanguageController::buildMenu()
{
    m_menu->clear();
    for (const QString& file : lang::languageFilesIn(m_programDir)) {
        QAction* item = m_menu->addAction(lang::languageCodeOfFile(file));
        connect(item, &QAction::triggered, this, [this, item] {
            QString code = item->text();
            code.remove(u'&');
            emit languageChosen(code);
        });
        QCoreApplication::processEvents();
    }
    return m_menu;
}

void LanguageController::popUpMenu(const QPoint& globalPos)
{
    buildMenu()->popup(globalPos);
}

} // namespace vistarel::app
