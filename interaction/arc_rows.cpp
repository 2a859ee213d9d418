// The arc family's rows of the family table: arcs (600-643), elliptic arcs
// (700-761), pies (800-848), chords (900-948), outside-of-circle shapes
// (1000-1058) and ring shapes (1100-1193). Their change modes are handle rows
// (interaction/handle_rows.cpp).
//
// Every step of a method shares one routine, ArcFigureFromClicks
// (interaction/build_arcs.h): the click rule asks it whether the clicks so
// far plus the new point make a figure, the preview draws the figure the
// clicks plus the cursor make, the builder turns the figure of all clicks
// into a record. The step number is a template argument, so each step's
// function pointer knows how many clicks it has.
#include <array>
#include <span>

#include "geometry/construct.h"
#include "interaction/build_arcs.h"
#include "interaction/command_rows.h"
#include "interaction/draft_outline.h"
#include "interaction/previews.h"

namespace {

using K = ElementKind;
using M = ArcMethod;
using B = Backspace;

// The clicks of steps 0 .. step - 1 followed by p.
template <int Step> std::array<PointD, Step + 1> clicksWith(const Construction& c, PointD p)
{
    std::array<PointD, Step + 1> clicks{};
    for (int i = 0; i < Step; ++i)
        clicks[i] = c.points[i];
    clicks[Step] = p;
    return clicks;
}

// ---- Step functions -------------------------------------------------------------

template <M Method, int Step> bool acceptArcClick(const Construction& c, PointD p)
{
    const auto clicks = clicksWith<Step>(c, p);
    return ArcFigureFromClicks(Method, c.work, clicks).has_value();
}

template <K Kind, M Method, int Step> void previewArcStep(const Construction& c, PointD cursor, PreviewShape& out)
{
    const auto clicks = clicksWith<Step>(c, cursor);
    if (ArcStepShowsChord(Method, Step))
        AddSegment(out, clicks[0], cursor);
    if (const std::optional<ArcFigure> f = ArcFigureFromClicks(Method, c.work, clicks))
        AddArcFigureOutline(Kind, *f, out);
}

template <K Kind, M Method> Draft buildArcFigure(const Construction& c, int variant)
{
    const std::span<const PointD> clicks(c.points.data(), static_cast<size_t>(ArcClickCount(Method)));
    const std::optional<ArcFigure> f = ArcFigureFromClicks(Method, c.work, clicks);
    if (!f)
        return Draft::refusal(Kind);
    if constexpr (Kind == K::Arc) {
        return {Kind, ArcRecordOf(Method, *f, clicks)};
    } else if constexpr (Kind == K::EllipticArc) {
        return {Kind, EllipticArcRecordOf(Method, *f, clicks)};
    } else if constexpr (Kind == K::Ring) {
        RingRecord r = RingRecordOf(*f);
        r.h.fillMode = variant;
        return {Kind, r};
    } else {
        SectorRecord r = SectorRecordOf(*f);
        r.h.fillMode = variant;
        return {Kind, r};
    }
}

template <K Kind, M Method, int Step> CommandStep arcStep()
{
    CommandStep step;
    step.preview = previewArcStep<Kind, Method, Step>;
    if (ArcStepHasClickRule(Method, Step))
        step.accepts = acceptArcClick<Method, Step>;
    return step;
}

template <K Kind, M Method> std::vector<CommandStep> arcSteps()
{
    std::vector<CommandStep> steps{arcStep<Kind, Method, 0>(), arcStep<Kind, Method, 1>(),
                                   arcStep<Kind, Method, 2>(), arcStep<Kind, Method, 3>(),
                                   arcStep<Kind, Method, 4>()};
    steps.resize(static_cast<size_t>(ArcClickCount(Method)));
    return steps;
}

struct RowOptions {
    int stride = 0;
    Backspace atFirstStep = B::NoEffect;
    int reopenItem = 0;
    bool clearsSelection = true;
};

template <K Kind, M Method>
CommandMethod arcRow(int firstMode, RowOptions o = {})
{
    return {.firstMode = firstMode,
            .variantStride = o.stride,
            .steps = arcSteps<Kind, Method>(),
            .build = buildArcFigure<Kind, Method>,
            .clearsSelection = o.clearsSelection,
            .atFirstStep = o.atFirstStep,
            .reopenItem = o.reopenItem};
}

constexpr RowOptions kReopen{.atFirstStep = B::ReopenDialog};
// The rows whose items come without the tilt dialog, then the same items
// after it (three fill variants each, or one item each); Backspace at the
// first step reopens the tilted item's dialog.
constexpr RowOptions kTiltedVariants{.stride = 10, .atFirstStep = B::ReopenDialog, .reopenItem = 3};
constexpr RowOptions kUntiltedThenTilted{.atFirstStep = B::ReopenDialog, .reopenItem = 1};

// Pies, chords and outside shapes share their first two rows: centre and
// radius without and with a tilt dialog (x00, x10, x20), radii and angles
// (x30, x31, x32).
template <K Kind> void addSectorRows(std::vector<CommandMethod>& t, int base)
{
    t.push_back(arcRow<Kind, M::EllipseCentreEnds>(base, kTiltedVariants));
    t.push_back(arcRow<Kind, M::EllipseAngles>(base + 30, {.stride = 1, .atFirstStep = B::ReopenDialog}));
}

}  // namespace

