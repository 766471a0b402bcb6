#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

class QObject;
class QWidget;

namespace vistarel::lang {
class LanguageFile;
}

namespace vistarel::app {

// One translatable text of a named object: its language-file key ("Name_Property" or
// "Name_List[i]") and how to read and replace it.
struct TextSlot
{
    QString key;
    std::function<QString()> get;
    std::function<void(const QString&)> set;
};

// The texts of one object under the key scheme of the language files. Qt's properties
// stand in for the keys: a label's or button's text and a group box's title are
// "Caption", a widget's tool tip is "Hint", the entries of a combo box or list widget are
// "Items[i]" and the tabs of a tab widget or tab bar are "Tabs[i]". An object may also
// declare a Q_PROPERTY of the key's own name (QString for "Caption", "Title", "Filter",
// "Instruction", ...; QStringList for "Items", "Tabs", "CustomButtons").
QList<TextSlot> textSlotsOf(QObject* object);

// The objects below root the translator visits: every named object except Qt's own
// parts, splitters, timers, menus, menu actions and the names of the ignore list.
QList<QObject*> translatableObjects(QWidget* root);

// The controls whose texts stay as the program sets them in every language.
const QStringList& translationIgnoreList();

// Marks properties ("Caption", "Items", ...) of an object whose texts the program
// composes at run time; the language files have no keys for them.
void markProgramTexts(QObject* object, const QStringList& properties);
// Whether the slot's text is one the program composes.
bool isProgramText(const QObject* object, const TextSlot& slot);

// Replaces every text below root that the file has a key for; a missing key leaves the
// text as it is. List entries are replaced one by one, never added or removed, so
// selections stay where they are. The root's own caption is never translated.
void translateForm(QWidget* root, const lang::LanguageFile& file);

} // namespace vistarel::app
