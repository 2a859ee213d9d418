#include "bench/paint_floor.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>
#include <type_traits>

#include "render/graph_p.h"
#include "render/hatch.h"
#include "render/texture.h"

namespace {

QColor argb(int32_t colourRef, int alpha = 255) { return QColor::fromRgba(TGraphP::AlphaColor(alpha, colourRef)); }

QPolygonF polygonOf(const std::vector<PointD>& pts)
{
    QPolygonF out;
    out.reserve(static_cast<qsizetype>(pts.size()));
    for (const PointD& p : pts)
        out.append({p.x, p.y});
    return out;
}

QPolygonF ellipseArc(double cx, double cy, double rx, double ry, double start, double sweep)
{
    return TGraphP::EllipsePoints(cx, cy, rx, ry, 0, start, sweep, TGraphP::SegmentCount(sweep));
}

// The anchor shape at end e of a line arriving from `from`.
void drawAnchor(QPainter& p, const PaintFloor::Style& s, QPointF from, QPointF e)
{
    const QPointF v = e - from;
    const double len = std::hypot(v.x(), v.y());
    const QPointF d = len > 0 ? v / len : QPointF(1, 0), n(-d.y(), d.x());
    const double w = s.anchorSize;
    switch (s.anchor) {
    case 4: p.drawEllipse(e, w, w); break;
    case 5: p.drawPolygon(QPolygonF{e + d * w, e + n * w, e - d * w, e - n * w}); break;
    case 6: p.drawPolygon(QPolygonF{e + (d + n) * w * 0.7071, e + (d - n) * w * 0.7071, e - (d + n) * w * 0.7071,
                                    e - (d - n) * w * 0.7071}); break;
    case 7: {
        const QPointF base = e - d * (1.732 * w);
        p.drawPolygon(QPolygonF{e, base + n * w, base - n * w});
        break;
    }
    default: break;
    }
}

struct FloorPainter {
    QPainter& p;
    const PaintFloor::Style& s;

    void use(bool open) const
    {
        p.setPen(s.pen);
        p.setBrush(open ? QBrush(Qt::NoBrush) : s.brush);
    }
    void anchors(const QPolygonF& pts) const
    {
        if (!s.anchor || pts.size() < 2)
            return;
        p.setPen(Qt::NoPen);
        p.setBrush(s.pen.brush());
        drawAnchor(p, s, pts[1], pts[0]);
        drawAnchor(p, s, pts[pts.size() - 2], pts.back());
    }
    void operator()(ElementKind, const LineRecord& r) const
    {
        use(true);
        p.drawLine(QPointF(r.x1, r.y1), QPointF(r.x2, r.y2));
        anchors(QPolygonF{QPointF(r.x1, r.y1), QPointF(r.x2, r.y2)});
    }
    void operator()(ElementKind, const PointRecord& r) const
    {
        use(true);
        p.drawEllipse(QPointF(r.x, r.y), r.size, r.size);
    }
    void operator()(ElementKind, const RectRecord& r) const
    {
        use(false);
        p.drawRect(QRectF(QPointF(r.x1, r.y1), QPointF(r.x2, r.y2)));
    }
    void operator()(ElementKind, const CornerRectRecord& r) const
    {
        use(false);
        p.drawRoundedRect(QRectF(QPointF(r.x1, r.y1), QPointF(r.x2, r.y2)), 4, 4);
    }
    void operator()(ElementKind, const CircleRecord& r) const
    {
        use(false);
        p.drawEllipse(QPointF(r.cx, r.cy), r.r, r.r);
    }
    void operator()(ElementKind, const EllipseRecord& r) const
    {
        use(false);
        p.drawPolygon(TGraphP::EllipsePoints(r.cx, r.cy, r.rx, r.ry, r.tilt, 0, 360, 72));
    }
    void operator()(ElementKind, const ArcRecord& r) const
    {
        use(true);
        p.drawArc(QRectF(r.cx - r.r, r.cy - r.r, 2 * r.r, 2 * r.r), int(r.startAngle * 16), int(r.sweepAngle * 16));
    }
    void operator()(ElementKind, const EllipticArcRecord& r) const
    {
        use(true);
        p.drawPolyline(ellipseArc(r.cx, r.cy, r.rx, r.ry, r.startAngle, r.sweepAngle));
    }
    void operator()(ElementKind, const SectorRecord& r) const
    {
        use(false);
        p.drawPolygon(ellipseArc(r.cx, r.cy, r.rx, r.ry, r.startAngle, r.sweepAngle));
    }
    void operator()(ElementKind, const RingRecord& r) const
    {
        use(false);
        QPainterPath path;
        path.addEllipse(QPointF(r.cx, r.cy), r.outerRx, r.outerRy);
        path.addEllipse(QPointF(r.cx, r.cy), r.innerRx, r.innerRy);
        p.drawPath(path);
    }
    void operator()(ElementKind kind, const OpenPathRecord& r) const
    {
        use(true);
        const QPolygonF pts = polygonOf(r.points);
        if (kind == ElementKind::Polyline || pts.size() < 4) {
            p.drawPolyline(pts);
        } else if (kind == ElementKind::OpenSpline) {
            p.drawPath(TGraphP::CurvePath(pts, false));
        } else {
            QPainterPath path(pts[0]);
            for (qsizetype i = 1; i + 2 < pts.size(); i += 3)
                path.cubicTo(pts[i], pts[i + 1], pts[i + 2]);
            p.drawPath(path);
        }
        anchors(pts);
    }
    void operator()(ElementKind kind, const ClosedPathRecord& r) const
    {
        use(false);
        const QPolygonF pts = polygonOf(r.points);
        if (kind == ElementKind::ClosedSpline)
            p.drawPath(TGraphP::CurvePath(pts, true));
        else
            p.drawPolygon(pts);
    }
    void operator()(ElementKind, const TextRecord& r) const
    {
        p.setPen(QPen(s.brush, 0));
        p.drawText(QPointF(r.x, r.y), QString::fromStdString(r.text));
    }
};

}  // namespace

