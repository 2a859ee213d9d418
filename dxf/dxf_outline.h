// Outlines of the closed kinds as DXF polylines: vertices with bulges where
// an edge is a circular arc, and point runs (the renderer's 5-degree steps)
// where it is elliptic. Coordinates are drawing units, y down; the writer
// flips them. Also the curve kinds as the cubic Béziers the renderer draws.
#pragma once

#include <span>
#include <vector>

#include "geometry/cardinal_spline.h"
#include "geometry/point.h"
#include "model/records.h"

namespace dxf {

// The edge from this vertex to the next is an arc when bulge is not 0
// (bulge = tan(sweep / 4), positive counter-clockwise in y-up terms).
struct Vertex {
    double x = 0, y = 0, bulge = 0;
};
using Loop = std::vector<Vertex>;  // closed: the last vertex joins the first

Loop RectLoop(const RectRecord&);
Loop CornerRectLoop(const CornerRectRecord&);
// Pie (with the centre) and chord (without).
Loop SectorLoop(const SectorRecord&, bool withCentre);
// One closed figure per part of at most 90 degrees.
std::vector<Loop> OutsideLoops(const SectorRecord&);
// A full ring gives two loops, a sector one.
std::vector<Loop> RingLoops(const RingRecord&);

// The loop as points, arcs cut into the renderer's steps (for HATCH edges).
std::vector<PointD> Flatten(const Loop&);
// An ellipse (or part) as the renderer's point sequence.
std::vector<PointD> EllipsePoints(double cx, double cy, double rx, double ry, double tiltDeg,
                                  double startDeg, double sweepDeg);

// A Bézier chain sampled with `perSegment` points per segment.
std::vector<PointD> SampleBeziers(std::span<const PointD> controls, int perSegment);

}  // namespace dxf
