// Writing the recovery log, and finding the logs left behind by programs
// that are no longer running.
#include "storage/recovery_log.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <ctime>

namespace recovery {

namespace {

constexpr uint64_t kSyncIntervalMs = 1000;

bool makeFolder(const std::string& folder)
{
    // Each missing level in turn, private to the user.
    for (size_t slash = folder.find('/', 1); ; slash = folder.find('/', slash + 1)) {
        const std::string part = folder.substr(0, slash);
        if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST)
            return false;
        if (slash == std::string::npos)
            return true;
    }
}

bool writeAll(int fd, const iovec* parts, int count)
{
    std::vector<iovec> left(parts, parts + count);
    size_t first = 0;
    while (first < left.size()) {
        const ssize_t n = ::writev(fd, left.data() + first, static_cast<int>(left.size() - first));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        auto done = static_cast<size_t>(n);
        while (first < left.size() && done >= left[first].iov_len)
            done -= left[first++].iov_len;
        if (first < left.size()) {
            left[first].iov_base = static_cast<char*>(left[first].iov_base) + done;
            left[first].iov_len -= done;
        }
    }
    return true;
}

std::string baseName(const std::string& path)
{
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string readAll(int fd)
{
    std::string bytes;
    char buffer[1 << 16];
    for (;;) {
        const ssize_t n = ::pread(fd, buffer, sizeof buffer, static_cast<off_t>(bytes.size()));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return bytes;
        bytes.append(buffer, static_cast<size_t>(n));
    }
}

}  // namespace

std::string defaultFolder()
{
    if (const char* state = std::getenv("XDG_STATE_HOME"); state && state[0] == '/')
        return std::string(state) + "/mirt";
    const char* home = std::getenv("HOME");
    return std::string(home && home[0] ? home : "/tmp") + "/.local/state/mirt";
}

RecoveryLog::~RecoveryLog()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

bool RecoveryLog::create(const std::string& folder)
{
    if (!makeFolder(folder))
        return false;
    const std::string name = "mirt-" + std::to_string(::getpid()) + "-" + std::to_string(nowMs());
    const std::string staging = folder + "/." + name + ".tmp";
    const int fd = ::open(staging.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    // Locked before it has its searchable name, so no other program ever
    // sees it unlocked; link() never replaces a log of the same name.
    std::string path;
    bool named = ::flock(fd, LOCK_EX | LOCK_NB) == 0;
    for (int n = 0; named; ++n) {
        path = folder + "/" + name + (n ? "-" + std::to_string(n) : std::string()) + kLogSuffix;
        if (::link(staging.c_str(), path.c_str()) == 0)
            break;
        named = errno == EEXIST && n < 1000;
    }
    ::unlink(staging.c_str());
    if (!named) {
        ::close(fd);
        return false;
    }
    // The name itself survives a power cut too.
    if (const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    m_folder = folder;
    m_path = path;
    m_fd = fd;
    return true;
}

void RecoveryLog::adopt(const std::string& folder, const std::string& path, int fd, uint64_t goodBytes,
                        const Drawing& drawing, ImageSize size, const std::string& keptCopy)
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_folder = folder;
    m_path = path;
    m_fd = fd;
    m_keptCopy = keptCopy;
    // A torn last frame is cut off before anything follows it.
    m_failed = ::ftruncate(fd, static_cast<off_t>(goodBytes)) != 0 ||
               ::lseek(fd, static_cast<off_t>(goodBytes), SEEK_SET) < 0;
    m_size = goodBytes;
    m_mark = markOf(drawing, size);
    m_dirty = true;
}

void RecoveryLog::dropKeptCopy()
{
    if (!m_keptCopy.empty())
        ::unlink((m_folder + "/" + m_keptCopy).c_str());
    m_keptCopy.clear();
}

void RecoveryLog::restart(const StartFrame& start)
{
    if (m_fd < 0)
        return;
    m_failed = ::ftruncate(m_fd, 0) != 0 || ::lseek(m_fd, 0, SEEK_SET) < 0;
    m_size = 0;
    const std::string header = fileHeader();
    iovec part{const_cast<char*>(header.data()), header.size()};
    if (!m_failed)
        m_failed = !writeAll(m_fd, &part, 1);
    m_size = header.size();
    ByteWriter w;
    encodeStart(w, start);
    writeFrame(w);
}

void RecoveryLog::startNew(const Drawing& drawing, ImageSize size)
{
    dropKeptCopy();
    StartFrame start;
    start.timeMs = nowMs();
    start.size = size;
    start.registry = drawing.registry.size();
    start.position = drawing.journal.position();
    m_mark = markOf(drawing, size);
    restart(start);
}

void RecoveryLog::startFromFile(const Drawing& drawing, ImageSize size, const std::string& filePath)
{
    if (m_fd < 0)
        return;
    dropKeptCopy();
    StartFrame start;
    start.timeMs = nowMs();
    start.origin.fromFile = true;
    start.origin.path = filePath;
    // A hard link holds the content as opened even when the file is later
    // saved over (a save renames a new file into place). Another file
    // system cannot link; then the path and hash alone refer to it.
    const std::string kept = baseName(m_path) + ".origin.mt";
    ::unlink((m_folder + "/" + kept).c_str());
    if (::link(filePath.c_str(), (m_folder + "/" + kept).c_str()) == 0)
        m_keptCopy = start.origin.keptCopy = kept;
    hashFile(m_keptCopy.empty() ? filePath : m_folder + "/" + m_keptCopy, start.origin.hash, start.origin.size);
    start.size = size;
    start.registry = drawing.registry.size();
    start.position = drawing.journal.position();
    m_mark = markOf(drawing, size);
    restart(start);
}

void RecoveryLog::recordChanges(const Drawing& drawing, ImageSize size)
{
    if (m_fd < 0 || !continuesFrom(m_mark, drawing))
        return;
    ByteWriter w;
    if (encodeChanges(w, nowMs(), drawing, size, m_mark))
        writeFrame(w);
}

void RecoveryLog::recordStep(FrameType type, const Drawing& drawing, ImageSize size)
{
    if (m_fd < 0)
        return;
    ByteWriter w;
    encodeStep(w, type, nowMs(), drawing.journal.undoLevel());
    writeFrame(w);
    // The step moved the journal's counters; anything else that changed
    // (a layer, the size) follows in a changes frame.
    m_mark.position = drawing.journal.position();
    m_mark.end = drawing.journal.end();
    m_mark.recordingGroup = drawing.journal.recordingGroup();
    m_mark.undoLevel = drawing.journal.undoLevel();
    recordChanges(drawing, size);
}

void RecoveryLog::recordUndo(const Drawing& drawing, ImageSize size)
{
    recordStep(FrameType::Undo, drawing, size);
}

void RecoveryLog::recordRedo(const Drawing& drawing, ImageSize size)
{
    recordStep(FrameType::Redo, drawing, size);
}

void RecoveryLog::recordSaved(const std::string& filePath)
{
    if (m_fd < 0)
        return;
    SavedFrame saved;
    saved.path = filePath;
    hashFile(filePath, saved.hash, saved.size);
    ByteWriter w;
    encodeSaved(w, nowMs(), saved);
    writeFrame(w);
}

void RecoveryLog::writeFrame(ByteWriter& payload)
{
    if (m_fd < 0 || m_failed)
        return;
    // The payload goes to the kernel without another copy.
    const std::string& bytes = payload.bytes();
    if (bytes.size() > UINT32_MAX) {
        m_failed = true;  // no frame can say its length; the log stops here
        return;
    }
    std::string header = frameHeader(bytes);
    iovec parts[2] = {{header.data(), header.size()}, {const_cast<char*>(bytes.data()), bytes.size()}};
    if (!writeAll(m_fd, parts, 2)) {
        m_failed = true;
        return;
    }
    m_size += header.size() + bytes.size();
    m_dirty = true;
}

void RecoveryLog::syncIfDue()
{
    if (m_dirty && nowMs() - m_lastSyncMs >= kSyncIntervalMs)
        sync();
}

void RecoveryLog::sync()
{
    if (m_fd < 0 || !m_dirty)
        return;
    ::fdatasync(m_fd);
    m_dirty = false;
    m_lastSyncMs = nowMs();
}

void RecoveryLog::remove()
{
    if (m_fd < 0)
        return;
    dropKeptCopy();
    ::unlink(m_path.c_str());
    ::close(m_fd);
    m_fd = -1;
}

// ---------------------------------------------------------------------------
// Left-behind logs

std::vector<OrphanLog> findOrphanLogs(const std::string& folder)
{
    std::vector<std::pair<int64_t, OrphanLog>> found;
    DIR* dir = ::opendir(folder.c_str());
    if (!dir)
        return {};
    const std::string_view suffix(kLogSuffix);
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view name(entry->d_name);
        if (name.size() <= suffix.size() || name.substr(name.size() - suffix.size()) != suffix || name[0] == '.')
            continue;
        OrphanLog log;
        log.path = folder + "/" + std::string(name);
        log.fd = ::open(log.path.c_str(), O_RDWR | O_CLOEXEC | O_NOFOLLOW);
        if (log.fd < 0)
            continue;
        struct stat st;
        if (::fstat(log.fd, &st) != 0 || !S_ISREG(st.st_mode) || ::flock(log.fd, LOCK_EX | LOCK_NB) != 0) {
            ::close(log.fd);  // a running program's own log
            continue;
        }
        log.bytes = readAll(log.fd);
        found.emplace_back(static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec,
                           std::move(log));
    }
    ::closedir(dir);
    std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
    std::vector<OrphanLog> logs;
    for (auto& [time, log] : found)
        logs.push_back(std::move(log));
    return logs;
}

void release(OrphanLog& log)
{
    if (log.fd >= 0)
        ::close(log.fd);
    log.fd = -1;
}

std::string setAside(OrphanLog& log)
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    ::localtime_r(&now, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    std::string target = log.path + "." + stamp + ".kept";
    for (int n = 2; ::access(target.c_str(), F_OK) == 0; ++n)
        target = log.path + "." + stamp + "-" + std::to_string(n) + ".kept";
    if (::rename(log.path.c_str(), target.c_str()) != 0)
        target.clear();
    release(log);
    return target;
}

void discard(OrphanLog& log, const std::string& folder, const std::string& keptCopy)
{
    if (!keptCopy.empty() && keptCopy.find('/') == std::string::npos)
        ::unlink((folder + "/" + keptCopy).c_str());
    ::unlink(log.path.c_str());
    release(log);
}

}  // namespace recovery
