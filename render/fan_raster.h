// A path-gradient fan rasterised straight into an ARGB layer. Each triangle
// (centre, a, b) is shaded by its own ramp from the surround colour on the
// edge a-b to the centre colour at the centre: the ramp parameter is the
// centre's barycentric weight, which an affine transform keeps, so the
// triangles are shaded in device space exactly as in user space. Pixels are
// sampled at their centres (an aliased fill: triangles sharing an edge cover
// each pixel once) and a later triangle replaces what an earlier one wrote.
// Drawing the fan this way costs one pass over its pixels instead of one
// polygon fill per edge of the outline.
#pragma once

#include <QImage>
#include <QPolygonF>
#include <QTransform>
#include <span>

// Component interpolation: each ARGB channel runs linearly from surround
// (t = 0) to centre (t = 1); the layer gets the premultiplied result.
void RasterFan(QImage& layer, const QTransform& toLayer, std::span<const QPolygonF> outline, QPointF centre,
               QRgb centreArgb, QRgb surroundArgb);
