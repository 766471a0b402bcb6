#pragma once

#include "project/myimageinfo.h"

#include <QString>

#include <cstdint>
#include <optional>

namespace vistarel::project {

// The value syntaxes of project files.

// Integers: decimal with an optional sign, or "$" / "0x" followed by up to eight
// hexadecimal digits (taken as the 32-bit pattern, so "$FFFFFFFF" is -1). Anything
// else, and decimals outside the 32-bit range, give nullopt.
std::optional<std::int32_t> parseProjectInteger(const QString& text);

// Booleans: "True"/"False" in any letter case, or an integer (non-zero is true); any
// other text is false.
bool parseProjectBoolean(const QString& text);
QString formatProjectBoolean(bool value); // "True" / "False"

// Colours: a name of the colour table (clRed, ...; any letter case) or an integer.
std::optional<Colour> parseProjectColour(const QString& text);
// The table's name for the value, else "$" and eight upper-case hexadecimal digits.
QString formatProjectColour(Colour value);

} // namespace vistarel::project
