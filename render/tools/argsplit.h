#pragma once

#include <QString>
#include <QStringList>

namespace vistarel::render {

// Splits an argument text into arguments the way the Windows command line does it:
// blanks and tabs separate arguments, double quotes group (a quoted part may sit inside
// an argument), "" inside quotes is one literal quote, and backslashes are literal
// except before a quote (2n backslashes + quote: n backslashes and a delimiter; 2n+1:
// n backslashes and a literal quote). No shell is involved. Pure.
QStringList splitArgumentText(const QString& text);

// The text to put between the double quotes of an argument template so that
// splitArgumentText gives back exactly `value` (quotes and backslashes that would end
// the quoted part are escaped). Ordinary paths come back unchanged. Pure.
QString escapeInsideQuotes(const QString& value);

// `value` in double quotes, escaped as escapeInsideQuotes does: one argument of a template.
QString quotedArgument(const QString& value);

} // namespace vistarel::render
