// The rows each Draw command asks, and the round trip through the dialogs.
#include "interaction/dialog_rows.h"

#include <algorithm>
#include <cmath>

#include "geometry/func.h"
#include "interaction/canvas_host.h"
#include "interaction/command_texts.h"

namespace {

using CP = ConstructionParameters;
using W = WorkingValues;
using namespace CommandText;

constexpr double kMinLength = 0.001, kMaxLength = 1000;
constexpr double kMinRatio = 0.00001, kMaxRatio = 100000;

NumberRowDef length(const char* name, double CP::*param, double W::*work)
{
    return {name, kDot, kMinLength, kMaxLength, param, nullptr, work};
}
NumberRowDef angle(const char* name, double CP::*param, double W::*work, RowRule rule = RowRule::Plain)
{
    return {name, kDegree, -360, 360, param, nullptr, work, nullptr, rule};
}
NumberRowDef ratio(double CP::*param)
{
    return {kRatio, kRatioUnit, kMinRatio, kMaxRatio, param, nullptr, &W::ratio};
}

const std::vector<NumberRowDef>& rowsTable(Ask ask)
{
    static const std::vector<NumberRowDef> none;
    static const std::vector<NumberRowDef> lineAngle = {
        angle(kTiltAngle, &CP::lineAngleDeg, &W::directionDeg, RowRule::Negated)};
    static const std::vector<NumberRowDef> circleRadius = {length(kRadius, &CP::circleRadius, &W::radius)};
    static const std::vector<NumberRowDef> ellipseTilt = {angle(kTiltAngle, &CP::ellipseTiltDeg, &W::tiltDeg)};
    static const std::vector<NumberRowDef> ellipseDiagonalTilt = {
        angle(kTiltAngle, &CP::ellipseDiagonalTiltDeg, &W::tiltDeg)};
    static const std::vector<NumberRowDef> ellipseRadii = {
        length(kRadiusX, &CP::ellipseRadiusX, &W::radiusX), length(kRadiusY, &CP::ellipseRadiusY, &W::radiusY),
        angle(kTiltAngle, &CP::ellipseDiagonalTiltDeg, &W::tiltDeg)};
    static const std::vector<NumberRowDef> ellipseRatio = {ratio(&CP::ellipseRatio)};
    static const std::vector<NumberRowDef> arcRadius = {length(kRadius, &CP::arcRadius, &W::radius)};
    static const std::vector<NumberRowDef> arcRadiusAngles = {
        length(kRadius, &CP::arcRadius, &W::radius),
        angle(kStartAngle, &CP::arcStartDeg, &W::startDeg, RowRule::ReducedAngle),
        {kSweepAngle, kDegree, -359.9999, 359.9999, &CP::arcSweepDeg, nullptr, &W::sweepDeg}};
    static const std::vector<NumberRowDef> familyTilt = {angle(kTiltAngle, &CP::arcFamilyTiltDeg, &W::tiltDeg)};
    static const std::vector<NumberRowDef> familyRadiiTilt = {
        length(kRadiusX, &CP::arcFamilyRadiusX, &W::radiusX), length(kRadiusY, &CP::arcFamilyRadiusY, &W::radiusY),
        angle(kTiltAngle, &CP::arcFamilyTiltDeg, &W::tiltDeg)};
    static const std::vector<NumberRowDef> familyRadiiAngles = {
        length(kRadiusX, &CP::arcFamilyRadiusX, &W::radiusX), length(kRadiusY, &CP::arcFamilyRadiusY, &W::radiusY),
        angle(kTiltAngle, &CP::arcFamilyTiltDeg, &W::tiltDeg), angle(kStartAngle, &CP::arcFamilyStartDeg, &W::startDeg),
        angle(kSweepAngle, &CP::arcFamilySweepDeg, &W::sweepDeg)};
    static const std::vector<NumberRowDef> familyAngles = {
        angle(kTiltAngle, &CP::arcFamilyTiltDeg, &W::tiltDeg), angle(kStartAngle, &CP::arcFamilyStartDeg, &W::startDeg),
        angle(kSweepAngle, &CP::arcFamilySweepDeg, &W::sweepDeg)};
    static const std::vector<NumberRowDef> familyRatio = {ratio(&CP::arcFamilyRatio)};
    static const std::vector<NumberRowDef> familyRatioAngles = {
        ratio(&CP::arcFamilyRatio), angle(kStartAngle, &CP::arcFamilyStartDeg, &W::startDeg),
        angle(kSweepAngle, &CP::arcFamilySweepDeg, &W::sweepDeg)};
    static const std::vector<NumberRowDef> ringRadiiAngles = {
        length(kOuterRadiusX, &CP::ringOuterRadiusX, &W::radiusX),
        length(kOuterRadiusY, &CP::ringOuterRadiusY, &W::radiusY),
        length(kInnerRadiusX, &CP::ringInnerRadiusX, &W::innerRadiusX),
        length(kInnerRadiusY, &CP::ringInnerRadiusY, &W::innerRadiusY),
        angle(kTiltAngle, &CP::arcFamilyTiltDeg, &W::tiltDeg), angle(kStartAngle, &CP::arcFamilyStartDeg, &W::startDeg),
        angle(kSweepAngle, &CP::arcFamilySweepDeg, &W::sweepDeg)};
    static const std::vector<NumberRowDef> cornerCount = {
        {kCornerCount, "", 3, 360, nullptr, &CP::cornerCount, nullptr, &W::count, RowRule::IntegerPart}};
    static const std::vector<NumberRowDef> divisionCount = {
        {kDivisionCount, "", 2, 100, nullptr, &CP::divisionCount, nullptr, &W::count, RowRule::IntegerPart}};

    switch (ask) {
    case Ask::None: return none;
    case Ask::LineAngle: return lineAngle;
    case Ask::CircleRadius: return circleRadius;
    case Ask::EllipseTilt: return ellipseTilt;
    case Ask::EllipseDiagonalTilt: return ellipseDiagonalTilt;
    case Ask::EllipseRadii: return ellipseRadii;
    case Ask::EllipseRatio: return ellipseRatio;
    case Ask::ArcRadius: return arcRadius;
    case Ask::ArcRadiusAngles: return arcRadiusAngles;
    case Ask::ArcFamilyTilt: return familyTilt;
    case Ask::ArcFamilyRadiiTilt: return familyRadiiTilt;
    case Ask::ArcFamilyRadiiAngles: return familyRadiiAngles;
    case Ask::ArcFamilyAngles: return familyAngles;
    case Ask::ArcFamilyRatio: return familyRatio;
    case Ask::ArcFamilyRatioAngles: return familyRatioAngles;
    case Ask::RingRadiiAngles: return ringRadiiAngles;
    case Ask::CornerCount: return cornerCount;
    case Ask::DivisionCount: return divisionCount;
    case Ask::Corners:
    case Ask::Text: return none;
    }
    return none;
}

double remembered(const NumberRowDef& row, const CP& params)
{
    return row.real ? params.*row.real : double(params.*row.integer);
}

// The stored form of a confirmed entry.
double stored(const NumberRowDef& row, double value)
{
    switch (row.rule) {
    case RowRule::IntegerPart: return std::trunc(value);
    case RowRule::ReducedAngle: return NormalizeDeg(value);
    case RowRule::Plain:
    case RowRule::Negated: return value;
    }
    return value;
}

void toWorking(const NumberRowDef& row, double value, W& work)
{
    const double v = row.rule == RowRule::Negated ? -value : value;
    if (row.work)
        work.*row.work = v;
    if (row.workInteger)
        work.*row.workInteger = static_cast<int32_t>(v);
}

void cornersToWorking(const CP& params, W& work)
{
    for (int i = 0; i < 4; ++i) {
        work.cornerTypes[i] = params.cornerTypes[i];
        work.cornerSizes[2 * i] = params.cornerWidths[i];
        work.cornerSizes[2 * i + 1] = params.cornerHeights[i];
    }
}

}  // namespace

