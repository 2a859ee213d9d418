// The drawing file (.mt): a CP932 text file, one value per line, holding the
// image size, the 256 layers, the attribute entries that live elements use
// and every live element in registry order. docs/file-format.md describes it
// for users. The file functions wrap in-memory ones (the same bytes), which
// the tests and the fuzz target use directly.
//
// Saving writes a temporary file beside the target, syncs it and renames it
// over the target only when complete: a failed save leaves the old file as it
// was. Reading streams the file; it replaces the drawing and records every
// element read as journal group 1, so one Undo removes the whole content.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "model/data.h"

// Width and height of the drawing's image area in pixels.
struct ImageSize {
    int32_t width = 320;
    int32_t height = 240;
};

// What a read hands back is always usable: at least 1, at most this.
inline constexpr int32_t kMaxImageSide = 100000;

enum class FileStatus {
    Ok,
    NotFound,      // reading: no such file; the drawing is unchanged
    NotADrawing,   // reading: no image size and no layer part; unchanged
    ReadError,     // reading stopped early; what was read so far stays
    WriteError,    // the old file is untouched
    Unencodable,   // a text cannot be stored in CP932; nothing was written
    TooLarge,      // reading: larger than kMaxDrawingFileBytes; unchanged
};

// A larger file is refused before it is read: about ten million elements,
// ten times the largest drawing the benchmarks open, and still a few GiB
// of memory once read.
inline constexpr int64_t kMaxDrawingFileBytes = int64_t{1} << 30;

struct FileResult {
    FileStatus status = FileStatus::Ok;
    // For the window: UTF-8, names the file (or the element) and the reason.
    std::string message;
    // After a read that replaced the drawing: the image size it holds.
    ImageSize imageSize;
    // A read replaced the drawing, completely or up to a read error.
    bool replaced = false;

    bool ok() const { return status == FileStatus::Ok; }
};

// Told the share done so far, 0 to 100, while a file is read or written;
// called only when the share has grown, so at most 101 times.
using FileProgress = std::function<void(int percent)>;

// Appends the file's bytes to out. Only Ok and Unencodable are possible.
FileResult WriteDrawingText(const Drawing& drawing, ImageSize size, std::string& out);
FileResult WriteDrawing(const std::string& path, const Drawing& drawing, ImageSize size,
                        const FileProgress& progress = {});

// Replaces the drawing by the content of the bytes: bad values read as 0,
// missing lines as empty, an element cut short is left out. Bytes that do
// not start like a drawing (see NotADrawing) change nothing.
FileResult ReadDrawingText(Drawing& drawing, std::string_view bytes);
// NotFound or ReadError (nothing changes) when the file cannot be opened.
FileResult ReadDrawing(const std::string& path, Drawing& drawing, const FileProgress& progress = {});
