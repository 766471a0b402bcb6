#pragma once

// Figures drawn as row spans: boxes, diamonds, ellipses, corner boxes and polygons, with
// the unit outlines of the named shapes. Every figure has one inside test, evaluated at
// pixel centres; its spans are exactly the pixels that pass it.

#include "render/transitions/compose.h"

#include <vector>

namespace vistarel::render::transitions {

struct Point
{
    double x;
    double y;
};

enum class ShapeKind {
    Rect,
    Diamond,
    Circle,
    Triangle,
    Star5,
    Star6,
    Explosion,
    Heart,
    Plus,
    X,
    Bolt
};

// The unit outline of a polygonal shape (origin at its anchor, y down); empty for rect,
// diamond and circle.
const std::vector<Point>& shapeOutline(ShapeKind kind);
// The distance from the origin to the nearest point of the outline.
double shapeInnerRadius(ShapeKind kind);

struct Figure
{
    enum class Kind { Box, Diamond, Circle, CornerBox, Polygon };
    Kind kind = Kind::Box;
    // d is measured from (cx, cy). Box: |dx| < ax and |dy| < ay. Diamond: |dx| * ax +
    // |dy| * ay < c. Circle: dx^2 + dy^2 < c. The products keep ties at pixel centres exact.
    double cx = 0.0;
    double cy = 0.0;
    double ax = 0.0;
    double ay = 0.0;
    double c = 0.0;
    // CornerBox: 0 <= distance from the cell's corner < (ax, ay) along each axis.
    double x0 = 0.0;
    double x1 = 0.0;
    double y0 = 0.0;
    double y1 = 0.0;
    bool fromLeft = true;
    bool fromTop = true;
    // Polygon: vertices in pixel coordinates, even-odd rule with half-open crossings.
    const Point* vertices = nullptr;
    int count = 0;

    bool contains(double xc, double yc) const;
    // Appends the spans of row y (its centre y + 0.5) within [0, w).
    void rowSpans(int y, int w, SpanList& spans) const;
    // Rows [top, bottom) that may hold pixels of the figure, within [0, h).
    void rowRange(int h, int& top, int& bottom) const;
};

// Places a unit outline: vertex v is scaled by (sx, sy), turned by angle (radians, clockwise
// on screen) and moved to the centre.
void placeOutline(const std::vector<Point>& outline, double cx, double cy, double sx, double sy,
                  double angle, std::vector<Point>& out);

} // namespace vistarel::render::transitions
