// Writing a drawing file. Two passes over the live elements: the first marks
// the attribute entries they use and numbers the kept entries of each table
// from 0 in table order; the second writes the sections and the elements with
// their references translated to those numbers (-1 for an entry that was not
// kept or a reference that names no entry). The numbering is the writer's own
// working space; the drawing is not touched.
//
// Text goes through the CP932 codec, bytes kept from reading back to those
// bytes; a text it cannot hold (or one holding a line break, which would split
// the value over two lines) stops the save with a message naming it, before
// the target file is touched.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <functional>

#include "storage/cp932.h"
#include "storage/file_layout.h"
#include "storage/file_messages.h"
#include "storage/file_progress.h"
#include "storage/files.h"
#include "storage/number_text.h"

namespace {

using namespace mtfile;

// Per table, the new number of every entry (-1: not kept).
class Renumbering {
public:
    explicit Renumbering(const AttributeTables& tables)
    {
        forEachSection(tables, [&](int section, std::string_view, const auto& table) {
            m_ids[section].assign(table.size(), -1);
        });
    }

    void mark(int section, int32_t ref)
    {
        if (section >= 0 && ref >= 0 && static_cast<size_t>(ref) < m_ids[section].size())
            m_ids[section][static_cast<size_t>(ref)] = 0;
    }

    void number()
    {
        for (auto& ids : m_ids) {
            int32_t next = 0;
            for (int32_t& id : ids)
                if (id != -1)
                    id = next++;
        }
    }

    int32_t id(int section, int32_t ref) const
    {
        if (section < 0 || ref < 0 || static_cast<size_t>(ref) >= m_ids[section].size())
            return -1;
        return m_ids[section][static_cast<size_t>(ref)];
    }

private:
    std::array<std::vector<int32_t>, kSectionCount> m_ids;
};

// Field visitor of the marking pass.
struct Marker {
    Renumbering& ids;

    void i32(int32_t) {}
    void real(double) {}
    void text(const std::string&) {}
    void points(const std::vector<PointD>&) {}
    void penRef(int32_t kind, int32_t ref, bool used) { mark(penSection(kind), ref, used); }
    void widthRef(int32_t ref, bool used) { mark(kWidthSection, ref, used); }
    void lineTypeRef(int32_t ref, bool used) { mark(kLineTypeSection, ref, used); }
    void brushRef(int32_t kind, int32_t ref, bool used) { mark(brushSection(kind), ref, used); }
    void mark(int section, int32_t ref, bool used)
    {
        if (used)
            ids.mark(section, ref);
    }
};

constexpr size_t kFlushThreshold = 1 << 20;

// Appends lines to a buffer and hands full chunks to the sink, if any.
// Numbers are formatted straight into the buffer: the string is kept sized
// ahead of what is written (m_used marks the end) and trimmed by finish().
class LineWriter {
public:
    using Sink = std::function<bool(std::string_view)>;

    LineWriter(std::string& out, Sink sink) : m_out(out), m_used(out.size()), m_sink(std::move(sink)) {}

    void line(std::string_view ascii)
    {
        char* p = room(ascii.size() + 2);
        p = std::copy(ascii.begin(), ascii.end(), p);
        endLine(p);
    }
    void integer(int32_t value) { endLine(formatInt(room(kNumberTextCapacity + 2), value)); }
    void real(double value) { endLine(formatReal(room(kNumberTextCapacity + 2), value)); }
    // False, with the failure filled in, when the text cannot be stored.
    bool text(std::string_view utf8, EncodeFailure& failure)
    {
        m_encoded.clear();
        if (!m_codec.encodeFile(utf8, m_encoded, &failure))
            return false;
        line(m_encoded);
        return true;
    }
    // Passes a full buffer to the sink; false when the sink fails.
    bool flushIfFull()
    {
        if (!m_sink || m_used < kFlushThreshold)
            return true;
        const bool ok = m_sink(std::string_view(m_out.data(), m_used));
        m_used = 0;
        return ok;
    }
    // Hands the rest to the sink (if any) and trims the buffer to what was written.
    bool flush()
    {
        bool ok = true;
        if (m_sink) {
            ok = m_sink(std::string_view(m_out.data(), m_used));
            m_used = 0;
        }
        m_out.resize(m_used);
        return ok;
    }

private:
    char* room(size_t bytes)
    {
        if (m_used + bytes > m_out.size())
            m_out.resize(std::max(2 * m_out.size(), m_used + bytes + 4096));
        return m_out.data() + m_used;
    }
    void endLine(char* end)
    {
        *end++ = '\r';
        *end++ = '\n';
        m_used = static_cast<size_t>(end - m_out.data());
    }

