// Opening a DXF file: dxflib parses it (fed by FeedDxf), a collector keeps
// each entity as a shape in file coordinates, blocks are exploded into the
// model space under their insert transforms, and the shapes become elements
// once the drawing's extent is known. Everything goes into a drawing of its
// own first, so a refused file changes nothing.
#include <dl_creationadapter.h>
#include <dl_dxf.h>

#include <algorithm>
#include <cmath>
#include <fcntl.h>
#include <map>
#include <numbers>
#include <unistd.h>
#include <unordered_map>
#include <utility>
#include <cstring>
#include <cerrno>

#include "dxf/dxf.h"
#include "dxf/dxf_group_reader.h"
#include "dxf/dxf_import_shapes.h"
#include "dxf/dxf_outline.h"
#include "dxf/dxf_palette.h"
#include "dxf/dxf_style.h"
#include "dxf/dxf_text.h"
#include "model/construction_parameters.h"

namespace dxf {
namespace {

constexpr double kPi = std::numbers::pi;
constexpr int kMaxInsertDepth = 16;
constexpr int64_t kMaxShapes = 20'000'000;

// Entities the collector turns into shapes; any other name is counted.
constexpr std::string_view kHandled[] = {
    "LINE", "POINT", "CIRCLE", "ARC", "ELLIPSE", "LWPOLYLINE", "POLYLINE", "VERTEX", "SEQEND", "SPLINE",
    "TEXT", "MTEXT", "SOLID", "TRACE", "HATCH", "INSERT", "ATTRIB", "VIEWPORT",
};

bool handled(std::string_view name)
{
    return std::find(std::begin(kHandled), std::end(kHandled), name) != std::end(kHandled);
}

// --- collecting --------------------------------------------------------------

class Collector : public DL_CreationAdapter {
public:
    Collector() { m_current = &m_model; }

    std::vector<Shape> m_model;
    std::map<std::string, Block, std::less<>> m_blocks;
    std::vector<LayerInfo> m_layers;  // from the LAYER table
    std::map<std::string, int64_t, std::less<>> m_skipped;
    TextDecoder m_decoder;
    double m_limits[4] = {0, 0, 0, 0};
    int m_limitsSeen = 0;

    void setVariableString(const std::string& key, const std::string& value, int) override
    {
        if (key == "$DWGCODEPAGE")
            m_decoder.codePage = value;
        else if (key == "$ACADVER")
            m_decoder.version = value;
    }
    void setVariableVector(const std::string& key, double v1, double v2, double, int) override
    {
        if (key == "$LIMMIN" || key == "$LIMMAX") {
            const int at = key == "$LIMMIN" ? 0 : 2;
            m_limits[at] = v1;
            m_limits[at + 1] = v2;
            m_limitsSeen |= at == 0 ? 1 : 2;
        }
    }

    void addLayer(const DL_LayerData& data) override
    {
        const DL_Attributes a = getAttributes();
        LayerInfo layer;
        layer.name = m_decoder.decode(data.name);
        layer.visible = !data.off && a.getColor() >= 0 && (data.flags & 1) == 0;
        layer.rgb = a.getColor24() >= 0 ? uint32_t(a.getColor24()) & 0xFFFFFF : AciToRgb(std::abs(a.getColor()));
        layer.lineweight = a.getWidth();
        layer.dashStyle = DashStyleOfLinetype(a.getLinetype());
        m_layers.push_back(std::move(layer));
    }

    void addBlock(const DL_BlockData& data) override
    {
        finishPending();
        // Model and paper space blocks hold no drawing of their own here.
        if (data.name.size() > 0 && data.name[0] == '*' &&
            (data.name.rfind("*Model_Space", 0) == 0 || data.name.rfind("*Paper_Space", 0) == 0 ||
             data.name.rfind("*MODEL_SPACE", 0) == 0 || data.name.rfind("*PAPER_SPACE", 0) == 0)) {
            m_current = nullptr;
            return;
        }
        Block& block = m_blocks[data.name];
        block.base = {data.bpx, data.bpy};
        block.shapes.clear();
        m_current = &block.shapes;
    }
    void endBlock() override
    {
        finishPending();
        m_current = &m_model;
    }

