// Element records and their shared field groups, field by field in the order
// the drawing file stores them. Records are plain data and never change after
// they are appended to their kind table.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "geometry/point.h"

// Leading fields of the open kinds (line, arcs, polyline family).
struct OutlineHeader {
    int32_t layer = 0;
    int32_t penKind = 1;  // 1..5, selects the pen table
    int32_t penRef = 0;
    int32_t widthRef = 0;
    int32_t lineTypeRef = 0;
    int32_t endStyle = 0;  // 0..3 plain ends, 4..7 anchor ends
};

// Leading fields of the closed kinds.
struct ClosedHeader {
    int32_t fillMode = 0;  // 0 outline, 1 fill, 2 outline and fill
    int32_t layer = 0;
    int32_t penKind = 1;
    int32_t penRef = 0;
    int32_t widthRef = 0;
    int32_t lineTypeRef = 0;
    int32_t joinStyle = 0;  // 0..2
    int32_t brushKind = 1;  // 1..6, selects the brush table
    int32_t brushRef = 0;
};

struct LineRecord {
    OutlineHeader h;
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
};

struct PointRecord {
    int32_t layer = 0;
    int32_t penKind = 1;
    int32_t penRef = 0;
    int32_t pointStyle = 0;  // 0..24
    double x = 0, y = 0;
    double size = 1;  // drawing units
};

struct RectRecord {
    ClosedHeader h;
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
};

// Corners in the order top-left, top-right, bottom-left, bottom-right;
// cornerSizes holds width then height for each corner in that order.
struct CornerRectRecord {
    ClosedHeader h;
    int32_t cornerTypes[4] = {0, 0, 0, 0};
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    double cornerSizes[8] = {0, 0, 0, 0, 0, 0, 0, 0};
};

// method 0 keeps no defining point, 1 keeps two, others keep three.
struct CircleRecord {
    ClosedHeader h;
    int32_t method = 0;
    double cx = 0, cy = 0, r = 0;
    double p1x = 0, p1y = 0, p2x = 0, p2y = 0, p3x = 0, p3y = 0;
};

// method 0 keeps no defining point, others keep two. tilt in degrees.
struct EllipseRecord {
    ClosedHeader h;
    int32_t method = 0;
    double cx = 0, cy = 0, rx = 0, ry = 0, tilt = 0;
    double p1x = 0, p1y = 0, p2x = 0, p2y = 0;
};

// Angles in degrees, counter-clockwise on screen; the sweep is signed.
struct ArcRecord {
    OutlineHeader h;
    int32_t method = 0;
    double cx = 0, cy = 0, r = 0, startAngle = 0, sweepAngle = 0;
    double startX = 0, startY = 0, endX = 0, endY = 0;
    double thirdX = 0, thirdY = 0;
};

struct EllipticArcRecord {
    OutlineHeader h;
    int32_t method = 0;
    double cx = 0, cy = 0, rx = 0, ry = 0, tilt = 0, startAngle = 0, sweepAngle = 0;
    double startX = 0, startY = 0, endX = 0, endY = 0;
};

// Pie, chord and outside-of-circle shape share one layout.
struct SectorRecord {
    ClosedHeader h;
    double cx = 0, cy = 0, rx = 0, ry = 0, tilt = 0, startAngle = 0, sweepAngle = 0;
};

// A sweep of +-360 is a full ring.
struct RingRecord {
    ClosedHeader h;
    double cx = 0, cy = 0, outerRx = 0, outerRy = 0, innerRx = 0, innerRy = 0;
    double tilt = 0, startAngle = 0, sweepAngle = 0;
};

// Polyline, Bezier curve and open C-spline.
struct OpenPathRecord {
    OutlineHeader h;
    std::vector<PointD> points;
};

// Polygon and closed C-spline.
struct ClosedPathRecord {
    ClosedHeader h;
    std::vector<PointD> points;
};

// anchor 0..8: bottom-left, bottom-centre, bottom-right, middle-left, ...,
// top-right. (boxA, boxB) is the bottom-left corner of the laid-out box in the
// text's own frame, boxC its width along the text, boxD its height across it.
struct TextRecord {
    int32_t layer = 0;
    int32_t brushKind = 1;
    int32_t brushRef = 0;
    int32_t anchor = 0;
    int32_t fontStyle = 0;
    double x = 0, y = 0, size = 0, angle = 0, xRatio = 1;
    double boxA = 0, boxB = 0, boxC = 0, boxD = 0;
    std::string fontName;  // UTF-8
    std::string text;      // UTF-8
};