    std::string& m_out;
    size_t m_used;
    Sink m_sink;
    Cp932Codec m_codec;
    std::string m_encoded;
};

// Field visitor of the writing pass.
struct FieldWriter {
    LineWriter& out;
    const Renumbering& ids;
    bool failed = false;
    EncodeFailure failure;
    std::string failedText;

    void i32(int32_t value) { out.integer(value); }
    void real(double value) { out.real(value); }
    void text(const std::string& value)
    {
        if (!failed && !out.text(value, failure)) {
            failed = true;
            failedText = value;
        }
    }
    void points(const std::vector<PointD>& points)
    {
        out.integer(static_cast<int32_t>(points.size()));
        for (const PointD& p : points) {
            out.real(p.x);
            out.real(p.y);
        }
    }
    void penRef(int32_t kind, int32_t ref, bool) { out.integer(penSection(kind) < 0 ? 0 : ids.id(penSection(kind), ref)); }
    void widthRef(int32_t ref, bool) { out.integer(ids.id(kWidthSection, ref)); }
    void lineTypeRef(int32_t ref, bool) { out.integer(ids.id(kLineTypeSection, ref)); }
    void brushRef(int32_t kind, int32_t ref, bool)
    {
        out.integer(brushSection(kind) < 0 ? 0 : ids.id(brushSection(kind), ref));
    }
};

// "文字「€」(U+20AC)、要素 12（文字）「5€」" and the like.
std::string unencodableMessage(const EncodeFailure& failure, std::string_view where, std::string_view text)
{
    using namespace fileMessages;
    std::string message(kUnencodable);
    message += ": ";
    message += failure.character == '\r' || failure.character == '\n' ? kLineBreak : kCharacter;
    if (failure.character != '\r' && failure.character != '\n')
        message.append(kOpenQuote).append(failure.utf8).append(kCloseQuote);
    message.append("(").append(codePointName(failure.character)).append("), ");
    message.append(where).append(kOpenQuote).append(displayText(text)).append(kCloseQuote);
    return message;
}

class DrawingWriter {
public:
    DrawingWriter(const Drawing& drawing, LineWriter& out, const FileProgress& progress = kNoProgress)
        : m_drawing(drawing), m_ids(drawing.attributes), m_out(out), m_fields{out, m_ids, false, {}, {}},
          m_progress(progress, static_cast<int64_t>(drawing.registry.size()))
    {
    }

    // Writes everything; false on an unencodable text (see error()) or a
    // failed sink (error() empty).
    bool write(ImageSize size)
    {
        markUsedEntries();
        m_out.integer(size.width);
        m_out.integer(size.height);
        const bool ok = writeLayers() && writeSections() && writeElements();
        return m_out.flush() && ok;
    }

    const std::string& error() const { return m_error; }

private:
    void markUsedEntries()
    {
        Marker marker{m_ids};
        for (const ElementRef& ref : m_drawing.registry)
            if (ref.live)
                visitElement(m_drawing, ref, [&](ElementKind, const auto& record) { fields(marker, record); });
        m_ids.number();
    }

    // where() names the text's owner; built only for the message.
    template <class Where>
    bool checkText(Where&& where)
    {
        if (!m_fields.failed)
            return true;
        m_error = unencodableMessage(m_fields.failure, where(), m_fields.failedText);
        return false;
    }

    bool writeLayers()
    {
        m_out.line("LAYER");
        for (size_t i = 0; i < kLayerCount; ++i) {
            const Layer* layer = i < m_drawing.layers.size() ? &m_drawing.layers[i] : nullptr;
            m_out.line(!layer || layer->visible ? "1" : "0");
            m_fields.text(layer ? layer->name : std::string());
            if (!checkText([&] { return std::string(fileMessages::kLayerName) + ' ' + std::to_string(i) + ' '; }))
                return false;
        }
        m_out.line("END");
        return true;
    }