    void addPoint(const DL_PointData& d) override { add(ShapeType::Point, {{d.x, d.y}}); }
    void addLine(const DL_LineData& d) override { add(ShapeType::Line, {{d.x1, d.y1}, {d.x2, d.y2}}); }

    void addCircle(const DL_CircleData& d) override
    {
        Shape& s = add(ShapeType::Ellipse, {{d.cx, d.cy}, {d.radius, 0}, {0, d.radius}});
        s.full = true;
        mirrorIfFlipped(s);
    }
    void addArc(const DL_ArcData& d) override
    {
        Shape& s = add(ShapeType::Ellipse, {{d.cx, d.cy}, {d.radius, 0}, {0, d.radius}});
        s.t0 = d.angle1 * kPi / 180;
        s.t1 = d.angle2 * kPi / 180;
        mirrorIfFlipped(s);
    }
    void addEllipse(const DL_EllipseData& d) override
    {
        Shape& s = add(ShapeType::Ellipse, {{d.cx, d.cy}, {d.mx, d.my}, {-d.my * d.ratio, d.mx * d.ratio}});
        s.t0 = d.angle1;
        s.t1 = d.angle2;
        s.full = std::abs(std::remainder(d.angle2 - d.angle1, 2 * kPi)) < 1e-9 && d.angle2 != d.angle1;
        if (extrusionFlipped()) {  // the minor axis is Z x major
            s.points[2] = {-s.points[2].x, -s.points[2].y};
        }
    }

    void addPolyline(const DL_PolylineData& d) override
    {
        finishPending();
        if (d.flags & (16 | 64)) {  // polygon and polyface meshes
            ++m_skipped["POLYLINE (メッシュ)"];
            return;
        }
        m_pendingPath = Loop();
        m_pendingClosed = (d.flags & 1) != 0;
        m_pendingStyle = style();
        m_pendingFlipped = extrusionFlipped();
        m_pending = Pending::Path;
    }
    void addVertex(const DL_VertexData& d) override
    {
        if (m_pending == Pending::Path)
            m_pendingPath.push_back({d.x, d.y, d.bulge});
    }

    void addSpline(const DL_SplineData& d) override
    {
        finishPending();
        m_spline = SplineData{};
        m_spline.degree = static_cast<int>(std::min(d.degree, 16u));
        m_spline.closed = (d.flags & 1) != 0;
        m_pendingStyle = style();
        m_pending = Pending::Spline;
    }
    void addControlPoint(const DL_ControlPointData& d) override
    {
        if (m_pending == Pending::Spline)
            m_spline.controls.push_back({{d.x, d.y}, d.w});
    }
    void addFitPoint(const DL_FitPointData& d) override
    {
        if (m_pending == Pending::Spline)
            m_spline.fits.push_back({d.x, d.y});
    }
    void addKnot(const DL_KnotData& d) override
    {
        if (m_pending == Pending::Spline)
            m_spline.knots.push_back(d.k);
    }

    void addMTextChunk(const std::string& text) override { m_mtextChunks += text; }
    void addMText(const DL_MTextData& d) override
    {
        Shape& s = add(ShapeType::Text, {{d.ipx, d.ipy}});
        s.text = PlainMText(m_decoder.decode(m_mtextChunks + d.text));
        m_mtextChunks.clear();
        s.height = d.height;
        s.angle = (d.dirx != 0 || d.diry != 0) ? std::atan2(d.diry, d.dirx) : d.angle;
        s.anchor = AnchorOfAttachment(d.attachmentPoint);
    }
    void addText(const DL_TextData& d) override
    {
        const bool aligned = d.hJustification != 0 || d.vJustification != 0;
        Shape& s = add(ShapeType::Text, {aligned ? PointD{d.apx, d.apy} : PointD{d.ipx, d.ipy}});
        s.text = PlainText(m_decoder.decode(d.text));
        s.height = d.height;
        s.angle = d.angle;
        s.xRatio = d.xScaleFactor > 0 ? d.xScaleFactor : 1;
        s.anchor = AnchorOfPlacement(d.hJustification, d.vJustification);
    }

