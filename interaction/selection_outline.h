// The rubber band of move and copy: the outline of the selection, taken at
// the base point, displaced by the cursor.
#pragma once

#include <vector>

#include "geometry/point.h"
#include "interaction/construction.h"
#include "interaction/xor_overlay.h"
#include "model/data.h"

// Coarse world polylines of the selected elements (segments, boxes, vertex
// chains), at most maxElements of them, for the move and copy previews.
std::vector<std::vector<PointD>> SelectionOutline(const Drawing&, size_t maxElements);
// The outline (Construction::outline) displaced by cursor - base (points[0]),
// and the segment from the base point.
void PreviewDisplacedSelection(const Construction&, PointD cursor, PreviewShape&);
