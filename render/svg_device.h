// A paint device that streams an SVG picture to a file while the renderers
// draw on it, so an export holds no more than one element's text in memory
// whatever the size of the drawing.
//
// Every fill, stroke, glyph and image of the engine becomes one element in
// device pixels (96 dpi), in drawing order. What elements share is written
// once, just before its first use, and referred to after: each distinct
// style is a CSS class in a small <style> of its own, each hatch cell or
// image a <pattern>, each gradient a <linearGradient>, each clip a
// <clipPath>. The root asks for aliased rendering, as the canvas draws.
#pragma once

#include "render/recording_device.h"

#include <memory>

class QIODevice;
class SvgEngine;

class SvgDevice : public RecordingDevice {
public:
    SvgDevice(QIODevice& out, QSize size);
    ~SvgDevice() override;

    QPaintEngine* paintEngine() const override;
    // True once a painter has ended on the device and every byte was written.
    bool complete() const;

private:
    std::unique_ptr<SvgEngine> m_engine;
};
