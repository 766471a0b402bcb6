#pragma once

// The effect catalogue as a registry: every ordinal 0..250 with its family and parameters.

#include "render/transitions/families.h"

#include <memory>
#include <span>

namespace vistarel::render::transitions {

struct RegistryEntry
{
    int ordinal;
    EffectParams params;
};

// All entries, index = ordinal.
std::span<const RegistryEntry> registry();
// The parameters of an ordinal in 0..250.
const EffectParams& effectParams(int ordinal);
// A short upper-case family name ("WIPE") for tables and sheets.
const char* familyName(Family family);
// Prepares the effect of an ordinal in 0..250 for the context's pictures.
std::unique_ptr<Effect> createEffect(int ordinal, const EffectContext& context);

} // namespace vistarel::render::transitions
