// TGraphP: the drawing surface. Wraps one QPainter on any QPaintDevice between
// Begin and End, and keeps the current pen, brush, path and font together with
// the parameters they were built from (colours as ARGB, widths in pixels).
//
// Renderers never touch QPen/QBrush directly: they set attributes through the
// pen and brush operations below and draw with the primitives, which stroke
// and fill through one place (render/stroke.cpp) so that what QPainter lacks
// (triangle and anchor caps, dash caps independent of line caps, hatch tiles,
// path gradients) behaves the same on every target.
//
// All coordinates given to a TGraphP are canvas pixels. No anti-aliasing.
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QString>

#include <memory>

#include "model/attributes.h"

class TGraphP {
public:
    TGraphP();
    ~TGraphP();
    TGraphP(const TGraphP&) = delete;
    TGraphP& operator=(const TGraphP&) = delete;

    // --- life and target -------------------------------------------------
    bool Begin(QPaintDevice* device);
    // Draws only the device pixels inside `band` but rasterizes as Begin(device)
    // does, so several surfaces on one device, each with its own band (and
    // each in its own thread), draw together what one surface draws, pixel
    // for pixel. ClipToPath and ResetClip keep to the band.
    bool BeginBand(QPaintDevice* device, const QRect& band);
    void End();
    bool isActive() const;
    QPainter* painter();  // null outside Begin/End

    // The attribute tables ApplyPen/ApplyBrush resolve references in. A
    // reference outside its table draws with the fallback of its kind.
    void setAttributes(const AttributeTables* tables) { m_tables = tables; }
    const AttributeTables* attributes() const { return m_tables; }

    // --- colours (0x00BBGGRR references, ARGB results) --------------------
    static QRgb MakeARGB(int alpha, int red, int green, int blue);
    static QRgb ToARGB(int32_t colourRef);
    static QRgb AlphaColor(int alpha, int32_t colourRef);
    static void SplitRGB(int32_t colourRef, int& red, int& green, int& blue);

    // --- curve sampling ---------------------------------------------------
    // trunc(|sweepDeg| / 5 + 0.9), at least 4.
    static int SegmentCount(double sweepDeg);
    // n + 1 points of the tilted ellipse from startDeg over sweepDeg (degrees,
    // counter-clockwise on screen).
    static QPolygonF EllipsePoints(double cx, double cy, double rx, double ry, double tiltDeg,
                                   double startDeg, double sweepDeg, int n);
    // The same points written into every other slot of out (even slots when
    // odd is false), so two calls with different radii interleave.
    static void EllipsePointsInterleaved(QPolygonF& out, double cx, double cy, double rx, double ry,
                                         double tiltDeg, double startDeg, double sweepDeg, int n, bool odd);
    // The cardinal spline (tension 0.5) through the points as cubic Beziers,
    // as DrawCurve / DrawClosedCurve draw it; empty for fewer than 2 points.
    static QPainterPath CurvePath(const QPolygonF& points, bool closed);

    // --- primitives ---------------------------------------------------------
    void Clear();  // fills the whole target with the solid brush colour
    void Clear(const QRect& rect);  // the same within rect (device pixels)
    void DrawLine(double x1, double y1, double x2, double y2);
    void DrawLineInt(int x1, int y1, int x2, int y2);
    void DrawLines(const QPolygonF& points);
    void DrawPolygon(const QPolygonF& points);
    void FillPolygon(const QPolygonF& points);
    void DrawRectangle(const QRectF& rect);
    void FillRectangle(const QRectF& rect);
    void DrawEllipse(const QRectF& rect);
    void FillEllipse(const QRectF& rect);
    // Degrees counter-clockwise on screen from 3 o'clock (the element's own
    // start and sweep), parametric angles of the box's ellipse.
    void DrawArc(const QRectF& rect, double startDeg, double sweepDeg);
    void DrawBeziers(const QPolygonF& points);  // 1 + 3k points
    void DrawCurve(const QPolygonF& points);    // cardinal spline, tension 0.5
    void DrawClosedCurve(const QPolygonF& points);
    void FillClosedCurve(const QPolygonF& points);
    void DrawPath(const QPainterPath& path);
    void FillPath(const QPainterPath& path);
    // Fills the box of the two corners when mode is 1 or 2, then outlines it
    // when mode is 0 or 2.
    void FillOrOutlineRect(int mode, QPointF corner1, QPointF corner2);
    void FillRectInt(int x1, int y1, int x2, int y2);

