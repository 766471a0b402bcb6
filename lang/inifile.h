#pragma once

#include <QHash>
#include <QString>

#include <optional>

namespace vistarel::lang {

// An INI document read the lenient way settings readers do: lines end in CR LF, LF or
// CR; blank lines and lines starting with ';' are skipped; "[name]" opens a section;
// "key=value" lines hold values, key and value trimmed of blanks; other lines are
// ignored. Section and key names match without regard to letter case. A repeated
// section continues the first one, and of repeated keys the first one wins.
class IniDocument
{
public:
    static IniDocument parse(const QString& text);

    bool hasSection(const QString& section) const;
    std::optional<QString> value(const QString& section, const QString& key) const;
    QString value(const QString& section, const QString& key, const QString& fallback) const;
    // Keys of a section in lower case, in no particular order.
    QList<QString> keys(const QString& section) const;

private:
    QHash<QString, QHash<QString, QString>> m_sections; // lower-case names
};

} // namespace vistarel::lang
