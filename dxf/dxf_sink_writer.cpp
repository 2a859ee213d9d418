#include "dxf/dxf_sink_writer.h"

#include <charconv>
#include <cmath>

namespace dxf {
namespace {

constexpr size_t kPiece = 1 << 20;

void appendNumber(std::string& out, auto value, auto... format)
{
    char text[64];
    const auto [end, ec] = std::to_chars(text, text + sizeof text, value, format...);
    out.append(text, ec == std::errc() ? end : text);
}

}  // namespace

// An empty name opens no file: everything goes through the overrides below.
SinkWriter::SinkWriter(const Sink& sink) : DL_WriterA("", DL_VERSION_2000), m_sink(sink)
{
    m_buffer.reserve(kPiece + 4096);
}

void SinkWriter::code(int gc) const
{
    // Group codes are right-aligned in three columns, as AutoCAD writes them.
    if (gc < 10)
        m_buffer += "  ";
    else if (gc < 100)
        m_buffer += ' ';
    appendNumber(m_buffer, gc);
    m_buffer += '\n';
}

void SinkWriter::dxfReal(int gc, double value) const
{
    code(gc);
    if (!std::isfinite(value))
        value = 0;
    if (value == 0)
        value = 0;  // no "-0"
    appendNumber(m_buffer, value);
    // A real always carries a decimal point, so readers take it as one.
    const size_t start = m_buffer.rfind('\n') + 1;
    if (m_buffer.find_first_of(".e", start) == std::string::npos)
        m_buffer += ".0";
    m_buffer += '\n';
    flushIfFull();
}

void SinkWriter::dxfInt(int gc, int value) const
{
    code(gc);
    appendNumber(m_buffer, value);
    m_buffer += '\n';
    flushIfFull();
}

void SinkWriter::dxfHex(int gc, int value) const
{
    code(gc);
    char text[16];
    const auto [end, ec] = std::to_chars(text, text + sizeof text, static_cast<unsigned>(value), 16);
    for (char* c = text; c != end; ++c)
        m_buffer += static_cast<char>(*c >= 'a' ? *c - 'a' + 'A' : *c);
    m_buffer += '\n';
    flushIfFull();
}

void SinkWriter::dxfString(int gc, const char* value) const
{
    dxfString(gc, std::string(value ? value : ""));
}

void SinkWriter::dxfString(int gc, const std::string& value) const
{
    code(gc);
    // A value never holds a line break: it would end the value early.
    for (const char c : value)
        m_buffer += (c == '\n' || c == '\r') ? ' ' : c;
    m_buffer += '\n';
    flushIfFull();
}

void SinkWriter::flushIfFull() const
{
    if (m_buffer.size() < kPiece)
        return;
    if (!m_failed && !m_sink(m_buffer))
        m_failed = true;
    m_buffer.clear();
}

bool SinkWriter::finish() const
{
    if (!m_failed && !m_buffer.empty() && !m_sink(m_buffer))
        m_failed = true;
    m_buffer.clear();
    return !m_failed;
}

}  // namespace dxf
