// dxflib's ASCII writer, sending its output to a sink in large pieces rather
// than to a file of its own, and writing reals in their shortest exact form
// (dxflib prints sixteen fixed decimals, slower and no more precise).
#pragma once

#include <dl_writer_ascii.h>

#include <string>

#include "dxf/dxf.h"

namespace dxf {

class SinkWriter : public DL_WriterA {
public:
    explicit SinkWriter(const Sink& sink);

    void dxfReal(int gc, double value) const override;
    void dxfInt(int gc, int value) const override;
    void dxfHex(int gc, int value) const override;
    void dxfString(int gc, const char* value) const override;
    void dxfString(int gc, const std::string& value) const override;

    // Hands the rest to the sink; false when the sink refused any piece.
    bool finish() const;

private:
    void code(int gc) const;
    void flushIfFull() const;

    const Sink& m_sink;
    mutable std::string m_buffer;
    mutable bool m_failed = false;
};

}  // namespace dxf
