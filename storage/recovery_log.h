// The recovery log of one running window: a file in the user's state folder
// ($XDG_STATE_HOME/mirt, by default ~/.local/state/mirt) that receives, as
// it happens, what the drawing needs to be rebuilt after the program dies:
// where it started, every command's changes, every undo and redo, and saves.
//
// The file is locked (flock) for as long as the window runs, so two programs
// never share a log; the kernel drops the lock of a program that died, which
// is how a left-behind log is told from a live one. Every frame goes to the
// kernel at once (a killed program loses nothing written); fdatasync, which
// also survives a power cut, runs at most once a second and before a question
// is asked.
//
// A drawing opened from a file is not copied: the log names the file with
// its size and hash, and keeps a hard link to it beside the log, so a later
// save over that file (which renames a new file into place) leaves the
// content the log starts from. Saving does not start a new log; it writes a
// mark, so the undo history after a restore still reaches back to the open.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "model/data.h"
#include "storage/files.h"
#include "storage/recovery_codec.h"

namespace recovery {

// $XDG_STATE_HOME/mirt, or $HOME/.local/state/mirt.
std::string defaultFolder();

inline constexpr char kLogSuffix[] = ".rlog";

class RecoveryLog {
public:
    RecoveryLog() = default;
    RecoveryLog(const RecoveryLog&) = delete;
    RecoveryLog& operator=(const RecoveryLog&) = delete;
    ~RecoveryLog();

    // Creates and locks a new log file in folder (made if missing); false
    // when it cannot, and the window then runs without a log.
    bool create(const std::string& folder);
    // Takes over a left-behind log whose lock the caller holds (fd), its
    // frames kept up to goodBytes; logging goes on where it ended.
    void adopt(const std::string& folder, const std::string& path, int fd, uint64_t goodBytes,
               const Drawing&, ImageSize, const std::string& keptCopy);
    bool isOpen() const { return m_fd >= 0; }
    const std::string& path() const { return m_path; }

    // A new drawing, or a drawing just read from a file: the log is emptied
    // and starts again from it.
    void startNew(const Drawing&, ImageSize);
    void startFromFile(const Drawing&, ImageSize, const std::string& filePath);
    // End of a command: what changed since the last frame. Cheap when
    // nothing did (the layers are compared, nothing is written).
    void recordChanges(const Drawing&, ImageSize);
    void recordUndo(const Drawing&, ImageSize);
    void recordRedo(const Drawing&, ImageSize);
    void recordSaved(const std::string& filePath);

    // fdatasync when something was written since the last one and at least a
    // second has passed (syncIfDue) or always (sync).
    void syncIfDue();
    void sync();
    // Normal end: the log and its kept copy are removed.
    void remove();

    // Bytes written so far (tests, the benchmark).
    uint64_t size() const { return m_size; }

private:
    void restart(const StartFrame&);
    void recordStep(FrameType, const Drawing&, ImageSize);
    void writeFrame(ByteWriter&);
    void dropKeptCopy();

    std::string m_folder;
    std::string m_path;
    std::string m_keptCopy;  // file name in m_folder, or empty
    int m_fd = -1;
    uint64_t m_size = 0;
    bool m_dirty = false;
    uint64_t m_lastSyncMs = 0;
    bool m_failed = false;  // a write failed: the log stops, the window goes on
    Watermark m_mark;
};

// ---- Left-behind logs --------------------------------------------------------

// A log no running program holds; the lock is taken and kept in fd until the
// caller adopts the log, sets it aside or deletes it.
struct OrphanLog {
    std::string path;
    int fd = -1;
    std::string bytes;
};

// Orphans of folder, the most recently changed first.
std::vector<OrphanLog> findOrphanLogs(const std::string& folder);
// Renames the log to "<name>.<YYYYmmdd-HHMMSS>.kept" and drops its lock.
std::string setAside(OrphanLog&);
// Deletes the log and its kept copy (a log with nothing to restore).
void discard(OrphanLog&, const std::string& folder, const std::string& keptCopy);
void release(OrphanLog&);

}  // namespace recovery
