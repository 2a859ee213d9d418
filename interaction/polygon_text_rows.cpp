// Rows of the family table for the regular polygons and stars (2040-2092)
// and text (3000), with their click rules, previews and builders. The
// polygons and stars are stored as polygons; the text is laid out by the
// render engine.
#include "geometry/func.h"
#include "interaction/build_sequences.h"
#include "interaction/build_text.h"
#include "interaction/command_context.h"
#include "interaction/command_rows.h"
#include "interaction/interaction_state.h"
#include "interaction/previews.h"
#include "storage/settings.h"

namespace {

using B = Backspace;

// ---- Regular polygons and stars ------------------------------------------------

bool awayFromCentre(const Construction& c, PointD p)
{
    return Distance(c.points[0], p) > kBuildTolerance;
}

bool starInnerFits(const Construction& c, PointD p)
{
    return StarInnerRadiusFits(c.points[0], c.points[1], p);
}

Draft polygonDraft(std::vector<PointD> vertices, int variant)
{
    return PointListDraft(ElementKind::Polygon, std::move(vertices), variant);
}

Draft buildRegularPolygon(const Construction& c, int variant)
{
    return polygonDraft(RegularPolygonVertices(c.points[0], c.points[1], c.work.count), variant);
}

Draft buildStar(const Construction& c, int variant)
{
    return polygonDraft(StarVertices(c.points[0], c.points[1], Distance(c.points[0], c.points[2]), c.work.count),
                        variant);
}

void addClosed(PreviewShape& out, std::vector<PointD> vertices)
{
    if (vertices.empty())
        return;
    vertices.push_back(vertices.front());
    out.add() = std::move(vertices);
}

// The circle of the radius step, with the figure a click would make.
void previewRegularPolygon(const Construction& c, PointD cursor, PreviewShape& out)
{
    const double r = Distance(c.points[0], cursor);
    AddEllipse(out, c.points[0], r, r, 0);
    addClosed(out, RegularPolygonVertices(c.points[0], cursor, c.work.count));
}

void previewStarOuter(const Construction& c, PointD cursor, PreviewShape& out)
{
    const double r = Distance(c.points[0], cursor);
    AddEllipse(out, c.points[0], r, r, 0);
}

void previewStarInner(const Construction& c, PointD cursor, PreviewShape& out)
{
    const double r = Distance(c.points[0], cursor);
    AddEllipse(out, c.points[0], r, r, 0);
    if (StarInnerRadiusFits(c.points[0], c.points[1], cursor))
        addClosed(out, StarVertices(c.points[0], c.points[1], r, c.work.count));
}

// ---- Text -------------------------------------------------------------------------

// The dialog's text is laid out once at (0, 0); the preview moves its box.
bool prepareText(CommandContext& ctx)
{
    ctx.state.construction.text = TextAt(TextOf(ctx.settings.construction), {0, 0});
    return true;
}

void previewText(const Construction& c, PointD cursor, PreviewShape& out)
{
    const std::array<PointD, 4> box = TextBoxCornersAt(c.text, cursor);
    out.add() = {box[0], box[1], box[2], box[3], box[0]};
}

Draft buildText(const Construction& c, int)
{
    return {ElementKind::Text, TextAt(c.text, c.points[0])};
}

}  // namespace

void AddPolygonStarTextRows(std::vector<CommandMethod>& t)
{
    t.push_back({.firstMode = 2040,
                 .variantStride = 10,
                 .steps = {{}, {.accepts = awayFromCentre, .preview = previewRegularPolygon}},
                 .build = buildRegularPolygon,
                 .atFirstStep = B::ReopenDialog});
    t.push_back({.firstMode = 2070,
                 .variantStride = 10,
                 .steps = {{},
                           {.accepts = awayFromCentre, .preview = previewStarOuter},
                           {.accepts = starInnerFits, .preview = previewStarInner}},
                 .build = buildStar,
                 .atFirstStep = B::ReopenDialog});

    t.push_back({.firstMode = 3000,
                 .steps = {{.preview = previewText}},
                 .build = buildText,
                 .prepare = prepareText,
                 .clearsSelection = false,
                 .atFirstStep = B::ReopenDialog});
}
