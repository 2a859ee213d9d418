// The elements a paint of one area draws, in the order the full paint draws
// them: live elements on visible layers whose painted extent meets the area,
// layer by layer (ascending), registry order within a layer. Answered from
// the extent index, so the cost follows what meets the area.
#pragma once

#include <cstdint>
#include <vector>

#include "model/data.h"

void ElementsInPaintOrder(const Drawing& drawing, const WorldBox& area, std::vector<int32_t>& out);
// The same for a canvas rectangle: each element counts with its own margin
// in canvas pixels rather than the worst case.
void ElementsInPaintOrder(const Drawing& drawing, const ViewTransform& view, double left, double top, double right,
                          double bottom, std::vector<int32_t>& out);
