// Pans that scroll: when the view moved by a whole number of canvas pixels
// and nothing else changed, the canvas image is shifted and only what the
// shift cannot carry is repainted: the uncovered strips, the elements whose
// hatch or texture tiles are anchored to canvas pixels (a shifted pattern
// would no longer line up with a fresh paint), and what crossed an edge of
// the old canvas (clipped there, its edge pixels may differ).
#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>

#include <optional>

#include "app/canvas_damage.h"

// The canvas shift (pixels, right and down positive) that takes the picture of
// `painted` to the picture of `wanted`, when the keys differ only by a
// whole-pixel pan that leaves part of the canvas in view.
std::optional<QPoint> WholePixelShift(const PictureKey& painted, const PictureKey& wanted);

// Moves the pixels of image by shift; what comes into view keeps stale pixels.
void ScrollImage(QImage& image, QPoint shift);

// The damage a scroll by shift leaves on a canvas: the uncovered strips and
// the on-screen extents (new view) of the visible elements whose pattern is
// anchored to canvas pixels and is not carried whole by the shift, and what
// the old picture clipped at an edge that moved (shapes, the image frame).
void AddScrollDamage(CanvasDamage& damage, const QRect& canvas, QPoint shift, const Drawing& drawing,
                     const PictureKey& wanted);
