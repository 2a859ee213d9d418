// Reading a drawing file. The reader is lenient the way the format has always
// been read: values that do not parse read as 0, missing lines of the fixed
// part as empty, and every section and element loop stops at the end of the
// file. It never trusts a number from the file: a point count only says how
// many point lines to try (points are stored as they arrive), layers and
// references are stored as read (every look-up is bounds-checked), and the
// image size handed back is clamped to 1..kMaxImageSide.
//
// Bytes that do not start like a drawing are refused before anything changes.
// An element cut short by the end of the file, and a point-list element with
// a negative count, is left out; everything before it stays. All elements
// read form journal group 1, so one Undo removes the whole content.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>
#include <type_traits>
#include <cerrno>
#include <cstring>

#include "geometry/func.h"
#include "storage/cp932.h"
#include "storage/file_layout.h"
#include "storage/file_messages.h"
#include "storage/file_progress.h"
#include "storage/files.h"
#include "storage/number_text.h"

namespace {

using namespace mtfile;

constexpr size_t kChunk = 1 << 20;
// A longer line is cut here (the rest of it is skipped): a file cannot make
// the reader hold an unbounded line.
constexpr size_t kMaxLine = 16 << 20;
// Points reserved ahead of reading them; more grow as they arrive.
constexpr int32_t kPointReserve = 1024;

// Lines of a byte range, or of a file read chunk by chunk. A line ends at LF
// with an optional CR before it; a last line without LF still counts.
class LineSource {
public:
    explicit LineSource(std::string_view bytes) : m_data(bytes) {}
    // progress hears the share of the file's size read so far.
    LineSource(int fd, ProgressShare progress) : m_fd(fd), m_progress(progress) { refill(); }

    // The next line, valid until the following call; false at the end.
    bool next(std::string_view& line)
    {
        size_t end = m_data.find('\n', m_pos);
        while (end == std::string_view::npos && refill())
            end = m_data.find('\n', m_pos);
        if (m_pos >= m_data.size())
            return false;
        if (end == std::string_view::npos && m_fd >= 0 && !m_end) {
            // Over-long line: keep its start, skip the rest.
            m_longLine.assign(m_data.substr(m_pos, kMaxLine));
            m_pos = m_data.size();
            skipRestOfLine();
            line = m_longLine;
        } else {
            const size_t stop = end == std::string_view::npos ? m_data.size() : end;
            line = m_data.substr(m_pos, stop - m_pos);
            m_pos = stop + 1;
        }
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        return true;
    }

    // Fast path for a line that is exactly one number: parses it in place
    // and consumes the line. False (nothing consumed) when the line needs
    // the lenient path, or the number may run past the buffered bytes.
    template <class Number>
    bool nextNumber(Number& value)
    {
        const char* first = m_data.data() + m_pos;
        const char* last = m_data.data() + m_data.size();
        if (m_pos >= m_data.size())
            return false;
        const auto [p, ec] = std::from_chars(first, last, value);
        if (ec != std::errc() || p == first || p == last)
            return false;
        size_t end = static_cast<size_t>(p - m_data.data());
        if (*p == '\r')
            ++end;
        if (end >= m_data.size() || m_data[end] != '\n')
            return false;
        if constexpr (std::is_floating_point_v<Number>) {
            if (!std::isfinite(value))
                return false;
        }
        m_pos = end + 1;
        return true;
    }

    int error() const { return m_error; }

private:
    // Moves the unread tail to the front and appends the next chunk.
    bool refill()
    {
        if (m_fd < 0 || m_end || (m_data.size() - m_pos) >= kMaxLine)
            return false;
        m_buffer.erase(0, std::min(m_pos, m_buffer.size()));
        m_pos = 0;
        const size_t kept = m_buffer.size();
        m_buffer.resize(kept + kChunk);
        ssize_t n;
        do
            n = ::read(m_fd, m_buffer.data() + kept, kChunk);
        while (n < 0 && errno == EINTR);
        if (n <= 0) {
            m_end = true;
            m_error = n < 0 ? errno : 0;
        }
        m_buffer.resize(kept + static_cast<size_t>(std::max<ssize_t>(n, 0)));
        m_data = m_buffer;
        m_bytesRead += std::max<ssize_t>(n, 0);
        m_progress.at(m_bytesRead);
        return n > 0;
    }

