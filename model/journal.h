// The undo journal. Elements are never changed in place: a command appends new
// elements and marks old ones dead, and each of those acts is one entry naming
// a registry position. Entries of one user command share a group number, so
// undo and redo of a command only flip the live flags of its group's entries:
// walking back from `position` while the group equals `undoLevel` (undo), or
// forward up to `end` while it equals `undoLevel + 1` (redo).
#pragma once

#include <cstdint>
#include <vector>

enum class JournalOp : int32_t { Created = 1, Deleted = 2 };

struct JournalEntry {
    JournalOp op = JournalOp::Created;
    int32_t group = 0;
    int32_t registryPosition = 0;
};

class UndoJournal {
public:
    void clear();

    // recordingGroup := undoLevel + 1.
    void BeginGroup();
    // Writes at position and discards whatever could still be redone.
    void Record(JournalOp op, int32_t registryPosition);
    // A group that recorded nothing leaves the journal as it was before BeginGroup.
    void EndGroup();
    // The drawing-file reader records everything as group 1.
    void beginReadGroup() { m_recordingGroup = 1; }

    bool canUndo() const { return m_undoLevel > 0; }
    bool canRedo() const { return m_undoLevel < m_recordingGroup; }

    // Steps back over the entries of the group being undone, newest first;
    // calls flip(entry) for each. Returns false when nothing can be undone.
    template <class Flip> bool undoGroup(Flip&& flip);
    template <class Flip> bool redoGroup(Flip&& flip);

    const std::vector<JournalEntry>& entries() const { return m_entries; }
    int32_t position() const { return m_position; }
    int32_t end() const { return m_end; }
    int32_t recordingGroup() const { return m_recordingGroup; }
    int32_t undoLevel() const { return m_undoLevel; }
    // Grows with every entry written and every group undone or redone.
    uint64_t changeCount() const { return m_changeCount; }

private:
    std::vector<JournalEntry> m_entries;  // size() may exceed m_end
    int32_t m_position = 0;
    int32_t m_end = 0;
    int32_t m_recordingGroup = 0;
    int32_t m_undoLevel = 0;
    uint64_t m_changeCount = 0;
    uint64_t m_changeAtBegin = 0;  // of the open group
    int32_t m_recordingGroupBefore = 0;
};

template <class Flip>
bool UndoJournal::undoGroup(Flip&& flip)
{
    if (m_undoLevel <= 0)
        return false;
    while (m_position > 0 && m_entries[m_position - 1].group == m_undoLevel) {
        flip(m_entries[m_position - 1]);
        --m_position;
    }
    --m_undoLevel;
    ++m_changeCount;
    return true;
}

template <class Flip>
bool UndoJournal::redoGroup(Flip&& flip)
{
    if (m_undoLevel >= m_recordingGroup)
        return false;
    while (m_position < m_end && m_entries[m_position].group == m_undoLevel + 1) {
        ++m_position;
        flip(m_entries[m_position - 1]);
    }
    ++m_undoLevel;
    ++m_changeCount;
    return true;
}