    // The point list: renderers of the point-list kinds load an element's
    // canvas points here, draw them with one call and clear the list, so the
    // storage is reused from element to element.
    void PointListClear() { m_points.clear(); }
    int PointListPush(double x, double y)
    {
        m_points.append(QPointF(x, y));
        return static_cast<int>(m_points.size());
    }
    int CountUsed() const { return static_cast<int>(m_points.size()); }
    const QPolygonF& pointList() const { return m_points; }

    // The current path: renderers build outlines here; the path gradient
    // brush and ClipToPath use it.
    QPainterPath& path() { return m_path; }
    void NewPath() { m_path = QPainterPath(); }
    void ClipToPath();
    void ResetClip();
    QRectF GetClipBounds() const;
    void SetTransform(const QTransform& transform);
    void ResetTransform();

    // --- pen state -----------------------------------------------------------
    bool SetPenArgb(QRgb argb);
    bool SetPenColourRef(int32_t colourRef);
    void SetPenArgbParts(int alpha, int red, int green, int blue);
    void SetPenOpaque(int red, int green, int blue);
    void SetPenWidth(double widthPx);
    void SetPenCaps(int which, int capCode);  // which: 1 start, 2 end, 3 both
    void SetDashStyle(int code);
    void SetDashCap(int code);
    void SetDashPattern(const float* values, int count);
    void SetLineJoin(int code);
    void MakeHatchPen(int style, QRgb fore, QRgb back);
    void MakeImagePen(const QString& path);
    void MakeGradientPen(QRgb start, QRgb end, QPointF p1, QPointF p2);

    // --- brush state ---------------------------------------------------------
    bool SetSolidBrush(QRgb argb);
    bool SetSolidBrushColourRef(int32_t colourRef);
    void SetSolidBrushParts(int alpha, int red, int green, int blue);
    void SetSolidBrushOpaque(int red, int green, int blue);
    void MakeHatchBrush(int style, QRgb fore, QRgb back);
    void MakeHatchBrushRefs(int style, int32_t foreRef, int32_t backRef);
    void MakeTextureBrush(const QString& path);
    void MakeLinearGradientBrush(QRgb start, QRgb end, QPointF p1, QPointF p2);
    // Built from the current path, centred at (cx, cy).
    void MakePathGradientBrush(QRgb centre, QRgb surround, double cx, double cy);

    // --- attribute-level operations --------------------------------------------
    // oriented: p1 is a centre and p2.x() a half-length; the gradient runs
    // along the pen attribute's own angle.
    void ApplyPen(int32_t penKind, int32_t penRef, QPointF p1, QPointF p2, double scale, bool oriented,
                  int capCode, int32_t lineTypeRef, int32_t widthRef);
    void ApplyBrushFromPen(int32_t penKind, int32_t penRef, QPointF p1, QPointF p2, bool oriented);
    void ApplyBrush(int32_t brushKind, int32_t brushRef, QPointF p1, QPointF p2);

    // The gradient frame lays a gradient across an element's own extent.
    void BeginGradientFrame(QPointF corner1, QPointF corner2, int32_t penKind, int32_t penRef,
                            int32_t brushKind, int32_t brushRef);
    void AddToGradientFrame(bool first, double x1, double y1, double x2, double y2);
    void PenGradientEnds(int32_t widthRef, double scale, QPointF& p1, QPointF& p2) const;
    void BrushGradientEnds(QPointF& p1, QPointF& p2) const;

    // level >= 0 overrides pen and solid brush with the blink colour.
    void SetHighlightColour(int level);

    // --- text ----------------------------------------------------------------
    // style: bold 1, italic 2, underline 4, strikeout 8. Windows family names
    // are mapped to installed equivalents; the stored name stays as given.
    void SetFont(const QString& family, int style, double sizePx);
    bool hasFont() const;
    const QFont& font() const;

    // The pen and brush as Qt objects, for code that draws with the painter
    // directly (sample cells, XOR previews).
    QColor penColor() const;
    QColor brushColor() const;

private:
    struct State;
    std::unique_ptr<State> m_state;
    const AttributeTables* m_tables = nullptr;
    QPainterPath m_path;
    QPolygonF m_points;
};
