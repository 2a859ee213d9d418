// TGraphP, part one: life on a paint device, colour conversions, ellipse
// sampling and the drawing primitives. Every Draw* strokes through
// State::stroke and every Fill* fills through State::fill, so pens and
// brushes behave the same whichever primitive a renderer picks.
//
// Raster targets get a painter offset of just under half a pixel: the
// original platform covers a pixel when its integer centre is inside a shape
// (top and left edges inclusive), Qt samples at the half-pixel with the
// opposite tie rule. Half a pixel less 1/64 makes the two agree for polygon
// and path fills alike (path fills snap to 1/64, so a smaller nudge would be
// lost). Vector targets keep exact coordinates.
#include "render/graph_p.h"

#include <QPaintEngine>
#include <QtMath>

#include <algorithm>
#include <cmath>
#include <vector>

#include "geometry/cardinal_spline.h"
#include "render/graph_p_state.h"

namespace {

constexpr double kPixelOffset = 0.5 - 1.0 / 64;
constexpr int kMaxSegments = 1 << 20;  // bounds any sampling a corrupt angle could ask for

int clampByte(int value, int fallback) { return (value < 0 || value > 255) ? fallback : value; }

QPainterPath polylinePath(const QPolygonF& points, bool closed)
{
    QPainterPath path;
    if (points.isEmpty())
        return path;
    path.addPolygon(points);
    if (closed)
        path.closeSubpath();
    return path;
}

}  // namespace

// --- state helpers --------------------------------------------------------------

StrokeStyle TGraphP::State::strokeStyle() const
{
    StrokeStyle style;
    style.width = penWidth;
    style.startCap = startCap;
    style.endCap = endCap;
    style.dashStyle = dashStyle;
    style.dashCap = dashCap;
    style.lineJoin = lineJoin;
    if (dashStyle == DashStyle::Custom)  // only a custom style reads the pattern
        style.customDashes.assign(dashPattern.begin(), dashPattern.begin() + dashCount);
    return style;
}

const Paint& TGraphP::State::fillPaint() const
{
    switch (activeBrush) {
    case ActiveBrush::Hatch: return hatchBrush;
    case ActiveBrush::Texture: return textureBrush;
    case ActiveBrush::Linear: return linearBrush;
    case ActiveBrush::PathGradient: return pathBrush;
    case ActiveBrush::Solid: break;
    }
    return solidBrush;
}

void TGraphP::State::stroke(const QPainterPath& path, bool open)
{
    if (active && hasPen)
        strokePath(painter, path, strokeStyle(), penPaint, open);
}

void TGraphP::State::fill(const QPainterPath& area)
{
    if (!active || (activeBrush == ActiveBrush::Solid && !hasSolidBrush))
        return;
    fillArea(painter, area, fillPaint());
}

// --- life ---------------------------------------------------------------------------

TGraphP::TGraphP() : m_state(std::make_unique<State>()) {}

TGraphP::~TGraphP() { End(); }

bool TGraphP::Begin(QPaintDevice* device)
{
    End();
    State& s = *m_state;
    if (!device || device->width() <= 0 || device->height() <= 0 || !s.painter.begin(device))
        return false;
    s.painter.setRenderHint(QPainter::Antialiasing, false);
    s.painter.setRenderHint(QPainter::TextAntialiasing, false);
    s.painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    s.base = QTransform();
    s.band = QRect();
    if (s.painter.paintEngine() && s.painter.paintEngine()->type() == QPaintEngine::Raster)
        s.base.translate(kPixelOffset, kPixelOffset);
    s.painter.setWorldTransform(s.base);
    s.familyAvailable.clear();
    s.fontBuilt = false;
    s.active = true;
    return true;
}

bool TGraphP::BeginBand(QPaintDevice* device, const QRect& band)
{
    if (band.isEmpty() || !Begin(device))
        return false;
    m_state->band = band;
    m_state->clipToBand();
    return true;
}

void TGraphP::State::clipToBand()
{
    if (band.isNull()) {
        painter.setClipping(false);
        return;
    }
    // Set in device pixels: through the pixel-centre offset a rectangle
    // would no longer be whole pixels.
    const QTransform world = painter.worldTransform();
    painter.setWorldTransform(QTransform());
    painter.setClipRect(band);
    painter.setWorldTransform(world);
}

void TGraphP::End()
{
    if (m_state->painter.isActive())
        m_state->painter.end();
    m_state->active = false;
}

bool TGraphP::isActive() const { return m_state->active; }

QPainter* TGraphP::painter() { return m_state->active ? &m_state->painter : nullptr; }

