// What the DXF reader keeps of an entity before it becomes an element: a
// shape in file coordinates (y up) with the entity's own attributes, and the
// geometry that works on shapes: block transforms, BYLAYER and BYBLOCK
// resolution, ellipse axes, bulges, splines and the extent.
#pragma once

#include <dl_entities.h>

#include <cstdint>
#include <string>
#include <vector>

#include "dxf/dxf_outline.h"
#include "model/records.h"

namespace dxf {

struct Style {
    std::string layer;
    int aci = 256;         // 0 BYBLOCK, 256 BYLAYER
    int trueColour = -1;   // 0xRRGGBB or -1
    int lineweight = -1;   // -1 BYLAYER, -2 BYBLOCK, -3 default
    std::string linetype;  // BYLAYER, BYBLOCK or a name
};

struct LayerInfo {
    std::string name;
    bool visible = true;
    uint32_t rgb = 0;
    int lineweight = -3;
    int dashStyle = 0;
};

enum class ShapeType { Line, Point, Ellipse, Path, Bezier, Text, Insert };

// Ellipse: points = centre, the semi-diameters U and V (the point at
// parameter t is C + U cos t + V sin t), from t0 to t1 unless full.
// Text: points = anchor point. Insert: points = insertion, text = block.
struct Shape {
    ShapeType type = ShapeType::Line;
    Style style;
    std::vector<PointD> points;
    bool closed = false, filled = false, full = false;
    double t0 = 0, t1 = 0;
    double height = 0, angle = 0, xRatio = 1;  // text (angle in radians) and insert
    int32_t anchor = 0;
    std::string text;
    double scaleX = 1, scaleY = 1, columnSpacing = 0, rowSpacing = 0;
    int columns = 1, rows = 1;
};

struct Block {
    PointD base;
    std::vector<Shape> shapes;
};

struct SplineData {
    struct Control {
        PointD p;
        double w = 1;
    };
    int degree = 3;
    bool closed = false;
    std::vector<Control> controls;
    std::vector<PointD> fits;
    std::vector<double> knots;
};

// x' = a x + c y + e, y' = b x + d y + f.
struct Affine {
    double a = 1, b = 0, c = 0, d = 1, e = 0, f = 0;
    PointD apply(PointD p) const { return {a * p.x + c * p.y + e, b * p.x + d * p.y + f}; }
    PointD linear(PointD v) const { return {a * v.x + c * v.y, b * v.x + d * v.y}; }
    double det() const { return a * d - b * c; }
    Affine operator*(const Affine& o) const
    {
        return {a * o.a + c * o.b, b * o.a + d * o.b, a * o.c + c * o.d, b * o.c + d * o.d,
                a * o.e + c * o.f + e, b * o.e + d * o.f + f};
    }
};

// Insertion * rotation * scale * (-base), moved to column and row k.
Affine InsertTransform(const Shape& insert, PointD base, int column, int row);
// Moves the shape; false when a coordinate is not finite or out of range.
bool Transform(Shape& shape, const Affine& t);
// Layer 0, BYBLOCK colour, lineweight and linetype take the insert's.
void InheritFromInsert(Style& style, const Style& insert);

struct Resolved {
    uint32_t rgb = 0;
    int lineweight = -3;
    int dashStyle = 0;
};
Resolved Resolve(const Style& style, const LayerInfo* layer);

struct Bounds {
    double minX = 1e300, minY = 1e300, maxX = -1e300, maxY = -1e300;
    bool empty() const { return minX > maxX; }
};
void Extend(Bounds& bounds, const Shape& shape);

// Perpendicular axes of an ellipse shape, counter-clockwise, in degrees.
struct EllipseAxes {
    double rx = 0, ry = 0, tiltDeg = 0, startDeg = 0, sweepDeg = 360;
    bool full = true;
};
EllipseAxes AxesOf(const Shape& ellipse);
double NormalizeDegrees(double deg);

// Polyline vertices (y up) with their bulges cut into points.
std::vector<PointD> PathPoints(const Loop& vertices, bool closed);
// A cubic Bézier chain when the spline is one, else its sampled points.
bool SplineShape(const SplineData& spline, Shape& out);
// Hatch boundary edges as points.
void AppendHatchEdge(std::vector<PointD>& loop, const DL_HatchEdgeData& edge);
// A box of 0.6 height per character, enough to pick the text.
void ApproximateTextBox(TextRecord& text);

}  // namespace dxf