std::span<const NumberRowDef> RowsOf(Ask ask)
{
    return rowsTable(ask);
}

void CopyToWorking(Ask ask, const CP& params, W& work)
{
    if (ask == Ask::Corners)
        cornersToWorking(params, work);
    for (const NumberRowDef& row : RowsOf(ask))
        toWorking(row, remembered(row, params), work);
}

bool AskBeforeStart(Ask ask, CanvasHost& host, CP& params, W& work)
{
    if (ask == Ask::None)
        return true;
    if (ask == Ask::Corners) {
        if (!host.askCorners(params))
            return false;
        cornersToWorking(params, work);
        return true;
    }
    if (ask == Ask::Text)
        return host.askText(params);

    const std::span<const NumberRowDef> defs = RowsOf(ask);
    NumericRows rows{};
    for (size_t i = 0; i < defs.size() && i < rows.size(); ++i) {
        const NumberRowDef& def = defs[i];
        rows[i] = NumericRow{true, QString::fromUtf8(def.name), QString::fromUtf8(def.unit),
                             remembered(def, params), def.minimum, def.maximum};
    }
    if (!host.askNumbers(rows))
        return false;
    for (size_t i = 0; i < defs.size() && i < rows.size(); ++i) {
        const NumberRowDef& def = defs[i];
        // The dialog clamps; clamping again keeps a scripted or faulty
        // answer inside the range too.
        double value = std::isfinite(rows[i].value) ? rows[i].value : def.minimum;
        value = stored(def, std::clamp(value, def.minimum, def.maximum));
        if (def.real)
            params.*def.real = value;
        else
            params.*def.integer = static_cast<int32_t>(value);
        toWorking(def, value, work);
    }
    return true;
}