PaintFloor::PaintFloor(const Drawing& drawing, int width, int height)
    : m_drawing(drawing), m_width(width), m_height(height)
{
    auto collect = [this](ElementKind, const auto& r) {
        using Record = std::decay_t<decltype(r)>;
        if constexpr (std::is_same_v<Record, PointRecord>)
            m_elementStyles.push_back(&styleOf(OutlineHeader{r.layer, r.penKind, r.penRef, 0, 0, 0}));
        else if constexpr (std::is_same_v<Record, TextRecord>)
            m_elementStyles.push_back(&styleOf(ClosedHeader{1, r.layer, 1, 0, 0, 0, 0, r.brushKind, r.brushRef}));
        else
            m_elementStyles.push_back(&styleOf(r.h));
    };
    for (const ElementRef& ref : drawing.registry)
        visitElement(drawing, ref, collect);
}

const PaintFloor::Style& PaintFloor::styleOf(const OutlineHeader& h)
{
    const PenKey pen{h.penKind, h.penRef, h.widthRef, h.lineTypeRef, h.endStyle, h.endStyle == 3 ? 0 : h.endStyle};
    auto [it, fresh] = m_styles.try_emplace({pen, BrushKey{0, 0}, 0});
    if (fresh) {
        it->second.pen = makePen(pen);
        if (h.endStyle >= 4) {
            it->second.anchor = h.endStyle;
            it->second.anchorSize = std::max(it->second.pen.widthF(), 2.0);
        }
    }
    return it->second;
}

const PaintFloor::Style& PaintFloor::styleOf(const ClosedHeader& h)
{
    const PenKey pen{h.penKind, h.penRef, h.widthRef, h.lineTypeRef, 0, h.joinStyle};
    auto [it, fresh] = m_styles.try_emplace({pen, BrushKey{h.brushKind, h.brushRef}, h.fillMode});
    if (fresh) {
        if (h.fillMode != 1)
            it->second.pen = makePen(pen);
        if (h.fillMode != 0)
            it->second.brush = makeBrush(h.brushKind, h.brushRef);
    }
    return it->second;
}

