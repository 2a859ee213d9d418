// The image of the sample drawings' image pen and brush: a 16 x 16 pattern
// with an alpha band, written as PNG so the decoder path is the real one.
#pragma once

#include <QImage>
#include <QString>

inline bool writeSampleTexture(const QString& path)
{
    QImage image(16, 16, QImage::Format_ARGB32);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            image.setPixel(x, y, qRgba(x * 16, y * 16, (x ^ y) * 16, y < 4 ? 128 : 255));
    return image.save(path, "PNG");
}
