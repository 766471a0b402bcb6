#pragma once

#include "lang/languagefile.h"

#include <QString>

#include <array>

namespace vistarel::lang {

// The program's numbered messages "Str0" .. "Str299" of the current language. Loading a
// language file replaces the messages it has; a missing (or empty) key keeps the text
// of the previous language. LangStrings holds "Str1" .. "Str75", the texts program code
// reads.
class MessageList
{
public:
    static constexpr int kMessageCount = 300;
    static constexpr int kLangStringsCount = 75;

    void load(const LanguageFile& file);

    // Message "Str<id>" for 0 <= id < 300; empty outside.
    QString message(int id) const;
    // LangStrings[i - 1], that is message "Str<i>" as of the last load, for 1 <= i <= 75.
    QString str(int i) const;
    const std::array<QString, kLangStringsCount>& LangStrings() const { return m_langStrings; }

private:
    std::array<QString, kMessageCount> m_messages;
    std::array<QString, kLangStringsCount> m_langStrings;
};

} // namespace vistarel::lang