// --- colours --------------------------------------------------------------------------

QRgb TGraphP::MakeARGB(int alpha, int red, int green, int blue)
{
    return qRgba(clampByte(red, 0), clampByte(green, 0), clampByte(blue, 0), clampByte(alpha, 255));
}

QRgb TGraphP::ToARGB(int32_t colourRef) { return AlphaColor(255, colourRef); }

QRgb TGraphP::AlphaColor(int alpha, int32_t colourRef)
{
    int red, green, blue;
    SplitRGB(colourRef, red, green, blue);
    return qRgba(red, green, blue, clampByte(alpha, 255));
}

void TGraphP::SplitRGB(int32_t colourRef, int& red, int& green, int& blue)
{
    const auto ref = static_cast<uint32_t>(colourRef);
    red = static_cast<int>(ref & 0xFF);
    green = static_cast<int>((ref >> 8) & 0xFF);
    blue = static_cast<int>((ref >> 16) & 0xFF);
}

// --- curve sampling -----------------------------------------------------------------------

int TGraphP::SegmentCount(double sweepDeg)
{
    const double n = std::trunc(std::abs(sweepDeg) / 5 + 0.9);
    if (!std::isfinite(n))
        return 4;
    return std::clamp(static_cast<int>(std::min(n, double(kMaxSegments))), 4, kMaxSegments);
}

namespace {

// The tilt's cosine and sine, taken once per curve rather than per point.
struct Tilt {
    double cp, sp;
    explicit Tilt(double tiltDeg) : cp(std::cos(qDegreesToRadians(tiltDeg))), sp(std::sin(qDegreesToRadians(tiltDeg))) {}
};

QPointF ellipsePoint(double cx, double cy, double rx, double ry, const Tilt& tilt, double thetaDeg)
{
    const double t = qDegreesToRadians(thetaDeg);
    const double ct = std::cos(t), st = std::sin(t), cp = tilt.cp, sp = tilt.sp;
    // Single precision, as the points are handed to the drawing calls.
    return QPointF(float(cx + rx * ct * cp - ry * st * sp), float(cy - (rx * ct * sp + ry * st * cp)));
}

int boundedCount(int n) { return std::clamp(n, 1, kMaxSegments); }

}  // namespace

QPolygonF TGraphP::EllipsePoints(double cx, double cy, double rx, double ry, double tiltDeg, double startDeg,
                                 double sweepDeg, int n)
{
    n = boundedCount(n);
    const Tilt tilt(tiltDeg);
    QPolygonF points;
    points.reserve(n + 1);
    for (int i = 0; i <= n; ++i)
        points << ellipsePoint(cx, cy, rx, ry, tilt, startDeg + i * sweepDeg / n);
    return points;
}

void TGraphP::EllipsePointsInterleaved(QPolygonF& out, double cx, double cy, double rx, double ry, double tiltDeg,
                                       double startDeg, double sweepDeg, int n, bool odd)
{
    n = boundedCount(n);
    const qsizetype needed = 2 * qsizetype(n + 1);
    if (out.size() < needed)
        out.resize(needed);
    const Tilt tilt(tiltDeg);
    for (int i = 0; i <= n; ++i)
        out[2 * i + (odd ? 1 : 0)] = ellipsePoint(cx, cy, rx, ry, tilt, startDeg + i * sweepDeg / n);
}

QPainterPath TGraphP::CurvePath(const QPolygonF& points, bool closed)
{
    QPainterPath path;
    std::vector<PointD> knots;
    knots.reserve(static_cast<size_t>(points.size()));
    for (const QPointF& p : points)
        knots.push_back({p.x(), p.y()});
    const std::vector<PointD> controls = CardinalBeziers(knots, closed);
    if (controls.empty())
        return path;
    path.moveTo(controls[0].x, controls[0].y);
    for (size_t i = 1; i + 2 < controls.size(); i += 3)
        path.cubicTo(controls[i].x, controls[i].y, controls[i + 1].x, controls[i + 1].y, controls[i + 2].x,
                     controls[i + 2].y);
    if (closed)
        path.closeSubpath();
    return path;
}

// --- primitives -----------------------------------------------------------------------------

void TGraphP::Clear()
{
    if (m_state->active)
        Clear(QRect(0, 0, m_state->painter.device()->width(), m_state->painter.device()->height()));
}

