// SHAPE: a figure of the target growing from its anchor (out), a figure of the start
// picture shrinking onto it (in), or both at once meeting halfway (inout).
#include "render/transitions/compose.h"
#include "render/transitions/families.h"
#include "render/transitions/geometry.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace vistarel::render::transitions {

namespace {

struct AnchorGeometry
{
    double px;
    double py;
    double ex;
    double ey;
    double radius; // R_P
};

AnchorGeometry anchorAt(double px, double py, int w, int h)
{
    const double ex = std::max(px, w - px);
    const double ey = std::max(py, h - py);
    return {px, py, ex, ey, std::sqrt(ex * ex + ey * ey)};
}

const std::vector<Point> kUnitSquare{{-1, -1}, {1, -1}, {1, 1}, {-1, 1}};

class ShapeEffect final : public Effect
{
public:
    ShapeEffect(const ShapeParams& p, const Pictures& pictures);
    void render(double t, const Canvas& out) const override;

private:
    // The figure of anchor k at scale s; polygon vertices go into vertices.
    Figure figureAt(std::size_t k, double s, double angle, std::vector<Point>& vertices) const;
    double spinAngle(double t) const;

    Pictures m_pics;
    ShapeParams m_p;
    std::vector<AnchorGeometry> m_anchors;
    double m_sMax = 1.0;
    double m_reach = 1.0;
    bool m_spunRect = false;
};

ShapeEffect::ShapeEffect(const ShapeParams& p, const Pictures& pictures)
    : m_pics(pictures)
    , m_p(p)
{
    const int w = pictures.w;
    const int h = pictures.h;
    switch (p.anchor) {
    case Anchor::Centre:
        m_anchors = {anchorAt(w / 2.0, h / 2.0, w, h)};
        break;
    case Anchor::TopLeft:
        m_anchors = {anchorAt(0, 0, w, h)};
        break;
    case Anchor::TopRight:
        m_anchors = {anchorAt(w, 0, w, h)};
        break;
    case Anchor::BottomLeft:
        m_anchors = {anchorAt(0, h, w, h)};
        break;
    case Anchor::BottomRight:
        m_anchors = {anchorAt(w, h, w, h)};
        break;
    case Anchor::FourCorners:
        m_anchors = {anchorAt(0, 0, w, h), anchorAt(w, 0, w, h), anchorAt(0, h, w, h),
                     anchorAt(w, h, w, h)};
        m_reach = 0.5;
        break;
    }
    m_spunRect = p.shape == ShapeKind::Rect && p.spin != Spin::None;
    if (p.space == ShapeSpace::Frame)
        m_sMax = p.shape == ShapeKind::Diamond ? 2.0 : 1.0;
    else
        m_sMax = 1.0 / shapeInnerRadius(p.shape);
}

double ShapeEffect::spinAngle(double t) const
{
    if (m_p.spin == Spin::None)
        return 0.0;
    const double full = m_spunRect ? std::numbers::pi / 2.0 : std::numbers::pi;
    return (m_p.spin == Spin::Clockwise ? -1.0 : 1.0) * (1.0 - t) * full;
}

Figure ShapeEffect::figureAt(std::size_t k, double s, double angle,
                             std::vector<Point>& vertices) const
{
    const AnchorGeometry& g = m_anchors[k];
    Figure f;
    f.cx = g.px;
    f.cy = g.py;
    if (m_spunRect) {
        // The turning rectangle lives in pixels: half extents s * W/2 and s * H/2.
        placeOutline(kUnitSquare, g.px, g.py, s * m_pics.w / 2.0, s * m_pics.h / 2.0, angle,
                     vertices);
        f.kind = Figure::Kind::Polygon;
    } else if (m_p.shape == ShapeKind::Rect) {
        f.kind = Figure::Kind::Box;
        f.ax = s * g.ex;
        f.ay = s * g.ey;
        return f;
    } else if (m_p.shape == ShapeKind::Diamond) {
        // |dx| / ex + |dy| / ey < s, multiplied out.
        f.kind = Figure::Kind::Diamond;
        f.ax = g.ey;
        f.ay = g.ex;
        f.c = s * g.ex * g.ey;
        return f;
    } else if (m_p.shape == ShapeKind::Circle) {
        // |d| / R < s, squared.
        f.kind = Figure::Kind::Circle;
        f.c = s * s * (g.ex * g.ex + g.ey * g.ey);
        return f;
    } else {
        placeOutline(shapeOutline(m_p.shape), g.px, g.py, s * g.radius, s * g.radius, angle,
                     vertices);
        f.kind = Figure::Kind::Polygon;
    }
    f.vertices = vertices.data();
    f.count = int(vertices.size());
    return f;
}

void ShapeEffect::render(double t, const Canvas& out) const
{
    // Up to two figures per anchor: the growing one (B inside) and the closing one (B
    // outside).
    thread_local std::vector<std::vector<Point>> vertexBuffers;
    vertexBuffers.resize(2 * m_anchors.size());
    thread_local std::vector<Figure> grow;
    thread_local std::vector<Figure> close;
    grow.clear();
    close.clear();
    const double angle = spinAngle(t);
    for (std::size_t k = 0; k < m_anchors.size(); ++k) {
        switch (m_p.mode) {
        case ShapeMode::Out:
            grow.push_back(figureAt(k, m_reach * t * m_sMax, angle, vertexBuffers[2 * k]));
            break;
        case ShapeMode::In:
            close.push_back(figureAt(k, (1.0 - t) * m_sMax, angle, vertexBuffers[2 * k + 1]));
            break;
        case ShapeMode::InOut:
            grow.push_back(figureAt(k, 0.5 * t * m_sMax, angle, vertexBuffers[2 * k]));
            close.push_back(figureAt(k, (1.0 - 0.5 * t) * m_sMax, angle, vertexBuffers[2 * k + 1]));
            break;
        }
    }
    SpanList& spans = scratch<Span>(0);
    SpanList& closing = scratch<Span, 1>(0);
    for (int y = 0; y < out.h; ++y) {
        spans.clear();
        for (const Figure& f : grow)
            f.rowSpans(y, out.w, spans);
        if (!close.empty()) {
            closing.clear();
            for (const Figure& f : close)
                f.rowSpans(y, out.w, closing);
            normalizeSpans(closing, out.w);
            complementSpans(closing, out.w);
            spans.insert(spans.end(), closing.begin(), closing.end());
        }
        normalizeSpans(spans, out.w);
        composeSpans(out.row(y), m_pics.rowA(y), m_pics.rowB(y), out.w, spans);
    }
}

} // namespace

std::unique_ptr<Effect> makeEffect(const ShapeParams& params, const EffectContext& context)
{
    return std::make_unique<ShapeEffect>(params, context.pictures);
}

} // namespace vistarel::render::transitions
