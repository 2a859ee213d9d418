// The culling test of the full element walk, on the painted extent.
#include "render/element_extent.h"

#include <algorithm>

#include "model/element_extent.h"

bool ElementOffArea(const Drawing& drawing, const ElementRef& ref, const ViewTransform& view, const QRectF& area)
{
    WorldBox e;
    if (!PaintedExtent(drawing, ref, e))
        return false;
    const double sx0 = view.toScreenX(e.x0), sx1 = view.toScreenX(e.x1);
    const double sy0 = view.toScreenY(e.y0), sy1 = view.toScreenY(e.y1);
    const double m = kExtentMarginPx;
    const double left = std::min(sx0, sx1) - m, right = std::max(sx0, sx1) + m;
    const double top = std::min(sy0, sy1) - m, bottom = std::max(sy0, sy1) + m;
    // Written so that any NaN keeps the element.
    return right < area.left() || left > area.right() || bottom < area.top() || top > area.bottom();
}
