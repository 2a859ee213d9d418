// Rows of the family table (interaction/command_table.h) kept beside their
// builders: the arc family (arcs, elliptic arcs, pies, chords, outside and
// ring shapes with their change modes), and the regular polygons, stars and
// text.
#pragma once

#include <vector>

#include "interaction/command_table.h"

void AddArcFamilyRows(std::vector<CommandMethod>& table);
void AddPolygonStarTextRows(std::vector<CommandMethod>& table);
