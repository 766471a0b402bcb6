#pragma once

#include <QString>

#include <optional>
#include <vector>

namespace vistarel::render::transitions {

// Reads a list of effects such as "1-20,117,CircularWipeFromCenter,iettPanZoom": ordinals,
// ranges of ordinals and identifiers with or without their "iett" prefix, separated by
// commas, in the given order. Returns nullopt and names the bad item in error when an item
// is not an effect of the catalogue.
std::optional<std::vector<int>> parseEffectList(const QString& text, QString* error = nullptr);

} // namespace vistarel::render::transitions
