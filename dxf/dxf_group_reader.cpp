#include "dxf/dxf_group_reader.h"

#include <dl_dxf.h>

#include <algorithm>
#include <charconv>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <istream>
#include <map>
#include <mutex>
#include <streambuf>
#include <thread>

namespace dxf {
namespace {

constexpr size_t kChunk = 1 << 20;
constexpr size_t kMaxValue = DL_DXF_MAXLINE - 1;  // dxflib's own line limit
constexpr size_t kMaxGroupsPerEntity = 2u << 20;
constexpr std::string_view kBinarySentinel = "AutoCAD Binary DXF";

// Lines of the byte source, cut at kMaxValue, without CR LF and the blanks
// dxflib strips too.
class LineReader {
public:
    explicit LineReader(const ByteSource& source) : m_source(source) {}

    bool next(std::string& line)
    {
        line.clear();
        bool any = false;
        for (;;) {
            if (m_pos == m_end && !refill())
                break;
            any = true;
            const char* start = m_buffer.data() + m_pos;
            const auto* newline = static_cast<const char*>(std::memchr(start, '\n', m_end - m_pos));
            const size_t length = newline ? size_t(newline - start) : m_end - m_pos;
            m_pos += length;
            if (newline && line.empty()) {  // the whole line in the buffer: trim it in place
                ++m_pos;
                const std::string_view trimmed = trim({start, std::min(length, kMaxValue)});
                line.assign(trimmed.data(), trimmed.size());
                ++m_lineNumber;
                return true;
            }
            if (line.size() < kMaxValue)
                line.append(start, std::min(length, kMaxValue - line.size()));
            if (newline) {
                ++m_pos;
                break;
            }
        }
        ++m_lineNumber;
        const std::string_view trimmed = trim(line);
        line = std::string(trimmed);
        return any;
    }

    bool failed() const { return m_failed; }
    int64_t lineNumber() const { return m_lineNumber; }
    std::string_view peek()
    {
        if (m_pos == m_end)
            refill();
        return {m_buffer.data() + m_pos, m_end - m_pos};
    }

private:
    static std::string_view trim(std::string_view line)
    {
        while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t'))
            line.remove_suffix(1);
        while (!line.empty() && (line.front() == ' ' || line.front() == '\t'))
            line.remove_prefix(1);
        return line;
    }

    bool refill()
    {
        if (m_failed || m_done)
            return false;
        m_buffer.resize(kChunk);
        const long got = m_source(m_buffer.data(), kChunk);
        if (got < 0)
            m_failed = true;
        if (got <= 0) {
            m_done = true;
            return false;
        }
        m_pos = 0;
        m_end = static_cast<size_t>(got);
        return true;
    }

