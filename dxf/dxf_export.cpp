// Writing a drawing as DXF: one entity (or a few) per live element, in
// registry order, on the DXF layer of its layer. Pens become the entity's
// true colour, nearest ACI, lineweight and linetype; filled shapes get a
// solid HATCH of the brush colour below their outline.
#include <dl_dxf.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cmath>
#include <numbers>
#include <set>
#include <unordered_map>

#include "dxf/dxf.h"
#include "dxf/dxf_outline.h"
#include "dxf/dxf_palette.h"
#include "dxf/dxf_sink_writer.h"
#include "dxf/dxf_style.h"
#include "storage/cp932.h"

namespace dxf {
namespace {

constexpr double kPi = std::numbers::pi;

// Linetypes of the dash styles 1..4, in units of the pen width (the entity's
// linetype scale), as the screen draws them: dash 3 on 1 off, dot 1 on 1 off.
struct DashPattern {
    const char* name;
    const char* description;
    std::array<double, 6> pattern;
    int count;
};
constexpr DashPattern kDashPatterns[] = {
    {"DASHED", "__ __ __", {3, -1}, 2},
    {"DOT", ". . . .", {1, -1}, 2},
    {"DASHDOT", "__ . __ .", {3, -1, 1, -1}, 4},
    {"DIVIDE", "__ . . __", {3, -1, 1, -1, 1, -1}, 6},
};

// Strings are stored in the file's code page, ANSI_932 (Shift-JIS), as a
// Japanese AutoCAD 2000 writes them. A character the code page cannot hold
// becomes the \U+XXXX escape in texts and '_' in layer names.
std::string toFileText(std::string_view utf8, bool escapes)
{
    Cp932Codec codec;
    std::string out;
    if (codec.encodeFile(utf8, out))
        return out;
    out.clear();
    for (size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
        length = std::min(length, utf8.size() - i);
        const std::string_view character = utf8.substr(i, length);
        i += length;
        if (codec.encodeFile(character, out))
            continue;
        if (!escapes) {
            out += '_';
            continue;
        }
        uint32_t code = length == 1 ? lead : lead & (0x7F >> length);
        for (size_t k = 1; k < length; ++k)
            code = (code << 6) | (static_cast<unsigned char>(character[k]) & 0x3F);
        char text[16];
        std::snprintf(text, sizeof text, "\\U+%04X", static_cast<unsigned>(code > 0xFFFF ? 0xFFFD : code));
        out += text;
    }
    return out;
}

class Exporter {
public:
    Exporter(const Drawing& drawing, ImageSize size, const Sink& sink)
        : m_drawing(drawing), m_height(size.height), m_size(size), m_writer(sink)
    {
    }

    bool run()
    {
        nameLayers();
        writeHeader();
        writeTables();
        writeBlocks();
        m_writer.sectionEntities();
        for (const ElementRef& ref : m_drawing.registry)
            if (ref.live)
                visitElement(m_drawing, ref, [this](ElementKind kind, const auto& record) { write(kind, record); });
        m_writer.sectionEnd();
        m_dxf.writeObjects(m_writer);
        m_dxf.writeObjectsEnd(m_writer);
        m_writer.dxfEOF();
        return m_writer.finish();
    }

private:
    // --- file structure --------------------------------------------------

    void nameLayers()
    {
        std::vector<bool> used(kLayerCount, false);
        for (const ElementRef& ref : m_drawing.registry) {
            const int32_t layer = m_drawing.layerOf(ref);
            if (ref.live && layer >= 0 && layer < kLayerCount)
                used[static_cast<size_t>(layer)] = true;
        }
        std::set<std::string> taken{"0"};
        m_layerNames.assign(kLayerCount, std::string());
        for (int i = 0; i < kLayerCount; ++i) {
            if (!used[static_cast<size_t>(i)])
                continue;
            const Layer* layer = m_drawing.layerAt(i);
            std::string name = toFileText(LayerNameFor(layer ? layer->name : std::string(), i), false);
            while (!taken.insert(name).second)
                name += "_" + std::to_string(i);
            m_layerNames[static_cast<size_t>(i)] = name;
            m_usedLayers.push_back(i);
        }
    }

    void vector(const char* name, double x, double y)
    {
        m_writer.dxfString(9, name);
        m_writer.dxfReal(10, x);
        m_writer.dxfReal(20, y);
    }

