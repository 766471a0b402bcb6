#include "lang/messagelist.h"

namespace vistarel::lang {

void MessageList::load(const LanguageFile& file)
{
    for (int id = 0; id < kMessageCount; ++id) {
        if (auto text = file.text(QStringLiteral("Str%1").arg(id)))
            m_messages[id] = *text;
    }
    for (int i = 1; i <= kLangStringsCount; ++i)
        m_langStrings[i - 1] = m_messages[i];
}

QString MessageList::message(int id) const
{
    return id >= 0 && id < kMessageCount ? m_messages[id] : QString();
}

QString MessageList::str(int i) const
{
    return i >= 1 && i <= kLangStringsCount ? m_langStrings[i - 1] : QString();
}

} // namespace vistarel::lang