QPen PaintFloor::makePen(const PenKey& key)
{
    const auto [kind, ref, widthRef, lineTypeRef, endStyle, join] = key;
    const AttributeTables& a = m_drawing.attributes;
    QBrush brush(Qt::black);
    if (kind == 1) {
        if (auto* e = entryAt(a.penColor, ref))
            brush = QBrush(argb(e->color));
    } else if (kind == 2) {
        if (auto* e = entryAt(a.penAlphaColor, ref))
            brush = QBrush(argb(e->color, e->alpha));
    } else if (kind == 3) {
        if (auto* e = entryAt(a.penHatch, ref))
            brush = QBrush(hatchCell(e->hatchStyle, TGraphP::AlphaColor(e->foreAlpha, e->foreColor),
                                     TGraphP::AlphaColor(e->backAlpha, e->backColor)));
    } else if (kind == 4) {
        if (auto* e = entryAt(a.penImage, ref))
            brush = QBrush(loadTexture(QString::fromStdString(e->fileName)).image);
    } else if (kind == 5) {
        if (auto* e = entryAt(a.penGradient, ref)) {
            QLinearGradient g(0, 0, 60, 0);
            g.setColorAt(0, argb(e->color1, e->alpha1));
            g.setColorAt(1, argb(e->color2, e->alpha2));
            g.setSpread(QGradient::RepeatSpread);
            g.setInterpolationMode(QGradient::ComponentInterpolation);
            brush = QBrush(g);
        }
    }
    const WidthEntry* width = entryAt(a.width, widthRef);
    const double w = width && width->width >= 1 ? width->width : 0;
    static constexpr Qt::PenCapStyle kCaps[] = {Qt::FlatCap, Qt::RoundCap, Qt::FlatCap, Qt::SquareCap};
    static constexpr Qt::PenJoinStyle kJoins[] = {Qt::MiterJoin, Qt::RoundJoin, Qt::BevelJoin, Qt::SvgMiterJoin};
    QPen pen(brush, w, Qt::SolidLine, endStyle >= 0 && endStyle < 4 ? kCaps[endStyle] : Qt::FlatCap,
             join >= 0 && join < 4 ? kJoins[join] : Qt::MiterJoin);
    if (const LineTypeEntry* type = entryAt(a.lineType, lineTypeRef); type && type->dashStyle >= 1 && type->dashStyle <= 4) {
        static const QList<qreal> kPatterns[] = {{3, 1}, {1, 1}, {3, 1, 1, 1}, {3, 1, 1, 1, 1, 1}};
        pen.setDashPattern(kPatterns[type->dashStyle - 1]);
        pen.setCapStyle(type->dashCap == 1 ? Qt::RoundCap : Qt::FlatCap);
    }
    return pen;
}

QBrush PaintFloor::makeBrush(int kind, int ref)
{
    const AttributeTables& a = m_drawing.attributes;
    switch (kind) {
    case 1:
        if (auto* e = entryAt(a.brushColor, ref))
            return QBrush(argb(e->color));
        break;
    case 2:
        if (auto* e = entryAt(a.brushAlphaColor, ref))
            return QBrush(argb(e->color, e->alpha));
        break;
    case 3:
        if (auto* e = entryAt(a.brushHatch, ref))
            return QBrush(hatchCell(e->hatchStyle, TGraphP::AlphaColor(e->foreAlpha, e->foreColor),
                                    TGraphP::AlphaColor(e->backAlpha, e->backColor)));
        break;
    case 4:
        if (auto* e = entryAt(a.brushImage, ref))
            return QBrush(loadTexture(QString::fromStdString(e->fileName)).image);
        break;
    case 5:
        if (auto* e = entryAt(a.brushGradient, ref)) {
            QLinearGradient g(0, 0, 60, 60);
            g.setColorAt(0, argb(e->color1, e->alpha1));
            g.setColorAt(1, argb(e->color2, e->alpha2));
            g.setSpread(QGradient::RepeatSpread);
            g.setInterpolationMode(QGradient::ComponentInterpolation);
            return QBrush(g);
        }
        break;
    case 6:
        // A path gradient has no Qt brush; the nearest is one radial gradient.
        if (auto* e = entryAt(a.brushRadial, ref)) {
            QRadialGradient g(m_width / 2.0, m_height / 2.0, 40);
            g.setColorAt(0, argb(e->color1, e->alpha1));
            g.setColorAt(1, argb(e->color2, e->alpha2));
            g.setSpread(QGradient::RepeatSpread);
            return QBrush(g);
        }
        break;
    default: break;
    }
    return QBrush(Qt::white);
}

void PaintFloor::paint(QImage& image) const
{
    QPainter p(&image);
    p.fillRect(image.rect(), Qt::white);
    QFont font(QStringLiteral("IPAGothic"));
    font.setPixelSize(12);
    font.setStyleStrategy(QFont::NoAntialias);
    p.setFont(font);
    size_t i = 0;
    for (const ElementRef& ref : m_drawing.registry)
        visitElement(m_drawing, ref, FloorPainter{p, *m_elementStyles[i++]});
}