    void writeHeader()
    {
        m_dxf.writeHeader(m_writer);
        // The image area is the sheet: it comes back as the image size.
        vector("$LIMMIN", 0, 0);
        vector("$LIMMAX", m_size.width, m_size.height);
        vector("$EXTMIN", 0, 0);
        vector("$EXTMAX", m_size.width, m_size.height);
        m_writer.dxfString(9, "$DWGCODEPAGE");
        m_writer.dxfString(3, "ANSI_932");
        m_writer.sectionEnd();
    }

    void writeTables()
    {
        m_writer.sectionTables();
        m_dxf.writeVPort(m_writer);

        m_writer.tableLinetypes(3 + static_cast<int>(std::size(kDashPatterns)));
        m_dxf.writeLinetype(m_writer, DL_LinetypeData("BYBLOCK", "", 0, 0, 0.0));
        m_dxf.writeLinetype(m_writer, DL_LinetypeData("BYLAYER", "", 0, 0, 0.0));
        m_dxf.writeLinetype(m_writer, DL_LinetypeData("CONTINUOUS", "Solid line", 0, 0, 0.0));
        for (const DashPattern& dash : kDashPatterns) {
            std::array<double, 6> pattern = dash.pattern;
            double length = 0;
            for (int i = 0; i < dash.count; ++i)
                length += std::abs(pattern[static_cast<size_t>(i)]);
            m_dxf.writeLinetype(m_writer,
                                DL_LinetypeData(dash.name, dash.description, 0, dash.count, length, pattern.data()));
        }
        m_writer.tableEnd();

        m_writer.tableLayers(1 + static_cast<int>(m_usedLayers.size()));
        m_dxf.writeLayer(m_writer, DL_LayerData("0", 0), DL_Attributes("", 7, 25, "CONTINUOUS", 1.0));
        for (const int i : m_usedLayers) {
            const Layer* layer = m_drawing.layerAt(i);
            const bool off = layer && !layer->visible;
            // dxflib's writeLayer drops the sign that switches a layer off.
            m_writer.tableLayerEntry();
            m_writer.dxfString(2, m_layerNames[static_cast<size_t>(i)]);
            m_writer.dxfInt(70, 0);
            m_writer.dxfInt(62, off ? -7 : 7);
            m_writer.dxfString(6, "CONTINUOUS");
            m_writer.dxfInt(370, 25);
            m_writer.dxfString(390, "F");
        }
        m_writer.tableEnd();

        m_writer.tableStyle(1);
        m_dxf.writeStyle(m_writer, DL_StyleData("Standard", 0, 0.0, 1.0, 0.0, 0, 2.5, "txt", ""));
        m_writer.tableEnd();
        m_dxf.writeView(m_writer);
        m_dxf.writeUcs(m_writer);
        m_writer.tableAppid(1);
        m_dxf.writeAppid(m_writer, "ACAD");
        m_writer.tableEnd();
        m_dxf.writeDimStyle(m_writer, 1, 1, 1, 1, 1);
        m_dxf.writeBlockRecord(m_writer);
        m_writer.tableEnd();
        m_writer.sectionEnd();
    }

    void writeBlocks()
    {
        m_writer.sectionBlocks();
        for (const char* name : {"*Model_Space", "*Paper_Space", "*Paper_Space0"}) {
            m_dxf.writeBlock(m_writer, DL_BlockData(name, 0, 0.0, 0.0, 0.0));
            m_dxf.writeEndBlock(m_writer, name);
        }
        m_writer.sectionEnd();
    }

    // --- attributes ----------------------------------------------------------

    const std::string& layerName(int32_t layer) const
    {
        static const std::string kZero = "0";
        if (layer < 0 || layer >= kLayerCount || m_layerNames[static_cast<size_t>(layer)].empty())
            return kZero;
        return m_layerNames[static_cast<size_t>(layer)];
    }

    int aci(uint32_t rgb)
    {
        const auto [it, added] = m_aci.try_emplace(rgb, 0);
        if (added)
            it->second = NearestAci(rgb);
        return it->second;
    }

    DL_Attributes colourOnly(int32_t layer, uint32_t rgb)
    {
        DL_Attributes a(layerName(layer), aci(rgb), static_cast<int>(rgb), -1, "BYLAYER");
        return a;
    }

