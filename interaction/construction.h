// What the command machine collects while a command runs: the clicked points,
// the working values copied from the construction dialogs when the command
// started, the point sequence, the freehand buffer and the change target.
// Builders and previews read it; only the machine writes it.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "geometry/point.h"
#include "model/records.h"

// The numbers a command works with, filled from ConstructionParameters by the
// dialog rows of its menu item (interaction/dialog_rows.cpp). Angles degrees.
struct WorkingValues {
    double directionDeg = 0;  // reference direction of parallel, perpendicular and angle lines
    double radius = 0;        // circle or arc radius
    double radiusX = 0, radiusY = 0;  // ellipse and arc-family radii; ring outer radii
    double innerRadiusX = 0, innerRadiusY = 0;
    double tiltDeg = 0;
    double ratio = 1;
    double startDeg = 0, sweepDeg = 0;
    int32_t count = 0;  // corners of a regular polygon or star
    int32_t cornerTypes[4] = {0, 0, 0, 0};
    double cornerSizes[8] = {0, 0, 0, 0, 0, 0, 0, 0};  // width, height per corner
    int32_t side = 0;  // change of a radius-and-two-points circle: the recorded side
};

struct Construction {
    static constexpr int kMaxPoints = 5;  // a ring by centre: centre, two radius points, start, end
    std::array<PointD, kMaxPoints> points{};
    WorkingValues work;
    // Point sequences (and the vertex lists of change modes).
    int32_t nextPoint = 1;
    std::vector<PointD> sequence;
    // Freehand strokes.
    std::vector<PointD> freehand;
    // The text command: the dialog's text laid out at (0, 0); previews move
    // its box to the cursor.
    TextRecord text;
    // Change modes: the element being reshaped and the picked handle.
    int32_t changeTarget = -1;
    int32_t changeHandle = -1;
    // Move and copy: world polylines of the selection at the base point.
    std::vector<std::vector<PointD>> outline;
};
