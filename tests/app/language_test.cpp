// Localisation: the key scheme of the translator, switching languages in the window,
// the fallbacks, the language menu and the completeness of the language files.
#include "app/desktop.h"
#include "app/formmain.h"
#include "app/formtranslator.h"
#include "app/languagecontroller.h"
#include "app/step3page.h"
#include "app/stepcontrol.h"
#include "lang/inifile.h"
#include "lang/languagefile.h"
#include "lang/textdecoding.h"
#include "project/appdata.h"
#include "project/version.h"
#include "testsupport.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QSet>
#include <QSplitter>
#include <QTabWidget>
#include <QTest>

namespace vistarel::app::test {

namespace {

QSet<QString> keysOf(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", qPrintable(path));
    const auto keys = lang::IniDocument::parse(lang::decodeTextFile(file.readAll()))
                          .keys(QStringLiteral("FormMain"));
    return QSet<QString>(keys.begin(), keys.end());
}

QString textOf(QWidget* window, const char* name)
{
    QObject* object = window->findChild<QObject*>(QString::fromLatin1(name));
    if (auto* label = qobject_cast<QLabel*>(object))
        return label->text();
    if (auto* button = qobject_cast<QAbstractButton*>(object))
        return button->text();
    return QStringLiteral("<no such control>");
}

} // namespace

class LanguageTest : public QObject
{
    Q_OBJECT

private slots:
    void translatorFollowsTheKeyScheme();
    void switchingKeepsPositionsAndTheChangedFlag();
    void qtDialogsFollowTheLanguage();
    void missingLanguageFallsBackToEnglish();
    void noLanguageFilesWarnsAndEnds();
    void menuListsTheLanguageFiles();
    void languageFilesCoverEveryWindowText();
};

void LanguageTest::translatorFollowsTheKeyScheme()
{
    QWidget root;
    auto* label = new QLabel(QStringLiteral("Hallo"), &root);
    label->setObjectName(QStringLiteral("LabelA"));
    label->setToolTip(QStringLiteral("Tipp"));
    auto* button = new QPushButton(QStringLiteral("Knopf"), &root);
    button->setObjectName(QStringLiteral("ButtonB"));
    auto* combo = new QComboBox(&root);
    combo->setObjectName(QStringLiteral("ComboC"));
    combo->addItems({QStringLiteral("ja"), QStringLiteral("nein")});
    combo->setCurrentIndex(1);
    auto* tabs = new QTabWidget(&root);
    tabs->setObjectName(QStringLiteral("TabsD"));
    tabs->addTab(new QWidget, QStringLiteral("Anzeige"));
    tabs->addTab(new QWidget, QStringLiteral("Effekte"));
    auto* list = new QListWidget(&root);
    list->setObjectName(QStringLiteral("ListE"));
    list->addItems({QStringLiteral("kein Effekt"), QStringLiteral("Fade")});
    list->setCurrentRow(1);
    auto* ignored = new QLabel(QStringLiteral("Version 1"), &root);
    ignored->setObjectName(QStringLiteral("LabelVersion"));
    auto* unnamed = new QLabel(QStringLiteral("ohne Namen"), &root);
    auto* splitter = new QSplitter(&root);
    splitter->setObjectName(QStringLiteral("SplitterF"));
    splitter->setToolTip(QStringLiteral("Teiler"));
    auto* dialog = new FileDialogTexts(QStringLiteral("OpenDialogG"), QStringLiteral("Laden"),
                                       QStringLiteral("Projekte|*.vrj"), &root);
    auto* buttons = new TaskDialogButtons(&root);

    const lang::LanguageFile file = lang::LanguageFile::fromText(QStringLiteral(
        "[FormMain]\n"
        "LabelA_Caption=< Hello >\n"
        "LabelA_Hint=Tip\n"
        "ButtonB_Caption=\n"
        "ComboC_Items[0]=yes\n"
        "ComboC_Items[1]=no\n"
        "ComboC_Items[2]=maybe\n"
        "TabsD_Tabs[1]=Effects\n"
        "ListE_Items[0]=no effect\n"
        "LabelVersion_Caption=Release\n"
        "SplitterF_Hint=Divider\n"
        "OpenDialogG_Title=Open\n"
        "OpenDialogG_Filter=Projects|*.vrj\n"
        "AdvMetroTaskDialogOKCancel_CustomButtons[1]=Cancel\n"));
    translateForm(&root, file);

    QCOMPARE(label->text(), QStringLiteral(" Hello "));
    QCOMPARE(label->toolTip(), QStringLiteral("Tip"));
    QCOMPARE(button->text(), QStringLiteral("Knopf")); // an empty value counts as missing
    QCOMPARE(combo->count(), 2);                       // entries are never added
    QCOMPARE(combo->itemText(0), QStringLiteral("yes"));
    QCOMPARE(combo->itemText(1), QStringLiteral("no"));
    QCOMPARE(combo->currentIndex(), 1);
    QCOMPARE(tabs->tabText(0), QStringLiteral("Anzeige"));
    QCOMPARE(tabs->tabText(1), QStringLiteral("Effects"));
    QCOMPARE(list->item(0)->text(), QStringLiteral("no effect"));
    QCOMPARE(list->item(1)->text(), QStringLiteral("Fade"));
    QCOMPARE(list->currentRow(), 1);
    QCOMPARE(ignored->text(), QStringLiteral("Version 1"));
    QCOMPARE(unnamed->text(), QStringLiteral("ohne Namen"));
    QCOMPARE(splitter->toolTip(), QStringLiteral("Teiler"));
    QCOMPARE(dialog->title(), QStringLiteral("Open"));
    QCOMPARE(dialog->filter(), QStringLiteral("Projects|*.vrj"));
    QCOMPARE(buttons->customButtons(), (QStringList{QStringLiteral("OK"), QStringLiteral("Cancel")}));
    QCOMPARE(qtFileFilter(QStringLiteral("Projects|*.vrj|Pictures|*.jpg;*.png")),
             QStringLiteral("Projects (*.vrj);;Pictures (*.jpg *.png)"));
}

void LanguageTest::qtDialogsFollowTheLanguage()
{
    const auto lookIn = [] { return QCoreApplication::translate("QFileDialog", "Look in:"); };
    WindowEnvironment env;
    env.settings().setText(project::settingname::Language, QStringLiteral("de"));
    auto w = env.showWindow();
    QCOMPARE(w->currentLanguage(), QStringLiteral("de"));
    const QString german = lookIn();
    QVERIFY2(german != QStringLiteral("Look in:"), qPrintable(german));
    w->applyLanguage(QStringLiteral("en"));
    QCOMPARE(lookIn(), QStringLiteral("Look in:"));
    w->applyLanguage(QStringLiteral("de"));
    QCOMPARE(lookIn(), german);
}

void LanguageTest::switchingKeepsPositionsAndTheChangedFlag()
{
    for (bool changed : {true, false}) {
        WindowEnvironment env;
        env.settings().setText(project::settingname::Language, QStringLiteral("de"));
        auto w = env.showWindow();
        // A list of a page, as the pages will hold them.
        auto* music = new QComboBox(w->step3());
        music->setObjectName(QStringLiteral("ElComboBoxStep3Music"));
        music->addItems({QStringLiteral("ja"), QStringLiteral("nein")});
        music->setCurrentIndex(0);
        int remembered = 0;
        int restored = 0;
        connect(w.get(), &TFormMain::languageAboutToChange, this, [&] { ++remembered; });
        connect(w.get(), &TFormMain::languageChanged, this, [&] { ++restored; });
        if (changed)
            w->markProjectChanged();

        w->applyLanguage(QStringLiteral("EN"));
        QCOMPARE(w->projectDirty(), changed);
        QCOMPARE(w->currentLanguage(), QStringLiteral("en"));
        QCOMPARE(env.settings().language().value_or(QString()), QStringLiteral("en"));
        QCOMPARE(textOf(w.get(), "AdvMetroTileLanguage"), QStringLiteral("EN"));
        QCOMPARE(textOf(w.get(), "LabelStartTitle"), QStringLiteral("Welcome to Vistarel"));
        QCOMPARE(textOf(w.get(), "RzBmpButtonProjectNewNo"), QStringLiteral("Don't save"));
        QCOMPARE(music->itemText(0), QStringLiteral("yes"));
        QCOMPARE(music->currentIndex(), 0);
        QCOMPARE(w->stepControl()->caption(1), QStringLiteral("Step 2"));
        QCOMPARE(w->stepControl()->description(2), QStringLiteral("Create slideshow"));
        QCOMPARE(textOf(w.get(), "LabelVersion"),
                 QStringLiteral("Version ") + project::versionText(project::programVersion()));

        w->applyLanguage(QStringLiteral("de"));
        QCOMPARE(w->projectDirty(), changed);
        QCOMPARE(textOf(w.get(), "AdvMetroTileLanguage"), QStringLiteral("DE"));
        QCOMPARE(textOf(w.get(), "LabelStartTitle"), QStringLiteral("Willkommen bei Vistarel"));
        QCOMPARE(textOf(w.get(), "RzBmpButtonProjectNewNo"), QStringLiteral("Nicht speichern"));
        QCOMPARE(music->itemText(0), QStringLiteral("ja"));
        QCOMPARE(music->currentIndex(), 0);
        QCOMPARE(w->stepControl()->description(2), QStringLiteral("Slideshow erstellen"));
        QCOMPARE(w->str(73), QStringLiteral("Vistarel beenden?"));
        QCOMPARE(w->windowTitle(), QStringLiteral("Vistarel"));
        QCOMPARE(remembered, 2);
        QCOMPARE(restored, 2);
    }
}

void LanguageTest::missingLanguageFallsBackToEnglish()
{
    WindowEnvironment env;
    env.programDir = env.path(QStringLiteral("program"));
    QDir().mkpath(env.programDir);
    QVERIFY(QFile::copy(project::executableDir() + QStringLiteral("en.ini"),
                        env.programDir + QStringLiteral("/en.ini")));
    env.settings().setText(project::settingname::Language, QStringLiteral("fr"));
    auto w = env.showWindow();
    QCOMPARE(w->currentLanguage(), QStringLiteral("en"));
    // A stored code that is not a plain name never reaches outside the program folder.
    writeFile(env.path(QStringLiteral("xx.ini")), "[FormMain]\nLabelStartTitle_Caption=outside\n");
    w->applyLanguage(QStringLiteral("../xx"));
    QCOMPARE(w->currentLanguage(), QStringLiteral("en"));
    QCOMPARE(textOf(w.get(), "AdvMetroTileLanguage"), QStringLiteral("EN"));
    QCOMPARE(textOf(w.get(), "LabelStartTitle"), QStringLiteral("Welcome to Vistarel"));
    QCOMPARE(env.settings().language().value_or(QString()), QStringLiteral("en"));
    QVERIFY(env.desktop->messageBoxes.isEmpty());
    QCOMPARE(env.endRequests, 0);
}

void LanguageTest::noLanguageFilesWarnsAndEnds()
{
    WindowEnvironment env;
    env.programDir = env.path(QStringLiteral("empty"));
    QDir().mkpath(env.programDir);
    auto w = env.makeWindow();
    QCOMPARE(env.desktop->messageBoxes,
             QStringList{QStringLiteral("Language files not found, please re-install the software!")});
    QCOMPARE(env.endRequests, 1);
    // The design texts stay.
    QCOMPARE(textOf(w.get(), "LabelStartTitle"), QStringLiteral("Willkommen bei Vistarel"));
}

void LanguageTest::menuListsTheLanguageFiles()
{
    WindowEnvironment env;
    env.programDir = env.path(QStringLiteral("program"));
    QDir().mkpath(env.programDir);
    for (const char* name : {"de.ini", "en.ini"})
        QVERIFY(QFile::copy(project::executableDir() + QString::fromLatin1(name),
                            env.programDir + u'/' + QString::fromLatin1(name)));
    QVERIFY(QFile::copy(project::executableDir() + QStringLiteral("de.ini"),
                        env.programDir + QStringLiteral("/Deutsch.ini")));
    writeFile(env.programDir + QStringLiteral("/readme.txt"));
    auto w = env.showWindow();
    QMenu* menu = w->language().buildMenu();
    QStringList captions;
    for (QAction* action : menu->actions())
        captions << action->text();
    captions.sort();
    QCOMPARE(captions, (QStringList{QStringLiteral("DE"), QStringLiteral("DE"), QStringLiteral("EN")}));
    w->markProjectChanged();
    for (QAction* action : menu->actions()) {
        if (action->text() == u"EN") {
            action->setText(QStringLiteral("&EN")); // accelerator marks are dropped
            action->trigger();
            break;
        }
    }
    QCOMPARE(w->currentLanguage(), QStringLiteral("en"));
    QVERIFY(w->projectDirty());
    menu->actions().first()->trigger(); // a "DE" entry
    QCOMPARE(w->currentLanguage(), QStringLiteral("de"));
}

// Both language files carry the same keys, and every text the window shows has a key,
// so switching back and forth never leaves a text of the other language behind.
void LanguageTest::languageFilesCoverEveryWindowText()
{
    const QString dir = project::executableDir();
    const QSet<QString> de = keysOf(dir + QStringLiteral("de.ini"));
    const QSet<QString> en = keysOf(dir + QStringLiteral("en.ini"));
    QCOMPARE(QStringList(QSet<QString>(de).subtract(en).values()), QStringList());
    QCOMPARE(QStringList(QSet<QString>(en).subtract(de).values()), QStringList());

    WindowEnvironment env;
    auto w = env.showWindow();
    QStringList missing;
    for (QObject* object : translatableObjects(w.get())) {
        for (const TextSlot& slot : textSlotsOf(object)) {
            if (!slot.get().isEmpty() && !isProgramText(object, slot) &&
                !en.contains(slot.key.toLower()))
                missing << slot.key;
        }
    }
    QCOMPARE(missing, QStringList());
}

static const bool registered = registerTest<LanguageTest>("LanguageTest");

} // namespace vistarel::app::test

#include "language_test.moc"
