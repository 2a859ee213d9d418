// The recovery log's byte layer: a fixed file header, then frames of
// (payload length u32, checksum u64, payload). The checksum is XXH3 over the
// payload seeded with its length, so a torn or damaged frame is recognised
// and everything from it on is ignored. Numbers are little-endian; a payload
// is read through a bounded reader that never reads past its end.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace recovery {

inline constexpr char kMagic[8] = {'M', 'I', 'R', 'T', 'R', 'L', 'O', 'G'};
inline constexpr uint32_t kFormatVersion = 1;
inline constexpr size_t kHeaderSize = 16;  // magic, version, reserved
inline constexpr size_t kFrameHeaderSize = 12;

// A content hash for files a log refers to (XXH3, 64 bits).
uint64_t contentHash(std::string_view bytes);
// Hash and size of a file's content; false when it cannot be read.
bool hashFile(const std::string& path, uint64_t& hash, uint64_t& size);

std::string fileHeader();

// Appends little-endian values to a payload.
class ByteWriter {
public:
    void u8(uint8_t v) { m_bytes.push_back(static_cast<char>(v)); }
    void u32(uint32_t v) { put(v, 4); }
    void i32(int32_t v) { put(static_cast<uint32_t>(v), 4); }
    void u64(uint64_t v) { put(v, 8); }
    void f64(double v)
    {
        uint64_t bits;
        std::memcpy(&bits, &v, 8);
        put(bits, 8);
    }
    void text(std::string_view s)
    {
        u32(static_cast<uint32_t>(s.size()));
        m_bytes.append(s);
    }
    std::string& bytes() { return m_bytes; }

private:
    void put(uint64_t v, int n)
    {
        char b[8];
        for (int i = 0; i < n; ++i)
            b[i] = static_cast<char>((v >> (8 * i)) & 0xFF);
        m_bytes.append(b, static_cast<size_t>(n));
    }
    std::string m_bytes;
};

// Reads what a ByteWriter wrote. Past the end every read gives 0 and the
// reader is marked bad; a declared length never allocates more than remains.
class ByteReader {
public:
    explicit ByteReader(std::string_view bytes) : m_bytes(bytes) {}

    uint8_t u8() { return static_cast<uint8_t>(get(1)); }
    uint32_t u32() { return static_cast<uint32_t>(get(4)); }
    int32_t i32() { return static_cast<int32_t>(static_cast<uint32_t>(get(4))); }
    uint64_t u64() { return get(8); }
    double f64()
    {
        const uint64_t bits = get(8);
        double v;
        std::memcpy(&v, &bits, 8);
        return v;
    }
    std::string text()
    {
        const uint32_t n = u32();
        if (!fits(n))
            return {};
        std::string s(m_bytes.substr(m_pos, n));
        m_pos += n;
        return s;
    }
    // True when n more items of itemSize bytes each can still be there.
    bool fits(uint64_t n, uint64_t itemSize = 1)
    {
        if (m_bad || n > (m_bytes.size() - m_pos) / (itemSize ? itemSize : 1)) {
            m_bad = true;
            return false;
        }
        return true;
    }
    bool bad() const { return m_bad; }
    bool atEnd() const { return m_pos == m_bytes.size(); }

private:
    uint64_t get(int n)
    {
        if (!fits(static_cast<uint64_t>(n)))
            return 0;
        uint64_t v = 0;
        for (int i = 0; i < n; ++i)
            v |= static_cast<uint64_t>(static_cast<unsigned char>(m_bytes[m_pos + i])) << (8 * i);
        m_pos += static_cast<size_t>(n);
        return v;
    }
    std::string_view m_bytes;
    size_t m_pos = 0;
    bool m_bad = false;
};

// The length and checksum that go before a payload.
std::string frameHeader(std::string_view payload);
// Appends one frame holding payload to out.
void appendFrame(std::string& out, std::string_view payload);

enum class HeaderCheck { Ok, NotALog, NewerFormat };
HeaderCheck checkHeader(std::string_view bytes);

// The whole frames of a log's bytes after its header, in order, up to the
// first torn or damaged one. tornBytes counts what was left after them.
struct FrameScan {
    std::vector<std::string_view> payloads;
    size_t tornBytes = 0;
};
FrameScan scanFrames(std::string_view bytes);

}  // namespace recovery
