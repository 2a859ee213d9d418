// Outcodes with a 1e-12 margin: the margin deliberately makes a point on an
// edge "outside", so range selection grows its box by 1e-10 before asking.
// The comparisons are written negated so that a NaN coordinate sets every bit
// and is never inside.
#include "model/clipping.h"

int OutCode(double x, double y, double xmin, double ymin, double xmax, double ymax)
{
    constexpr double kEdge = 1e-12;
    int code = 0;
    if (!(y - ymax <= -kEdge))
        code |= 8;
    if (!(y - ymin >= kEdge))
        code |= 4;
    if (!(x - xmax <= -kEdge))
        code |= 2;
    if (!(x - xmin >= kEdge))
        code |= 1;
    return code;
}

int PointOutside(double x, double y, double xmin, double ymin, double xmax, double ymax)
{
    return OutCode(x, y, xmin, ymin, xmax, ymax) != 0 ? 2 : 0;
}
