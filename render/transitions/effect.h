#pragma once

// Internal building blocks shared by the effect families: the prepared picture pair, the
// output canvas, the effect interface, orientations and the rounding helpers.

#include <QImage>
#include <QString>

#include <cmath>
#include <cstdint>

namespace vistarel::render::transitions {

enum class Layer : std::uint8_t { A, B };

// The start (A) and target (B) pictures of a run: both W x H, Format_RGB888. The row
// pointers are taken once; the images keep the pixels alive and are never written.
struct Pictures
{
    QImage a;
    QImage b;
    int w = 0;
    int h = 0;
    const uchar* bitsA = nullptr;
    const uchar* bitsB = nullptr;
    qsizetype strideA = 0;
    qsizetype strideB = 0;

    Pictures() = default;
    Pictures(const QImage& start, const QImage& target)
        : a(start)
        , b(target)
        , w(start.width())
        , h(start.height())
        , bitsA(a.constBits())
        , bitsB(b.constBits())
        , strideA(a.bytesPerLine())
        , strideB(b.bytesPerLine())
    {
    }

    const uchar* row(Layer layer, int y) const { return layer == Layer::A ? rowA(y) : rowB(y); }
    const uchar* rowA(int y) const { return bitsA + y * strideA; }
    const uchar* rowB(int y) const { return bitsB + y * strideB; }
};

// The frame being drawn: W x H, 3 bytes per pixel, rows stride bytes apart.
struct Canvas
{
    uchar* bits = nullptr;
    qsizetype stride = 0;
    int w = 0;
    int h = 0;

    uchar* row(int y) const { return bits + y * stride; }
};

// What a family needs besides its parameters.
struct EffectContext
{
    Pictures pictures;
    std::uint64_t seed = 0;
    QString word;
};

// One prepared effect. render() draws the frame at 0 < t < 1; it must be a pure function
// of the prepared state and t, safe to call from several threads at once.
class Effect
{
public:
    virtual ~Effect() = default;
    virtual void render(double t, const Canvas& out) const = 0;
};

// Derived orientations of a family's base case. The output pixel (x, y) is first mirrored
// (x -> W-1-x, y -> H-1-y) as flagged, then, when transposed, its coordinates swap: the
// base frame is H x W and base (x', y') = (y~, x~).
struct Orientation
{
    bool mirrorX = false;
    bool mirrorY = false;
    bool transpose = false;

    int baseW(int w, int h) const { return transpose ? h : w; }
    int baseH(int w, int h) const { return transpose ? w : h; }
    // Whether the output axis carrying base x (respectively base y) runs mirrored.
    bool baseXMirrored() const { return transpose ? mirrorY : mirrorX; }
    bool baseYMirrored() const { return transpose ? mirrorX : mirrorY; }
};

inline constexpr Orientation kBaseOrientation{};
inline constexpr Orientation kMirrorX{true, false, false};
inline constexpr Orientation kMirrorY{false, true, false};
inline constexpr Orientation kMirrorXY{true, true, false};
inline constexpr Orientation kTranspose{false, false, true};
inline constexpr Orientation kTransposeMirrorY{false, true, true};

// The project-wide rounding: nearest integer, ties to even. Adding and removing 1.5 * 2^52
// rounds exactly that way in the default rounding mode and, unlike nearbyint, is inlined.
inline int rnd(double v)
{
    constexpr double kShift = 0x1.8p52;
    if (std::fabs(v) < 0x1p51)
        return int((v + kShift) - kShift);
    return int(std::nearbyint(v));
}

inline double clamp01(double v)
{
    return v < 0.0 ? 0.0 : (v > 1.0 ? 1.0 : v);
}

// Blend weight for mixing two pictures: rnd(256 * alpha), alpha clamped to [0, 1].
inline int mixWeight(double alpha)
{
    return rnd(256.0 * clamp01(alpha));
}

// The first pixel index x in [0, n] whose centre x + 0.5 is >= v (n if none).
int firstCentreAtOrAfter(double v, int n);
// The first pixel index x in [0, n] whose centre x + 0.5 is > v (n if none).
int firstCentreAfter(double v, int n);

} // namespace vistarel::render::transitions
