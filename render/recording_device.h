// The paint device behind a file writer: a page of a given size in 96 dpi
// device pixels, whose engine records what is painted on it.
#pragma once

#include <QPaintDevice>
#include <QSize>

class RecordingDevice : public QPaintDevice {
public:
    QSize size() const { return m_size; }

protected:
    // The page is at least one pixel each way.
    explicit RecordingDevice(QSize size);
    int metric(PaintDeviceMetric metric) const override;

private:
    QSize m_size;
};