    void addSolid(const DL_SolidData& d) override { addQuad(d); }
    void addTrace(const DL_TraceData& d) override { addQuad(d); }

    void addHatch(const DL_HatchData& d) override
    {
        finishPending();
        if (!d.solid) {
            ++m_skipped["HATCH (模様)"];
            return;
        }
        m_hatchLoops.clear();
        m_pendingStyle = style();
        m_pending = Pending::Hatch;
    }
    void addHatchLoop(const DL_HatchLoopData&) override
    {
        if (m_pending == Pending::Hatch)
            m_hatchLoops.emplace_back();
    }
    void addHatchEdge(const DL_HatchEdgeData& e) override
    {
        if (m_pending == Pending::Hatch && !m_hatchLoops.empty())
            AppendHatchEdge(m_hatchLoops.back(), e);
    }

    void addInsert(const DL_InsertData& d) override
    {
        Shape& s = add(ShapeType::Insert, {{d.ipx, d.ipy}});
        s.text = d.name;
        s.scaleX = d.sx;
        s.scaleY = d.sy;
        s.angle = d.angle * kPi / 180;
        s.columns = std::max(1, d.cols);
        s.rows = std::max(1, d.rows);
        s.columnSpacing = d.colSp;
        s.rowSpacing = d.rowSp;
    }

    void endEntity() override { finishPending(); }
    void endSequence() override { finishPending(); }

    void finishPending()
    {
        const Pending pending = std::exchange(m_pending, Pending::None);
        if (!m_current)
            return;
        if (pending == Pending::Path && !m_pendingPath.empty()) {
            Shape s;
            s.type = ShapeType::Path;
            s.style = m_pendingStyle;
            s.closed = m_pendingClosed;
            s.points = PathPoints(m_pendingPath, m_pendingClosed);
            if (m_pendingFlipped)
                for (PointD& p : s.points)
                    p.x = -p.x;
            m_current->push_back(std::move(s));
        } else if (pending == Pending::Spline) {
            Shape s;
            s.style = m_pendingStyle;
            if (SplineShape(m_spline, s))
                m_current->push_back(std::move(s));
            else
                ++m_skipped["SPLINE (不正)"];
        } else if (pending == Pending::Hatch) {
            Shape s;
            s.type = ShapeType::Path;
            s.style = m_pendingStyle;
            s.closed = true;
            s.filled = true;
            for (const std::vector<PointD>& loop : m_hatchLoops) {
                if (loop.size() < 3)
                    continue;
                s.points.insert(s.points.end(), loop.begin(), loop.end());
                s.points.push_back(loop.front());
            }
            if (!s.points.empty())
                m_current->push_back(std::move(s));
        }
    }

private:
    enum class Pending { None, Path, Spline, Hatch };

    bool extrusionFlipped()
    {
        const double* z = getExtrusion()->getDirection();
        return z && z[2] < 0;
    }

    // Entities in an extrusion of -Z lie in a plane seen from behind: their
    // x runs the other way.
    void mirrorIfFlipped(Shape& s)
    {
        if (!extrusionFlipped())
            return;
        for (PointD& p : s.points)
            p.x = -p.x;
    }

    Style style()
    {
        const DL_Attributes a = getAttributes();
        Style s;
        s.layer = m_decoder.decode(a.getLayer());
        s.aci = a.getColor();
        s.trueColour = a.getColor24();
        s.lineweight = a.getWidth();
        s.linetype = a.getLinetype();
        return s;
    }

