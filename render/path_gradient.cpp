// The path-gradient brush: centre colour at the centre point, surround colour
// on the outline, blended linearly along each ray from the centre. It is
// drawn as a fan of triangles (centre, edge start, edge end), each filled with
// a linear gradient running from the edge (surround) straight to the centre
// (centre colour). Inside one triangle the distance to the edge falls linearly
// along every ray from the centre, so this is exactly the ray blend. Aliased
// triangles that share an edge cover each pixel once, so alpha colours do not
// double up along the seams.
#include "render/paint.h"

#include <QLineF>
#include <QLinearGradient>

namespace {

void fillFanTriangle(QPainter& painter, QPointF centre, QPointF a, QPointF b, const QColor& centreColour,
                     const QColor& surroundColour)
{
    const QPointF ab = b - a;
    const double len2 = QPointF::dotProduct(ab, ab);
    if (len2 <= 0)
        return;
    const QPointF foot = a + ab * (QPointF::dotProduct(centre - a, ab) / len2);
    if (QLineF(foot, centre).length() < 1e-9)
        return;  // the centre lies on this edge's line: the triangle has no area
    QLinearGradient gradient(foot, centre);
    gradient.setColorAt(0, surroundColour);
    gradient.setColorAt(1, centreColour);
    gradient.setInterpolationMode(QGradient::ComponentInterpolation);
    painter.setBrush(gradient);
    painter.drawPolygon(QPolygonF{centre, a, b});
}

}  // namespace

void fillPathGradient(QPainter& painter, const QPainterPath& area, const QPainterPath& outline,
                      QPointF centre, QRgb centreArgb, QRgb surroundArgb)
{
    if (outline.isEmpty() || area.isEmpty())
        return;
    const QColor centreColour = QColor::fromRgba(centreArgb);
    const QColor surroundColour = QColor::fromRgba(surroundArgb);
    painter.save();
    // Nothing is painted outside the outline, nor outside the shape being filled.
    painter.setClipPath(outline, painter.hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
    painter.setClipPath(area, Qt::IntersectClip);
    painter.setPen(Qt::NoPen);
    for (QPolygonF poly : outline.toSubpathPolygons()) {
        if (poly.size() > 1 && poly.first() != poly.last())
            poly << poly.first();
        for (qsizetype i = 0; i + 1 < poly.size(); ++i)
            fillFanTriangle(painter, centre, poly[i], poly[i + 1], centreColour, surroundColour);
    }
    painter.restore();
}