void TGraphP::Clear(const QRect& rect)
{
    State& s = *m_state;
    if (!s.active)
        return;
    s.painter.save();
    s.painter.resetTransform();
    if (s.painter.paintEngine()->type() == QPaintEngine::Raster)
        s.painter.setCompositionMode(QPainter::CompositionMode_Source);  // replaces, as a clear does
    s.painter.fillRect(rect, QColor::fromRgba(s.brushColor));
    s.painter.restore();
}

void TGraphP::DrawLine(double x1, double y1, double x2, double y2)
{
    QPainterPath path{QPointF(float(x1), float(y1))};
    path.lineTo(float(x2), float(y2));
    m_state->stroke(path, true);
}

void TGraphP::DrawLineInt(int x1, int y1, int x2, int y2) { DrawLine(x1, y1, x2, y2); }

void TGraphP::DrawLines(const QPolygonF& points)
{
    if (points.size() >= 2)
        m_state->stroke(polylinePath(points, false), true);
}

void TGraphP::DrawPolygon(const QPolygonF& points)
{
    if (points.size() >= 2)
        m_state->stroke(polylinePath(points, true), false);
}

void TGraphP::FillPolygon(const QPolygonF& points)
{
    if (points.size() >= 3)
        m_state->fill(polylinePath(points, true));  // odd-even, QPainterPath's default
}

void TGraphP::DrawRectangle(const QRectF& rect)
{
    QPainterPath path;
    path.addRect(rect.normalized());
    m_state->stroke(path, false);
}

void TGraphP::FillRectangle(const QRectF& rect)
{
    QPainterPath path;
    path.addRect(rect.normalized());
    m_state->fill(path);
}

void TGraphP::DrawEllipse(const QRectF& rect)
{
    QPainterPath path;
    path.addEllipse(rect.normalized());
    m_state->stroke(path, false);
}

void TGraphP::FillEllipse(const QRectF& rect)
{
    QPainterPath path;
    path.addEllipse(rect.normalized());
    m_state->fill(path);
}

void TGraphP::DrawArc(const QRectF& rect, double startDeg, double sweepDeg)
{
    QPainterPath path;
    path.arcMoveTo(rect.normalized(), startDeg);
    path.arcTo(rect.normalized(), startDeg, sweepDeg);
    m_state->stroke(path, true);
}

void TGraphP::DrawBeziers(const QPolygonF& points)
{
    if (points.size() < 4)
        return;
    QPainterPath path(points[0]);
    for (qsizetype i = 1; i + 2 < points.size(); i += 3)
        path.cubicTo(points[i], points[i + 1], points[i + 2]);
    m_state->stroke(path, true);
}

void TGraphP::DrawCurve(const QPolygonF& points) { m_state->stroke(CurvePath(points, false), true); }

void TGraphP::DrawClosedCurve(const QPolygonF& points) { m_state->stroke(CurvePath(points, true), false); }

void TGraphP::FillClosedCurve(const QPolygonF& points) { m_state->fill(CurvePath(points, true)); }

void TGraphP::DrawPath(const QPainterPath& path) { m_state->stroke(path, false); }

void TGraphP::FillPath(const QPainterPath& path) { m_state->fill(path); }

void TGraphP::FillOrOutlineRect(int mode, QPointF corner1, QPointF corner2)
{
    const QRectF box = QRectF(corner1, corner2).normalized();
    if (mode == 1 || mode == 2)
        FillRectangle(box);
    if (mode == 0 || mode == 2)
        DrawRectangle(box);
}

void TGraphP::FillRectInt(int x1, int y1, int x2, int y2) { FillRectangle(QRectF(QPointF(x1, y1), QPointF(x2, y2))); }

// --- clip and transform ------------------------------------------------------------------------

void TGraphP::ClipToPath()
{
    State& s = *m_state;
    if (!s.active)
        return;
    s.clipToBand();
    s.painter.setClipPath(m_path, s.band.isNull() ? Qt::ReplaceClip : Qt::IntersectClip);
}

void TGraphP::ResetClip()
{
    if (m_state->active)
        m_state->clipToBand();
}

QRectF TGraphP::GetClipBounds() const
{
    const State& s = *m_state;
    if (!s.active)
        return QRectF();
    if (s.painter.hasClipping())
        return s.painter.clipBoundingRect();
    const QPaintDevice* device = s.painter.device();
    return s.painter.worldTransform().inverted().mapRect(QRectF(0, 0, device->width(), device->height()));
}

void TGraphP::SetTransform(const QTransform& transform)
{
    if (m_state->active)
        m_state->painter.setWorldTransform(transform * m_state->base);
}

void TGraphP::ResetTransform()
{
    if (m_state->active)
        m_state->painter.setWorldTransform(m_state->base);
}