    const ByteSource& m_source;
    std::string m_buffer;
    size_t m_pos = 0, m_end = 0;
    bool m_failed = false, m_done = false;
    int64_t m_lineNumber = 0;
};

struct Group {
    int code = 0;
    std::string value;
};

// The count codes dxflib allocates from, per entity, with the code of the
// values they count.
struct CountRule {
    std::string_view entity;
    int countCode;
    int valueCode;
};
constexpr CountRule kCountRules[] = {
    {"LWPOLYLINE", 90, 10}, {"SPLINE", 72, 40}, {"SPLINE", 73, 10},
    {"SPLINE", 74, 11},     {"LEADER", 76, 10},
};

// Groups dxflib turns into numbers or map entries that the import never
// looks at: handles, subclass markers, owners, the linetype scale and the z
// coordinates of a drawing that is flat. Leaving them out of the entities
// spares dxflib about a third of its work on a typical file.
bool unusedInEntities(int code)
{
    return code == 5 || code == 100 || code == 330 || code == 48 || (code >= 30 && code <= 37);
}

void fixCounts(std::vector<Group>& groups, size_t count)
{
    const std::string_view entity = groups[0].value;
    for (const CountRule& rule : kCountRules) {
        if (rule.entity != entity)
            continue;
        int64_t actual = 0;
        for (size_t i = 1; i < count; ++i)
            actual += groups[i].code == rule.valueCode;
        for (size_t i = 1; i < count; ++i)
            if (groups[i].code == rule.countCode)
                groups[i].value = std::to_string(actual);
    }
}

// Text passed from the thread that reads the file to dxflib's thread, in
// chunks of many entities, at most a few chunks ahead of dxflib.
class ChunkQueue {
public:
    // False when the reading side has stopped.
    bool push(std::string chunk)
    {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [&] { return m_chunks.size() < kAhead || m_cancelled; });
        if (m_cancelled)
            return false;
        m_chunks.push_back(std::move(chunk));
        m_changed.notify_all();
        return true;
    }
    // False at the end of the text.
    bool pop(std::string& chunk)
    {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [&] { return !m_chunks.empty() || m_closed; });
        if (m_chunks.empty())
            return false;
        chunk = std::move(m_chunks.front());
        m_chunks.pop_front();
        m_changed.notify_all();
        return true;
    }
    void close()
    {
        std::lock_guard lock(m_mutex);
        m_closed = true;
        m_changed.notify_all();
    }
    void cancel()
    {
        std::lock_guard lock(m_mutex);
        m_cancelled = true;
        m_changed.notify_all();
    }

private:
    static constexpr size_t kAhead = 8;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<std::string> m_chunks;
    bool m_closed = false, m_cancelled = false;
};

// The file's groups, entity by entity with true counts, as the text dxflib
// reads: its handlers look at the group it has just read itself, so it must
// do the reading. The file is read and cut into entities on a thread of its
// own while dxflib parses what came before, so a large file takes the time
// of dxflib's parsing rather than of both.
class SanitizedBuffer : public std::streambuf {
public:
    explicit SanitizedBuffer(const ByteSource& source) : m_in(source) {}
    ~SanitizedBuffer() override { stop(); }

    // What follows is only read after stop().
    GroupReadOutcome outcome;
    bool sawSection = false, sawEof = false, cutShort = false, badCode = false, outOfMemory = false;

    std::map<std::string, int64_t, std::less<>> names;
    LineReader m_in;

    void start()
    {
        m_reader = std::thread([this] { readAhead(); });
    }
    // Waits for the reading thread, also when dxflib stopped before the end.
    void stop()
    {
        m_queue.cancel();
        if (m_reader.joinable())
            m_reader.join();
    }

protected:
    int_type underflow() override
    {
        if (gptr() == egptr()) {
            if (!m_queue.pop(m_chunk))
                return traits_type::eof();
            setg(m_chunk.data(), m_chunk.data(), m_chunk.data() + m_chunk.size());
        }
        return traits_type::to_int_type(*gptr());
    }

private:
    void readAhead()
    {
        constexpr size_t kChunkText = 256 << 10;
        try {
            std::string chunk;
            bool more = true;
            while (more) {
                more = produce();
                chunk += m_text;
                if ((chunk.size() >= kChunkText || !more) && !chunk.empty()) {
                    if (!m_queue.push(std::move(chunk)))
                        break;
                    chunk.clear();
                }
            }
        } catch (const std::bad_alloc&) {
            outOfMemory = true;
        }
        m_queue.close();
    }

