// Feeding a DXF file to dxflib one entity at a time. dxflib allocates its
// vertex, knot and control-point arrays from the counts a file declares
// (and multiplies them in int), so every count it trusts (LWPOLYLINE 90,
// SPLINE 72/73/74, LEADER 76) is replaced by the number of values the
// entity really holds before dxflib sees it. Memory is then bounded by the
// file's own size, and a bad count cannot overflow an array.
//
// The reader also refuses what dxflib cannot read: binary DXF, a group code
// that is not a number, a file that stops before its EOF marker.
#pragma once

#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

class DL_Dxf;
class DL_CreationInterface;

namespace dxf {

struct GroupReadOutcome {
    bool ok = false;
    std::string reason;  // UTF-8, when not ok
    // Entity names met in ENTITIES or BLOCKS, with how often: the caller
    // counts the ones it has no counterpart for.
    std::vector<std::pair<std::string, int64_t>> entityNames;
    int64_t oversizedEntities = 0;  // entities cut at the group limit
};

// Reads bytes from a callback: it fills buf with up to size bytes and
// returns how many (0 at the end, -1 on an error). FeedDxf calls it from a
// reading thread of its own, which has stopped when FeedDxf returns.
using ByteSource = std::function<long(char* buf, size_t size)>;

GroupReadOutcome FeedDxf(const ByteSource& source, DL_Dxf& dxf, DL_CreationInterface& target);

}  // namespace dxf
