// Sweeps against the exact angle of every pixel: the effects keep a float angle per pixel,
// so only pixels within a thousandth of a degree of an edge may differ.
#include "transitiontestutil.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

using namespace vistarel::render::transitions;
using namespace vistarel::render::transitions::test;
using std::numbers::pi;

TEST(MaskReferences, SweepsMatchTheExactAngleAwayFromTheEdge)
{
    struct Sweep
    {
        int ordinal;
        double px, py; // pivot as a share of the frame
        double startX, startY;
        bool ccw;
        int blades; // 1 full turn, 2 fan, 8 burst, 0 half turn
        bool reach;
    };
    const int w = 320;
    const int h = 180;
    const std::vector<Sweep> sweeps{{137, 0.5, 0.5, -w / 2.0, -h / 2.0, false, 2, false},
                                    {138, 0.5, 0.5, w / 2.0, -h / 2.0, true, 2, false},
                                    {139, 0.5, 1.0, -1, 0, false, 0, false},
                                    {140, 0.5, 1.0, 1, 0, true, 0, false},
                                    {141, 0.5, 0.5, 0, -1, false, 8, false},
                                    {142, 0.5, 0.5, 0, -1, true, 8, false},
                                    {235, 0.5, 0.5, 0, -1, false, 1, false},
                                    {236, 0.5, 0.5, 0, -1, false, 1, true}};
    const QImage a = startPicture(w, h);
    const QImage b = targetPicture(w, h);
    const double tolerance = 1e-3 * pi / 180.0;
    for (const Sweep& s : sweeps) {
        for (float p : {10.0f, 25.0f, 50.0f, 77.0f}) {
            const double t = p / 100.0;
            const auto mask = layerMask(frameOf(s.ordinal, a, b, p), a, b);
            const double wedge = s.blades == 0 ? pi : 2.0 * pi / s.blades;
            for (int y = 0; y < h; ++y) {
                for (int x = 0; x < w; ++x) {
                    const double dx = x + 0.5 - s.px * w;
                    const double dy = y + 0.5 - s.py * h;
                    double phi = std::atan2(dy, dx) - std::atan2(s.startY, s.startX);
                    phi = std::fmod(s.ccw ? -phi : phi, 2.0 * pi);
                    if (phi < 0)
                        phi += 2.0 * pi;
                    const double within = std::fmod(phi, wedge);
                    bool target = within < wedge * t;
                    double margin = std::fabs(within - wedge * t);
                    if (s.reach) {
                        const double r = std::hypot(dx, dy) / (0.5 * std::hypot(w, h));
                        target = target && r < t;
                        margin = std::min(margin, std::fabs(r - t));
                    }
                    if (margin < tolerance || std::fabs(within) < tolerance ||
                        std::fabs(within - wedge) < tolerance)
                        continue;
                    ASSERT_EQ(mask[std::size_t(y) * w + std::size_t(x)], target ? 1 : 0)
                        << "effect " << s.ordinal << " p=" << p << " pixel " << x << "," << y;
                }
            }
        }
    }
}