    // After a line cut at kMaxLine: drop bytes up to the next LF.
    void skipRestOfLine()
    {
        for (;;) {
            const size_t end = m_data.find('\n', m_pos);
            if (end != std::string_view::npos) {
                m_pos = end + 1;
                return;
            }
            m_pos = m_data.size();
            if (!refill())
                return;
        }
    }

    std::string_view m_data;
    size_t m_pos = 0;
    int m_fd = -1;
    std::string m_buffer;
    std::string m_longLine;
    bool m_end = false;
    int m_error = 0;
    ProgressShare m_progress{kNoProgress, 0};
    int64_t m_bytesRead = 0;
};

constexpr std::string_view kLayerKeyword = "LAYER";

int32_t clampImageSide(int32_t side) { return std::clamp(side, int32_t{1}, kMaxImageSide); }

// Field visitor that reads each field from the next line.
class DrawingReader {
public:
    DrawingReader(LineSource& in, Drawing& drawing) : m_in(in), m_drawing(drawing) {}

    // Nothing, and the drawing untouched, when the start of the bytes is not
    // a drawing's: neither an image size (two integer lines) nor the layer
    // keyword after them. Anything that starts like a drawing is read as far
    // as it goes.
    std::optional<ImageSize> read()
    {
        const std::optional<int32_t> width = ParseInt(lineOrEmpty());
        const std::optional<int32_t> height = ParseInt(lineOrEmpty());
        const bool layerKeyword = lineOrEmpty() == kLayerKeyword;
        if (!(width && height) && !layerKeyword)
            return std::nullopt;
        m_drawing.FreeDatabase();
        m_drawing.SetUpLayers();
        m_drawing.journal.beginReadGroup();
        ImageSize size;
        size.width = clampImageSide(width.value_or(0));
        size.height = clampImageSide(height.value_or(0));
        readLayers();
        readSections();
        readElements();
        finishJournal();
        return size;
    }

    // ---- field visitor --------------------------------------------------
    void i32(int32_t& value)
    {
        if (m_pushedBack || !m_in.nextNumber(value))
            value = nextLine() ? parseInt(m_line) : 0;
    }
    void real(double& value)
    {
        if (m_pushedBack || !m_in.nextNumber(value))
            value = nextLine() ? parseReal(m_line) : 0.0;
    }
    void text(std::string& value)
    {
        value.clear();
        if (nextLine())
            m_codec.decode(m_line, value);
    }
    void points(std::vector<PointD>& points)
    {
        int32_t count = 0;
        i32(count);
        if (count < 0)
            m_abandoned = true;
        points.reserve(static_cast<size_t>(std::clamp(count, 0, kPointReserve)));
        for (int32_t i = 0; i < count && !m_cutShort; ++i) {
            PointD p;
            real(p.x);
            real(p.y);
            points.push_back(p);
        }
    }
    void penRef(int32_t, int32_t& ref, bool) { i32(ref); }
    void widthRef(int32_t& ref, bool) { i32(ref); }
    void lineTypeRef(int32_t& ref, bool) { i32(ref); }
    void brushRef(int32_t, int32_t& ref, bool) { i32(ref); }

private:
    bool nextLine()
    {
        if (m_pushedBack) {
            m_pushedBack = false;
            return true;
        }
        if (!m_in.next(m_line)) {
            m_line = {};
            m_cutShort = true;
            return false;
        }
        return true;
    }

    std::string_view lineOrEmpty()
    {
        nextLine();
        return m_line;
    }

    static bool parseFlag(std::string_view line, Cp932Codec& codec, std::string& scratch)
    {
        if (line == "1" || line == "0")
            return line == "1";
        scratch.clear();
        codec.decode(line, scratch);
        return TextToBool(scratch);
    }

    // After the "LAYER" line.
    void readLayers()
    {
        std::string scratch;
        for (Layer& layer : m_drawing.layers) {
            layer.visible = parseFlag(lineOrEmpty(), m_codec, scratch);
            text(layer.name);
        }
        nextLine();  // "END"
        nextLine();  // "PEN1"
    }

