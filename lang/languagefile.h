#pragma once

#include "lang/inifile.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace vistarel::lang {

// One language file ("de.ini", "en.ini", ...): window texts and messages in the
// section "FormMain". Keys are "Name_Property", "Name_List[i]" and "Str<n>".
class LanguageFile
{
public:
    // Reads the file; UTF-8 with or without byte-order mark, or UTF-16 with one.
    // An unreadable file gives an empty document (every key missing).
    static LanguageFile load(const QString& path);
    static LanguageFile fromText(const QString& text);

    // The value of a key, with an enclosing "<" ... ">" removed; an empty value counts
    // as missing.
    std::optional<QString> text(const QString& key) const;

private:
    IniDocument m_doc;
};

// "<text>" → "text" (keeps the blanks inside); anything else unchanged.
QString unwrapLanguageValue(const QString& value);

// The language files in a folder: every "*.ini" file, in the order the folder lists them.
QStringList languageFilesIn(const QString& folder);

// The file to use for a language code: "<code>.ini" in the folder, else "en.ini";
// empty when neither exists.
QString resolveLanguageFile(const QString& folder, const QString& code);

// The code a menu entry for a language file shows: its first two characters, upper case.
QString languageCodeOfFile(const QString& fileName);

} // namespace vistarel::lang
