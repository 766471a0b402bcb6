#include "lang/languagefile.h"

#include "lang/textdecoding.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace vistarel::lang {

namespace {
const QString kSection = QStringLiteral("FormMain");
} // namespace

LanguageFile LanguageFile::load(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return fromText(decodeTextFile(file.readAll()));
}

LanguageFile LanguageFile::fromText(const QString& text)
{
    LanguageFile f;
    f.m_doc = IniDocument::parse(text);
    return f;
}

std::optional<QString> LanguageFile::text(const QString& key) const
{
    const auto raw = m_doc.value(kSection, key);
    if (!raw || raw->isEmpty())
        return std::nullopt;
    return unwrapLanguageValue(*raw);
}

QString unwrapLanguageValue(const QString& value)
{
    if (value.size() >= 2 && value.front() == u'<' && value.back() == u'>')
        return value.mid(1, value.size() - 2);
    return value;
}

QStringList languageFilesIn(const QString& folder)
{
    QDir dir(folder);
    return dir.entryList({QStringLiteral("*.ini")}, QDir::Files, QDir::Unsorted);
}

QString resolveLanguageFile(const QString& folder, const QString& code)
{
    const QDir dir(folder);
    for (const QString& candidate : {code.toLower(), QStringLiteral("en")}) {
        const QString path = dir.filePath(candidate + QStringLiteral(".ini"));
        if (QFileInfo(path).isFile())
            return path;
    }
    return {};
}

QString languageCodeOfFile(const QString& fileName)
{
    return QFileInfo(fileName).fileName().left(2).toUpper();
}

} // namespace vistarel::lang
