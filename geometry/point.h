// A point or vector in drawing coordinates (doubles, y growing downward).
#pragma once

struct PointD {
    double x = 0;
    double y = 0;
    friend bool operator==(const PointD&, const PointD&) = default;
};
