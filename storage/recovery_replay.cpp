// Summary and replay of a recovery log.
#include "storage/recovery_replay.h"

#include <unistd.h>

namespace recovery {

namespace {

// The start frame, or false when the bytes do not begin like a log.
bool readStart(const FrameScan& scan, StartFrame& start)
{
    if (scan.payloads.empty())
        return false;
    ByteReader r(scan.payloads.front());
    return r.u8() == static_cast<uint8_t>(FrameType::Start) && decodeStart(r, start);
}

uint64_t wholeBytes(const FrameScan& scan)
{
    uint64_t bytes = kHeaderSize;
    for (std::string_view p : scan.payloads)
        bytes += kFrameHeaderSize + p.size();
    return bytes;
}

// Reads the origin into d; false when it is not the drawing the log began with.
bool readOrigin(const StartFrame& start, const std::string& folder, Drawing& d)
{
    if (!start.origin.fromFile) {
        d.ResetDatabase();
        d.SetUpLayers();
        return true;
    }
    const FileResult read = ReadDrawing(originFile(start, folder), d);
    return read.ok() && d.registry.size() == start.registry && d.journal.position() == start.position;
}

bool applyFrame(std::string_view payload, Drawing& d, ImageSize& size)
{
    ByteReader r(payload);
    const auto type = static_cast<FrameType>(r.u8());
    r.u64();  // time
    switch (type) {
    case FrameType::Changes: return applyChanges(r, d, size);
    case FrameType::Undo:
    case FrameType::Redo: {
        // Checked before the step is taken, so a step that does not fit
        // changes nothing.
        const bool undo = type == FrameType::Undo;
        const int32_t level = r.i32();
        if (r.bad() || !r.atEnd() || !(undo ? d.journal.canUndo() : d.journal.canRedo()) ||
            level != d.journal.undoLevel() + (undo ? -1 : 1))
            return false;
        undo ? d.Undo() : d.Redo();
        return true;
    }
    case FrameType::Saved: return true;
    case FrameType::Start: return false;
    }
    return false;
}

}  // namespace

LogSummary summarizeLog(std::string_view bytes)
{
    LogSummary s;
    const HeaderCheck header = checkHeader(bytes);
    if (header != HeaderCheck::Ok) {
        s.status = header == HeaderCheck::NewerFormat ? LogStatus::NewerFormat : LogStatus::NotALog;
        return s;
    }
    const FrameScan scan = scanFrames(bytes);
    if (!readStart(scan, s.start))
        return s;
    s.status = LogStatus::Ok;
    s.tornBytes = scan.tornBytes;
    s.goodBytes = wholeBytes(scan);
    s.lastChangeMs = s.start.timeMs;
    for (size_t i = 1; i < scan.payloads.size(); ++i) {
        ByteReader r(scan.payloads[i]);
        const auto type = static_cast<FrameType>(r.u8());
        s.lastChangeMs = r.u64();
        s.nothingUnsaved = false;
        switch (type) {
        case FrameType::Changes: ++s.changes; break;
        case FrameType::Undo: ++s.undos; break;
        case FrameType::Redo: ++s.redos; break;
        case FrameType::Saved: {
            ++s.saves;
            SavedFrame saved;
            if (decodeSaved(r, saved))
                s.lastSavedPath = saved.path;
            s.nothingUnsaved = true;
            break;
        }
        case FrameType::Start: break;
        }
    }
    // A torn frame was a command that had not reached the disk whole.
    if (s.tornBytes > 0)
        s.nothingUnsaved = false;
    return s;
}

std::string originFile(const StartFrame& start, const std::string& folder)
{
    if (!start.origin.keptCopy.empty() && start.origin.keptCopy.find('/') == std::string::npos) {
        const std::string kept = folder + "/" + start.origin.keptCopy;
        if (::access(kept.c_str(), R_OK) == 0)
            return kept;
    }
    return start.origin.path;
}

ReplayStatus checkOrigin(const StartFrame& start, const std::string& folder)
{
    if (!start.origin.fromFile)
        return ReplayStatus::Ok;
    uint64_t hash = 0, size = 0;
    if (!hashFile(originFile(start, folder), hash, size))
        return ReplayStatus::OriginMissing;
    return hash == start.origin.hash && size == start.origin.size ? ReplayStatus::Ok : ReplayStatus::OriginChanged;
}

ReplayResult replayLog(std::string_view bytes, const std::string& folder, Drawing& out)
{
    ReplayResult result;
    const LogSummary summary = summarizeLog(bytes);
    if (summary.status != LogStatus::Ok) {
        result.status = summary.status == LogStatus::NewerFormat ? ReplayStatus::NewerFormat : ReplayStatus::NotALog;
        return result;
    }
    result.totalSteps = summary.steps();
    if ((result.status = checkOrigin(summary.start, folder)) != ReplayStatus::Ok)
        return result;
    Drawing d;
    if (!readOrigin(summary.start, folder, d)) {
        result.status = ReplayStatus::OriginChanged;
        return result;
    }
    d.markSaved();
    ImageSize size = summary.start.size;
    const FrameScan scan = scanFrames(bytes);
    result.goodBytes = kHeaderSize + kFrameHeaderSize + scan.payloads.front().size();
    result.status = ReplayStatus::Ok;
    for (size_t i = 1; i < scan.payloads.size(); ++i) {
        // A frame that does not parse or fit changes nothing.
        if (!applyFrame(scan.payloads[i], d, size)) {
            result.status = ReplayStatus::Partial;
            break;
        }
        const auto type = static_cast<FrameType>(static_cast<uint8_t>(scan.payloads[i][0]));
        if (type != FrameType::Saved)
            ++result.appliedSteps;
        result.goodBytes += kFrameHeaderSize + scan.payloads[i].size();
    }
    result.size = size;
    out = std::move(d);
    return result;
}

}  // namespace recovery
