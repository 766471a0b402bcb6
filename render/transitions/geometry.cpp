#include "render/transitions/geometry.h"
#include "render/transitions/effect.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace vistarel::render::transitions {

namespace {

using std::numbers::pi;

std::vector<Point> starOutline(int tips, double inner, double firstDegrees)
{
    std::vector<Point> v;
    for (int k = 0; k < 2 * tips; ++k) {
        const double a = (firstDegrees + k * 180.0 / tips) * pi / 180.0;
        const double r = k % 2 == 0 ? 1.0 : inner;
        v.push_back({r * std::cos(a), r * std::sin(a)});
    }
    return v;
}

std::vector<Point> explosionOutline()
{
    static constexpr std::array<double, 4> kTips{1.0, 0.78, 0.92, 0.70};
    std::vector<Point> v;
    for (int k = 0; k < 12; ++k) {
        const double tip = (-90.0 + 30.0 * k) * pi / 180.0;
        const double notch = (-75.0 + 30.0 * k) * pi / 180.0;
        const double r = kTips[std::size_t(k % 4)];
        v.push_back({r * std::cos(tip), r * std::sin(tip)});
        v.push_back({0.5 * std::cos(notch), 0.5 * std::sin(notch)});
    }
    return v;
}

std::vector<Point> heartOutline()
{
    std::vector<Point> v;
    for (int k = 0; k < 64; ++k) {
        const double a = 2.0 * pi * k / 64.0;
        const double s = std::sin(a);
        v.push_back({16.0 * s * s * s / 17.0, (-13.0 * std::cos(a) + 5.0 * std::cos(2 * a) +
                                               2.0 * std::cos(3 * a) + std::cos(4 * a)) /
                                                  17.0});
    }
    return v;
}

const std::vector<Point> kPlus{{-.3, -1}, {.3, -1}, {.3, -.3}, {1, -.3}, {1, .3},   {.3, .3},
                               {.3, 1},   {-.3, 1}, {-.3, .3}, {-1, .3}, {-1, -.3}, {-.3, -.3}};

std::vector<Point> turned(const std::vector<Point>& outline, double degrees)
{
    const double a = degrees * pi / 180.0;
    std::vector<Point> v;
    for (const Point& p : outline)
        v.push_back({p.x * std::cos(a) - p.y * std::sin(a), p.x * std::sin(a) + p.y * std::cos(a)});
    return v;
}

double segmentDistance(Point p, Point q)
{
    const double dx = q.x - p.x;
    const double dy = q.y - p.y;
    const double len2 = dx * dx + dy * dy;
    const double s = len2 > 0.0 ? std::clamp(-(p.x * dx + p.y * dy) / len2, 0.0, 1.0) : 0.0;
    return std::hypot(p.x + s * dx, p.y + s * dy);
}

void polygonCrossings(const Point* v, int n, double yc, std::vector<double>& xs)
{
    for (int i = 0, j = n - 1; i < n; j = i++) {
        const Point& p = v[j];
        const Point& q = v[i];
        if ((p.y <= yc) != (q.y <= yc))
            xs.push_back(p.x + (yc - p.y) * (q.x - p.x) / (q.y - p.y));
    }
}

// Widens or narrows the candidate span [a, b) of a row until it holds exactly the pixels
// that pass the inside test: the analytic candidate may be off by rounding.
void refineSpan(const Figure& f, double yc, int w, int a, int b, SpanList& spans)
{
    a = std::clamp(a, 0, w);
    b = std::clamp(b, a, w);
    auto in = [&](int x) { return f.contains(x + 0.5, yc); };
    if (a == b) {
        if (a < w && in(a))
            b = a + 1;
        else if (a > 0 && in(a - 1))
            b = a--;
        else
            return;
    }
    while (a > 0 && in(a - 1))
        --a;
    while (a < b && !in(a))
        ++a;
    while (b < w && in(b))
        ++b;
    while (b > a && !in(b - 1))
        --b;
    if (b > a)
        spans.push_back({a, b});
}

} // namespace

const std::vector<Point>& shapeOutline(ShapeKind kind)
{
    static const std::vector<Point> kNone;
    static const std::vector<Point> kTriangle{{0, -1}, {0.866, 0.5}, {-0.866, 0.5}};
    static const std::vector<Point> kStar5 = starOutline(5, 0.382, -90.0);
    static const std::vector<Point> kStar6 = starOutline(6, 0.577, -90.0);
    static const std::vector<Point> kExplosion = explosionOutline();
    static const std::vector<Point> kHeart = heartOutline();
    static const std::vector<Point> kX = turned(kPlus, 45.0);
    static const std::vector<Point> kBolt{{-.20, -1.04}, {.45, -1.04}, {.15, -.14}, {.50, -.14},
                                          {-.40, .96},   {-.15, .16},  {-.55, .16}};
    switch (kind) {
    case ShapeKind::Triangle:
        return kTriangle;
    case ShapeKind::Star5:
        return kStar5;
    case ShapeKind::Star6:
        return kStar6;
    case ShapeKind::Explosion:
        return kExplosion;
    case ShapeKind::Heart:
        return kHeart;
    case ShapeKind::Plus:
        return kPlus;
    case ShapeKind::X:
        return kX;
    case ShapeKind::Bolt:
        return kBolt;
    case ShapeKind::Rect:
    case ShapeKind::Diamond:
    case ShapeKind::Circle:
        break;
    }
    return kNone;
}

