// Deterministic mixed drawings: the kinds cycle in their code order, the
// geometry comes from a fixed-seed generator so runs compare.
#include "samples/sample_drawing.h"

#include <iterator>
#include <random>
#include <utility>

namespace {

using namespace sample_refs;

class Sampler {
public:
    Sampler(const SampleOptions& options, double maxSize)
        : m_options(options), m_maxSize(maxSize), m_rng(options.seed)
    {
    }

    double x() { return std::uniform_real_distribution<double>(0, m_options.width)(m_rng); }
    double y() { return std::uniform_real_distribution<double>(0, m_options.height)(m_rng); }
    double size() { return std::uniform_real_distribution<double>(2, m_maxSize)(m_rng); }
    double angle() { return std::uniform_real_distribution<double>(-180, 180)(m_rng); }
    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_rng); }

    std::vector<PointD> points(int n)
    {
        std::vector<PointD> pts;
        const double cx = x(), cy = y();
        for (int i = 0; i < n; ++i)
            pts.push_back({cx + size(), cy + size()});
        return pts;
    }

private:
    const SampleOptions& m_options;
    double m_maxSize;
    std::mt19937 m_rng;
};

// Entries of each pen (brush) kind in the tables, for the random pick.
constexpr int kPenEntries[] = {3, 2, int(std::size(kHatchStyles)), 1, 2};
constexpr int kBrushEntries[] = {3, 2, int(std::size(kHatchStyles)), 1, 2, 2};
constexpr int kLineTypes = 1 + kDashStyles * kDashCaps;

class Headers {
public:
    Headers(const SampleOptions& options, Sampler& s) : m_options(options), m_s(s) {}

    OutlineHeader outline()
    {
        switch (m_options.look) {
        case SampleLook::Row: return m_options.row->outline;
        case SampleLook::AllAttributes: {
            const int kind = 1 + m_s.pick(5);
            return OutlineHeader{m_s.pick(4), kind, m_s.pick(kPenEntries[kind - 1]), m_s.pick(4), m_s.pick(kLineTypes),
                                 m_s.pick(8)};
        }
        case SampleLook::Plain: break;
        }
        return OutlineHeader{m_s.pick(4), 1, m_s.pick(3), m_s.pick(2), 0, 0};
    }

    ClosedHeader closed()
    {
        switch (m_options.look) {
        case SampleLook::Row: return m_options.row->closed;
        case SampleLook::AllAttributes: {
            const int pen = 1 + m_s.pick(5), brush = 1 + m_s.pick(6);
            return ClosedHeader{m_s.pick(3), m_s.pick(4), pen, m_s.pick(kPenEntries[pen - 1]), m_s.pick(4),
                                m_s.pick(kLineTypes), m_s.pick(3), brush, m_s.pick(kBrushEntries[brush - 1])};
        }
        case SampleLook::Plain: break;
        }
        return ClosedHeader{m_s.pick(3), m_s.pick(4), 1, m_s.pick(3), m_s.pick(2), 0, 0, 1, m_s.pick(3)};
    }

private:
    const SampleOptions& m_options;
    Sampler& m_s;
};

// One element at a random anchor (x, y) with a random extent r; each record
// type fills its own fields, and a kind appends the sample of its record type.
struct Sample {
    Sampler& s;
    Headers& headers;
    ElementKind kind;
    double x, y, r;

    void fill(LineRecord& l) { l = {headers.outline(), x, y, x + r, y + s.size()}; }
    void fill(PointRecord& p)
    {
        const OutlineHeader h = headers.outline();
        p = {h.layer, h.penKind, h.penRef, s.pick(25), x, y, 4};
    }
    void fill(RectRecord& b) { b = {headers.closed(), x, y, x + r, y + s.size()}; }
    void fill(CornerRectRecord& c)
    {
        c = {headers.closed(), {1, 2, 3, 4}, x, y, x + 40, y + 30, {4, 4, 4, 4, 4, 4, 4, 4}};
    }
    void fill(CircleRecord& c) { c = {headers.closed(), 0, x, y, r}; }
    void fill(EllipseRecord& e) { e = {headers.closed(), 0, x, y, r, r / 2, s.angle()}; }
    void fill(ArcRecord& a) { a = {headers.outline(), 0, x, y, r, s.angle(), 120}; }
    void fill(EllipticArcRecord& a) { a = {headers.outline(), 0, x, y, r, r / 2, s.angle(), 30, 200}; }
    // Pies sweep a quarter, chords are flat and tilted, outside shapes a half.
    void fill(SectorRecord& p)
    {
        const bool chord = kind == ElementKind::Chord;
        const double sweep = kind == ElementKind::Pie ? 90 : chord ? 150 : 180;
        p = {headers.closed(), x, y, r, chord ? r / 2 : r, chord ? 15.0 : 0.0, s.angle(), sweep};
    }
    void fill(RingRecord& g) { g = {headers.closed(), x, y, r, r, r / 2, r / 2, 0, 0, 360}; }
    // Open paths take five points, Bezier curves seven.
    void fill(OpenPathRecord& p) { p = {headers.outline(), s.points(kind == ElementKind::Bezier ? 7 : 5)}; }
    // Polygons take six points, closed splines five.
    void fill(ClosedPathRecord& p) { p = {headers.closed(), s.points(kind == ElementKind::Polygon ? 6 : 5)}; }
    void fill(TextRecord& t)
    {
        const ClosedHeader h = headers.closed();
        t.layer = h.layer;
        t.brushKind = h.brushKind;
        t.brushRef = h.brushRef;
        t.x = x, t.y = y, t.size = 12, t.angle = 0, t.xRatio = 1;
        t.boxA = x, t.boxB = y, t.boxC = 60, t.boxD = 12;
        t.fontName = "ＭＳ ゴシック";
        t.text = "図面 " + std::to_string(s.pick(1000));
    }
};

