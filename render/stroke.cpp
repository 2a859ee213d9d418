// Stroke outlines: dashing along each flattened figure, flat-ended body
// pieces from QPainterPathStroker, then cap and anchor shapes at the ends.
//
// Every shape added to the outline must wind the same way as the stroker's
// own pieces, otherwise the winding fill would cut holes where a cap overlaps
// a body; capShape polygons are oriented to match (see orientLike).
#include "render/stroke.h"

#include <QPainterPathStroker>
#include <QtMath>

#include <algorithm>
#include <array>
#include <cmath>

namespace {

constexpr double kSqrt3 = 1.7320508075688772;
constexpr size_t kMaxDashPieces = 200000;  // beyond this a figure is drawn solid

// Miter limits as the original platform measures them (miter length over
// width, default 10); Qt's MiterJoin measures from the join point, hence 5.
constexpr double kMiterLimit = 5.0;
constexpr double kMiterClippedLimit = 10.0;

double signedArea(const QPolygonF& poly)
{
    double sum = 0;
    for (qsizetype i = 0, n = poly.size(); i < n; ++i) {
        const QPointF& a = poly[i];
        const QPointF& b = poly[(i + 1) % n];
        sum += a.x() * b.y() - b.x() * a.y();
    }
    return sum / 2;
}

// The turning sense of the stroker's outlines, measured once.
bool strokerWindsPositive()
{
    static const bool positive = [] {
        QPainterPath line;
        line.moveTo(0, 0);
        line.lineTo(10, 0);
        QPainterPathStroker stroker;
        stroker.setWidth(2);
        stroker.setCapStyle(Qt::FlatCap);
        const QList<QPolygonF> polys = stroker.createStroke(line).toSubpathPolygons();
        return polys.isEmpty() || signedArea(polys.first()) >= 0;
    }();
    return positive;
}

// Outline parts are gathered in reused buffers: a dashed figure adds a body
// piece and two caps per dash, and allocating for each would cost more than
// building them. The body pieces are stroked in one call at the end; the
// stroker treats every subpath on its own, so that is the same outline as one
// call per piece.
class OutlineParts {
public:
    // A polygon of the stroke's own winding (reversed into `m_scratch` if it
    // turns the other way).
    void addOriented(const QPolygonF& poly)
    {
        if ((signedArea(poly) >= 0) == strokerWindsPositive()) {
            m_shapes.addPolygon(poly);
        } else {
            m_scratch.clear();
            std::copy(poly.crbegin(), poly.crend(), std::back_inserter(m_scratch));
            m_shapes.addPolygon(m_scratch);
        }
        m_shapes.closeSubpath();
    }
    // A polyline whose stroke with flat ends is part of the outline.
    void addBody(const QPolygonF& poly, bool closed)
    {
        m_body.addPolygon(poly);
        if (closed)
            m_body.closeSubpath();
    }
    // A reusable polygon for the caller to build shapes and pieces in.
    QPolygonF& shape() { return m_shape; }
    QPolygonF& piece() { return m_piece; }

