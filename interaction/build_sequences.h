// Point sequences (polyline, polygon, Bezier curve, open and closed
// C-spline): how each click extends, ignores or finishes the sequence, the
// minimum counts, and the regular polygon and star vertex lists.
//
// A sequence finishes when a click repeats the previous point (the repeat is
// dropped) or the first point (open kinds keep it as their last point and so
// close the figure; closed kinds drop it, they close themselves). Points are
// equal when they differ by 0.000001 or less in x and in y.
#pragma once

#include <cstdint>
#include <vector>

#include "geometry/point.h"
#include "model/element_kind.h"

enum class SequenceKind { Polyline, Polygon, Bezier, OpenSpline, ClosedSpline };

ElementKind ElementKindOf(SequenceKind kind);
bool IsClosedSequence(SequenceKind kind);
// Fewest points the builder accepts: 2, 3, 4, 2, 3.
int MinimumPoints(SequenceKind kind);

// The state machine's point sequence: next is the number of the point the
// next click gives (1 for a new figure); the entered points are the first
// next - 1 of points (a slot beyond them may hold an ignored click).
struct PointSequence {
    std::vector<PointD> points;
    int32_t next = 1;

    int32_t entered() const { return next - 1; }
    void clear()
    {
        points.clear();
        next = 1;
    }
};

enum class SequenceClick { Advanced, Ignored, Finished };

struct SequenceClickResult {
    SequenceClick outcome = SequenceClick::Advanced;
    int32_t count = 0;  // Finished: how many leading points make the figure
};

// One click of a sequence command; Finished leaves the sequence as it is for
// the builder to read (and clear).
SequenceClickResult AddSequencePoint(SequenceKind kind, PointSequence& sequence, PointD p);
// Ctrl+E: the count to build from, or 0 when too few points are entered.
int32_t FinishCount(SequenceKind kind, const PointSequence& sequence);
// Backspace: forget the last entered point (never below the first).
void RemoveLastPoint(PointSequence& sequence);

// The sequence points a preview shows with the cursor as the next point:
// the entered points and the cursor, closed through it for closed kinds.
std::vector<PointD> SequencePreview(SequenceKind kind, const PointSequence& sequence, PointD cursor);

// Regular polygon with n corners about centre, vertex 0 at p, then
// counter-clockwise on screen.
std::vector<PointD> RegularPolygonVertices(PointD centre, PointD p, int32_t corners);
// Star of n points: 2n vertices alternating between the outer radius (vertex 0
// at p) and innerRadius, 360 / (2n) apart.
std::vector<PointD> StarVertices(PointD centre, PointD p, double innerRadius, int32_t corners);
// The star's inner click rule: its distance from the centre, when it lies
// strictly between 0.000001 and the outer radius.
bool StarInnerRadiusFits(PointD centre, PointD outer, PointD inner);
