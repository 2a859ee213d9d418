// Point-against-box tests of the range selection: the four-bit outcode of the
// line clippers and the inside/outside verdict built on it.
#pragma once

// Bits: 8 above ymax, 4 below ymin, 2 right of xmax, 1 left of xmin (in the
// sense of the coordinates, not of the screen). A point within 1e-12 of an
// edge counts as lying on the outer side of it.
int OutCode(double x, double y, double xmin, double ymin, double xmax, double ymax);

// 0 when the point is strictly inside the box, 2 otherwise.
int PointOutside(double x, double y, double xmin, double ymin, double xmax, double ymax);
