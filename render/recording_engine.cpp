// The state, clip and polygon handling of the file writers' paint engine.
#include "render/recording_engine.h"

#include <QPixmap>

RecordingEngine::RecordingEngine(PaintEngineFeatures features, PolygonRules polygons)
    : QPaintEngine(features)
    , m_polygons(polygons)
{
}

bool RecordingEngine::begin(QPaintDevice*)
{
    m_transform = QTransform();
    m_hasClip = false;
    m_clipEnabled = false;
    dropClip();
    return startRecording();
}

bool RecordingEngine::end() { return finishRecording(); }

void RecordingEngine::updateState(const QPaintEngineState& state)
{
    const DirtyFlags flags = state.state();
    if (flags & DirtyPen)
        m_pen = state.pen();
    if (flags & DirtyBrush)
        m_brush = state.brush();
    if (flags & DirtyTransform)
        m_transform = state.transform();
    if (flags & DirtyClipEnabled)
        m_clipEnabled = state.isClipEnabled();
    if (flags & DirtyClipPath)
        changeClip(state.clipPath(), state.clipOperation());
    if (flags & DirtyClipRegion) {
        QPainterPath region;
        region.addRegion(state.clipRegion());
        changeClip(region, state.clipOperation());
    }
}

// A clip given in logical coordinates is kept in device pixels, so a later
// transform does not move it.
void RecordingEngine::changeClip(const QPainterPath& logical, Qt::ClipOperation op)
{
    if (op == Qt::NoClip) {
        m_hasClip = false;
        m_clipEnabled = false;
        dropClip();
        return;
    }
    setClip(m_transform.map(logical), op == Qt::IntersectClip && m_hasClip);
    m_hasClip = true;
    m_clipEnabled = true;
}

void RecordingEngine::drawPath(const QPainterPath& path) { paintPath(path, m_brush); }

void RecordingEngine::drawPolygon(const QPointF* points, int count, PolygonDrawMode mode)
{
    if (count < 2)
        return;
    QPainterPath path = polygonPath(points, count);
    if (mode == PolylineMode)
        return paintPath(path, Qt::NoBrush);
    path.closeSubpath();
    path.setFillRule(mode == OddEvenMode ? Qt::OddEvenFill
            : mode == WindingMode        ? Qt::WindingFill
                                         : m_polygons.convexFill);
    paintPath(path, m_brush);
}

QPainterPath RecordingEngine::polygonPath(const QPointF* points, int count) const
{
    if (m_polygons.keepRepeatedPoints) {
        QPainterPath path;
        path.addPolygon(QPolygonF(QList<QPointF>(points, points + count)));
        return path;
    }
    QPainterPath path(points[0]);
    for (int i = 1; i < count; ++i)
        path.lineTo(points[i]); // drops a point equal to the one before
    return path;
}

void RecordingEngine::drawPixmap(const QRectF& r, const QPixmap& pm, const QRectF& sr)
{
    drawImage(r, pm.toImage(), sr, Qt::AutoColor);
}
