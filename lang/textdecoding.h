#pragma once

#include <QByteArray>
#include <QString>

namespace vistarel::lang {

// Decodes the bytes of a settings-like text file: a UTF-8 or UTF-16 byte-order mark
// selects that encoding; without one the text is read as UTF-8, and as Latin-1 when
// it is not valid UTF-8 (files written by older programs in an 8-bit code page).
QString decodeTextFile(const QByteArray& bytes);

} // namespace vistarel::lang