    // The outline to fill: the body pieces stroked with flat ends, then the shapes.
    QPainterPath outline(const StrokeStyle& style) const;

private:
    QPainterPath m_body, m_shapes;
    QPolygonF m_scratch, m_shape, m_piece;
};

constexpr int kMinDiscPoints = 12, kMaxDiscPoints = 96;

// cos and sin of the n directions of a disc of n points, computed once per n.
const std::vector<QPointF>& unitCircle(int n)
{
    static const auto tables = [] {
        std::array<std::vector<QPointF>, kMaxDiscPoints + 1> out;
        for (int k = kMinDiscPoints; k <= kMaxDiscPoints; ++k)
            for (int i = 0; i < k; ++i) {
                const double t = 2 * M_PI * i / k;
                out[size_t(k)].emplace_back(std::cos(t), std::sin(t));
            }
        return out;
    }();
    return tables[size_t(n)];
}

const QPolygonF& disc(QPolygonF& poly, QPointF c, double r)
{
    const int n = std::clamp(static_cast<int>(r * 2), kMinDiscPoints, kMaxDiscPoints);
    poly.clear();
    for (const QPointF& u : unitCircle(n))
        poly << QPointF(c.x() + r * u.x(), c.y() + r * u.y());
    return poly;
}

const QPolygonF& polygon(QPolygonF& poly, std::initializer_list<QPointF> points)
{
    poly.clear();
    for (QPointF p : points)
        poly << p;
    return poly;
}

// Cap shapes at end point e; d points out of the line, n is its normal.
void addCapShape(OutlineParts& out, int cap, QPointF e, QPointF d, double w)
{
    const QPointF n(-d.y(), d.x());
    const double h = w / 2;
    QPolygonF& poly = out.shape();
    switch (cap) {
    case LineCap::Square:
        out.addOriented(polygon(poly, {e + n * h, e + n * h + d * h, e - n * h + d * h, e - n * h}));
        break;
    case LineCap::Round:
        out.addOriented(disc(poly, e, h));
        break;
    case LineCap::Triangle:
        out.addOriented(polygon(poly, {e + n * h, e + d * h, e - n * h}));
        break;
    default:
        break;
    }
}

void addAnchorShape(OutlineParts& out, int cap, QPointF e, QPointF d, double w)
{
    const QPointF n(-d.y(), d.x());
    QPolygonF& poly = out.shape();
    switch (cap) {
    case LineCap::SquareAnchor: {
        const double h = w * M_SQRT1_2;
        out.addOriented(polygon(poly, {e + (d + n) * h, e + (d - n) * h, e - (d + n) * h, e - (d - n) * h}));
        break;
    }
    case LineCap::RoundAnchor:
        out.addOriented(disc(poly, e, w));
        break;
    case LineCap::DiamondAnchor:
        out.addOriented(polygon(poly, {e + d * w, e + n * w, e - d * w, e - n * w}));
        break;
    case LineCap::ArrowAnchor: {
        const QPointF base = e - d * (kSqrt3 * w);
        out.addOriented(polygon(poly, {e, base + n * w, base - n * w}));
        break;
    }
    default:
        break;
    }
}

// Whether addCapShape adds anything: flat ends and anchors (drawn once per
// figure) need no direction worked out at every dash.
bool hasCapShape(int cap) { return cap == LineCap::Square || cap == LineCap::Round || cap == LineCap::Triangle; }

bool isAnchor(int cap) { return cap >= LineCap::SquareAnchor && cap <= LineCap::ArrowAnchor; }

// Anchors never shrink below the size they have on a 2-pixel pen.
double anchorWidth(double w) { return std::max(w, 2.0); }

QPointF unit(QPointF v)
{
    const double len = std::hypot(v.x(), v.y());
    return len > 0 ? v / len : QPointF(1, 0);
}

// Outward directions at the two ends of a polyline (first non-zero segment).
QPointF headDirection(const QPolygonF& p)
{
    for (qsizetype i = 1; i < p.size(); ++i)
        if (p[i] != p[0])
            return unit(p[0] - p[i]);
    return QPointF(-1, 0);
}

QPointF tailDirection(const QPolygonF& p)
{
    const qsizetype last = p.size() - 1;
    for (qsizetype i = last - 1; i >= 0; --i)
        if (p[i] != p[last])
            return unit(p[last] - p[i]);
    return QPointF(1, 0);
}

// Arc-length parametrisation of one figure.
struct Walk {
    QPolygonF pts;
    std::vector<double> cum;  // cum[i] = length up to pts[i]

    explicit Walk(QPolygonF points) : pts(std::move(points))
    {
        cum.resize(static_cast<size_t>(pts.size()));
        for (qsizetype i = 1; i < pts.size(); ++i)
            cum[i] = cum[i - 1] + QLineF(pts[i - 1], pts[i]).length();
    }
    double total() const { return cum.empty() ? 0 : cum.back(); }