void AddArcFamilyRows(std::vector<CommandMethod>& t)
{
    // ---- Arcs --------------------------------------------------------------
    t.push_back(arcRow<K::Arc, M::CentreRadiusEnds>(600));
    t.push_back(arcRow<K::Arc, M::RadiusCentreEnds>(610, kReopen));
    t.push_back(arcRow<K::Arc, M::RadiusAngles>(620, {.atFirstStep = B::ReopenDialog, .clearsSelection = false}));
    t.push_back(arcRow<K::Arc, M::RadiusTwoPoints>(630, kReopen));
    t.push_back(arcRow<K::Arc, M::ThreePoints>(640));

    // ---- Elliptic arcs (the items without a tilt dialog draw untilted) -------
    t.push_back(arcRow<K::EllipticArc, M::EllipseCentreEnds>(700, kUntiltedThenTilted));
    t.push_back(arcRow<K::EllipticArc, M::EllipseRadiiEnds>(710, kReopen));
    t.push_back(arcRow<K::EllipticArc, M::EllipseAngles>(720, kReopen));
    t.push_back(arcRow<K::EllipticArc, M::DiagonalEnds>(730, kUntiltedThenTilted));
    t.push_back(arcRow<K::EllipticArc, M::DiagonalAngles>(740, kReopen));
    t.push_back(arcRow<K::EllipticArc, M::AxisEnds>(750, kReopen));
    t.push_back(arcRow<K::EllipticArc, M::AxisAngles>(760, kReopen));

    // ---- Pies, chords, outside shapes ------------------------------------------
    addSectorRows<K::Pie>(t, 800);
    t.push_back(arcRow<K::Pie, M::ThreePoints>(840, {.stride = 3}));
    addSectorRows<K::Chord>(t, 900);
    t.push_back(arcRow<K::Chord, M::ThreePoints>(940, {.stride = 3}));
    addSectorRows<K::Outside>(t, 1000);
    t.push_back(arcRow<K::Outside, M::ThreePointsFull>(1040, {.stride = 3}));
    t.push_back(arcRow<K::Outside, M::ThreePoints>(1050, {.stride = 3}));

    // ---- Ring shapes -------------------------------------------------------------
    t.push_back(arcRow<K::Ring, M::RingCentreEnds>(1100, kTiltedVariants));
    t.push_back(arcRow<K::Ring, M::RingAngles>(1130, {.stride = 1, .atFirstStep = B::ReopenDialog}));
    t.push_back(arcRow<K::Ring, M::RingThreePointsFull>(1140, {.stride = 10}));
    t.push_back(arcRow<K::Ring, M::RingThreePoints>(1170, {.stride = 10}));
}
