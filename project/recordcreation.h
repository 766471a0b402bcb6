#pragma once

#include "project/myimageinfo.h"

#include <functional>
#include <memory>

namespace vistarel::project {

class SlideList;

// The ways a slide gets its settings record, each with the values it starts from.
// Records made by the apply-to-all and automatic paths keep FontColor and FontSize 0;
// that is visible only in saved project files.

// A step-2 edit of a slide without record: Duration 4, TransitionDuration 2, Font
// "Tahoma", FontColor white, FontSize 1. The editor then stores its controls' values.
std::unique_ptr<TMyImageInfo> newRecordForStep2Edit();

// "Apply the view settings to all slides": slides without record get one (Transition 0,
// TransitionDuration 2, Font "Tahoma"); then every slide takes the three values.
void applyViewSettingsToAll(SlideList& slides, int durationPosition, bool stretch, bool blur);

// "Apply the effect settings to all slides": slides without record get one (Duration 4,
// Stretch false, Font "Tahoma"); then every slide takes the effect and its duration.
void applyEffectSettingsToAll(SlideList& slides, int transition, int transitionDurationPosition);

enum class AutoEffectTarget { AllSlides = 0, SlidesWithoutEffect = 1, CurrentSlide = 2 };

// Automatic effects. pickEffect draws one effect ordinal; it is called once per slide
// of the target (for "slides without effect" also for slides that keep theirs). A slide
// that has a record gets the effect and the duration position; one without gets a new
// record (Duration 4, the effect, the duration position, Stretch false, Font "Tahoma").
void applyAutomaticEffects(SlideList& slides, AutoEffectTarget target, int currentIndex,
                           int transitionDurationPosition, const std::function<int()>& pickEffect);

} // namespace vistarel::project
