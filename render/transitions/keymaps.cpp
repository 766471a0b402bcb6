#include "render/transitions/keymaps.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace vistarel::render::transitions {

namespace {

using std::numbers::pi;

// atan2 to within 2e-6 radians (a polynomial on one octant): the key map is built once per
// run, and the exact library call would dominate its cost. Edges land within a hundredth of
// a pixel of the exact ones.
double approxAtan2(double y, double x)
{
    const double ax = std::fabs(x);
    const double ay = std::fabs(y);
    if (ax == 0.0 && ay == 0.0)
        return 0.0;
    const bool steep = ay > ax;
    const double z = steep ? ax / ay : ay / ax;
    const double z2 = z * z;
    double a =
        z * (0.99997726 +
             z2 * (-0.33262347 +
                   z2 * (0.19354346 + z2 * (-0.11643287 + z2 * (0.05265332 + z2 * -0.01172120)))));
    if (steep)
        a = pi / 2.0 - a;
    if (x < 0.0)
        a = pi - a;
    return y < 0.0 ? -a : a;
}

double fraction(double v)
{
    return v - std::floor(v);
}

struct Pivot
{
    double px;
    double py;
    double startAngle;
};

Pivot sweepPivot(SweepKind kind, SweepStart start, int w, int h)
{
    const double px = w / 2.0;
    const double py = kind == SweepKind::Half ? double(h) : h / 2.0;
    double dx = 0.0;
    double dy = -1.0;
    switch (start) {
    case SweepStart::TowardsTopLeft:
        dx = -w / 2.0;
        dy = -h / 2.0;
        break;
    case SweepStart::TowardsTopRight:
        dx = w / 2.0;
        dy = -h / 2.0;
        break;
    case SweepStart::Left:
        dx = -1.0, dy = 0.0;
        break;
    case SweepStart::Right:
        dx = 1.0, dy = 0.0;
        break;
    case SweepStart::Up:
        break;
    }
    return {px, py, std::atan2(dy, dx)};
}

} // namespace

std::vector<float> sweepKeys(SweepKind kind, SweepStart start, bool counterClockwise, int w, int h)
{
    const Pivot pivot = sweepPivot(kind, start, w, h);
    const double reach = 0.5 * std::sqrt(double(w) * w + double(h) * h);
    std::vector<float> keys(std::size_t(w) * std::size_t(h));
    for (int y = 0; y < h; ++y) {
        const double dy = y + 0.5 - pivot.py;
        for (int x = 0; x < w; ++x) {
            const double dx = x + 0.5 - pivot.px;
            double phi = approxAtan2(dy, dx) - pivot.startAngle;
            if (counterClockwise)
                phi = -phi;
            // Both angles lie in [-pi, pi], so the difference needs one turn at most.
            if (phi < 0.0)
                phi += 2.0 * pi;
            if (phi >= 2.0 * pi)
                phi -= 2.0 * pi;
            double key = 0.0;
            switch (kind) {
            case SweepKind::Full:
                key = phi / (2.0 * pi);
                break;
            case SweepKind::Half:
                key = phi / pi;
                break;
            case SweepKind::Fan:
                key = fraction(phi / pi);
                break;
            case SweepKind::Burst:
                key = fraction(phi / (pi / 4.0));
                break;
            case SweepKind::FullReach:
                key = std::max(phi / (2.0 * pi), std::sqrt(dx * dx + dy * dy) / reach);
                break;
            }
            keys[std::size_t(y) * std::size_t(w) + std::size_t(x)] = float(std::min(key, 1.0));
        }
    }
    return keys;
}

float floatThreshold(double t)
{
    float f = float(t);
    if (double(f) < t)
        f = std::nextafter(f, 2.0f);
    return f;
}

void keyMask(const float* keys, float threshold, std::uint8_t* mask, int n)
{
    for (int i = 0; i < n; ++i)
        mask[i] = keys[i] < threshold;
}

} // namespace vistarel::render::transitions