void appendOne(Drawing& d, Sampler& s, Headers& headers, ElementKind kind)
{
    const double x = s.x(), y = s.y(), r = s.size();
    Sample sample{s, headers, kind, x, y, r};
    forKind(kind, [&]<ElementKind K>() {
        RecordOf<K> record;
        sample.fill(record);
        d.Append<K>(std::move(record));
    });
}

void fillTables(AttributeTables& a, const std::string& imagePath)
{
    for (int32_t color : {0x000000, 0x0000FF, 0xFF0000}) {
        appendEntry(a.penColor, PenColorEntry{0, color});
        appendEntry(a.brushColor, PenColorEntry{0, color ^ 0xFFFFFF});
    }
    for (double w : {1.0, 2.5, 5.0, 20.0})
        appendEntry(a.width, WidthEntry{0, w});
    appendEntry(a.lineType, LineTypeEntry{0, 0, 0});
    for (int style = 1; style <= kDashStyles; ++style)
        for (int cap = 0; cap < kDashCaps; ++cap)
            appendEntry(a.lineType, LineTypeEntry{0, style, cap});
    for (auto* table : {&a.penAlphaColor, &a.brushAlphaColor}) {
        appendEntry(*table, PenAlphaColorEntry{0, 0x0000FF, 128});
        appendEntry(*table, PenAlphaColorEntry{0, 0x00A000, 64});
    }
    for (auto* table : {&a.penHatch, &a.brushHatch})
        for (int style : kHatchStyles)
            appendEntry(*table, HatchEntry{0, style, 0x800000, 255, 0xE0FFFF, style == 12 ? 128 : 255});
    for (auto* table : {&a.penImage, &a.brushImage}) {
        appendEntry(*table, ImageEntry{0, imagePath});
        appendEntry(*table, ImageEntry{0, imagePath + ".missing"});
    }
    for (auto* table : {&a.penGradient, &a.brushGradient}) {
        appendEntry(*table, GradientEntry{0, 0x0000FF, 255, 0xFF0000, 255, 0});
        appendEntry(*table, GradientEntry{0, 0x00FF00, 96, 0x000000, 255, 45});
    }
    appendEntry(a.brushRadial, RadialEntry{0, 0xFFFFFF, 255, 0x004080, 255});
    appendEntry(a.brushRadial, RadialEntry{0, 0x00FFFF, 128, 0x800080, 200});
}

}  // namespace

void fillSampleDrawing(Drawing& drawing, const SampleOptions& options)
{
    drawing.ResetDatabase();
    drawing.SetUpLayers();
    fillTables(drawing.attributes, options.imagePath);
    const bool row = options.look == SampleLook::Row && options.row && !options.row->kinds.empty();
    SampleOptions effective = options;
    if (options.look == SampleLook::Row && !row)
        effective.look = SampleLook::Plain;
    Sampler sampler(effective, row ? options.row->maxSize : AttributeRow{}.maxSize);
    Headers headers(effective, sampler);
    drawing.journal.BeginGroup();
    for (int i = 0; i < options.elementCount; ++i) {
        const size_t k = static_cast<size_t>(i);
        const ElementKind kind = row ? options.row->kinds[k % options.row->kinds.size()] : kAllKinds[k % kAllKinds.size()];
        appendOne(drawing, sampler, headers, kind);
    }
    drawing.journal.EndGroup();
    drawing.markSaved();
}

