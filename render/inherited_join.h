// The line join an element inherits. Arcs, elliptic arcs and outlined point
// markers set no join of their own (nor do lines, texts and fill-only
// shapes): they stroke with the one the elements before them in paint order
// left on the surface. A paint that leaves
// elements out (culled to an area, a band or the canvas) hands such an
// element the join the paint of every element in paint order would have left.
#pragma once

#include <cstdint>

#include "model/data.h"
#include "model/view.h"

// The join code (TGraphP::SetLineJoin's) the element's renderer sets, or -1
// when it sets none (also when the element draws nothing at this view).
int JoinSetBy(const Drawing& drawing, const ElementRef& ref, const ViewTransform& view);

// Tracks the join on one surface through a pass that draws some elements of
// the paint order, in that order. Before each element that sets no join of
// its own is drawn (a reader or not: the join passes through it to the next),
// join() gives the code the surface must hold (-1: it holds it already).
// The walk back stops at the element drawn last or at the nearest one that
// sets a join, so it mostly reads only the positions the pass skipped; an
// element with neither before it in its layer scans the registry once.
class InheritedJoin {
public:
    InheritedJoin(const Drawing& drawing, const ViewTransform& view) : m_drawing(drawing), m_view(view) {}

    // The registry entry at `position` is about to be drawn.
    int join(int32_t position) const;
    void drawn(int32_t position) { m_lastDrawn = position; }

private:
    int32_t layerAt(size_t position) const;
    // Looks at q on the walk back: sets `code` and answers true when q ends it.
    bool endsWalk(size_t q, int& code) const;
    const Drawing& m_drawing;
    const ViewTransform& m_view;
    int32_t m_lastDrawn = -1;
};
