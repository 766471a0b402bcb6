#include "project/recordcreation.h"

#include "project/optionlists.h"
#include "project/slidelist.h"

namespace vistarel::project {

namespace {

const QString kTahoma = QStringLiteral("Tahoma");

TMyImageInfo& recordOrNew(SlideList& slides, int index, TMyImageInfo initial)
{
    if (!slides.settings(index))
        slides.setSettings(index, std::make_unique<TMyImageInfo>(std::move(initial)));
    return *slides.settings(index);
}

void applyAutomaticEffect(SlideList& slides, int index, int effect, int durationPosition)
{
    if (TMyImageInfo* record = slides.settings(index)) {
        record->Transition = effect;
        record->TransitionDuration = durationPosition;
        return;
    }
    TMyImageInfo fresh;
    fresh.Duration = kDefaultDurationPosition;
    fresh.Transition = effect;
    fresh.TransitionDuration = durationPosition;
    fresh.Stretch = false;
    fresh.Font = kTahoma;
    slides.setSettings(index, std::make_unique<TMyImageInfo>(std::move(fresh)));
}

} // namespace

std::unique_ptr<TMyImageInfo> newRecordForStep2Edit()
{
    auto record = std::make_unique<TMyImageInfo>();
    record->Duration = kDefaultDurationPosition;
    record->TransitionDuration = kDefaultTransitionDurationPosition;
    record->Font = kTahoma;
    record->FontColor = kWhite;
    record->FontSize = 1;
    return record;
}

void applyViewSettingsToAll(SlideList& slides, int durationPosition, bool stretch, bool blur)
{
    TMyImageInfo initial;
    initial.Transition = 0;
    initial.TransitionDuration = kDefaultTransitionDurationPosition;
    initial.Font = kTahoma;
    for (int i = 0; i < slides.count(); ++i) {
        TMyImageInfo& record = recordOrNew(slides, i, initial);
        record.Duration = durationPosition;
        record.Stretch = stretch;
        record.BlurBackground = blur;
    }
}

void applyEffectSettingsToAll(SlideList& slides, int transition, int transitionDurationPosition)
{
    TMyImageInfo initial;
    initial.Duration = kDefaultDurationPosition;
    initial.Stretch = false;
    initial.Font = kTahoma;
    for (int i = 0; i < slides.count(); ++i) {
        TMyImageInfo& record = recordOrNew(slides, i, initial);
        record.Transition = transition;
        record.TransitionDuration = transitionDurationPosition;
    }
}

void applyAutomaticEffects(SlideList& slides, AutoEffectTarget target, int currentIndex,
                           int transitionDurationPosition, const std::function<int()>& pickEffect)
{
    if (target == AutoEffectTarget::CurrentSlide) {
        if (currentIndex >= 0 && currentIndex < slides.count())
            applyAutomaticEffect(slides, currentIndex, pickEffect(), transitionDurationPosition);
        return;
    }
    for (int i = 0; i < slides.count(); ++i) {
        const int effect = pickEffect();
        const TMyImageInfo* record = slides.settings(i);
        if (target == AutoEffectTarget::SlidesWithoutEffect && record && record->Transition != 0)
            continue;
        applyAutomaticEffect(slides, i, effect, transitionDurationPosition);
    }
}

} // namespace vistarel::project