    void readSections()
    {
        forEachSection(m_drawing.attributes, [&](int, std::string_view, auto& table) {
            while (m_in.next(m_line) && m_line != "END") {
                typename std::remove_reference_t<decltype(table)>::value_type entry;
                m_pushedBack = true;  // the line just read is the entry's first field
                fields(*this, entry);
                if (m_cutShort)
                    return;
                appendEntry(table, std::move(entry));
            }
            nextLine();  // the next keyword, or "ENTITIES"
        });
    }

    void readElements()
    {
        m_cutShort = false;
        std::string_view codeLine;
        while (m_in.next(codeLine)) {
            const int32_t code = parseInt(codeLine);
            if (!m_in.next(m_line) || code == 0 || m_line == "END")
                return;
            readElement(code);
            if (m_cutShort)
                return;
        }
    }

    // Reads a record of the kind's type and appends it, unless the file
    // ended inside it or it is left out.
    void readElement(int32_t code)
    {
        forKind(code, [&]<ElementKind K>() {
            RecordOf<K> record;
            m_abandoned = false;
            fields(*this, record);
            if (!m_cutShort && !m_abandoned)
                m_drawing.Append<K>(std::move(record));
        });
    }

    // One group when anything was read; an empty file leaves nothing to
    // undo or redo.
    void finishJournal()
    {
        if (m_drawing.journal.position() > 0)
            m_drawing.journal.EndGroup();
        else
            m_drawing.journal.clear();
        m_drawing.markSaved();
    }

    LineSource& m_in;
    Drawing& m_drawing;
    Cp932Codec m_codec;
    std::string_view m_line;
    bool m_pushedBack = false;
    bool m_cutShort = false;   // the file ended inside a value sequence
    bool m_abandoned = false;  // the element is left out (negative count)
};

// Why a file is not read at all: a folder, a FIFO or device (whose reads
// may never end), or a regular file too large to hold.
std::optional<std::string_view> refusalOf(const struct stat& st)
{
    if (S_ISDIR(st.st_mode))
        return fileMessages::kIsAFolder;
    if (!S_ISREG(st.st_mode))
        return fileMessages::kNotARegularFile;
    if (st.st_size > kMaxDrawingFileBytes)
        return fileMessages::kTooLarge;
    return std::nullopt;
}

}  // namespace

FileResult ReadDrawingText(Drawing& drawing, std::string_view bytes)
{
    LineSource in(bytes);
    FileResult result;
    if (const auto size = DrawingReader(in, drawing).read()) {
        result.imageSize = *size;
        result.replaced = true;
    } else
        result.status = FileStatus::NotADrawing;
    return result;
}

FileResult ReadDrawing(const std::string& path, Drawing& drawing, const FileProgress& progress)
{
    // Non-blocking, so that opening a FIFO does not wait for a writer; a
    // regular file reads the same either way.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        const int error = errno;
        return {error == ENOENT ? FileStatus::NotFound : FileStatus::ReadError,
                path + ": " + std::string(fileMessages::kCannotOpen) + ": " + std::strerror(error), {}};
    }
    struct stat st;
    if (::fstat(fd, &st) != 0) {
        const int error = errno;
        ::close(fd);
        return {FileStatus::ReadError,
                path + ": " + std::string(fileMessages::kCannotOpen) + ": " + std::strerror(error), {}};
    }
    if (const std::optional<std::string_view> reason = refusalOf(st)) {
        ::close(fd);
        return {S_ISREG(st.st_mode) ? FileStatus::TooLarge : FileStatus::ReadError,
                path + ": " + std::string(fileMessages::kCannotOpen) + ": " + std::string(*reason), {}};
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    LineSource in(fd, ProgressShare(progress, st.st_size));  // the first chunk is read before the drawing is replaced
    if (in.error() != 0) {
        const int error = in.error();
        ::close(fd);
        return {FileStatus::ReadError,
                path + ": " + std::string(fileMessages::kCannotOpen) + ": " + std::strerror(error), {}};
    }
    FileResult result;
    const std::optional<ImageSize> size = DrawingReader(in, drawing).read();
    ::close(fd);
    if (!size)
        return {FileStatus::NotADrawing, path + ": " + std::string(fileMessages::kNotADrawing), {}};
    result.imageSize = *size;
    result.replaced = true;
    if (in.error() != 0) {
        result.status = FileStatus::ReadError;
        result.message = path + ": " + std::string(fileMessages::kReadBrokeOff) + ": " + std::strerror(in.error());
    }
    return result;
}
