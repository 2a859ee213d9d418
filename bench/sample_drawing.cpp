// Deterministic mixed drawings: the kinds cycle in their code order, the
// geometry comes from a fixed-seed generator so runs compare.
#include "bench/sample_drawing.h"

#include <random>

namespace {
class Sampler {
public:
    Sampler(const SampleOptions& options) : m_options(options), m_rng(options.seed) {}

    double x() { return std::uniform_real_distribution<double>(0, m_options.width)(m_rng); }
    double y() { return std::uniform_real_distribution<double>(0, m_options.height)(m_rng); }
    double size() { return std::uniform_real_distribution<double>(2, 60)(m_rng); }
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
    std::mt19937 m_rng;
};

OutlineHeader outline(Sampler& s)
{
    return OutlineHeader{s.pick(4), 1, s.pick(3), s.pick(2), 0, 0};
}

ClosedHeader closed(Sampler& s)
{
    return ClosedHeader{s.pick(3), s.pick(4), 1, s.pick(3), s.pick(2), 0, 0, 1, s.pick(3)};
}

void appendOne(Drawing& d, Sampler& s, ElementKind kind)
{
    const double x = s.x(), y = s.y(), r = s.size();
    switch (kind) {
    case ElementKind::Line: d.AppendLine({outline(s), x, y, x + r, y + s.size()}); break;
    case ElementKind::Point: d.AppendPoint({s.pick(4), 1, 0, s.pick(25), x, y, 4}); break;
    case ElementKind::Rect: d.AppendRect({closed(s), x, y, x + r, y + s.size()}); break;
    case ElementKind::CornerRect: {
        CornerRectRecord c{closed(s), {1, 2, 3, 4}, x, y, x + 40, y + 30, {4, 4, 4, 4, 4, 4, 4, 4}};
        d.AppendCornerRect(c);
        break;
    }
    case ElementKind::Circle: d.AppendCircle({closed(s), 0, x, y, r}); break;
    case ElementKind::Ellipse: d.AppendEllipse({closed(s), 0, x, y, r, r / 2, s.angle()}); break;
    case ElementKind::Arc: d.AppendArc({outline(s), 0, x, y, r, s.angle(), 120}); break;
    case ElementKind::EllipticArc:
        d.AppendEllipticArc({outline(s), 0, x, y, r, r / 2, s.angle(), 30, 200});
        break;
    case ElementKind::Pie: d.AppendPie({closed(s), x, y, r, r, 0, s.angle(), 90}); break;
    case ElementKind::Chord: d.AppendChord({closed(s), x, y, r, r / 2, 15, s.angle(), 150}); break;
    case ElementKind::Outside: d.AppendOutside({closed(s), x, y, r, r, 0, s.angle(), 180}); break;
    case ElementKind::Ring: d.AppendRing({closed(s), x, y, r, r, r / 2, r / 2, 0, 0, 360}); break;
    case ElementKind::Polyline: d.AppendPolyline({outline(s), s.points(5)}); break;
    case ElementKind::Polygon: d.AppendPolygon({closed(s), s.points(6)}); break;
    case ElementKind::Bezier: d.AppendBezier({outline(s), s.points(7)}); break;
    case ElementKind::OpenSpline: d.AppendOpenSpline({outline(s), s.points(5)}); break;
    case ElementKind::ClosedSpline: d.AppendClosedSpline({closed(s), s.points(5)}); break;
    case ElementKind::Text: {
        TextRecord t;
        t.layer = s.pick(4);
        t.x = x, t.y = y, t.size = 12, t.angle = 0, t.xRatio = 1;
        t.boxA = x, t.boxB = y, t.boxC = 60, t.boxD = 12;
        t.fontName = "ＭＳ ゴシック";
        t.text = "図面 " + std::to_string(s.pick(1000));
        d.AppendText(std::move(t));
        break;
    }
    }
}
}  // namespace

void fillSampleDrawing(Drawing& drawing, const SampleOptions& options)
{
    drawing.ResetDatabase();
    drawing.SetUpLayers();
    AttributeTables& a = drawing.attributes;
    for (int32_t color : {0x000000, 0x0000FF, 0xFF0000}) {
        appendEntry(a.penColor, PenColorEntry{0, color});
        appendEntry(a.brushColor, PenColorEntry{0, color ^ 0xFFFFFF});
    }
    appendEntry(a.width, WidthEntry{0, 1.0});
    appendEntry(a.width, WidthEntry{0, 2.5});
    appendEntry(a.lineType, LineTypeEntry{0, 0, 0});

    Sampler sampler(options);
    drawing.journal.BeginGroup();
    for (int i = 0; i < options.elementCount; ++i)
        appendOne(drawing, sampler, kAllKinds[static_cast<size_t>(i) % kAllKinds.size()]);
    drawing.journal.EndGroup();
    drawing.markSaved();
}
