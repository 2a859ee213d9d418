// One renderer per element kind. A renderer maps the element to canvas
// pixels, applies its pen and brush through the surface (with the highlight
// override when level >= 0) and fills before it outlines. The OnDc companions
// open the surface on a device, render, and close it again; constructors use
// them to draw a new element at once without a full repaint.
#pragma once

#include <QPaintDevice>
#include <QRectF>

#include "model/data.h"
#include "model/view.h"
#include "render/graph_p.h"

void RenderLine(TGraphP&, int level, const ViewTransform&, const LineRecord&);
void RenderPoint(TGraphP&, int level, const ViewTransform&, const PointRecord&);
void RenderRectangle(TGraphP&, int level, const ViewTransform&, const RectRecord&);
void RenderCorneredRectangle(TGraphP&, int level, const ViewTransform&, const CornerRectRecord&);
void RenderCircle(TGraphP&, int level, const ViewTransform&, const CircleRecord&);
void RenderEllipse(TGraphP&, int level, const ViewTransform&, const EllipseRecord&);
void RenderArc(TGraphP&, int level, const ViewTransform&, const ArcRecord&);
void RenderEllipticArc(TGraphP&, int level, const ViewTransform&, const EllipticArcRecord&);
void RenderPie(TGraphP&, int level, const ViewTransform&, const SectorRecord&);
void RenderChord(TGraphP&, int level, const ViewTransform&, const SectorRecord&);
void RenderOutsideShape(TGraphP&, int level, const ViewTransform&, const SectorRecord&);
void RenderRing(TGraphP&, int level, const ViewTransform&, const RingRecord&);
void RenderPolyline(TGraphP&, int level, const ViewTransform&, const OpenPathRecord&);
void RenderPolygon(TGraphP&, int level, const ViewTransform&, const ClosedPathRecord&);
void RenderBezier(TGraphP&, int level, const ViewTransform&, const OpenPathRecord&);
void RenderOpenSpline(TGraphP&, int level, const ViewTransform&, const OpenPathRecord&);
void RenderClosedSpline(TGraphP&, int level, const ViewTransform&, const ClosedPathRecord&);
void RenderText(TGraphP&, int level, const ViewTransform&, const TextRecord&);

// Dispatches by kind; false for an unknown kind or an index outside its table.
bool RenderElement(TGraphP&, int level, const ViewTransform&, const Drawing&, const ElementRef&);
bool RenderElementOnDc(TGraphP&, QPaintDevice*, int level, const ViewTransform&, const Drawing&,
                       const ElementRef&);

// The 25 point markers (style 0..24) centred at (cx, cy), sizePx across.
void DrawPointMarker(TGraphP&, int style, double cx, double cy, double sizePx);
// True for the styles drawn with the brush (filled shapes), false for outlines.
bool PointMarkerIsFilled(int style);

// The laid-out box of a text in drawing units, for a new text record:
// (boxA, boxB) bottom-left corner in the text's own frame, boxC width along
// the text, boxD height across it. Zero when no font can be made.
struct StoredTextBox {
    double a = 0, b = 0, c = 0, d = 0;
};
StoredTextBox MeasureTextBox(const TextRecord& text);
