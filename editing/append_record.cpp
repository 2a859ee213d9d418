#include "editing/append_record.h"

int32_t AppendRecord(Drawing& d, ElementKind, const LineRecord& r)
{
    return d.AppendLine(r);
}
int32_t AppendRecord(Drawing& d, ElementKind, const PointRecord& r)
{
    return d.AppendPoint(r);
}
int32_t AppendRecord(Drawing& d, ElementKind, const RectRecord& r)
{
    return d.AppendRect(r);
}
int32_t AppendRecord(Drawing& d, ElementKind, const CornerRectRecord& r)
{
    return d.AppendCornerRect(r);
}
int32_t AppendRecord(Drawing& d, ElementKind, const CircleRecord& r)
{
    return d.AppendCircle(r);
}
int32_t AppendRecord(Drawing& d, ElementKind, const EllipseRecord& r)
{
    return d.AppendEllipse(r);
}
int32_t AppendRecord(Drawing& d, ElementKind, const ArcRecord& r)
{
    return d.AppendArc(r);
}
int32_t AppendRecord(Drawing& d, ElementKind, const EllipticArcRecord& r)
{
    return d.AppendEllipticArc(r);
}
int32_t AppendRecord(Drawing& d, ElementKind, const RingRecord& r)
{
    return d.AppendRing(r);
}
int32_t AppendRecord(Drawing& d, ElementKind, const TextRecord& r)
{
    return d.AppendText(r);
}

int32_t AppendRecord(Drawing& d, ElementKind kind, const SectorRecord& r)
{
    if (kind == ElementKind::Pie)
        return d.AppendPie(r);
    return kind == ElementKind::Chord ? d.AppendChord(r) : d.AppendOutside(r);
}

int32_t AppendRecord(Drawing& d, ElementKind kind, const OpenPathRecord& r)
{
    if (kind == ElementKind::Bezier)
        return d.AppendBezier(r);
    return kind == ElementKind::OpenSpline ? d.AppendOpenSpline(r) : d.AppendPolyline(r);
}

int32_t AppendRecord(Drawing& d, ElementKind kind, const ClosedPathRecord& r)
{
    return kind == ElementKind::ClosedSpline ? d.AppendClosedSpline(r) : d.AppendPolygon(r);
}