namespace {

// Shapes and curves up to 400 pixels across that overlap each other, as in
// drawings made by other programs: every pen kind with each dash style and cap
// and the widths on curves and polylines, every brush kind under an outline.
void addLargeRows(std::vector<AttributeRow>& rows)
{
    using K = ElementKind;
    constexpr double kLarge = 400;
    const std::vector<K> curves{K::Polyline, K::OpenSpline, K::Bezier, K::ClosedSpline};
    const std::vector<K> shapes{K::Rect, K::Polygon, K::ClosedSpline, K::Circle, K::Ellipse};
    auto pen = [&](std::string name, int kind, int ref, int width, int lineType, int cap) {
        rows.push_back({"large_" + name, curves, {0, kind, ref, width, lineType, cap},
                        ClosedHeader{0, 0, kind, ref, width, lineType, 0, 1, 0}, kLarge});
    };
    auto brush = [&](std::string name, int kind, int ref) {
        rows.push_back({"large_" + name, shapes, {}, ClosedHeader{1, 0, 1, 0, kWidth2_5, 0, 0, kind, ref}, kLarge});
    };
    for (int kind = 1; kind <= 5; ++kind)
        for (int style = 0; style <= kDashStyles; ++style)
            pen("pen" + std::to_string(kind) + "_dash" + std::to_string(style), kind, 0, kWidth5, lineType(style, 1),
                style % 3);
    for (int width : {kWidth1, kWidth20})
        for (int cap = 0; cap < kDashCaps; ++cap)
            pen("width" + std::to_string(width == kWidth1 ? 1 : 20) + "_dash2_cap" + std::to_string(cap), 1, 0, width,
                lineType(2, cap), cap);
    pen("pen_translucent", 2, 1, kWidth5, lineType(3, 2), 0);
    pen("pen_missing_image", 4, kMissingImage, kWidth5, 0, 0);
    for (int kind = 1; kind <= 6; ++kind)
        brush("brush" + std::to_string(kind), kind, kind == 1 ? 1 : 0);
    brush("brush_translucent", 2, 1);
    brush("brush5_translucent", 5, 1);
    brush("brush6_translucent", 6, 1);
    brush("brush_missing_image", 4, kMissingImage);
}

std::vector<AttributeRow> buildRows()
{
    using K = ElementKind;
    const std::vector<K> open{K::Line, K::Polyline, K::Arc, K::OpenSpline};
    const std::vector<K> shapes{K::Rect, K::Circle, K::Polygon, K::Pie, K::ClosedSpline};
    std::vector<AttributeRow> rows;
    // Pens 5 pixels wide on open kinds, brushes filling shapes without an outline.
    auto pen = [&](std::string name, int kind, int ref, int width, int lineType, int cap, std::vector<K> kinds) {
        AttributeRow row{std::move(name), std::move(kinds), {0, kind, ref, width, lineType, cap}, {}};
        row.closed = ClosedHeader{0, 0, kind, ref, width, lineType, 0, 1, 0};
        rows.push_back(std::move(row));
    };
    auto brush = [&](std::string name, int kind, int ref) {
        rows.push_back({std::move(name), shapes, {}, ClosedHeader{1, 0, 1, 0, kWidth1, 0, 0, kind, ref}});
    };
    for (int kind = 1; kind <= 5; ++kind)
        pen("pen" + std::to_string(kind), kind, 0, kWidth5, 0, 0, open);
    pen("pen_translucent", 2, 1, kWidth5, 0, 0, open);
    for (int width : {kWidth1, kWidth5, kWidth20})
        pen("width" + std::to_string(width == kWidth1 ? 1 : width == kWidth5 ? 5 : 20), 1, 0, width, 0, 0, open);
    for (int style = 1; style <= kDashStyles; ++style)
        for (int cap = 0; cap < kDashCaps; ++cap)
            pen("dash" + std::to_string(style) + "_cap" + std::to_string(cap), 1, 0, kWidth5, lineType(style, cap), 0,
                open);
    for (int cap = 0; cap < 8; ++cap)
        pen("cap" + std::to_string(cap), 1, 0, kWidth5, 0, cap, {K::Line, K::Polyline});
    for (int kind = 1; kind <= 6; ++kind)
        brush("brush" + std::to_string(kind), kind, kind == 1 ? 1 : 0);  // brush colour 0 is white
    brush("brush_translucent", 2, 1);
    brush("brush6_translucent", 6, 1);
    for (size_t i = 0; i < std::size(kHatchStyles); ++i)
        brush("hatch" + std::to_string(kHatchStyles[i]), 3, int(i));
    // One row per kind, under the names the paint checksums know them by.
    static const std::pair<K, const char*> kKindRows[] = {
        {K::Line, "line"},         {K::Point, "point"},       {K::Rect, "rect"},
        {K::CornerRect, "corner_rect"}, {K::Circle, "circle"}, {K::Ellipse, "ellipse"},
        {K::Arc, "arc"},           {K::EllipticArc, "ell_arc"}, {K::Pie, "pie"},
        {K::Chord, "chord"},       {K::Outside, "outside"},   {K::Ring, "ring"},
        {K::Polyline, "polyline"}, {K::Polygon, "polygon"},   {K::Bezier, "bezier"},
        {K::OpenSpline, "open_spline"}, {K::ClosedSpline, "closed_spline"}, {K::Text, "text"}};
    for (const auto& [kind, name] : kKindRows)
        rows.push_back({std::string("kind_") + name, {kind}, {0, 1, 0, kWidth1, 0, 0},
                        ClosedHeader{2, 0, 1, 0, kWidth1, 0, 0, 1, 1}});
    addLargeRows(rows);
    return rows;
}

}  // namespace

const std::vector<AttributeRow>& attributeRows()
{
    static const std::vector<AttributeRow> rows = buildRows();
    return rows;
}
