// Freehand stroke reduction; see freehand.h for the rule.
#include "interaction/freehand.h"

#include <cmath>

#include "geometry/func.h"

namespace {

constexpr size_t kVertexChunk = 200;

double directionDeg(PointD from, PointD to)
{
    return VectorAngleDeg(to.x - from.x, to.y - from.y);
}

// True when the angle, taken relative to the reference and reduced into 0 to
// below 360, lies at least the turn limit away from 0 and from 360.
bool turned(double angleDeg, double referenceDeg)
{
    const double relative = NormalizeDeg(angleDeg - referenceDeg);
    return relative >= kFreehandTurnDeg && relative <= 360 - kFreehandTurnDeg;
}

void pushGrowing(std::vector<PointD>& v, PointD p)
{
    if (v.size() == v.capacity())
        v.reserve(v.capacity() + kVertexChunk);
    v.push_back(p);
}

}  // namespace

std::vector<PointD> FreehandVertices(std::span<const PointD> b)
{
    if (b.size() < 2)
        return {};
    if (b.size() == 2)
        return {b[0], b[1]};
    std::vector<PointD> v;
    v.reserve(kVertexChunk);
    v.push_back(b[0]);
    PointD reference = b[0];
    double referenceDeg = directionDeg(b[0], b[1]);
    bool lastKept = false;
    for (size_t i = 2; i < b.size(); ++i) {
        const double stepDeg = directionDeg(b[i - 1], b[i]);
        lastKept = turned(directionDeg(reference, b[i]), referenceDeg) && turned(stepDeg, referenceDeg);
        if (lastKept) {
            pushGrowing(v, b[i - 1]);
            reference = b[i - 1];
            referenceDeg = stepDeg;
        }
    }
    // The last sample ends the stroke; it replaces a vertex kept by the very
    // last step.
    if (lastKept)
        v.back() = b.back();
    else
        pushGrowing(v, b.back());
    return v;
}
