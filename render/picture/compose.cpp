#include "render/picture/compose.h"

#include <QRect>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace vistarel::render {
namespace {

int roundHalfEven(double value)
{
    return int(std::nearbyint(value));
}

QImage blackFrame(int W, int H)
{
    QImage frame(W, H, QImage::Format_RGB888);
    frame.fill(Qt::black);
    return frame;
}

// Copies `picture` into `frame` with its top-left corner at (x, y), replacing the pixels
// there; whatever falls outside the frame is cut off.
void placeAt(QImage& frame, const QImage& picture, int x, int y)
{
    const QImage source = picture.convertToFormat(QImage::Format_RGB888);
    const QRect area = QRect(x, y, source.width(), source.height()) & frame.rect();
    if (area.isEmpty())
        return;
    for (int row = area.top(); row <= area.bottom(); ++row)
        std::memcpy(frame.scanLine(row) + 3 * area.left(),
                    source.constScanLine(row - y) + 3 * (area.left() - x),
                    std::size_t(3 * area.width()));
}

} // namespace

QSize fitDownSize(QSize picture, int W, int H)
{
    const int w = picture.width();
    const int h = picture.height();
    if (w <= 0 || h <= 0 || W <= 0 || H <= 0 || (w <= W && h <= H))
        return picture;
    const double s = std::min(double(W) / w, double(H) / h);
    // A sliver (say 10000 x 1 in a small frame) keeps at least one pixel.
    return {std::max(1, roundHalfEven(w * s)), std::max(1, roundHalfEven(h * s))};
}

void FitDown(QImage& bitmap, int W, int H, ResampleFilter filter)
{
    const QSize size = fitDownSize(bitmap.size(), W, H);
    if (size != bitmap.size())
        bitmap = resample(bitmap, size.width(), size.height(), filter);
}

void StretchTo(QImage& bitmap, int W, int H)
{
    // The linear filter maps a same-sized picture onto itself, so that case is skipped.
    if (bitmap.isNull() || W <= 0 || H <= 0 || bitmap.size() == QSize(W, H))
        return;
    bitmap = resample(bitmap, W, H, ResampleFilter::FastLinear);
}

void ComposeBlurredBackground(QImage& bitmap, int W, int H)
{
    const int w = bitmap.width();
    const int h = bitmap.height();
    if (w <= 0 || h <= 0 || W <= 0 || H <= 0 || (w == W && h == H))
        return;
    const double s = std::max(double(W) / w, double(H) / h);
    const int coverW = std::max(W, roundHalfEven(w * s));
    const int coverH = std::max(H, roundHalfEven(h * s));
    // Shrinking to a 24th and growing back is the blur: far cheaper than a true blur at
    // full size. Only the frame-sized middle of the grown copy is ever seen, so only that
    // part is computed; it fills the whole frame, so no black shows.
    const QImage small = resample(bitmap, std::max(2, coverW / 24), std::max(2, coverH / 24),
                                  ResampleFilter::Lanczos3);
    const QRect cut((coverW - W) / 2, (coverH - H) / 2, W, H);
    QImage frame = resampleRegion(small, coverW, coverH, cut, ResampleFilter::BSpline);
    placeAt(frame, bitmap, (W - w) / 2, (H - h) / 2);
    bitmap = std::move(frame);
}

void CenterOnBlack(QImage& bitmap, int W, int H)
{
    const int w = bitmap.width();
    const int h = bitmap.height();
    const int left = (W - w) / 2;
    const int top = (H - h) / 2;
    if (left < 0 || top < 0 || W <= 0 || H <= 0)
        return;
    if (w == W && h == H) {
        bitmap.convertTo(QImage::Format_RGB888);
        return;
    }
    QImage frame = blackFrame(W, H);
    if (!bitmap.isNull())
        placeAt(frame, bitmap, left, top);
    bitmap = std::move(frame);
}

void ComposeSlidePicture(QImage& bitmap, int W, int H, bool stretch, bool blur,
                         ResampleFilter filter)
{
    if (stretch)
        StretchTo(bitmap, W, H);
    else
        FitDown(bitmap, W, H, filter);
    if (blur)
        ComposeBlurredBackground(bitmap, W, H);
    else
        CenterOnBlack(bitmap, W, H);
    // A picture that could not be loaded is empty; the slide then shows a black frame
    // instead of handing an empty picture on to the encoder.
    if (bitmap.isNull() && W > 0 && H > 0)
        bitmap = blackFrame(W, H);
    else if (!bitmap.isNull())
        bitmap.convertTo(QImage::Format_RGB888);
}

} // namespace vistarel::render