    DL_Attributes pen(int32_t layer, int32_t penKind, int32_t penRef, int32_t widthRef, int32_t lineTypeRef)
    {
        const PenLook look = PenLookOf(m_drawing.attributes, penKind, penRef, widthRef, lineTypeRef);
        const char* linetype = "CONTINUOUS";
        if (look.dashStyle >= 1 && look.dashStyle <= 4)
            linetype = kDashPatterns[look.dashStyle - 1].name;
        DL_Attributes a(layerName(layer), aci(look.rgb), static_cast<int>(look.rgb), Lineweight(look.width), linetype);
        a.setLinetypeScale(look.dashStyle >= 1 && look.dashStyle <= 4 ? std::max(look.width, 1e-3) : 1.0);
        return a;
    }

    DL_Attributes pen(const OutlineHeader& h) { return pen(h.layer, h.penKind, h.penRef, h.widthRef, h.lineTypeRef); }
    DL_Attributes pen(const ClosedHeader& h) { return pen(h.layer, h.penKind, h.penRef, h.widthRef, h.lineTypeRef); }
    DL_Attributes brush(const ClosedHeader& h)
    {
        return colourOnly(h.layer, BrushRgb(m_drawing.attributes, h.brushKind, h.brushRef));
    }

    // --- primitives (drawing units in, y flipped on the way out) --------------

    double fy(double y) const { return m_height - y; }

    void line(double x1, double y1, double x2, double y2, const DL_Attributes& a)
    {
        m_dxf.writeLine(m_writer, DL_LineData(x1, fy(y1), 0, x2, fy(y2), 0), a);
    }

    void polyline(const Loop& vertices, bool closed, const DL_Attributes& a)
    {
        m_dxf.writePolyline(m_writer,
                            DL_PolylineData(static_cast<int>(vertices.size()), 0, 0, closed ? 1 : 0), a);
        for (const Vertex& v : vertices)
            m_dxf.writeVertex(m_writer, DL_VertexData(v.x, fy(v.y), 0, v.bulge));
        m_dxf.writePolylineEnd(m_writer);
    }

    void polyline(std::span<const PointD> points, bool closed, const DL_Attributes& a)
    {
        Loop loop;
        loop.reserve(points.size());
        for (const PointD& p : points)
            loop.push_back({p.x, p.y, 0});
        polyline(loop, closed, a);
    }

    // A solid HATCH over the loops (even-odd, so inner loops are holes).
    void hatch(const std::vector<std::vector<PointD>>& loops, const DL_Attributes& a)
    {
        DL_HatchData data(static_cast<int>(loops.size()), true, 1.0, 0.0, "SOLID");
        m_dxf.writeHatch1(m_writer, data, a);
        for (const auto& loop : loops) {
            DL_HatchLoopData loopData(static_cast<int>(loop.size()));
            m_dxf.writeHatchLoop1(m_writer, loopData);
            for (size_t i = 0; i < loop.size(); ++i) {
                const PointD& p = loop[i];
                const PointD& q = loop[(i + 1) % loop.size()];
                m_dxf.writeHatchEdge(m_writer, DL_HatchEdgeData(p.x, fy(p.y), q.x, fy(q.y)));
            }
            m_dxf.writeHatchLoop2(m_writer, loopData);
        }
        m_dxf.writeHatch2(m_writer, data, a);
    }

    // A cubic Bézier chain (1 + 3k control points) as a clamped degree-3
    // SPLINE whose inner knots are triple: exactly the same curve.
    void bezierSpline(std::span<const PointD> controls, const DL_Attributes& a)
    {
        const int segments = static_cast<int>((controls.size() - 1) / 3);
        const int count = 3 * segments + 1;
        m_dxf.writeSpline(m_writer, DL_SplineData(3, count + 4, count, 0, 8), a);
        for (int i = 0; i < 4; ++i)
            m_dxf.writeKnot(m_writer, DL_KnotData(0));
        for (int s = 1; s < segments; ++s)
            for (int i = 0; i < 3; ++i)
                m_dxf.writeKnot(m_writer, DL_KnotData(s));
        for (int i = 0; i < 4; ++i)
            m_dxf.writeKnot(m_writer, DL_KnotData(segments));
        for (int i = 0; i < count; ++i)
            m_dxf.writeControlPoint(m_writer, DL_ControlPointData(controls[static_cast<size_t>(i)].x,
                                                                  fy(controls[static_cast<size_t>(i)].y), 0, 1));
    }

