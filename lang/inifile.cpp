#include "lang/inifile.h"

#include <QStringView>

namespace vistarel::lang {

namespace {

QStringView trimBlanks(QStringView s)
{
    qsizetype begin = 0;
    qsizetype end = s.size();
    while (begin < end && (s[begin] == u' ' || s[begin] == u'\t'))
        ++begin;
    while (end > begin && (s[end - 1] == u' ' || s[end - 1] == u'\t'))
        --end;
    return s.sliced(begin, end - begin);
}

} // namespace

IniDocument IniDocument::parse(const QString& text)
{
    IniDocument doc;
    QHash<QString, QString>* current = nullptr;
    const QStringView all(text);
    qsizetype pos = 0;
    while (pos < all.size()) {
        qsizetype end = pos;
        while (end < all.size() && all[end] != u'\n' && all[end] != u'\r')
            ++end;
        const QStringView line = trimBlanks(all.sliced(pos, end - pos));
        pos = end;
        if (pos < all.size() && all[pos] == u'\r')
            ++pos;
        if (pos < all.size() && all[pos] == u'\n' && (end == pos || all[pos - 1] == u'\r'))
            ++pos;

        if (line.isEmpty() || line.front() == u';')
            continue;
        if (line.front() == u'[') {
            const qsizetype close = line.indexOf(u']');
            if (close > 0) {
                const QString name = trimBlanks(line.sliced(1, close - 1)).toString().toLower();
                current = &doc.m_sections[name];
            }
            continue;
        }
        const qsizetype eq = line.indexOf(u'=');
        if (eq < 0 || current == nullptr)
            continue;
        const QString key = trimBlanks(line.first(eq)).toString().toLower();
        if (!current->contains(key))
            current->insert(key, trimBlanks(line.sliced(eq + 1)).toString());
    }
    return doc;
}

bool IniDocument::hasSection(const QString& section) const
{
    return m_sections.contains(section.toLower());
}

std::optional<QString> IniDocument::value(const QString& section, const QString& key) const
{
    const auto s = m_sections.constFind(section.toLower());
    if (s == m_sections.cend())
        return std::nullopt;
    const auto v = s->constFind(key.toLower());
    if (v == s->cend())
        return std::nullopt;
    return *v;
}

QString IniDocument::value(const QString& section, const QString& key,
                           const QString& fallback) const
{
    return value(section, key).value_or(fallback);
}

QList<QString> IniDocument::keys(const QString& section) const
{
    const auto s = m_sections.constFind(section.toLower());
    return s == m_sections.cend() ? QList<QString>{} : s->keys();
}

} // namespace vistarel::lang
