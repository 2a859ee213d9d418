// What fills an area on the drawing surface: a solid colour, a hatch tile, a
// texture image, a linear gradient or a path gradient. Pens and brushes of the
// surface are each one Paint; strokes become outlines (stroke.h) that are
// filled with the pen's Paint, so every kind of fill goes through fillArea.
//
// Colours are non-premultiplied ARGB. Hatch tiles stay locked to device
// pixels whatever the painter transform; textures and gradients follow it.
#pragma once

#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPointF>
#include <QRgb>

struct Paint {
    enum class Kind { Solid, Hatch, Texture, Linear, PathGradient };
    Kind kind = Kind::Solid;
    QRgb colour = 0xFF000000;      // Solid
    int hatchStyle = 0;            // Hatch, 0..52
    QRgb fore = 0, back = 0;       // Hatch
    QImage texture;                // Texture, tiled from the logical origin; Hatch: its cell, when built
    QRgb start = 0, end = 0;       // Linear (P1 -> P2, repeating), PathGradient (centre, surround)
    QPointF p1, p2;                // Linear ends; PathGradient: p1 is the centre point
    QPainterPath outline;          // PathGradient: the boundary carrying the surround colour

    static Paint solid(QRgb argb)
    {
        Paint p;
        p.colour = argb;
        return p;
    }
};

// A QBrush for every kind but PathGradient (which has no brush form; it falls
// back to its centre colour). Hatches are aligned to the device origin of
// `painter`'s current transform.
QBrush brushFor(const Paint& paint, const QPainter& painter);

// Fills `area` (its own fill rule) with `paint`.
void fillArea(QPainter& painter, const QPainterPath& area, const Paint& paint);

// Path gradient: centre colour at `centre`, surround colour on `outline`,
// linear along each ray from the centre; nothing outside `outline`.
void fillPathGradient(QPainter& painter, const QPainterPath& area, const QPainterPath& outline,
                      QPointF centre, QRgb centreArgb, QRgb surroundArgb);
