#include "render/tools/argsplit.h"

#include <utility>

namespace vistarel::render {

namespace {

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

qsizetype countBackslashes(const QString& text, qsizetype from)
{
    qsizetype end = from;
    while (end < text.size() && text[end] == u'\\')
        ++end;
    return end - from;
}

} // namespace

QStringList splitArgumentText(const QString& text)
{
    QStringList arguments;
    QString current;
    bool inArgument = false;
    bool inQuotes = false;
    qsizetype i = 0;
    while (i < text.size()) {
        const QChar c = text[i];
        if (!inQuotes && isBlank(c)) {
            if (inArgument)
                arguments << std::exchange(current, QString());
            inArgument = false;
            ++i;
            continue;
        }
        inArgument = true;
        if (c == u'\\') {
            const qsizetype count = countBackslashes(text, i);
            i += count;
            const bool beforeQuote = i < text.size() && text[i] == u'"';
            current += QString(beforeQuote ? count / 2 : count, u'\\');
            if (beforeQuote && count % 2 == 1) {
                current += u'"';
                ++i;
            }
        } else if (c == u'"') {
            if (inQuotes && i + 1 < text.size() && text[i + 1] == u'"') {
                current += u'"';
                i += 2;
            } else {
                inQuotes = !inQuotes;
                ++i;
            }
        } else {
            current += c;
            ++i;
        }
    }
    if (inArgument)
        arguments << current;
    return arguments;
}

QString escapeInsideQuotes(const QString& value)
{
    QString escaped;
    escaped.reserve(value.size());
    qsizetype i = 0;
    while (i < value.size()) {
        if (value[i] == u'\\') {
            const qsizetype count = countBackslashes(value, i);
            i += count;
            // Backslashes before a quote, or before the closing quote of the template,
            // would otherwise escape it: double them.
            const bool beforeQuote = i == value.size() || value[i] == u'"';
            escaped += QString(beforeQuote ? 2 * count : count, u'\\');
        } else if (value[i] == u'"') {
            escaped += QStringLiteral("\\\"");
            ++i;
        } else {
            escaped += value[i];
            ++i;
        }
    }
    return escaped;
}

QString quotedArgument(const QString& value)
{
    return u'"' + escapeInsideQuotes(value) + u'"';
}

} // namespace vistarel::render
