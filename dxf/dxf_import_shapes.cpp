#include "dxf/dxf_import_shapes.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "dxf/dxf_palette.h"
#include "dxf/dxf_style.h"

namespace dxf {
namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kMaxCoordinate = 1e12;
constexpr int kSamplesPerSpan = 16;
constexpr size_t kMaxSplineSamples = 1 << 20;

bool finite(PointD p) { return std::abs(p.x) <= kMaxCoordinate && std::abs(p.y) <= kMaxCoordinate; }

std::string upper(std::string s)
{
    for (char& c : s)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

// De Boor's algorithm on homogeneous points: the rational B-spline at u.
PointD deBoor(const SplineData& s, double u)
{
    const int p = s.degree;
    const int n = static_cast<int>(s.controls.size());
    int k = p;
    while (k < n - 1 && s.knots[static_cast<size_t>(k + 1)] <= u)
        ++k;
    std::vector<double> x(static_cast<size_t>(p + 1)), y(x.size()), w(x.size());
    for (int j = 0; j <= p; ++j) {
        const auto& c = s.controls[static_cast<size_t>(j + k - p)];
        const double weight = c.w > 0 ? c.w : 1;
        x[static_cast<size_t>(j)] = c.p.x * weight;
        y[static_cast<size_t>(j)] = c.p.y * weight;
        w[static_cast<size_t>(j)] = weight;
    }
    for (int r = 1; r <= p; ++r)
        for (int j = p; j >= r; --j) {
            const double lo = s.knots[static_cast<size_t>(j + k - p)];
            const double hi = s.knots[static_cast<size_t>(j + 1 + k - r)];
            const double a = hi > lo ? (u - lo) / (hi - lo) : 0;
            const auto J = static_cast<size_t>(j);
            x[J] = (1 - a) * x[J - 1] + a * x[J];
            y[J] = (1 - a) * y[J - 1] + a * y[J];
            w[J] = (1 - a) * w[J - 1] + a * w[J];
        }
    const auto P = static_cast<size_t>(p);
    return w[P] != 0 ? PointD{x[P] / w[P], y[P] / w[P]} : PointD{x[P], y[P]};
}

// Clamped cubic with every inner knot triple and unit weights: its control
// points are a Bézier chain as they stand.
bool isBezierChain(const SplineData& s)
{
    const size_t n = s.controls.size();
    if (s.degree != 3 || n < 4 || (n - 1) % 3 != 0 || s.knots.size() != n + 4)
        return false;
    for (const auto& c : s.controls)
        if (std::abs(c.w - 1) > 1e-12)
            return false;
    for (size_t i = 0; i < 4; ++i)
        if (s.knots[i] != s.knots[0] || s.knots[n + i] != s.knots[n])
            return false;
    for (size_t i = 4; i < n; i += 3)
        if (s.knots[i] != s.knots[i + 1] || s.knots[i] != s.knots[i + 2])
            return false;
    return true;
}

}  // namespace

Affine InsertTransform(const Shape& insert, PointD base, int column, int row)
{
    const double cs = std::cos(insert.angle), sn = std::sin(insert.angle);
    const double sx = insert.scaleX == 0 ? 1 : insert.scaleX, sy = insert.scaleY == 0 ? 1 : insert.scaleY;
    const double ox = column * insert.columnSpacing, oy = row * insert.rowSpacing;
    const PointD at{insert.points[0].x + cs * ox - sn * oy, insert.points[0].y + sn * ox + cs * oy};
    const Affine rotateScale{cs * sx, sn * sx, -sn * sy, cs * sy, 0, 0};
    Affine t = rotateScale;
    const PointD shifted = rotateScale.apply({-base.x, -base.y});
    t.e = at.x + shifted.x;
    t.f = at.y + shifted.y;
    return t;
}

bool Transform(Shape& s, const Affine& t)
{
    const bool identity = t.a == 1 && t.b == 0 && t.c == 0 && t.d == 1 && t.e == 0 && t.f == 0;
    if (!identity) {
        if (s.type == ShapeType::Ellipse) {
            s.points[0] = t.apply(s.points[0]);
            s.points[1] = t.linear(s.points[1]);
            s.points[2] = t.linear(s.points[2]);
        } else {
            for (PointD& p : s.points)
                p = t.apply(p);
        }
        if (s.type == ShapeType::Text) {
            const PointD dir = t.linear({std::cos(s.angle), std::sin(s.angle)});
            const PointD up = t.linear({-std::sin(s.angle), std::cos(s.angle)});
            const double along = std::hypot(dir.x, dir.y), across = std::hypot(up.x, up.y);
            s.angle = std::atan2(dir.y, dir.x);
            s.height *= across;
            if (across > 0)
                s.xRatio *= along / across;
        }
    }
    for (const PointD& p : s.points)
        if (!finite(p))
            return false;
    return std::isfinite(s.t0) && std::isfinite(s.t1) && std::isfinite(s.height) && std::isfinite(s.angle) &&
           std::isfinite(s.xRatio) && std::abs(s.height) <= kMaxCoordinate;
}

void InheritFromInsert(Style& style, const Style& insert)
{
    if (style.layer == "0")
        style.layer = insert.layer;
    if (style.aci == 0 && style.trueColour < 0) {
        style.aci = insert.aci;
        style.trueColour = insert.trueColour;
    }
    if (style.lineweight == -2)
        style.lineweight = insert.lineweight;
    if (upper(style.linetype) == "BYBLOCK")
        style.linetype = insert.linetype;
}

Resolved Resolve(const Style& style, const LayerInfo* layer)
{
    Resolved r;
    if (style.trueColour >= 0)
        r.rgb = static_cast<uint32_t>(style.trueColour) & 0xFFFFFF;
    else if (style.aci >= 1 && style.aci <= 255)
        r.rgb = AciToRgb(style.aci);
    else if (style.aci == 256 && layer)
        r.rgb = layer->rgb;
    r.lineweight = style.lineweight >= 0 ? style.lineweight : style.lineweight == -1 && layer ? layer->lineweight : -3;
    const std::string type = upper(style.linetype);
    r.dashStyle = type == "BYLAYER" || type.empty() ? (layer ? layer->dashStyle : 0)
                  : type == "BYBLOCK"               ? 0
                                                    : DashStyleOfLinetype(type);
    return r;
}

void Extend(Bounds& b, const Shape& s)
{
    auto add = [&b](double x, double y) {
        b.minX = std::min(b.minX, x);
        b.maxX = std::max(b.maxX, x);
        b.minY = std::min(b.minY, y);
        b.maxY = std::max(b.maxY, y);
    };
    if (s.type == ShapeType::Ellipse) {
        const PointD c = s.points[0], u = s.points[1], v = s.points[2];
        if (s.full) {
            const double hx = std::hypot(u.x, v.x), hy = std::hypot(u.y, v.y);
            add(c.x - hx, c.y - hy);
            add(c.x + hx, c.y + hy);
            return;
        }
        double t1 = s.t1;
        while (t1 <= s.t0)
            t1 += 2 * kPi;
        for (int i = 0; i <= 72; ++i) {
            const double t = s.t0 + (t1 - s.t0) * i / 72;
            add(c.x + u.x * std::cos(t) + v.x * std::sin(t), c.y + u.y * std::cos(t) + v.y * std::sin(t));
        }
        return;
    }
    if (s.type == ShapeType::Text && !s.points.empty()) {
        // The box the text will get, laid out as the drawing lays it (y down,
        // so mirrored here).
        TextRecord t;
        t.anchor = s.anchor;
        t.x = s.points[0].x;
        t.y = -s.points[0].y;
        t.size = s.height;
        t.angle = s.angle * 180 / kPi;
        t.xRatio = s.xRatio;
        t.text = s.text;
        ApproximateTextBox(t);
        const double a = s.angle;
        // Along the text and up across it, in the file's y-up frame.
        const double ux = std::cos(a), uy = std::sin(a), vx = -std::sin(a), vy = std::cos(a);
        for (const double fw : {0.0, 1.0})
            for (const double fh : {0.0, 1.0})
                add(t.boxA + fw * t.boxC * ux + fh * t.boxD * vx, -t.boxB + fw * t.boxC * uy + fh * t.boxD * vy);
    }
    for (const PointD& p : s.points)
        add(p.x, p.y);
}

double NormalizeDegrees(double deg)
{
    const double r = std::fmod(deg, 360.0);
    return r < 0 ? r + 360 : r;
}

EllipseAxes AxesOf(const Shape& s)
{
    PointD u = s.points[1], v = s.points[2];
    // Turn the parameter until the semi-diameters are perpendicular.
    const double dot = u.x * v.x + u.y * v.y;
    const double diff = (u.x * u.x + u.y * u.y) - (v.x * v.x + v.y * v.y);
    const double tau = 0.5 * std::atan2(2 * dot, diff);
    const PointD u2{u.x * std::cos(tau) + v.x * std::sin(tau), u.y * std::cos(tau) + v.y * std::sin(tau)};
    const PointD v2{-u.x * std::sin(tau) + v.x * std::cos(tau), -u.y * std::sin(tau) + v.y * std::cos(tau)};
    EllipseAxes e;
    e.rx = std::hypot(u2.x, u2.y);
    e.ry = std::hypot(v2.x, v2.y);
    e.tiltDeg = std::atan2(u2.y, u2.x) * 180 / kPi;
    // Clockwise axes (a mirrored shape) run the parameter backwards.
    const bool clockwise = u2.x * v2.y - u2.y * v2.x < 0;
    e.full = s.full;
    double t0 = s.t0 - tau, t1 = s.t1 - tau;
    while (t1 <= t0)
        t1 += 2 * kPi;
    double sweep = (t1 - t0) * 180 / kPi;
    double start = t0 * 180 / kPi;
    if (clockwise) {
        start = -start;
        sweep = -sweep;
    }
    e.startDeg = NormalizeDegrees(start);
    e.sweepDeg = std::clamp(sweep, -360.0, 360.0);
    if (std::abs(e.tiltDeg) < 1e-12)
        e.tiltDeg = 0;
    e.tiltDeg = NormalizeDegrees(e.tiltDeg);
    return e;
}

std::vector<PointD> PathPoints(const Loop& vertices, bool closed)
{
    // Flatten works in drawing terms (y down): mirror, cut, mirror back.
    Loop mirrored = vertices;
    for (Vertex& v : mirrored)
        v.y = -v.y;
    if (!closed && !mirrored.empty())
        mirrored.back().bulge = 0;
    std::vector<PointD> points = Flatten(mirrored);
    for (PointD& p : points)
        p.y = -p.y;
    return points;
}

bool SplineShape(const SplineData& s, Shape& out)
{
    const size_t n = s.controls.size();
    if (n < 2 && s.fits.size() >= 2) {
        out.type = ShapeType::Path;
        out.points = s.fits;
        return true;
    }
    if (n < 2)
        return false;
    if (isBezierChain(s)) {
        out.type = ShapeType::Bezier;
        for (const auto& c : s.controls)
            out.points.push_back(c.p);
        return true;
    }
    const size_t p = static_cast<size_t>(std::max(1, s.degree));
    out.type = ShapeType::Path;
    if (s.knots.size() != n + p + 1 || p >= n) {
        for (const auto& c : s.controls)  // no usable knots: the control polygon
            out.points.push_back(c.p);
        return true;
    }
    for (size_t i = 1; i < s.knots.size(); ++i)
        if (!(s.knots[i] >= s.knots[i - 1]) || !std::isfinite(s.knots[i]))
            return false;
    const double lo = s.knots[p], hi = s.knots[n];
    const size_t samples = std::min(kMaxSplineSamples, (n - p) * kSamplesPerSpan);
    for (size_t i = 0; i <= samples; ++i)
        out.points.push_back(deBoor(s, lo + (hi - lo) * double(i) / double(samples)));
    return true;
}

void AppendHatchEdge(std::vector<PointD>& loop, const DL_HatchEdgeData& e)
{
    switch (e.type) {
    case 0: {  // polyline boundary: [x, y, bulge] per vertex
        Loop vertices;
        for (const auto& v : e.vertices)
            if (v.size() >= 2)
                vertices.push_back({v[0], v[1], v.size() >= 3 ? v[2] : 0});
        const std::vector<PointD> points = PathPoints(vertices, true);
        loop.insert(loop.end(), points.begin(), points.end());
        return;
    }
    case 1:
        if (loop.empty())
            loop.push_back({e.x1, e.y1});
        loop.push_back({e.x2, e.y2});
        return;
    case 2:
    case 3: {
        // Arc (radius) or elliptic arc (major axis and ratio); angles are
        // radians, clockwise edges given as counter-clockwise angles.
        const PointD u = e.type == 2 ? PointD{e.radius, 0} : PointD{e.mx, e.my};
        const double ratio = e.type == 2 ? 1 : e.ratio;
        const PointD v{-u.y * ratio, u.x * ratio};
        double a0 = e.angle1, a1 = e.angle2;
        if (!e.ccw) {
            a0 = -a0;
            a1 = -a1;
        }
        double sweep = a1 - a0;
        if (e.ccw)
            while (sweep < 0) sweep += 2 * kPi;
        else
            while (sweep > 0) sweep -= 2 * kPi;
        if (!std::isfinite(sweep))
            return;
        const int n = std::clamp(static_cast<int>(std::abs(sweep) * 180 / kPi / 5 + 0.9), 4, 1 << 12);
        for (int i = 0; i <= n; ++i) {
            const double t = a0 + sweep * i / n;
            loop.push_back({e.cx + u.x * std::cos(t) + v.x * std::sin(t), e.cy + u.y * std::cos(t) + v.y * std::sin(t)});
        }
        return;
    }
    case 4:
        for (const auto& c : e.controlPoints)
            if (c.size() >= 2)
                loop.push_back({c[0], c[1]});
        return;
    default: return;
    }
}

void ApproximateTextBox(TextRecord& t)
{
    size_t characters = 0;
    for (const char c : t.text)
        characters += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    const double w = 0.6 * t.size * t.xRatio * double(characters), h = t.size;
    const int column = t.anchor >= 0 && t.anchor <= 8 ? t.anchor % 3 : 0;
    const int row = t.anchor >= 0 && t.anchor <= 8 ? t.anchor / 3 : 0;
    const double ex = -w * column / 2, ey = -h * row / 2;
    const double a = t.angle * kPi / 180;
    t.boxA = t.x + ex * std::cos(a) - ey * std::sin(a);
    t.boxB = t.y - (ex * std::sin(a) + ey * std::cos(a));
    t.boxC = w;
    t.boxD = h;
}

}  // namespace dxf
