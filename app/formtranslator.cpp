#include "app/formtranslator.h"

#include "lang/languagefile.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMetaProperty>
#include <QSplitter>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>

#include <optional>

namespace vistarel::app {

namespace {

// The scalar text properties of the key scheme (the list properties follow below).
const QStringList kScalarProperties{
    QStringLiteral("Caption"),       QStringLiteral("CapacityDescription"),
    QStringLiteral("FreeDescription"), QStringLiteral("Description"),
    QStringLiteral("Filter"),        QStringLiteral("Title"),
    QStringLiteral("CommandLinkHint"), QStringLiteral("BrowseDialogText"),
    QStringLiteral("Content"),       QStringLiteral("Footer"),
    QStringLiteral("Instruction"),   QStringLiteral("WindowTitle"),
    QStringLiteral("Hint")};
const QStringList kListProperties{QStringLiteral("Tabs"), QStringLiteral("Items"),
                                  QStringLiteral("CustomButtons")};

QString keyOf(const QObject* object, const QString& property)
{
    return object->objectName() + u'_' + property;
}

QString listKeyOf(const QObject* object, const QString& property, int index)
{
    return QStringLiteral("%1_%2[%3]").arg(object->objectName(), property).arg(index);
}

// A Q_PROPERTY of exactly the given name and type, if the object declares one.
bool hasProperty(const QObject* object, const QString& name, QMetaType::Type type)
{
    const QMetaObject* meta = object->metaObject();
    const int index = meta->indexOfProperty(name.toLatin1().constData());
    return index >= 0 && meta->property(index).metaType().id() == type;
}

std::optional<TextSlot> captionSlot(QObject* object, const QString& key)
{
    if (auto* label = qobject_cast<QLabel*>(object))
        return TextSlot{key, [label] { return label->text(); },
                        [label](const QString& t) { label->setText(t); }};
    if (auto* button = qobject_cast<QAbstractButton*>(object))
        return TextSlot{key, [button] { return button->text(); },
                        [button](const QString& t) { button->setText(t); }};
    if (auto* group = qobject_cast<QGroupBox*>(object))
        return TextSlot{key, [group] { return group->title(); },
                        [group](const QString& t) { group->setTitle(t); }};
    return std::nullopt;
}

std::optional<TextSlot> scalarSlot(QObject* object, const QString& property)
{
    const QString key = keyOf(object, property);
    const QByteArray name = property.toLatin1();
    if (hasProperty(object, property, QMetaType::QString))
        return TextSlot{key, [object, name] { return object->property(name).toString(); },
                        [object, name](const QString& t) { object->setProperty(name, t); }};
    if (property == u"Caption")
        return captionSlot(object, key);
    if (property == u"Hint") {
        if (auto* widget = qobject_cast<QWidget*>(object))
            return TextSlot{key, [widget] { return widget->toolTip(); },
                            [widget](const QString& t) { widget->setToolTip(t); }};
    }
    return std::nullopt;
}

void addListSlots(QList<TextSlot>& result, QObject* object, const QString& property)
{
    if (hasProperty(object, property, QMetaType::QStringList)) {
        const QByteArray name = property.toLatin1();
        const int count = int(object->property(name).toStringList().size());
        for (int i = 0; i < count; ++i)
            result << TextSlot{listKeyOf(object, property, i),
                              [object, name, i] { return object->property(name).toStringList().value(i); },
                              [object, name, i](const QString& t) {
                                  QStringList list = object->property(name).toStringList();
                                  if (i < list.size()) {
                                      list[i] = t;
                                      object->setProperty(name, list);
                                  }
                              }};
        return;
    }
    if (property == u"Items") {
        if (auto* combo = qobject_cast<QComboBox*>(object)) {
            for (int i = 0; i < combo->count(); ++i)
                result << TextSlot{listKeyOf(object, property, i),
                                  [combo, i] { return combo->itemText(i); },
                                  [combo, i](const QString& t) { combo->setItemText(i, t); }};
        } else if (auto* list = qobject_cast<QListWidget*>(object)) {
            for (int i = 0; i < list->count(); ++i)
                result << TextSlot{listKeyOf(object, property, i),
                                  [list, i] { return list->item(i)->text(); },
                                  [list, i](const QString& t) { list->item(i)->setText(t); }};
        }
    } else if (property == u"Tabs") {
        if (auto* tabs = qobject_cast<QTabWidget*>(object)) {
            for (int i = 0; i < tabs->count(); ++i)
                result << TextSlot{listKeyOf(object, property, i),
                                  [tabs, i] { return tabs->tabText(i); },
                                  [tabs, i](const QString& t) { tabs->setTabText(i, t); }};
        } else if (auto* bar = qobject_cast<QTabBar*>(object)) {
            for (int i = 0; i < bar->count(); ++i)
                result << TextSlot{listKeyOf(object, property, i),
                                  [bar, i] { return bar->tabText(i); },
                                  [bar, i](const QString& t) { bar->setTabText(i, t); }};
        }
    }
}

bool isSkippedKind(const QObject* object)
{
    return qobject_cast<const QSplitter*>(object) || qobject_cast<const QSplitterHandle*>(object) ||
           qobject_cast<const QTimer*>(object) || qobject_cast<const QMenu*>(object) ||
           qobject_cast<const QAction*>(object);
}

} // namespace

QList<TextSlot> textSlotsOf(QObject* object)
{
    QList<TextSlot> result;
    for (const QString& property : kScalarProperties) {
        if (auto slot = scalarSlot(object, property))
            result << *slot;
    }
    for (const QString& property : kListProperties)
        addListSlots(result, object, property);
    return result;
}

const QStringList& translationIgnoreList()
{
    static const QStringList names{QStringLiteral("LabelVersion"),
                                   QStringLiteral("ElComboBoxAutoEffectsDuration"),
                                   QStringLiteral("ElComboBoxStep2ImageDuration"),
                                   QStringLiteral("ElComboBoxStep2TransitionDuration"),
                                   QStringLiteral("LabelStep2Number")};
    return names;
}

QList<QObject*> translatableObjects(QWidget* root)
{
    QList<QObject*> objects;
    for (QObject* object : root->findChildren<QObject*>()) {
        const QString name = object->objectName();
        if (name.isEmpty() || name.startsWith(QLatin1String("qt_")) || isSkippedKind(object) ||
            translationIgnoreList().contains(name))
            continue;
        objects << object;
    }
    return objects;
}

void markProgramTexts(QObject* object, const QStringList& properties)
{
    object->setProperty("programTexts", properties);
}

bool isProgramText(const QObject* object, const TextSlot& slot)
{
    // The property is the part of the key after "Name_", without an index.
    QString property = slot.key.mid(object->objectName().size() + 1);
    property = property.left(property.indexOf(u'['));
    return object->property("programTexts").toStringList().contains(property);
}

void translateForm(QWidget* root, const lang::LanguageFile& file)
{
    for (QObject* object : translatableObjects(root)) {
        for (const TextSlot& slot : textSlotsOf(object)) {
            if (const auto text = file.text(slot.key))
                slot.set(*text);
        }
    }
}

} // namespace vistarel::app