    Shape& add(ShapeType type, std::initializer_list<PointD> points)
    {
        finishPending();
        static Shape discarded;
        if (!m_current) {
            discarded = Shape();
            return discarded;
        }
        Shape& s = m_current->emplace_back();
        s.type = type;
        s.style = style();
        s.points.assign(points);
        return s;
    }

    void addQuad(const DL_TraceData& d)
    {
        // The third and fourth corners are stored crosswise.
        Shape& s = add(ShapeType::Path, {{d.x[0], d.y[0]}, {d.x[1], d.y[1]}, {d.x[3], d.y[3]}, {d.x[2], d.y[2]}});
        s.closed = true;
        s.filled = true;
        mirrorIfFlipped(s);
    }

    std::vector<Shape>* m_current = nullptr;
    Pending m_pending = Pending::None;
    Style m_pendingStyle;
    Loop m_pendingPath;
    bool m_pendingClosed = false;
    bool m_pendingFlipped = false;
    SplineData m_spline;
    std::vector<std::vector<PointD>> m_hatchLoops;
    std::string m_mtextChunks;
};

// --- exploding blocks ----------------------------------------------------------

class Exploder {
public:
    Exploder(const Collector& c, std::map<std::string, int64_t, std::less<>>& skipped)
        : m_collector(c), m_skipped(skipped)
    {
    }

    // The model space's own shapes are moved out (most files are nothing
    // else); a block's shapes are copied once per insert.
    std::vector<Shape> run(std::vector<Shape>& model)
    {
        const Affine identity;
        m_out.reserve(std::min(model.size(), size_t(kMaxShapes)));
        for (Shape& shape : model) {
            if (full())
                break;
            if (shape.type == ShapeType::Insert)
                explode(shape, identity, shape.style, 0);
            else
                place(std::move(shape), identity);
        }
        return std::move(m_out);
    }

private:
    bool full()
    {
        if (m_out.size() < size_t(kMaxShapes))
            return false;
        ++m_skipped["INSERT (要素が多すぎる)"];
        return true;
    }

    void place(Shape shape, const Affine& t)
    {
        if (Transform(shape, t))
            m_out.push_back(std::move(shape));
        else
            ++m_skipped["座標が範囲外"];
    }

    void expand(const std::vector<Shape>& shapes, const Affine& t, const Style& insertStyle, int depth)
    {
        for (const Shape& shape : shapes) {
            if (full())
                return;
            Style style = shape.style;
            InheritFromInsert(style, insertStyle);
            if (shape.type == ShapeType::Insert) {
                explode(shape, t, style, depth);
                continue;
            }
            Shape out = shape;
            out.style = std::move(style);
            place(std::move(out), t);
        }
    }

    // The block's shapes under the insert's transform, once per column and row.
    void explode(const Shape& insert, const Affine& t, const Style& style, int depth)
    {
        const auto block = m_collector.m_blocks.find(insert.text);
        if (block == m_collector.m_blocks.end()) {
            ++m_skipped["INSERT (ブロックなし)"];
            return;
        }
        if (std::find(m_chain.begin(), m_chain.end(), insert.text) != m_chain.end()) {
            ++m_skipped["INSERT (自己参照)"];
            return;
        }
        if (depth >= kMaxInsertDepth) {
            ++m_skipped["INSERT (入れ子が深すぎる)"];
            return;
        }
        m_chain.push_back(insert.text);
        const int64_t copies = int64_t(insert.columns) * insert.rows;
        for (int64_t k = 0; k < copies && m_out.size() < size_t(kMaxShapes); ++k) {
            const Affine placed = t * InsertTransform(insert, block->second.base, int(k % insert.columns),
                                                      int(k / insert.columns));
            expand(block->second.shapes, placed, style, depth + 1);
        }
        m_chain.pop_back();
    }

