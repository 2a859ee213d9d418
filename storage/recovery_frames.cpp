// Frame packing and scanning of the recovery log, and the content hash.
#include "storage/recovery_frames.h"

#include <fcntl.h>
#include <unistd.h>
#include <xxhash.h>

namespace recovery {

namespace {

uint64_t frameChecksum(std::string_view payload)
{
    return XXH3_64bits_withSeed(payload.data(), payload.size(), payload.size());
}

}  // namespace

uint64_t contentHash(std::string_view bytes)
{
    return XXH3_64bits(bytes.data(), bytes.size());
}

bool hashFile(const std::string& path, uint64_t& hash, uint64_t& size)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    XXH3_state_t* state = XXH3_createState();
    XXH3_64bits_reset(state);
    std::vector<char> buffer(1 << 20);
    size = 0;
    bool ok = true;
    for (;;) {
        const ssize_t n = ::read(fd, buffer.data(), buffer.size());
        if (n < 0) {
            ok = false;
            break;
        }
        if (n == 0)
            break;
        XXH3_64bits_update(state, buffer.data(), static_cast<size_t>(n));
        size += static_cast<uint64_t>(n);
    }
    hash = XXH3_64bits_digest(state);
    XXH3_freeState(state);
    ::close(fd);
    return ok;
}

std::string fileHeader()
{
    ByteWriter w;
    w.bytes().append(kMagic, sizeof kMagic);
    w.u32(kFormatVersion);
    w.u32(0);
    return w.bytes();
}

std::string frameHeader(std::string_view payload)
{
    ByteWriter head;
    head.u32(static_cast<uint32_t>(payload.size()));
    head.u64(frameChecksum(payload));
    return head.bytes();
}

void appendFrame(std::string& out, std::string_view payload)
{
    out += frameHeader(payload);
    out.append(payload);
}

HeaderCheck checkHeader(std::string_view bytes)
{
    if (bytes.size() < kHeaderSize || bytes.substr(0, sizeof kMagic) != std::string_view(kMagic, sizeof kMagic))
        return HeaderCheck::NotALog;
    ByteReader r(bytes.substr(sizeof kMagic, 4));
    return r.u32() > kFormatVersion ? HeaderCheck::NewerFormat : HeaderCheck::Ok;
}

FrameScan scanFrames(std::string_view bytes)
{
    FrameScan scan;
    size_t pos = kHeaderSize;
    while (pos < bytes.size()) {
        if (bytes.size() - pos < kFrameHeaderSize)
            break;
        ByteReader head(bytes.substr(pos, kFrameHeaderSize));
        const uint32_t length = head.u32();
        const uint64_t checksum = head.u64();
        if (length > bytes.size() - pos - kFrameHeaderSize)
            break;
        const std::string_view payload = bytes.substr(pos + kFrameHeaderSize, length);
        if (frameChecksum(payload) != checksum)
            break;
        scan.payloads.push_back(payload);
        pos += kFrameHeaderSize + length;
    }
    scan.tornBytes = bytes.size() > pos ? bytes.size() - pos : 0;
    return scan;
}

}  // namespace recovery