double shapeInnerRadius(ShapeKind kind)
{
    switch (kind) {
    case ShapeKind::Rect:
    case ShapeKind::Circle:
        return 1.0;
    case ShapeKind::Diamond:
        return std::sqrt(0.5);
    default:
        break;
    }
    const std::vector<Point>& v = shapeOutline(kind);
    double r = 1e9;
    for (std::size_t i = 0; i < v.size(); ++i)
        r = std::min(r, segmentDistance(v[i], v[(i + 1) % v.size()]));
    return r;
}

void placeOutline(const std::vector<Point>& outline, double cx, double cy, double sx, double sy,
                  double angle, std::vector<Point>& out)
{
    const double c = std::cos(angle);
    const double s = std::sin(angle);
    out.resize(outline.size());
    for (std::size_t i = 0; i < outline.size(); ++i) {
        const double x = sx * outline[i].x;
        const double y = sy * outline[i].y;
        out[i] = {cx + x * c - y * s, cy + x * s + y * c};
    }
}

bool Figure::contains(double xc, double yc) const
{
    const double dx = std::fabs(xc - cx);
    const double dy = std::fabs(yc - cy);
    switch (kind) {
    case Kind::Box:
        return dx < ax && dy < ay;
    case Kind::Diamond:
        return dx * ax + dy * ay < c;
    case Kind::Circle:
        return dx * dx + dy * dy < c;
    case Kind::CornerBox: {
        const double u = fromLeft ? xc - x0 : x1 - xc;
        const double v = fromTop ? yc - y0 : y1 - yc;
        return u >= 0.0 && u < ax && v >= 0.0 && v < ay;
    }
    case Kind::Polygon: {
        std::vector<double>& xs = scratch<double, 1>(0);
        xs.clear();
        polygonCrossings(vertices, count, yc, xs);
        int left = 0;
        for (double x : xs)
            left += x < xc ? 1 : 0;
        return left % 2 == 1;
    }
    }
    return false;
}

void Figure::rowSpans(int y, int w, SpanList& spans) const
{
    const double yc = y + 0.5;
    const double dy = std::fabs(yc - cy);
    switch (kind) {
    case Kind::Box:
        if (dy < ay)
            refineSpan(*this, yc, w, firstCentreAfter(cx - ax, w), firstCentreAtOrAfter(cx + ax, w),
                       spans);
        return;
    case Kind::Diamond: {
        const double rest = c - dy * ay;
        if (rest > 0.0) {
            const double half = rest / ax;
            refineSpan(*this, yc, w, firstCentreAfter(cx - half, w),
                       firstCentreAtOrAfter(cx + half, w), spans);
        }
        return;
    }
    case Kind::Circle: {
        const double q = c - dy * dy;
        if (q > 0.0) {
            const double half = std::sqrt(q);
            refineSpan(*this, yc, w, firstCentreAfter(cx - half, w),
                       firstCentreAtOrAfter(cx + half, w), spans);
        }
        return;
    }
    case Kind::CornerBox: {
        const double v = fromTop ? yc - y0 : y1 - yc;
        if (v >= 0.0 && v < ay) {
            const double lo = fromLeft ? x0 : x1 - ax;
            const double hi = fromLeft ? x0 + ax : x1;
            refineSpan(*this, yc, w, firstCentreAfter(lo, w) - 1, firstCentreAtOrAfter(hi, w),
                       spans);
        }
        return;
    }
    case Kind::Polygon: {
        std::vector<double>& xs = scratch<double, 1>(0);
        xs.clear();
        polygonCrossings(vertices, count, yc, xs);
        std::sort(xs.begin(), xs.end());
        // Inside means an odd number of crossings left of the centre: (x0, x1], (x2, x3], ...
        for (std::size_t k = 0; k + 1 < xs.size(); k += 2) {
            const int a = firstCentreAfter(xs[k], w);
            const int b = firstCentreAfter(xs[k + 1], w);
            if (b > a)
                spans.push_back({a, b});
        }
        return;
    }
    }
}

void Figure::rowRange(int h, int& top, int& bottom) const
{
    double lo = 0.0;
    double hi = 0.0;
    switch (kind) {
    case Kind::Box:
        lo = cy - ay;
        hi = cy + ay;
        break;
    case Kind::Diamond:
        lo = cy - c / ay;
        hi = cy + c / ay;
        break;
    case Kind::Circle:
        lo = cy - std::sqrt(c);
        hi = cy + std::sqrt(c);
        break;
    case Kind::CornerBox:
        lo = y0 - 1.0;
        hi = y1 + 1.0;
        break;
    case Kind::Polygon:
        lo = hi = count > 0 ? vertices[0].y : 0.0;
        for (int i = 1; i < count; ++i) {
            lo = std::min(lo, vertices[i].y);
            hi = std::max(hi, vertices[i].y);
        }
        break;
    }
    // One pixel of slack on each side keeps rounding at the extremes harmless.
    top = std::isfinite(lo) ? int(std::clamp(std::floor(lo) - 1.0, 0.0, double(h))) : 0;
    bottom = std::isfinite(hi) ? int(std::clamp(std::ceil(hi) + 1.0, 0.0, double(h))) : h;
}

} // namespace vistarel::render::transitions