    size_t segmentAt(double s) const
    {
        auto it = std::upper_bound(cum.begin(), cum.end(), s);
        const size_t j = it == cum.begin() ? 0 : static_cast<size_t>(it - cum.begin()) - 1;
        return std::min(j, cum.size() - 2);
    }
    QPointF pointAt(double s) const
    {
        const size_t j = segmentAt(s);
        const double len = cum[j + 1] - cum[j];
        const double t = len > 0 ? std::clamp((s - cum[j]) / len, 0.0, 1.0) : 0.0;
        return pts[j] + (pts[j + 1] - pts[j]) * t;
    }
    const QPolygonF& piece(double a, double b, QPolygonF& out) const
    {
        out.clear();
        out << pointAt(a);
        for (size_t i = segmentAt(a) + 1; i < cum.size() && cum[i] < b; ++i)
            if (cum[i] > a)
                out << pts[i];
        out << pointAt(b);
        return out;
    }
};

// A closed figure's walk runs on across the closing edge back to its start.
Walk walkOf(const Figure& figure)
{
    QPolygonF pts = figure.points;
    if (figure.closed && !pts.isEmpty())
        pts << pts.first();
    return Walk(std::move(pts));
}

// Arc-length ranges of the figure that lie inside `visible` (merged).
std::vector<std::pair<double, double>> visibleRanges(const Walk& walk, const QRectF& visible)
{
    std::vector<std::pair<double, double>> ranges;
    for (size_t j = 0; j + 1 < walk.cum.size(); ++j) {
        const QPointF a = walk.pts[j], b = walk.pts[j + 1];
        double t0 = 0, t1 = 1;
        const double dx = b.x() - a.x(), dy = b.y() - a.y();
        const double p[4] = {-dx, dx, -dy, dy};
        const double q[4] = {a.x() - visible.left(), visible.right() - a.x(), a.y() - visible.top(),
                             visible.bottom() - a.y()};
        bool inside = true;
        for (int k = 0; k < 4 && inside; ++k) {  // Liang-Barsky
            if (p[k] == 0) {
                inside = q[k] >= 0;
            } else if (const double r = q[k] / p[k]; p[k] < 0) {
                t0 = std::max(t0, r);
            } else {
                t1 = std::min(t1, r);
            }
        }
        if (!inside || t0 > t1)
            continue;
        const double len = walk.cum[j + 1] - walk.cum[j];
        const double s0 = walk.cum[j] + t0 * len, s1 = walk.cum[j] + t1 * len;
        if (!ranges.empty() && ranges.back().second >= s0 - 1e-9)
            ranges.back().second = s1;
        else
            ranges.emplace_back(s0, s1);
    }
    return ranges;
}

struct Piece {
    double a, b;
    bool atStart, atEnd;  // touches the figure's own start or end
};

// The dashes ("on" intervals) of the pattern started at `lo`, within [a, b].
void collectDashes(const std::vector<double>& dashes, double period, double lo, double hi, double a,
                   double b, std::vector<Piece>& out)
{
    const double k0 = std::floor((a - lo) / period);
    double pos = lo + k0 * period;
    for (size_t i = 0; pos < b && out.size() < kMaxDashPieces; i = (i + 1) % dashes.size()) {
        const double start = pos, stop = pos + dashes[i];
        pos = stop;
        if (i % 2 == 1 || stop <= a)
            continue;
        const double s = std::max(start, a), e = std::min(stop, b);
        if (e > s)
            out.push_back({s, e, s <= lo, e >= hi});
    }
}

struct QtJoin {
    Qt::PenJoinStyle style;
    double miterLimit;
};

QtJoin qtJoin(int lineJoin)
{
    switch (lineJoin) {
    case LineJoin::Bevel: return {Qt::BevelJoin, kMiterLimit};
    case LineJoin::Round: return {Qt::RoundJoin, kMiterLimit};
    case LineJoin::MiterClipped: return {Qt::SvgMiterJoin, kMiterClippedLimit};
    default: return {Qt::MiterJoin, kMiterLimit};
    }
}

void configureBody(QPainterPathStroker& stroker, const StrokeStyle& style)
{
    const QtJoin join = qtJoin(style.lineJoin);
    stroker.setWidth(style.width);
    stroker.setCapStyle(Qt::FlatCap);
    stroker.setJoinStyle(join.style);
    stroker.setMiterLimit(join.miterLimit);
}

QPainterPath OutlineParts::outline(const StrokeStyle& style) const
{
    QPainterPath out;
    out.setFillRule(Qt::WindingFill);
    if (!m_body.isEmpty()) {
        QPainterPathStroker stroker;
        configureBody(stroker, style);
        out.addPath(stroker.createStroke(m_body));
    }
    out.addPath(m_shapes);
    return out;
}

QPainterPath polylinePath(const QPolygonF& poly, bool closed)
{
    QPainterPath path;
    path.addPolygon(poly);
    if (closed)
        path.closeSubpath();
    return path;
}

// The body range of an open figure: an arrow anchor shortens the line by the
// anchor size so the arrow's tip sits on the end point.
std::pair<double, double> bodyRange(const Figure& figure, const Walk& walk, const StrokeStyle& style)
{
    double lo = 0, hi = walk.total();
    if (!figure.closed && style.startCap == LineCap::ArrowAnchor)
        lo += anchorWidth(style.width);
    if (!figure.closed && style.endCap == LineCap::ArrowAnchor)
        hi -= anchorWidth(style.width);
    return {lo, hi};
}

std::vector<Piece> piecesOf(const Walk& walk, double lo, double hi, const std::vector<double>& dashes,
                            const QRectF& visible)
{
    std::vector<Piece> pieces;
    if (hi <= lo)
        return pieces;
    double period = 0;
    for (double d : dashes)
        period += d;
    std::vector<std::pair<double, double>> ranges{{lo, hi}};
    if (visible.isValid())
        ranges = visibleRanges(walk, visible);
    for (auto [a, b] : ranges) {
        a = std::max(a, lo);
        b = std::min(b, hi);
        if (b <= a)
            continue;
        if (dashes.empty())
            pieces.push_back({a, b, a <= lo, b >= hi});
        else
            collectDashes(dashes, period, lo, hi, a, b, pieces);
    }
    return pieces;
}

void addFigureAnchors(OutlineParts& out, const Figure& figure, const StrokeStyle& style)
{
    if (figure.closed)
        return;
    const double aw = anchorWidth(style.width);
    if (isAnchor(style.startCap))
        addAnchorShape(out, style.startCap, figure.points.first(), headDirection(figure.points), aw);
    if (isAnchor(style.endCap))
        addAnchorShape(out, style.endCap, figure.points.last(), tailDirection(figure.points), aw);
}

void addFigureOutline(OutlineParts& out, const Figure& figure, const StrokeStyle& style,
                      const std::vector<double>& dashes, const QRectF& visible)
{
    const Walk walk = walkOf(figure);
    if (walk.total() <= 0)
        return;
    addFigureAnchors(out, figure, style);
    if (figure.closed && dashes.empty()) {
        out.addBody(figure.points, true);
        return;
    }
    const auto [lo, hi] = bodyRange(figure, walk, style);
    for (const Piece& piece : piecesOf(walk, lo, hi, dashes, visible)) {
        const QPolygonF& poly = walk.piece(piece.a, piece.b, out.piece());
        out.addBody(poly, false);
        const bool figureHead = !figure.closed && piece.atStart;
        const bool figureTail = !figure.closed && piece.atEnd;
        const int headCap = figureHead ? style.startCap : style.dashCap;
        const int tailCap = figureTail ? style.endCap : style.dashCap;
        if (hasCapShape(headCap))
            addCapShape(out, headCap, poly.first(), headDirection(poly), style.width);
        if (hasCapShape(tailCap))
            addCapShape(out, tailCap, poly.last(), tailDirection(poly), style.width);
    }
}

double deviceScale(const QPainter& painter)
{
    return std::sqrt(std::abs(painter.combinedTransform().determinant()));
}

// The device rectangle in logical coordinates, widened by what caps and
// anchors can add, or an invalid rectangle when the device has no size.
QRectF visibleRect(const QPainter& painter, double width)
{
    const QPaintDevice* device = painter.device();
    if (!device || device->width() <= 0 || device->height() <= 0)
        return QRectF();
    const QRectF logical =
        painter.combinedTransform().inverted().mapRect(QRectF(0, 0, device->width(), device->height()));
    const double margin = 4 * anchorWidth(width) + 2;
    return logical.adjusted(-margin, -margin, margin, margin);
}

bool qtPenCanDraw(const StrokeStyle& style, const Paint& paint)
{
    return paint.kind == Paint::Kind::Solid && style.dashStyle == DashStyle::Solid &&
           style.startCap == style.endCap && style.startCap <= LineCap::Round;
}

Qt::PenCapStyle qtCap(int cap)
{
    return cap == LineCap::Square ? Qt::SquareCap : cap == LineCap::Round ? Qt::RoundCap : Qt::FlatCap;
}

// Pens under one device pixel: 1-pixel lines at full colour with 1-pixel dash
// units, no visible caps; anchors drawn at their minimum size.
void strokeThin(QPainter& painter, const std::vector<Figure>& figures, const StrokeStyle& style, const Paint& paint)
{
    QPen pen(brushFor(paint, painter), 0);
    pen.setCapStyle(Qt::FlatCap);
    const std::vector<double> dashes = dashLengths(style);
    if (!dashes.empty())
        pen.setDashPattern(QList<qreal>(dashes.begin(), dashes.end()));
    QPainterPath lines;
    OutlineParts anchors;
    for (const Figure& figure : figures) {
        const Walk walk = walkOf(figure);
        if (walk.total() <= 0)
            continue;
        const auto [lo, hi] = bodyRange(figure, walk, style);
        if (hi > lo)
            lines.addPath(polylinePath(
                lo > 0 || hi < walk.total() ? walk.piece(lo, hi, anchors.piece()) : figure.points, figure.closed));
        addFigureAnchors(anchors, figure, style);
    }
    painter.strokePath(lines, pen);
    fillArea(painter, anchors.outline(style), paint);
}

}  // namespace

