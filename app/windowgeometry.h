#pragma once

#include <QRect>

namespace vistarel::app {

// The window's own maximised state. Entering remembers the current bounds and fills the
// work area; leaving returns to the remembered bounds. The state is read from the size
// alone: a window exactly as large as the work area counts as maximised.
struct MaximizeStep
{
    bool maximized = false;
    QRect bounds;     // the window's new bounds
    QRect remembered; // LastWindowLeft/Top/Width/Height after the step
};

// A window that started maximised has nothing remembered yet (an empty rectangle); it
// then returns to the design size centred on the work area.
MaximizeStep toggleOwnMaximized(const QRect& current, const QRect& workArea,
                                const QRect& remembered, const QSize& designSize);

// The window moved as little as needed to lie fully inside area (its size unchanged;
// a window larger than area keeps its top-left corner at the area's).
QRect moveIntoArea(const QRect& window, const QRect& area);

// Stored sizes are device pixels at SavedPPI; Qt works in device-independent pixels.
// The pixels per inch of a screen with the given device pixel ratio.
int pixelsPerInch(double devicePixelRatio);
int toDevicePixels(int logical, double devicePixelRatio);
int toLogicalPixels(int device, double devicePixelRatio);

} // namespace vistarel::app
