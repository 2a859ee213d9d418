// Undo journal bookkeeping; the flag flips themselves live in Drawing.
#include "model/journal.h"

#include <cstddef>

void UndoJournal::clear()
{
    m_entries.clear();
    m_entries.shrink_to_fit();
    m_position = m_end = m_recordingGroup = m_undoLevel = 0;
}

void UndoJournal::BeginGroup()
{
    m_changeAtBegin = m_changeCount;
    m_recordingGroupBefore = m_recordingGroup;
    m_recordingGroup = m_undoLevel + 1;
}

void UndoJournal::Record(JournalOp op, int32_t registryPosition)
{
    JournalEntry entry{op, m_recordingGroup, registryPosition};
    if (static_cast<std::size_t>(m_position) < m_entries.size())
        m_entries[m_position] = entry;
    else
        m_entries.push_back(entry);
    ++m_position;
    m_end = m_position;
    ++m_changeCount;
}

void UndoJournal::EndGroup()
{
    // A command that recorded nothing is no step: undo and redo stay as they were.
    if (m_changeCount == m_changeAtBegin) {
        m_recordingGroup = m_recordingGroupBefore;
        return;
    }
    m_undoLevel = m_recordingGroup;
}