    bool writeSections()
    {
        bool ok = true;
        forEachSection(m_drawing.attributes, [&](int section, std::string_view keyword, const auto& table) {
            m_out.line(keyword);
            for (size_t i = 0; ok && i < table.size(); ++i)
                if (m_ids.id(section, static_cast<int32_t>(i)) != -1) {
                    fields(m_fields, table[i]);
                    ok = checkText([&] { return std::string(keyword) + ' ' + std::string(fileMessages::kImageFileName); });
                }
            m_out.line("END");
        });
        m_out.line("ENTITIES");
        return ok;
    }

    bool writeElements()
    {
        int32_t written = 0;
        int64_t visited = 0;
        for (const ElementRef& ref : m_drawing.registry) {
            m_progress.at(visited++);
            if (!ref.live)
                continue;
            const bool known = visitElement(m_drawing, ref, [&](ElementKind kind, const auto& record) {
                m_out.integer(static_cast<int32_t>(kind));
                m_out.line(kindKeyword(kind));
                fields(m_fields, record);
            });
            if (!known)
                continue;
            ++written;
            const auto where = [&] {
                return std::string(fileMessages::kElement) + ' ' + std::to_string(written) + " ("
                       + std::string(kindLabel(ref.kind)) + ") ";
            };
            if (!checkText(where) || !m_out.flushIfFull())
                return false;
        }
        m_out.line("0");
        m_out.line("END");
        m_progress.at(visited);
        return true;
    }

    const Drawing& m_drawing;
    Renumbering m_ids;
    LineWriter& m_out;
    FieldWriter m_fields;
    ProgressShare m_progress;
    std::string m_error;
};

std::string withPath(const std::string& path, std::string_view reason)
{
    return path + ": " + std::string(reason);
}

bool writeAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        bytes.remove_prefix(static_cast<size_t>(n));
    }
    return true;
}

// The file a save replaces: a symbolic link is followed so that the link
// stays and its target receives the drawing.
std::string resolveTarget(const std::string& path)
{
    struct stat st;
    if (::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
        if (char* real = ::realpath(path.c_str(), nullptr)) {
            std::string resolved(real);
            std::free(real);
            return resolved;
        }
    }
    return path;
}

// New files get the usual permissions (0666 less the umask); a replaced
// file keeps its own.
void setPermissions(int fd, const std::string& target)
{
    struct stat st;
    if (::stat(target.c_str(), &st) == 0) {
        ::fchmod(fd, st.st_mode & 07777);
        return;
    }
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(fd, 0666 & ~mask);
}

void syncDirectory(const std::string& target)
{
    const size_t slash = target.rfind('/');
    const std::string dir = slash == std::string::npos ? "." : slash == 0 ? "/" : target.substr(0, slash);
    const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

FileResult saveError(const std::string& path, int error)
{
    return {FileStatus::WriteError,
            withPath(path, std::string(fileMessages::kCannotSave) + ": " + std::strerror(error)), {}};
}

}  // namespace

FileResult WriteDrawingText(const Drawing& drawing, ImageSize size, std::string& out)
{
    const size_t start = out.size();
    LineWriter lines(out, nullptr);
    DrawingWriter writer(drawing, lines);
    if (writer.write(size))
        return {};
    out.resize(start);
    return {FileStatus::Unencodable, writer.error(), {}};
}

FileResult WriteDrawing(const std::string& path, const Drawing& drawing, ImageSize size,
                        const FileProgress& progress)
{
    const std::string target = resolveTarget(path);
    std::string temporary = target + ".tmp-XXXXXX";
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0)
        return saveError(path, errno);
    setPermissions(fd, target);

    int error = 0;
    std::string buffer;
    buffer.reserve(kFlushThreshold + (1 << 16));
    LineWriter lines(buffer, [&](std::string_view bytes) {
        if (error == 0 && !writeAll(fd, bytes))
            error = errno ? errno : EIO;
        return error == 0;
    });
    DrawingWriter writer(drawing, lines, progress);
    const bool written = writer.write(size);
    if (written && error == 0 && ::fsync(fd) != 0)
        error = errno;
    if (::close(fd) != 0 && written && error == 0)
        error = errno;
    if (written && error == 0 && ::rename(temporary.c_str(), target.c_str()) != 0)
        error = errno;
    if (!written || error != 0) {
        ::unlink(temporary.c_str());
        if (!writer.error().empty())
            return {FileStatus::Unencodable, withPath(path, writer.error()), {}};
        return saveError(path, error ? error : EIO);
    }
    syncDirectory(target);
    return {};
}