    // Reads one entity (or the groups before the first) into m_text.
    bool produce()
    {
        m_text.clear();
        if (m_finished)
            return false;
        size_t count = 0;
        if (m_hasStart) {
            m_entity[0] = std::move(m_start);
            count = 1;
            m_hasStart = false;
        }
        std::string codeLine;
        for (;;) {
            if (!m_in.next(codeLine)) {
                m_finished = true;
                break;
            }
            int code = 0;
            const auto [end, ec] = std::from_chars(codeLine.data(), codeLine.data() + codeLine.size(), code);
            if (ec != std::errc() || end != codeLine.data() + codeLine.size() || code < 0) {
                std::string rest;
                if (codeLine.empty() && !m_in.next(rest)) {
                    m_finished = true;  // a blank last line
                    break;
                }
                badCode = true;
                outcome.reason = "行 " + std::to_string(m_in.lineNumber()) + " のグループコードが数値ではありません";
                m_finished = true;
                count = 0;
                break;
            }
            Group group;
            group.code = code;
            if (!m_in.next(group.value)) {
                cutShort = true;
                m_finished = true;
                break;
            }
            if (m_inEntities && unusedInEntities(code))
                continue;
            if (code == 0 && count > 0) {
                m_start = std::move(group);
                m_hasStart = true;
                noteEntity(m_start.value);
                break;
            }
            if (code == 0)
                noteEntity(group.value);
            if (code == 2 && m_nextIsSectionName) {
                m_section = group.value;
                m_inEntities = m_section == "ENTITIES" || m_section == "BLOCKS";
                m_nextIsSectionName = false;
            }
            if (count == m_entity.size()) {
                if (count >= kMaxGroupsPerEntity) {
                    m_oversized = true;
                    continue;
                }
                m_entity.resize(count * 2);
            }
            m_entity[count++] = std::move(group);
            if (code == 0 && m_entity[0].value == "EOF") {
                m_finished = true;
                break;
            }
        }
        if (m_oversized)
            ++outcome.oversizedEntities;
        m_oversized = false;
        if (count > 0 && m_entity[0].code == 0)
            fixCounts(m_entity, count);
        for (size_t i = 0; i < count; ++i) {
            char code[16];
            const auto written = std::to_chars(code, code + sizeof code, m_entity[i].code);
            m_text.append(code, written.ptr);
            m_text += '\n';
            m_text += m_entity[i].value;
            m_text += '\n';
        }
        return !m_finished;
    }

    void noteEntity(const std::string& name)
    {
        if (name == "SECTION") {
            sawSection = true;
            m_nextIsSectionName = true;
        } else if (name == "ENDSEC") {
            m_section.clear();
            m_inEntities = false;
        } else if (name == "EOF") {
            sawEof = true;
        } else if ((m_section == "ENTITIES" || m_section == "BLOCKS") && name != "BLOCK" && name != "ENDBLK") {
            const auto it = names.find(name);
            if (it != names.end())
                ++it->second;
            else
                names.emplace(name, 1);
        }
    }

    std::vector<Group> m_entity = std::vector<Group>(64);
    Group m_start;
    bool m_hasStart = false, m_finished = false, m_oversized = false, m_nextIsSectionName = false;
    bool m_inEntities = false;
    std::string m_section, m_text;
    ChunkQueue m_queue;
    std::string m_chunk;  // what dxflib reads now
    std::thread m_reader;
};

}  // namespace

GroupReadOutcome FeedDxf(const ByteSource& source, DL_Dxf& dxf, DL_CreationInterface& target)
{
    SanitizedBuffer buffer(source);
    if (buffer.m_in.peek().substr(0, kBinarySentinel.size()) == kBinarySentinel) {
        buffer.outcome.reason = "バイナリ形式の DXF は読めません（ASCII 形式で保存し直してください）";
        return buffer.outcome;
    }
    buffer.start();
    std::istream stream(&buffer);
    dxf.in(stream, &target);
    buffer.stop();
    GroupReadOutcome outcome = std::move(buffer.outcome);
    if (buffer.badCode)
        return outcome;
    if (buffer.m_in.failed() || buffer.outOfMemory) {
        outcome.reason = "読み込みが途中で失敗しました";
        return outcome;
    }
    if (!buffer.sawSection) {
        outcome.reason = "DXF ファイルではありません";
        return outcome;
    }
    if (!buffer.sawEof || buffer.cutShort) {
        outcome.reason = "ファイルが途中で終わっています（EOF がありません）";
        return outcome;
    }
    outcome.ok = true;
    outcome.entityNames.assign(buffer.names.begin(), buffer.names.end());
    return outcome;
}

}  // namespace dxf
