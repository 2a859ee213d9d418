// The drawing file's layout, described once for the reader, the writer and
// the writer's marking pass: the order of the attribute sections and of every
// record's fields. Each `fields` overload walks one record (const for the
// writer, mutable for the reader) and hands each field to a visitor with
//   i32(int32_t), real(double), text(std::string), points(vector<PointD>),
//   penRef(kind, ref, used), widthRef(ref, used), lineTypeRef(ref, used),
//   brushRef(kind, ref, used)
// where `used` tells the marking pass whether the element draws with that
// attribute (a fill-only shape does not use its pen).
#pragma once

#include <concepts>
#include <string_view>
#include <type_traits>

#include "model/attributes.h"
#include "model/element_kind.h"
#include "model/records.h"

namespace mtfile {

template <class T, class U>
concept Is = std::same_as<std::remove_const_t<T>, U>;

// Section numbers: pens 0..4 by penKind - 1, widths 5, line types 6, brushes
// 7..12 by brushKind + 6.
inline constexpr int kSectionCount = 13;
inline constexpr int kWidthSection = 5;
inline constexpr int kLineTypeSection = 6;
inline constexpr int penSection(int32_t penKind) { return penKind >= 1 && penKind <= 5 ? penKind - 1 : -1; }
inline constexpr int brushSection(int32_t brushKind)
{
    return brushKind >= 1 && brushKind <= 6 ? brushKind + 6 : -1;
}

// Calls f(sectionNumber, keyword, table) for the thirteen tables in file order.
template <class Tables, class F>
    requires Is<Tables, AttributeTables>
void forEachSection(Tables& t, F&& f)
{
    f(0, "PEN1", t.penColor);
    f(1, "PEN2", t.penAlphaColor);
    f(2, "PEN3", t.penHatch);
    f(3, "PEN4", t.penImage);
    f(4, "PEN5", t.penGradient);
    f(5, "PEN_WIDTH", t.width);
    f(6, "PEN_TYPE", t.lineType);
    f(7, "BRUSH1", t.brushColor);
    f(8, "BRUSH2", t.brushAlphaColor);
    f(9, "BRUSH3", t.brushHatch);
    f(10, "BRUSH4", t.brushImage);
    f(11, "BRUSH5", t.brushGradient);
    f(12, "BRUSH6", t.brushRadial);
}

// ---- Attribute entries (the id field is not stored) -------------------------

template <class V, Is<PenColorEntry> E> void fields(V& v, E& e) { v.i32(e.color); }

template <class V, Is<PenAlphaColorEntry> E> void fields(V& v, E& e)
{
    v.i32(e.color);
    v.i32(e.alpha);
}

template <class V, Is<HatchEntry> E> void fields(V& v, E& e)
{
    v.i32(e.hatchStyle);
    v.i32(e.foreColor);
    v.i32(e.foreAlpha);
    v.i32(e.backColor);
    v.i32(e.backAlpha);
}

template <class V, Is<ImageEntry> E> void fields(V& v, E& e) { v.text(e.fileName); }

template <class V, Is<GradientEntry> E> void fields(V& v, E& e)
{
    v.i32(e.color1);
    v.i32(e.alpha1);
    v.i32(e.color2);
    v.i32(e.alpha2);
    v.real(e.angle);
}

template <class V, Is<WidthEntry> E> void fields(V& v, E& e) { v.real(e.width); }

template <class V, Is<LineTypeEntry> E> void fields(V& v, E& e)
{
    v.i32(e.dashStyle);
    v.i32(e.dashCap);
}

template <class V, Is<RadialEntry> E> void fields(V& v, E& e)
{
    v.i32(e.color1);
    v.i32(e.alpha1);
    v.i32(e.color2);
    v.i32(e.alpha2);
}

// ---- Element records --------------------------------------------------------

template <class V, Is<OutlineHeader> H> void fields(V& v, H& h)
{
    v.i32(h.layer);
    v.i32(h.penKind);
    v.penRef(h.penKind, h.penRef, true);
    v.widthRef(h.widthRef, true);
    v.lineTypeRef(h.lineTypeRef, true);
    v.i32(h.endStyle);
}

template <class V, Is<ClosedHeader> H> void fields(V& v, H& h)
{
    v.i32(h.fillMode);
    const bool outline = h.fillMode == 0 || h.fillMode == 2;
    const bool filled = h.fillMode == 1 || h.fillMode == 2;
    v.i32(h.layer);
    v.i32(h.penKind);
    v.penRef(h.penKind, h.penRef, outline);
    v.widthRef(h.widthRef, outline);
    v.lineTypeRef(h.lineTypeRef, outline);
    v.i32(h.joinStyle);
    v.i32(h.brushKind);
    v.brushRef(h.brushKind, h.brushRef, filled);
}

template <class V, class... D> void reals(V& v, D&... d) { (v.real(d), ...); }

template <class V, Is<LineRecord> R> void fields(V& v, R& r)
{
    fields(v, r.h);
    reals(v, r.x1, r.y1, r.x2, r.y2);
}

template <class V, Is<PointRecord> R> void fields(V& v, R& r)
{
    v.i32(r.layer);
    v.i32(r.penKind);
    v.penRef(r.penKind, r.penRef, true);
    v.i32(r.pointStyle);
    reals(v, r.x, r.y, r.size);
}

template <class V, Is<RectRecord> R> void fields(V& v, R& r)
{
    fields(v, r.h);
    reals(v, r.x1, r.y1, r.x2, r.y2);
}

template <class V, Is<CornerRectRecord> R> void fields(V& v, R& r)
{
    fields(v, r.h);
    for (auto& type : r.cornerTypes)
        v.i32(type);
    reals(v, r.x1, r.y1, r.x2, r.y2);
    for (auto& size : r.cornerSizes)
        v.real(size);
}

template <class V, Is<CircleRecord> R> void fields(V& v, R& r)
{
    fields(v, r.h);
    v.i32(r.method);
    reals(v, r.cx, r.cy, r.r, r.p1x, r.p1y, r.p2x, r.p2y, r.p3x, r.p3y);
}

template <class V, Is<EllipseRecord> R> void fields(V& v, R& r)
{
    fields(v, r.h);
    v.i32(r.method);
    reals(v, r.cx, r.cy, r.rx, r.ry, r.tilt, r.p1x, r.p1y, r.p2x, r.p2y);
}

template <class V, Is<ArcRecord> R> void fields(V& v, R& r)
{
    fields(v, r.h);
    v.i32(r.method);
    reals(v, r.cx, r.cy, r.r, r.startAngle, r.sweepAngle, r.startX, r.startY, r.endX, r.endY, r.thirdX,
          r.thirdY);
}

template <class V, Is<EllipticArcRecord> R> void fields(V& v, R& r)
{
    fields(v, r.h);
    v.i32(r.method);
    reals(v, r.cx, r.cy, r.rx, r.ry, r.tilt, r.startAngle, r.sweepAngle, r.startX, r.startY, r.endX, r.endY);
}

template <class V, Is<SectorRecord> R> void fields(V& v, R& r)
{
    fields(v, r.h);
    reals(v, r.cx, r.cy, r.rx, r.ry, r.tilt, r.startAngle, r.sweepAngle);
}

template <class V, Is<RingRecord> R> void fields(V& v, R& r)
{
    fields(v, r.h);
    reals(v, r.cx, r.cy, r.outerRx, r.outerRy, r.innerRx, r.innerRy, r.tilt, r.startAngle, r.sweepAngle);
}

template <class V, class R>
    requires Is<R, OpenPathRecord> || Is<R, ClosedPathRecord>
void fields(V& v, R& r)
{
    fields(v, r.h);
    v.points(r.points);
}

template <class V, Is<TextRecord> R> void fields(V& v, R& r)
{
    v.i32(r.layer);
    v.i32(r.brushKind);
    v.brushRef(r.brushKind, r.brushRef, true);
    v.i32(r.anchor);
    v.i32(r.fontStyle);
    reals(v, r.x, r.y, r.size, r.angle, r.xRatio, r.boxA, r.boxB, r.boxC, r.boxD);
    v.text(r.fontName);
    v.text(r.text);
}

}  // namespace mtfile
