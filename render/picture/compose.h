#pragma once

#include "render/picture/resample.h"

#include <QImage>
#include <QSize>

namespace vistarel::render {

// Composition of a slide's picture into a W x H frame. All operations work in place on a
// 24-bit picture (the result is Format_RGB888), run on the caller's thread and never fail;
// a null picture counts as one of size 0 x 0.

// The size FitDown gives a w x h picture in a W x H frame: unchanged when it fits (or is
// empty), otherwise scaled by the smaller of W / w and H / h, rounded half to even (at
// least 1 x 1).
QSize fitDownSize(QSize picture, int W, int H);

// Shrinks the picture to fit inside W x H keeping its proportions; never enlarges.
void FitDown(QImage& bitmap, int W, int H, ResampleFilter filter);
// Scales the picture to exactly W x H (fast linear), ignoring its proportions.
void StretchTo(QImage& bitmap, int W, int H);
// Puts the (fitted) picture, centred and unblended, over a blurred copy of itself that
// covers the W x H frame. Leaves empty and exactly frame-sized pictures unchanged.
void ComposeBlurredBackground(QImage& bitmap, int W, int H);
// Centres the picture on a black W x H frame; the odd pixel of a surplus goes to the
// right and the bottom. A picture wider or taller than the frame is left unchanged.
void CenterOnBlack(QImage& bitmap, int W, int H);
// The fixed sequence for a slide: stretch or fit (with `filter`), then blurred background
// or black bars. The result is always a W x H frame (an empty picture gives a black one).
void ComposeSlidePicture(QImage& bitmap, int W, int H, bool stretch, bool blur,
                         ResampleFilter filter);

} // namespace vistarel::render