    const Collector& m_collector;
    std::map<std::string, int64_t, std::less<>>& m_skipped;
    std::vector<std::string> m_chain;
    std::vector<Shape> m_out;
};

// --- making elements -------------------------------------------------------------

class Emitter {
public:
    Emitter(Drawing& drawing, const Collector& c) : m_drawing(drawing), m_collector(c) {}

    ImageSize run(const std::vector<Shape>& shapes)
    {
        m_drawing.FreeDatabase();
        m_drawing.SetUpLayers();
        m_drawing.journal.beginReadGroup();
        for (const LayerInfo& layer : m_collector.m_layers)
            slotOf(layer.name);
        const Bounds frame = frameOf(shapes);
        m_left = frame.minX;
        m_top = frame.maxY;
        for (const Shape& s : shapes)
            emit(s);
        if (m_drawing.journal.position() > 0)
            m_drawing.journal.EndGroup();
        else
            m_drawing.journal.clear();
        const auto side = [](double length) {
            return static_cast<int32_t>(std::clamp(std::ceil(length - 1e-9), 1.0, double(kMaxImageSide)));
        };
        return {side(frame.maxX - frame.minX), side(frame.maxY - frame.minY)};
    }

    int64_t elements = 0;
    bool layersOverflowed = false;

private:
    // The limits when they hold every shape (our own files write the image
    // area there), otherwise the shapes' extent.
    Bounds frameOf(const std::vector<Shape>& shapes) const
    {
        Bounds extent;
        for (const Shape& s : shapes)
            Extend(extent, s);
        if (extent.empty())
            extent = {0, 0, 320, 240};
        const double* l = m_collector.m_limits;
        if (m_collector.m_limitsSeen == 3 && std::isfinite(l[0]) && std::isfinite(l[3]) && l[2] > l[0] &&
            l[3] > l[1]) {
            const double slack = 1e-6 * std::max(l[2] - l[0], l[3] - l[1]);
            if (extent.minX >= l[0] - slack && extent.minY >= l[1] - slack && extent.maxX <= l[2] + slack &&
                extent.maxY <= l[3] + slack)
                return {l[0], l[1], l[2], l[3]};
        }
        return extent;
    }

    int32_t slotOf(const std::string& name)
    {
        const auto [it, added] = m_slots.try_emplace(name, 0);
        if (added) {
            const int32_t slot = static_cast<int32_t>(m_slots.size() - 1);
            if (slot >= kLayerCount) {
                layersOverflowed = true;
                it->second = kLayerCount - 1;
            } else {
                it->second = slot;
                Layer& layer = m_drawing.layers[static_cast<size_t>(slot)];
                layer.name = name;
                if (const LayerInfo* info = layerInfo(name))
                    layer.visible = info->visible;
            }
        }
        return it->second;
    }

    const LayerInfo* layerInfo(const std::string& name) const
    {
        for (const LayerInfo& l : m_collector.m_layers)
            if (l.name == name)
                return &l;
        return nullptr;
    }

    PointD at(PointD p) const { return {p.x - m_left, m_top - p.y}; }

    struct Look {
        int32_t layer = 0;
        int32_t colourRef = 0;
        int32_t widthRef = 0;
        int32_t lineTypeRef = 0;
        int32_t colour = 0;
    };

    Look lookOf(const Style& style)
    {
        Look look;
        look.layer = slotOf(style.layer.empty() ? std::string("0") : style.layer);
        const LayerInfo* layer = layerInfo(style.layer);
        const Resolved r = Resolve(style, layer);
        look.colour = RgbToRef(r.rgb);
        const int lineweight = r.lineweight;
        const auto [w, addedW] = m_widths.try_emplace(lineweight, 0);
        if (addedW)
            w->second = findOrAppend(m_drawing.attributes.width, WidthEntry{0, WidthOfLineweight(lineweight)});
        look.widthRef = w->second;
        const auto [d, addedD] = m_dashes.try_emplace(r.dashStyle, 0);
        if (addedD)
            d->second = findOrAppend(m_drawing.attributes.lineType, LineTypeEntry{0, r.dashStyle, 0});
        look.lineTypeRef = d->second;
        return look;
    }

