#pragma once

#include <QString>

#include <optional>

namespace vistarel::project {

// The transition effect catalogue: ordinals 0..250, each with its identifier (the value
// of a project file's "TransitionName"). 0 "iettNone" is no effect. The step-2 list
// offers 0..240; 241..250 only arrive through project files.
inline constexpr int kTransitionCount = 251;
inline constexpr int kLastListedTransition = 240;
inline constexpr int kFadeInTransition = 3;

// The identifier of an ordinal, empty outside 0..250.
QString transitionIdentifier(int ordinal);
// The ordinal of an identifier, compared without regard to letter case.
std::optional<int> transitionOrdinal(const QString& identifier);
// The text of the effect list: the identifier without its "iett" prefix.
QString transitionListName(int ordinal);

} // namespace vistarel::project