    // The ellipse (cx, cy, rx, ry, tilt) from startDeg over sweepDeg (full
    // when |sweep| >= 360): the major axis may be ry's, and a clockwise part
    // is written from its far end, since DXF ellipses run counter-clockwise.
    void ellipse(double cx, double cy, double rx, double ry, double tiltDeg, double startDeg, double sweepDeg,
                 const DL_Attributes& a)
    {
        double axisDeg = tiltDeg, major = rx, minor = ry, shift = 0;
        if (ry > rx) {
            axisDeg += 90;
            major = ry;
            minor = rx;
            shift = 90;
        }
        double t0 = 0, t1 = 2 * kPi;
        if (std::abs(sweepDeg) < 360) {
            const double from = sweepDeg >= 0 ? startDeg : startDeg + sweepDeg;
            t0 = (from - shift) * kPi / 180;
            t1 = t0 + std::abs(sweepDeg) * kPi / 180;
        }
        const double mx = major * std::cos(axisDeg * kPi / 180), my = major * std::sin(axisDeg * kPi / 180);
        const double ratio = major > 0 ? std::clamp(minor / major, 1e-6, 1.0) : 1.0;
        m_dxf.writeEllipse(m_writer, DL_EllipseData(cx, fy(cy), 0, mx, my, 0, ratio, t0, t1), a);
    }

    // --- kinds -----------------------------------------------------------------

    void write(ElementKind, const LineRecord& r) { line(r.x1, r.y1, r.x2, r.y2, pen(r.h)); }

    void write(ElementKind, const PointRecord& r)
    {
        const DL_Attributes a = pen(r.layer, r.penKind, r.penRef, -1, -1);
        m_dxf.writePoint(m_writer, DL_PointData(r.x, fy(r.y), 0), a);
    }

    // Fill first, outline on top, as the screen draws them.
    void closedShape(const ClosedHeader& h, const std::vector<Loop>& loops)
    {
        if (h.fillMode == 1 || h.fillMode == 2) {
            std::vector<std::vector<PointD>> flat;
            for (const Loop& loop : loops)
                flat.push_back(Flatten(loop));
            hatch(flat, brush(h));
        }
        if (h.fillMode == 0 || h.fillMode == 2) {
            const DL_Attributes a = pen(h);
            for (const Loop& loop : loops)
                polyline(loop, true, a);
        }
    }

    void write(ElementKind, const RectRecord& r) { closedShape(r.h, {RectLoop(r)}); }
    void write(ElementKind, const CornerRectRecord& r) { closedShape(r.h, {CornerRectLoop(r)}); }

    void write(ElementKind, const CircleRecord& r)
    {
        if (isFilled(r.h))
            hatch({EllipsePoints(r.cx, r.cy, r.r, r.r, 0, 0, 360)}, brush(r.h));
        if (isOutlined(r.h))
            m_dxf.writeCircle(m_writer, DL_CircleData(r.cx, fy(r.cy), 0, r.r), pen(r.h));
    }

    void write(ElementKind, const EllipseRecord& r)
    {
        if (isFilled(r.h))
            hatch({EllipsePoints(r.cx, r.cy, r.rx, r.ry, r.tilt, 0, 360)}, brush(r.h));
        if (isOutlined(r.h))
            ellipse(r.cx, r.cy, r.rx, r.ry, r.tilt, 0, 360, pen(r.h));
    }

    void write(ElementKind, const ArcRecord& r)
    {
        const DL_Attributes a = pen(r.h);
        if (!std::isfinite(r.sweepAngle) || std::abs(r.sweepAngle) >= 360) {
            m_dxf.writeCircle(m_writer, DL_CircleData(r.cx, fy(r.cy), 0, r.r), a);
            return;
        }
        const double from = r.sweepAngle >= 0 ? r.startAngle : r.startAngle + r.sweepAngle;
        m_dxf.writeArc(m_writer, DL_ArcData(r.cx, fy(r.cy), 0, r.r, from, from + std::abs(r.sweepAngle)), a);
    }

