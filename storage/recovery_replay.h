// Reading a recovery log back: what it holds (for the restore question and
// the check tool) and the replay that rebuilds the drawing from it. Replay
// re-reads the file the log started from (its kept copy when there is one),
// refuses when that content is not the one logged, then applies the frames
// in order and stops at the first that is torn, damaged or does not fit.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "model/data.h"
#include "storage/files.h"
#include "storage/recovery_codec.h"

namespace recovery {

enum class LogStatus {
    Ok,
    NotALog,      // no header, or no whole start frame
    NewerFormat,  // written by a newer program
};

struct LogSummary {
    LogStatus status = LogStatus::NotALog;
    StartFrame start;
    // Frames after the start: command changes, undos, redos, saves.
    size_t changes = 0, undos = 0, redos = 0, saves = 0;
    uint64_t lastChangeMs = 0;  // time of the last frame
    // Nothing was done after the last save (or the start): nothing to lose.
    bool nothingUnsaved = true;
    size_t tornBytes = 0;  // bytes after the last whole frame
    uint64_t goodBytes = 0;  // the header and the whole frames
    std::string lastSavedPath;

    size_t steps() const { return changes + undos + redos; }
};

LogSummary summarizeLog(std::string_view bytes);

enum class ReplayStatus {
    Ok,             // every whole frame was applied
    Partial,        // a frame did not fit; the drawing is as before it
    NotALog,
    NewerFormat,
    OriginMissing,  // the file the log starts from cannot be read
    OriginChanged,  // it holds other content than the log started from
};

struct ReplayResult {
    ReplayStatus status = ReplayStatus::NotALog;
    size_t appliedSteps = 0;
    size_t totalSteps = 0;
    ImageSize size;
    uint64_t goodBytes = 0;  // where logging may go on after an adoption

    bool restored() const { return status == ReplayStatus::Ok || status == ReplayStatus::Partial; }
};

// The file a log's start reads: the kept copy in folder, else the path.
std::string originFile(const StartFrame&, const std::string& folder);
// Whether the origin can be read and still holds the logged content.
ReplayStatus checkOrigin(const StartFrame&, const std::string& folder);

// Rebuilds the drawing into out (replaced only when restored()).
ReplayResult replayLog(std::string_view bytes, const std::string& folder, Drawing& out);

}  // namespace recovery
