// Which numbers each Draw command asks before its first click, as data: a
// row names the item, its unit and range, the ConstructionParameters field it
// offers and writes back, and the working value of the command it fills.
// AskBeforeStart shows the rows through the host's numeric dialog (or the
// corner / text dialog), writes the confirmed values back and copies them
// into the working values.
#pragma once

#include <cstdint>
#include <span>

#include "interaction/construction.h"
#include "model/construction_parameters.h"

class CanvasHost;

enum class Ask {
    None,
    LineAngle,
    CircleRadius,
    EllipseTilt,          // ellipse by centre and radius point
    EllipseDiagonalTilt,  // ellipse by diagonal
    EllipseRadii,         // x radius, y radius, tilt
    EllipseRatio,
    ArcRadius,
    ArcRadiusAngles,
    ArcFamilyTilt,
    ArcFamilyRadiiTilt,
    ArcFamilyRadiiAngles,
    ArcFamilyAngles,
    ArcFamilyRatio,
    ArcFamilyRatioAngles,
    RingRadiiAngles,
    CornerCount,
    DivisionCount,
    Corners,  // the corner dialog
    Text,     // the text dialog
};

enum class RowRule {
    Plain,
    IntegerPart,    // cut to its integer part (counts)
    ReducedAngle,   // stored reduced into [0, 360)
    Negated,        // the working value is minus the entry (angle line)
};

struct NumberRowDef {
    const char* name;  // UTF-8, "半径"
    const char* unit;  // UTF-8, "ドット", "°", "(比率)", ""
    double minimum;
    double maximum;
    double ConstructionParameters::*real = nullptr;
    int32_t ConstructionParameters::*integer = nullptr;
    double WorkingValues::*work = nullptr;
    int32_t WorkingValues::*workInteger = nullptr;
    RowRule rule = RowRule::Plain;
};

std::span<const NumberRowDef> RowsOf(Ask ask);

// Copies the remembered values into the working values without asking (a
// command started again by Backspace asks anew; this is for the values a
// command reads without a dialog).
void CopyToWorking(Ask ask, const ConstructionParameters& params, WorkingValues& work);

// Asks the numbers of `ask` (nothing for Ask::None). On OK writes them back
// into params and the working values and returns true; Cancel changes
// nothing and returns false.
bool AskBeforeStart(Ask ask, CanvasHost& host, ConstructionParameters& params, WorkingValues& work);