std::vector<Figure> figuresOf(const QPainterPath& path, bool allOpen)
{
    std::vector<Figure> figures;
    for (QPolygonF& poly : path.toSubpathPolygons()) {
        if (poly.size() < 2)
            continue;
        const bool closed = !allOpen && poly.size() > 2 && poly.first() == poly.last();
        if (closed)
            poly.removeLast();
        figures.push_back({std::move(poly), closed});
    }
    return figures;
}

std::vector<double> dashLengths(const StrokeStyle& style)
{
    static const std::vector<double> kPatterns[] = {
        {}, {3, 1}, {1, 1}, {3, 1, 1, 1}, {3, 1, 1, 1, 1, 1}};
    std::vector<double> dashes;
    if (style.dashStyle >= DashStyle::Dash && style.dashStyle <= DashStyle::DashDotDot) {
        dashes = kPatterns[style.dashStyle];
    } else if (style.dashStyle == DashStyle::Custom) {
        // Entries must be positive; an empty or invalid pattern draws solid.
        for (float v : style.customDashes) {
            if (!(v > 0) || !std::isfinite(v))
                return {};
            dashes.push_back(v);
        }
        if (dashes.size() % 2 == 1)  // an odd pattern alternates on and off on its repeat
            dashes.insert(dashes.end(), dashes.begin(), dashes.end());
    }
    const double unitPx = std::max(style.width, 1.0);
    for (double& d : dashes)
        d *= unitPx;
    return dashes;
}

