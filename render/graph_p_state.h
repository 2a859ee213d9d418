// The private state of TGraphP, shared by the files that implement it
// (graph_p.cpp: life and primitives; graph_p_pens.cpp: pen and brush
// construction; graph_p_attributes.cpp: attributes, gradient frame, font).
// Codes are stored as the original platform's values (stroke.h lists them).
#pragma once

#include <QFont>
#include <QHash>
#include <QPainter>
#include <QTransform>

#include <array>

#include "render/graph_p.h"
#include "render/paint.h"
#include "render/stroke.h"

// What ActiveBrush names: the brush that fills, the solid one when 0.
enum class ActiveBrush { Solid = 0, Hatch = 1, Texture = 2, Linear = 3, PathGradient = 4 };

struct TGraphP::State {
    // graphics: present only between Begin and End
    QPainter painter;
    bool active = false;
    QTransform base;  // the pixel-centre offset on raster targets, identity elsewhere
    QRect band;       // BeginBand: the device pixels this surface may touch; null otherwise

    // Replaces the clip by the band, or removes it without a band.
    void clipToBand();

    // pen
    bool hasPen = false;
    QRgb penColor = 0;
    float penWidth = 1.0f;
    int startCap = LineCap::Flat;
    int endCap = LineCap::Flat;
    int dashStyle = DashStyle::Solid;
    int dashCap = DashCap::Flat;
    std::array<float, 10> dashPattern{};
    int dashCount = 0;
    int lineJoin = LineJoin::Miter;
    Paint penPaint;  // what the pen's strokes are filled with

    // brushes: one per construction; `active` names the one that fills
    ActiveBrush activeBrush = ActiveBrush::Solid;
    bool hasSolidBrush = false;
    QRgb brushColor = 0;
    Paint solidBrush = Paint::solid(0);  // kept with brushColor, so fills copy no Paint
    Paint hatchBrush, textureBrush, linearBrush, pathBrush;

    // font
    QString fontFamily;
    double fontSize = 0;
    int fontStyle = 0;
    bool hasFont = false;
    bool fontBuilt = false;  // font matches fontFamily, fontStyle and fontSize
    QFont font;
    // Whether each family asked for during this paint is installed: the font
    // database answers through fontconfig, far too slowly to ask per text.
    // Emptied at Begin, so fonts installed between paints are seen.
    QHash<QString, bool> familyAvailable;

    // gradient frame (angles in radians, extents along the angle's direction)
    QPointF frameCentre;
    double penAngle = 0, penMin = 0, penMax = 0;
    double brushAngle = 0, brushMin = 0, brushMax = 0;

    StrokeStyle strokeStyle() const;
    const Paint& fillPaint() const;  // the paint of the active brush

    // Do nothing outside Begin/End, without a pen, or without a brush.
    void stroke(const QPainterPath& path, bool open);
    void fill(const QPainterPath& area);
};
