// The sample sheet: attribute tables of every pen and brush kind that needs
// no image file, then four labelled bands of elements (one of each kind, the
// 53 hatch styles, caps and dash styles, the 25 point markers).
#include "samples/sample_sheet.h"

namespace {

struct Refs {
    int32_t black = 0, blue = 0, red = 0, green = 0; // pen colours
    int32_t thin = 0, wide = 0, thick = 0; // widths 1, 4, 10
    int32_t solid = 0; // line type 0/0
    int32_t alphaPen = 0, hatchPen = 0, gradientPen = 0;
    int32_t ink = 0, yellow = 0, alphaBrush = 0, linear = 0, radial = 0;
};

Refs addAttributes(AttributeTables& t)
{
    Refs r;
    r.black = appendEntry(t.penColor, PenColorEntry { 0, 0x000000 });
    r.blue = appendEntry(t.penColor, PenColorEntry { 0, 0xC04000 });
    r.red = appendEntry(t.penColor, PenColorEntry { 0, 0x0000D0 });
    r.green = appendEntry(t.penColor, PenColorEntry { 0, 0x008000 });
    r.thin = appendEntry(t.width, WidthEntry { 0, 1 });
    r.wide = appendEntry(t.width, WidthEntry { 0, 4 });
    r.thick = appendEntry(t.width, WidthEntry { 0, 10 });
    r.solid = appendEntry(t.lineType, LineTypeEntry { 0, 0, 0 });
    r.alphaPen = appendEntry(t.penAlphaColor, PenAlphaColorEntry { 0, 0xFF0000, 128 });
    r.hatchPen = appendEntry(t.penHatch, HatchEntry { 0, 8, 0x000080, 255, 0x80FFFF, 255 });
    r.gradientPen = appendEntry(t.penGradient, GradientEntry { 0, 0x0000FF, 255, 0xFF0000, 255, 0 });
    r.ink = appendEntry(t.brushColor, PenColorEntry { 0, 0x000000 });
    r.yellow = appendEntry(t.brushColor, PenColorEntry { 0, 0x40E0FF });
    r.alphaBrush = appendEntry(t.brushAlphaColor, PenAlphaColorEntry { 0, 0x00A000, 110 });
    r.linear = appendEntry(t.brushGradient, GradientEntry { 0, 0xFF8000, 255, 0x0000FF, 255, 30 });
    r.radial = appendEntry(t.brushRadial, RadialEntry { 0, 0xFFFFFF, 255, 0x800080, 255 });
    return r;
}

OutlineHeader pen(int32_t kind, int32_t ref, int32_t width, int32_t lineType = 0, int32_t cap = 0)
{
    return OutlineHeader { 0, kind, ref, width, lineType, cap };
}

ClosedHeader shape(int32_t fill, int32_t brushKind, int32_t brushRef, const Refs& r, int32_t penRef = -1)
{
    return ClosedHeader { fill, 0, 1, penRef < 0 ? r.black : penRef, r.wide, r.solid, 0, brushKind,
        brushRef };
}

// Band 1: one element of each kind, with a mix of pen and brush kinds.
void addKinds(Drawing& d, const Refs& r)
{
    d.AppendLine({ pen(5, r.gradientPen, r.thick), 20, 40, 120, 100 });
    d.AppendPoint({ 0, 1, r.red, 5, 150, 70, 12 });
    d.AppendRect({ shape(2, 1, r.yellow, r), 180, 30, 260, 110 });
    d.AppendCornerRect({ shape(2, 2, r.alphaBrush, r), { 1, 2, 3, 4 }, 280, 30, 380, 110,
        { 15, 15, 15, 15, 15, 15, 15, 15 } });
    d.AppendCircle({ shape(2, 5, r.linear, r), 0, 440, 70, 40 });
    d.AppendEllipse({ shape(2, 6, r.radial, r), 0, 550, 70, 55, 30, 20 });
    d.AppendArc({ pen(1, r.blue, r.wide), 0, 660, 80, 40, 20, 220 });
    d.AppendEllipticArc({ pen(2, r.alphaPen, r.thick), 0, 760, 70, 50, 25, -15, 0, 270 });
    d.AppendPie({ shape(2, 1, r.yellow, r, r.red), 860, 70, 45, 45, 0, 30, 120 });
    d.AppendChord({ shape(1, 3, 0, r), 970, 70, 50, 35, 10, 200, 220 });
    d.AppendOutside({ shape(1, 1, r.yellow, r), 1080, 70, 40, 40, 0, 0, 90 });
    d.AppendRing({ shape(2, 5, r.linear, r), 1190, 70, 45, 45, 22, 22, 0, 0, 360 });

    d.AppendPolyline(
        { pen(3, r.hatchPen, r.thick), { { 20, 160 }, { 60, 220 }, { 100, 170 }, { 140, 230 } } });
    d.AppendPolygon({ shape(2, 2, r.alphaBrush, r),
        { { 170, 230 }, { 210, 150 }, { 250, 230 }, { 160, 180 }, { 260, 180 } } });
    d.AppendBezier({ pen(1, r.green, r.wide), { { 280, 230 }, { 300, 140 }, { 360, 260 }, { 380, 160 } } });
    d.AppendOpenSpline(
        { pen(1, r.blue, r.thin), { { 400, 220 }, { 430, 160 }, { 470, 230 }, { 510, 160 } } });
    d.AppendClosedSpline(
        { shape(2, 6, r.radial, r), { { 540, 160 }, { 620, 170 }, { 600, 230 }, { 550, 220 } } });

    TextRecord text;
    text.brushKind = 1;
    text.brushRef = r.ink;
    text.x = 650, text.y = 215, text.size = 36, text.xRatio = 1;
    text.fontName = "ＭＳ ゴシック";
    text.text = "Mirt 図形 Export";
    d.AppendText(text);
    TextRecord turned = text;
    turned.x = 1000, turned.y = 235, turned.size = 28, turned.angle = 15, turned.fontStyle = 3;
    turned.brushKind = 5, turned.brushRef = r.linear;
    turned.text = "斜め文字";
    d.AppendText(turned);
}

// Band 2: the 53 hatch styles, fore dark blue on light yellow, 14 per row.
void addHatches(AttributeTables& t, Drawing& d, const Refs& r)
{
    for (int style = 0; style < 53; ++style) {
        const int32_t ref = appendEntry(t.brushHatch, HatchEntry { 0, style, 0x800000, 255, 0xE0FFFF, 255 });
        const double x = 20 + (style % 14) * 90, y = 270 + (style / 14) * 60;
        ClosedHeader h = shape(2, 3, ref, r);
        h.widthRef = r.thin;
        d.AppendRect({ h, x, y, x + 80, y + 50 });
    }
}

// Band 3: caps 0-7 on wide lines, dash styles 0-4 with the three dash caps.
void addCapsAndDashes(AttributeTables& t, Drawing& d, const Refs& r)
{
    for (int cap = 0; cap < 8; ++cap) {
        const double x = 40 + cap * 155;
        d.AppendLine({ pen(1, r.blue, r.thick, r.solid, cap), x, 540, x + 110, 600 });
    }
    for (int style = 0; style < 5; ++style) {
        for (int dashCap = 0; dashCap < 3; ++dashCap) {
            const int32_t type = appendEntry(t.lineType, LineTypeEntry { 0, style, dashCap });
            const double x = 20 + dashCap * 420, y = 630 + style * 22;
            d.AppendLine({ pen(1, r.black, r.wide, type, 0), x, y, x + 380, y });
        }
    }
}

// Band 4: the 25 point markers in two rows.
void addPointMarkers(Drawing& d, const Refs& r)
{
    for (int style = 0; style < 25; ++style) {
        const double x = 40 + (style % 13) * 95, y = 780 + (style / 13) * 80;
        d.AppendPoint({ 0, 1, style % 2 ? r.red : r.black, style, x, y, 14 });
    }
}

} // namespace

void fillSampleSheet(Drawing& drawing)
{
    const Refs refs = addAttributes(drawing.attributes);
    addKinds(drawing, refs);
    addHatches(drawing.attributes, drawing, refs);
    addCapsAndDashes(drawing.attributes, drawing, refs);
    addPointMarkers(drawing, refs);
}