QPainterPath strokeOutline(const std::vector<Figure>& figures, const StrokeStyle& style, const QRectF& visible)
{
    OutlineParts parts;
    const std::vector<double> dashes = dashLengths(style);
    for (const Figure& figure : figures)
        addFigureOutline(parts, figure, style, dashes, visible);
    return parts.outline(style);
}

void strokeFigures(QPainter& painter, const std::vector<Figure>& figures, const StrokeStyle& style,
                   const Paint& paint)
{
    if (!(style.width >= 0) || !std::isfinite(style.width))
        return;
    if (style.width * deviceScale(painter) < 1) {
        strokeThin(painter, figures, style, paint);
        return;
    }
    fillArea(painter, strokeOutline(figures, style, visibleRect(painter, style.width)), paint);
}

void strokePath(QPainter& painter, const QPainterPath& path, const StrokeStyle& style, const Paint& paint,
                bool allOpen)
{
    if (path.isEmpty())
        return;
    if (qtPenCanDraw(style, paint) && style.width * deviceScale(painter) >= 1) {
        // The common case QPen expresses exactly: skip building an outline.
        const QtJoin join = qtJoin(style.lineJoin);
        QPen pen(QColor::fromRgba(paint.colour), style.width, Qt::SolidLine, qtCap(style.startCap), join.style);
        pen.setMiterLimit(join.miterLimit);
        painter.strokePath(path, pen);
        return;
    }
    strokeFigures(painter, figuresOf(path, allOpen), style, paint);
}
