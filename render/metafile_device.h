// A paint device that records a vector metafile (EMF or WMF), so the same
// renderers that paint the canvas draw into a file unchanged. Its engine keeps
// lines, polygons, paths and text as vector records and leaves what the
// formats cannot express (alpha, gradients, hatch and texture brushes) to
// QPainter, which hands it over as images; those become opaque fills or
// embedded bitmaps of the pixels that show, composited onto white.
// Device pixels are 96 dpi; no background is painted.
#pragma once

#include "render/recording_device.h"

#include <QByteArray>
#include <memory>

class MetafileEngine;

enum class MetafileFormat { Emf, Wmf };

class MetafileDevice : public RecordingDevice {
public:
    MetafileDevice(QSize size, MetafileFormat format);
    ~MetafileDevice() override;

    QPaintEngine* paintEngine() const override;
    // The whole file, complete once the painter on this device has ended.
    QByteArray data() const;

private:
    std::unique_ptr<MetafileEngine> m_engine;
};
