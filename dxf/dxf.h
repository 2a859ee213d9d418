// DXF interchange through Debian's dxflib: writing a drawing as an AutoCAD
// 2000 (AC1015) DXF file, and opening a DXF file as a new drawing.
// docs/dxf.md lists how each kind and attribute maps, and what falls back.
//
// Coordinates stay in drawing units; DXF is y-up, so y is flipped about the
// image area: a drawing point (x, y) is (x, H - y) in the file, H the image
// height, and the image area is written as the drawing limits.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "model/data.h"
#include "storage/files.h"

namespace dxf {

// Takes the file's bytes in order; false stops the writing.
using Sink = std::function<bool(std::string_view)>;

struct WriteResult {
    bool ok = true;
    std::string message;  // UTF-8, when not ok
};

// Every live element on every layer (hidden layers are written switched off).
WriteResult WriteDxf(const Drawing& drawing, ImageSize size, const Sink& sink);

// One kind of entity that has no counterpart, and how often it was met.
struct Skipped {
    std::string what;  // the DXF entity name, or a short description
    int64_t count = 0;
};

struct ReadResult {
    FileStatus status = FileStatus::Ok;
    std::string message;          // UTF-8, names the file and the reason
    ImageSize imageSize;          // the drawing's extent (or its limits)
    bool replaced = false;        // the drawing holds the file's content
    int64_t elements = 0;         // elements made
    std::vector<Skipped> skipped; // by name

    bool ok() const { return status == FileStatus::Ok; }
    // "HATCH (模様) 3, DIMENSION 2", empty when nothing was skipped.
    std::string skippedSummary() const;
};

// Replaces the drawing by the file's entities, all in one journal group and
// marked unsaved. A file that cannot be read (binary DXF, not a DXF, cut
// short, bad group code) changes nothing and says why.
ReadResult ReadDxf(const std::string& path, Drawing& drawing);
ReadResult ReadDxfText(std::string_view bytes, Drawing& drawing);

// The name ends in .dxf, in any letter case.
bool IsDxfPath(std::string_view path);

}  // namespace dxf
