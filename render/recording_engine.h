// The paint engine that the file writers (SVG, EMF, WMF) share. It follows
// QPainter's state, keeps the clip's state in device pixels, and turns every
// polygon and path into one call with the brush that applies, so a writer
// only turns resolved shapes, images and text into its own records.
#pragma once

#include <QBrush>
#include <QPaintEngine>
#include <QPainterPath>
#include <QPen>
#include <QTransform>

class RecordingEngine : public QPaintEngine {
public:
    bool begin(QPaintDevice* device) final;
    bool end() final;
    void updateState(const QPaintEngineState& state) final;
    void drawPath(const QPainterPath& path) final;
    void drawPolygon(const QPointF* points, int count, PolygonDrawMode mode) final;
    void drawPixmap(const QRectF& r, const QPixmap& pm, const QRectF& sr) final;
    Type type() const final { return User; }

protected:
    // How a polygon becomes a path. The writers have always differed here, and
    // their files keep the bytes they had: the metafiles keep a repeated point
    // and fill a convex polygon odd-even, SVG drops it and fills winding.
    struct PolygonRules {
        bool keepRepeatedPoints;
        Qt::FillRule convexFill;
    };

    RecordingEngine(PaintEngineFeatures features, PolygonRules polygons);

    // The file's start and end; false when the writer cannot record.
    virtual bool startRecording() = 0;
    virtual bool finishRecording() = 0;
    // A path in logical coordinates, stroked with pen() and filled with `brush`
    // (Qt::NoBrush for a polyline).
    virtual void paintPath(const QPainterPath& logical, const QBrush& brush) = 0;
    // The clip becomes `device` (device pixels), or what is inside both it and
    // the clip so far when `narrows`; dropClip() forgets the clip.
    virtual void setClip(const QPainterPath& device, bool narrows) = 0;
    virtual void dropClip() = 0;

    const QPen& pen() const { return m_pen; }
    const QBrush& brush() const { return m_brush; }
    const QTransform& transform() const { return m_transform; }
    // Whether shapes are clipped now: a clip was set and is switched on.
    bool clipping() const { return m_clipEnabled && m_hasClip; }

private:
    void changeClip(const QPainterPath& logical, Qt::ClipOperation op);
    QPainterPath polygonPath(const QPointF* points, int count) const;

    PolygonRules m_polygons;
    QPen m_pen;
    QBrush m_brush;
    QTransform m_transform;
    bool m_hasClip = false;
    bool m_clipEnabled = false;
};