    int32_t penRef(int32_t colour)
    {
        const auto [it, added] = m_pens.try_emplace(colour, 0);
        if (added)
            it->second = appendEntry(m_drawing.attributes.penColor, PenColorEntry{0, colour});
        return it->second;
    }
    int32_t brushRef(int32_t colour)
    {
        const auto [it, added] = m_brushes.try_emplace(colour, 0);
        if (added)
            it->second = appendEntry(m_drawing.attributes.brushColor, PenColorEntry{0, colour});
        return it->second;
    }

    OutlineHeader outline(const Look& l) { return {l.layer, 1, penRef(l.colour), l.widthRef, l.lineTypeRef, 0}; }
    ClosedHeader closed(const Look& l, bool filled)
    {
        ClosedHeader h{filled ? 1 : 0, l.layer, 1, penRef(l.colour), l.widthRef, l.lineTypeRef, 0, 1, 0};
        if (filled)
            h.brushRef = brushRef(l.colour);
        return h;
    }

    std::vector<PointD> mapped(const std::vector<PointD>& points) const
    {
        std::vector<PointD> out;
        out.reserve(points.size());
        for (const PointD& p : points)
            out.push_back(at(p));
        return out;
    }

    void emit(const Shape& s)
    {
        const Look look = lookOf(s.style);
        ++elements;
        switch (s.type) {
        case ShapeType::Line: {
            const PointD a = at(s.points[0]), b = at(s.points[1]);
            m_drawing.AppendLine(LineRecord{outline(look), a.x, a.y, b.x, b.y});
            return;
        }
        case ShapeType::Point: {
            const PointD p = at(s.points[0]);
            m_drawing.AppendPoint(PointRecord{look.layer, 1, penRef(look.colour), 1, p.x, p.y, 1});
            return;
        }
        case ShapeType::Path:
            if (s.points.size() < 2) {
                --elements;
                return;
            }
            if (s.closed || s.filled)
                m_drawing.AppendPolygon(ClosedPathRecord{closed(look, s.filled), mapped(s.points)});
            else
                m_drawing.AppendPolyline(OpenPathRecord{outline(look), mapped(s.points)});
            return;
        case ShapeType::Bezier:
            m_drawing.AppendBezier(OpenPathRecord{outline(look), mapped(s.points)});
            return;
        case ShapeType::Ellipse: emitEllipse(s, look); return;
        case ShapeType::Text: {
            const PointD p = at(s.points[0]);
            TextRecord t;
            t.layer = look.layer;
            t.brushKind = 1;
            t.brushRef = brushRef(look.colour);
            t.anchor = s.anchor;
            t.x = p.x;
            t.y = p.y;
            t.size = s.height;
            t.angle = s.angle * 180 / kPi;
            t.xRatio = s.xRatio;
            ApproximateTextBox(t);
            t.fontName = kDefaultTextFontName;
            t.text = s.text;
            m_drawing.AppendText(std::move(t));
            return;
        }
        case ShapeType::Insert: --elements; return;
        }
    }

    void emitEllipse(const Shape& s, const Look& look)
    {
        const EllipseAxes e = AxesOf(s);
        const PointD c = at(s.points[0]);
        const bool circle = std::abs(e.rx - e.ry) <= 1e-9 * std::max(e.rx, e.ry);
        if (e.full) {
            if (circle)
                m_drawing.AppendCircle(CircleRecord{closed(look, false), 0, c.x, c.y, e.rx});
            else
                m_drawing.AppendEllipse(EllipseRecord{closed(look, false), 0, c.x, c.y, e.rx, e.ry, e.tiltDeg});
            return;
        }
        if (circle) {
            ArcRecord a;
            a.h = outline(look);
            a.cx = c.x;
            a.cy = c.y;
            a.r = e.rx;
            a.startAngle = NormalizeDegrees(e.tiltDeg + e.startDeg);
            a.sweepAngle = e.sweepDeg;
            m_drawing.AppendArc(a);
            return;
        }
        EllipticArcRecord a;
        a.h = outline(look);
        a.cx = c.x;
        a.cy = c.y;
        a.rx = e.rx;
        a.ry = e.ry;
        a.tilt = e.tiltDeg;
        a.startAngle = e.startDeg;
        a.sweepAngle = e.sweepDeg;
        m_drawing.AppendEllipticArc(a);
    }

