// Reading and writing the settings file by walking the line table, and
// finding where the file lives. The file is text, one value per line, CP932
// with CR LF; numbers as the drawing file writes them (number_text.h), flags
// "1"/"0", strings as they are: bytes kept from reading are written back
// unchanged (storage/cp932.h).
#include "storage/settings.h"

#include "geometry/func.h"
#include "storage/CVals.h"
#include "storage/cp932.h"
#include "storage/number_text.h"
#include "storage/settings_table.h"

#include <filesystem>
#include <fstream>
#include <system_error>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// Longer lines are cut here: no setting is anywhere near this long, and a
// damaged file must not make the reader allocate without bound.
constexpr size_t kMaxLineBytes = 64 * 1024;

// Reads one line without its CR LF (or LF) ending; false at the end of the
// file, where a read error in the middle of the file ends it too.
bool readLine(std::istream& in, std::string& line)
{
    line.clear();
    std::streambuf* buffer = in.rdbuf();
    int c = buffer->sbumpc();
    if (c == std::char_traits<char>::eof())
        return false;
    for (; c != std::char_traits<char>::eof() && c != '\n'; c = buffer->sbumpc()) {
        if (line.size() < kMaxLineBytes)
            line.push_back(static_cast<char>(c));
    }
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return true;
}

struct LineReader {
    const SettingsLine& line;
    Settings& settings;
    const std::string& text; // UTF-8

    // A damaged line costs only its own value.
    template <class Number>
    Number inRangeOrDefault(std::optional<Number> value) const
    {
        return value && *value >= line.lo && *value <= line.hi ? *value
                                                                : static_cast<Number>(line.defaultNumber);
    }
    void operator()(int32_t* (*field)(Settings&)) const { *field(settings) = inRangeOrDefault(ParseInt(text)); }
    void operator()(double* (*field)(Settings&)) const { *field(settings) = inRangeOrDefault(ParseFloat(text)); }
    void operator()(bool* (*field)(Settings&)) const { *field(settings) = TextToBool(text); }
    void operator()(std::string* (*field)(Settings&)) const { *field(settings) = text; }
};

// Returns the UTF-8 text of one line.
struct LineWriter {
    Settings& settings;

    std::string operator()(int32_t* (*field)(Settings&)) const { return std::to_string(*field(settings)); }
    std::string operator()(double* (*field)(Settings&)) const
    {
        char buffer[kNumberTextCapacity];
        return std::string(buffer, formatReal(buffer, *field(settings)));
    }
    std::string operator()(bool* (*field)(Settings&)) const { return BoolToText(*field(settings)); }
    std::string operator()(std::string* (*field)(Settings&)) const { return *field(settings); }
};

// The whole file in CP932. A string the file cannot hold (a character
// outside CP932, or a line break, which would shift every later line) is
// written as an empty line, since the rest of the settings are still worth
// keeping, and named in lost.
std::string composeFile(const Settings& source, std::vector<std::string>* lost)
{
    Settings settings = source; // the table's accessors take a mutable record
    Cp932Codec codec;
    std::string file;
    int lineNumber = 0;
    for (const SettingsLine& line : SettingsLines()) {
        ++lineNumber;
        const std::string text = std::visit(LineWriter { settings }, line.field);
        EncodeFailure failure;
        if (!codec.encodeFile(text, file, &failure) && lost) {
            const bool lineBreak = failure.character == '\r' || failure.character == '\n';
            lost->push_back("line " + std::to_string(lineNumber) + ": "
                + (lineBreak ? std::string("line break") : codePointName(failure.character)));
        }
        file += "\r\n";
    }
    return file;
}

// Removes what it wrote when the write fails; a path it could not open (a
// folder of that name, say) is left alone.
bool writeWholeFile(const fs::path& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out)
        return false;
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out.fail())
        return true;
    std::error_code ignored;
    fs::remove(path, ignored);
    return false;
}

bool isWritableFolder(const fs::path& folder)
{
    std::error_code error;
    return fs::is_directory(folder, error) && ::access(folder.c_str(), W_OK) == 0;
}

} // namespace

Settings ReadSettings(const std::string& path)
{
    Settings settings = LoadDefaults();
    std::error_code error;
    if (!fs::is_regular_file(path, error))
        return settings; // missing, or a folder where the file should be
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return settings;
    Cp932Codec codec;
    std::string text;
    std::string bytes;
    for (const SettingsLine& line : SettingsLines()) {
        if (!readLine(in, bytes))
            break; // the lines after the end keep their defaults
        text.clear();
        codec.decode(bytes, text);
        std::visit(LineReader { line, settings, text }, line.field);
    }
    return settings;
}

bool WriteSettings(const std::string& path, const Settings& settings, std::vector<std::string>* lost)
{
    const fs::path target(path);
    fs::path temporary = target;
    temporary += ".tmp";
    std::error_code error;
    if (target.has_parent_path())
        fs::create_directories(target.parent_path(), error);
    if (!writeWholeFile(temporary, composeFile(settings, lost)))
        return false;
    fs::rename(temporary, target, error);
    if (error) {
        std::error_code ignored;
        fs::remove(temporary, ignored);
        return false;
    }
    return true;
}

std::string SettingsPath(const std::string& executablePath, const std::string& configDir)
{
    fs::path beside(executablePath);
    beside.replace_extension(".dat");
    const fs::path folder = beside.has_parent_path() ? beside.parent_path() : fs::path(".");
    if (isWritableFolder(folder))
        return beside.string();
    return (fs::path(configDir) / beside.filename()).string();
}