    void write(ElementKind, const EllipticArcRecord& r)
    {
        ellipse(r.cx, r.cy, r.rx, r.ry, r.tilt, r.startAngle, std::isfinite(r.sweepAngle) ? r.sweepAngle : 0, pen(r.h));
    }

    void write(ElementKind kind, const SectorRecord& r)
    {
        if (kind == ElementKind::Outside)
            closedShape(r.h, OutsideLoops(r));
        else
            closedShape(r.h, {SectorLoop(r, kind == ElementKind::Pie)});
    }

    void write(ElementKind, const RingRecord& r)
    {
        const bool full = std::abs(std::abs(r.sweepAngle) - 360) < 1e-6;
        const std::vector<Loop> loops = RingLoops(r);
        if (!full || !isOutlined(r.h)) {
            closedShape(r.h, loops);
            return;
        }
        // A full ring's outline is two ellipses.
        if (isFilled(r.h))
            closedShape(ClosedHeader{1, r.h.layer, 0, 0, 0, 0, 0, r.h.brushKind, r.h.brushRef}, loops);
        const DL_Attributes a = pen(r.h);
        for (const auto& [rx, ry] : {std::pair{r.outerRx, r.outerRy}, {r.innerRx, r.innerRy}}) {
            if (std::abs(rx - ry) <= 1e-9 * std::max(rx, ry))
                m_dxf.writeCircle(m_writer, DL_CircleData(r.cx, fy(r.cy), 0, rx), a);
            else
                ellipse(r.cx, r.cy, rx, ry, r.tilt, 0, 360, a);
        }
    }

    void write(ElementKind kind, const OpenPathRecord& r)
    {
        const DL_Attributes a = pen(r.h);
        if (kind == ElementKind::Polyline || r.points.size() < 3 ||
            (kind == ElementKind::Bezier && r.points.size() < 4)) {
            polyline(r.points, false, a);
            return;
        }
        if (kind == ElementKind::Bezier)
            bezierSpline(std::span(r.points).first(3 * ((r.points.size() - 1) / 3) + 1), a);
        else
            bezierSpline(CardinalBeziers(r.points, false), a);
    }

    void write(ElementKind kind, const ClosedPathRecord& r)
    {
        if (kind == ElementKind::Polygon) {
            Loop loop;
            for (const PointD& p : r.points)
                loop.push_back({p.x, p.y, 0});
            closedShape(r.h, {loop});
            return;
        }
        if (r.points.size() == 2) {  // drawn as a line with the spline's pen
            line(r.points[0].x, r.points[0].y, r.points[1].x, r.points[1].y, pen(r.h));
            return;
        }
        if (r.points.size() < 2)
            return;
        const std::vector<PointD> controls = CardinalBeziers(r.points, true);
        if (isFilled(r.h)) {
            std::vector<PointD> outline = SampleBeziers(controls, 16);
            outline.pop_back();  // the closing point repeats the first
            hatch({outline}, brush(r.h));
        }
        if (isOutlined(r.h))
            bezierSpline(controls, pen(r.h));
    }

    void write(ElementKind, const TextRecord& r)
    {
        const TextPlacement place = PlacementOfAnchor(r.anchor);
        const DL_Attributes a = colourOnly(r.layer, BrushRgb(m_drawing.attributes, r.brushKind, r.brushRef));
        const double x = r.x, y = fy(r.y);
        m_dxf.writeText(m_writer,
                        DL_TextData(x, y, 0, x, y, 0, r.size, r.xRatio, 0, place.horizontal, place.vertical,
                                    toFileText(r.text, true), "Standard", r.angle * kPi / 180),
                        a);
    }

    static bool isFilled(const ClosedHeader& h) { return h.fillMode == 1 || h.fillMode == 2; }
    static bool isOutlined(const ClosedHeader& h) { return h.fillMode == 0 || h.fillMode == 2; }

    const Drawing& m_drawing;
    double m_height;
    ImageSize m_size;
    SinkWriter m_writer;
    DL_Dxf m_dxf;
    std::vector<std::string> m_layerNames;
    std::vector<int> m_usedLayers;
    std::unordered_map<uint32_t, int> m_aci;
};

}  // namespace

WriteResult WriteDxf(const Drawing& drawing, ImageSize size, const Sink& sink)
{
    Exporter exporter(drawing, size, sink);
    if (exporter.run())
        return {};
    return {false, "DXF を書けません"};
}

}  // namespace dxf
