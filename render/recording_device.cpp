// The metrics of a file writer's page.
#include "render/recording_device.h"

#include <climits>

RecordingDevice::RecordingDevice(QSize size)
    : m_size(size.expandedTo(QSize(1, 1)))
{
}

int RecordingDevice::metric(PaintDeviceMetric metric) const
{
    switch (metric) {
    case PdmWidth: return m_size.width();
    case PdmHeight: return m_size.height();
    case PdmWidthMM: return qRound(m_size.width() * 25.4 / 96);
    case PdmHeightMM: return qRound(m_size.height() * 25.4 / 96);
    case PdmNumColors: return INT_MAX;
    case PdmDepth: return 32;
    case PdmDpiX:
    case PdmDpiY:
    case PdmPhysicalDpiX:
    case PdmPhysicalDpiY: return 96;
    case PdmDevicePixelRatio: return 1;
    case PdmDevicePixelRatioScaled: return int(devicePixelRatioFScale());
    }
    return QPaintDevice::metric(metric);
}