    Drawing& m_drawing;
    const Collector& m_collector;
    double m_left = 0, m_top = 0;
    std::map<std::string, int32_t> m_slots;
    std::unordered_map<int32_t, int32_t> m_pens, m_brushes, m_widths, m_dashes;
};

std::string withPath(const std::string& path, const std::string& reason)
{
    return path.empty() ? reason : path + ": " + reason;
}

ReadResult readFrom(const ByteSource& source, Drawing& drawing, const std::string& path)
{
    ReadResult result;
    DL_Dxf dxf;
    Collector collector;
    GroupReadOutcome outcome;
    try {
        outcome = FeedDxf(source, dxf, collector);
        collector.finishPending();
    } catch (const std::exception&) {
        outcome.ok = false;
        outcome.reason = "DXF を解釈できません";
    }
    if (!outcome.ok) {
        result.status = FileStatus::NotADrawing;
        result.message = withPath(path, outcome.reason);
        return result;
    }
    for (const auto& [name, count] : outcome.entityNames)
        if (!handled(name))
            collector.m_skipped[name] += count;
    if (outcome.oversizedEntities > 0)
        collector.m_skipped["大きすぎる実体"] += outcome.oversizedEntities;

    Exploder exploder(collector, collector.m_skipped);
    const std::vector<Shape> shapes = exploder.run(collector.m_model);
    Drawing staged;
    Emitter emitter(staged, collector);
    result.imageSize = emitter.run(shapes);
    if (emitter.layersOverflowed)
        ++collector.m_skipped["256 を超えるレイヤー（最後のレイヤーへ）"];
    result.elements = emitter.elements;
    for (const auto& [what, count] : collector.m_skipped)
        result.skipped.push_back({what, count});
    drawing = std::move(staged);
    result.replaced = true;
    return result;
}

}  // namespace

std::string ReadResult::skippedSummary() const
{
    std::string out;
    for (const Skipped& s : skipped) {
        if (!out.empty())
            out += ", ";
        out += s.what + " " + std::to_string(s.count);
    }
    return out;
}

bool IsDxfPath(std::string_view path)
{
    if (path.size() < 4 || path[path.size() - 4] != '.')
        return false;
    std::string ext(path.substr(path.size() - 3));
    for (char& c : ext)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return ext == "dxf";
}

ReadResult ReadDxfText(std::string_view bytes, Drawing& drawing)
{
    size_t at = 0;
    const ByteSource source = [&](char* buf, size_t size) -> long {
        const size_t n = std::min(size, bytes.size() - at);
        std::memcpy(buf, bytes.data() + at, n);
        at += n;
        return static_cast<long>(n);
    };
    return readFrom(source, drawing, std::string());
}

ReadResult ReadDxf(const std::string& path, Drawing& drawing)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        ReadResult result;
        result.status = errno == ENOENT ? FileStatus::NotFound : FileStatus::ReadError;
        result.message = withPath(path, std::string("開けません: ") + std::strerror(errno));
        return result;
    }
    const ByteSource source = [fd](char* buf, size_t size) -> long {
        for (;;) {
            const ssize_t got = ::read(fd, buf, size);
            if (got >= 0 || errno != EINTR)
                return static_cast<long>(got);
        }
    };
    ReadResult result = readFrom(source, drawing, path);
    ::close(fd);
    return result;
}

}  // namespace dxf
