#pragma once

// Helpers of the transition tests: generated pictures, frames, masks, comparisons.

#include "render/transitions/families.h"
#include "render/transitions/registry.h"
#include "render/transitions/transitionrun.h"

#include <QDir>
#include <QImage>
#include <QString>

#include <cstdint>
#include <cstring>
#include <vector>

namespace vistarel::render::transitions::test {

// Every channel of every pixel hashed from (x, y, seed) into [lo, hi].
inline QImage noisePicture(int w, int h, std::uint32_t seed, int lo, int hi)
{
    QImage image(w, h, QImage::Format_RGB888);
    for (int y = 0; y < h; ++y) {
        uchar* row = image.scanLine(y);
        for (int x = 0; x < 3 * w; ++x) {
            std::uint32_t v =
                std::uint32_t(x) * 0x9E3779B1u ^ std::uint32_t(y) * 0x85EBCA77u ^ seed;
            v ^= v >> 15;
            v *= 0x2C1B3C6Du;
            v ^= v >> 12;
            row[x] = uchar(lo + int(v % std::uint32_t(hi - lo + 1)));
        }
    }
    return image;
}

// A start and a target picture that differ in every channel of every pixel: the start
// below 128, the target above.
inline QImage startPicture(int w, int h)
{
    return noisePicture(w, h, 0x1234u, 0, 127);
}
inline QImage targetPicture(int w, int h)
{
    return noisePicture(w, h, 0xBEEFu, 128, 255);
}

inline QImage uniformPicture(int w, int h, int r, int g, int b)
{
    QImage image(w, h, QImage::Format_RGB888);
    image.fill(QColor(r, g, b));
    return image;
}

inline QImage frameOf(int ordinal, const QImage& a, const QImage& b, float progress,
                      const TransitionOptions& options = {})
{
    const TransitionRun run(ordinal, a, b, options);
    QImage out;
    run.render(progress, out);
    return out;
}

// Pixel bytes equal (row padding ignored).
inline bool samePixels(const QImage& l, const QImage& r)
{
    if (l.size() != r.size() || l.format() != r.format())
        return false;
    const std::size_t n = std::size_t(3) * std::size_t(l.width());
    for (int y = 0; y < l.height(); ++y) {
        if (std::memcmp(l.constScanLine(y), r.constScanLine(y), n) != 0)
            return false;
    }
    return true;
}

// 1 where the pixel equals the target picture's pixel, 0 where it equals the start
// picture's, 2 where it equals neither.
inline std::vector<std::uint8_t> layerMask(const QImage& frame, const QImage& a, const QImage& b)
{
    std::vector<std::uint8_t> mask;
    mask.reserve(std::size_t(frame.width()) * std::size_t(frame.height()));
    for (int y = 0; y < frame.height(); ++y) {
        const uchar* f = frame.constScanLine(y);
        const uchar* pa = a.constScanLine(y);
        const uchar* pb = b.constScanLine(y);
        for (int x = 0; x < frame.width(); ++x) {
            const bool isA = std::memcmp(f + 3 * x, pa + 3 * x, 3) == 0;
            const bool isB = std::memcmp(f + 3 * x, pb + 3 * x, 3) == 0;
            mask.push_back(isB ? 1 : (isA ? 0 : 2));
        }
    }
    return mask;
}

// The frame written beside the test's output for a person to look at.
inline QString keepForInspection(const QImage& image, const QString& name)
{
    const QString dir = QDir::temp().filePath(QStringLiteral("vistarel-transition-tests"));
    QDir().mkpath(dir);
    const QString path = QDir(dir).filePath(name + QStringLiteral(".png"));
    image.save(path);
    return path;
}

enum class ColourClass { InPlace, ColourPreserving, Foreign };

inline ColourClass colourClassOf(int ordinal)
{
    const EffectParams& p = effectParams(ordinal);
    switch (familyOf(p)) {
    case Family::Fade:
        return std::get<FadeParams>(p).mode == FadeMode::Cross ? ColourClass::InPlace
                                                               : ColourClass::Foreign;
    case Family::Cube:
        return std::get<CubeParams>(p).perspective ? ColourClass::Foreign
                                                   : ColourClass::ColourPreserving;
    case Family::Pacman:
        return ColourClass::Foreign;
    case Family::Slide:
    case Family::Scale:
    case Family::Bars:
    case Family::Roll:
    case Family::Flip:
    case Family::Twist:
    case Family::PanZoom:
        return ColourClass::ColourPreserving;
    default:
        return ColourClass::InPlace;
    }
}

// Effects that blend rather than switch pixels (cross-dissolve, soft wipes).
inline bool blends(int ordinal)
{
    const EffectParams& p = effectParams(ordinal);
    if (const auto* fade = std::get_if<FadeParams>(&p))
        return fade->mode == FadeMode::Cross;
    if (const auto* wipe = std::get_if<WipeParams>(&p))
        return wipe->profile == WipeProfile::Soft;
    return false;
}

} // namespace vistarel::render::transitions::test
