// What the recovery log says about a drawing, frame by frame: the start
// (a new drawing of a size, or a file referred to by path, size and hash),
// the changes since the last frame, an undo, a redo and a save.
//
// A changes frame is a difference against a watermark: the attribute entries,
// registry entries (with their records) and journal entries past the marks,
// the journal counters, the layers whose slot differs and the image size.
// Because records are never changed after they are appended, that difference
// is exactly what the command added. Applying a frame checks that the drawing
// is where the frame starts and ends where the frame says; a frame that does
// not fit is refused and the replay stops before it.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "model/data.h"
#include "storage/files.h"
#include "storage/recovery_frames.h"

namespace recovery {

enum class FrameType : uint8_t { Start = 1, Changes = 2, Undo = 3, Redo = 4, Saved = 5 };

// Where a log's drawing came from.
struct Origin {
    bool fromFile = false;
    std::string path;      // the file as opened
    uint64_t size = 0;
    uint64_t hash = 0;
    std::string keptCopy;  // a hard link to the opened file beside the log, or empty
};

// How far the log has described the drawing.
struct Watermark {
    size_t registry = 0;
    int32_t position = 0, end = 0, recordingGroup = 0, undoLevel = 0;
    std::array<size_t, 13> attributes{};
    std::vector<Layer> layers;
    ImageSize size;
};

Watermark markOf(const Drawing&, ImageSize);
// False when the drawing is behind the mark: it was replaced (New, Open) and
// the log waits to start again from it.
bool continuesFrom(const Watermark&, const Drawing&);

struct StartFrame {
    uint64_t timeMs = 0;
    Origin origin;
    ImageSize size;
    // The drawing right after the start, to check a re-read file against.
    size_t registry = 0;
    int32_t position = 0;
};

void encodeStart(ByteWriter&, const StartFrame&);
bool decodeStart(ByteReader&, StartFrame&);

// Writes the changes past mark and moves mark; false (nothing written) when
// there are none.
bool encodeChanges(ByteWriter&, uint64_t timeMs, const Drawing&, ImageSize, Watermark& mark);
// Applies a changes frame (after its type byte and time); false when it does
// not fit the drawing or does not parse. The drawing may then be partly
// changed: the caller stops replaying.
bool applyChanges(ByteReader&, Drawing&, ImageSize&);

// Undo and redo frames carry the undo level they reach.
void encodeStep(ByteWriter&, FrameType, uint64_t timeMs, int32_t undoLevelAfter);

struct SavedFrame {
    std::string path;
    uint64_t size = 0, hash = 0;
};
void encodeSaved(ByteWriter&, uint64_t timeMs, const SavedFrame&);
bool decodeSaved(ByteReader&, SavedFrame&);

uint64_t nowMs();

}  // namespace recovery
