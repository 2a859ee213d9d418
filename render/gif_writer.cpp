// GIF encoding with giflib 5, streaming into a QIODevice so the caller
// decides where the bytes land (a temporary file renamed into place).
#include "render/gif_writer.h"

#include <QHash>
#include <QIODevice>
#include <gif_lib.h>
#include <vector>

namespace {

constexpr int kMaxColours = 256;
constexpr int kMaxGifSide = 65535;

// The picture's own palette, or an empty list when it has too many colours.
QList<QRgb> exactPalette(const QImage& rgb)
{
    QHash<QRgb, int> seen;
    QList<QRgb> palette;
    for (int y = 0; y < rgb.height(); ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x) {
            const QRgb c = row[x] | 0xFF000000;
            if (seen.contains(c))
                continue;
            if (palette.size() == kMaxColours)
                return {};
            seen.insert(c, int(palette.size()));
            palette.append(c);
        }
    }
    return palette;
}

QImage indexWith(const QImage& rgb, const QList<QRgb>& palette)
{
    QHash<QRgb, int> index;
    for (int i = 0; i < palette.size(); ++i)
        index.insert(palette[i], i);
    QImage out(rgb.size(), QImage::Format_Indexed8);
    out.setColorTable(palette);
    for (int y = 0; y < rgb.height(); ++y) {
        const QRgb* in = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        uchar* line = out.scanLine(y);
        for (int x = 0; x < rgb.width(); ++x)
            line[x] = uchar(index.value(in[x] | 0xFF000000));
    }
    return out;
}

int writeToDevice(GifFileType* gif, const GifByteType* data, int length)
{
    auto* device = static_cast<QIODevice*>(gif->UserData);
    return int(device->write(reinterpret_cast<const char*>(data), length));
}

} // namespace

QImage GifIndexedImage(const QImage& picture)
{
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
    const QList<QRgb> palette = exactPalette(rgb);
    if (!palette.isEmpty())
        return indexWith(rgb, palette);
    return rgb.convertToFormat(QImage::Format_Indexed8, Qt::ColorOnly | Qt::DiffuseDither);
}

bool WriteGif(const QImage& picture, QIODevice& device)
{
    if (picture.isNull() || picture.width() > kMaxGifSide || picture.height() > kMaxGifSide)
        return false;
    const QImage indexed = GifIndexedImage(picture);
    int mapSize = 2; // giflib wants a power of two
    while (mapSize < indexed.colorCount())
        mapSize *= 2;
    std::vector<GifColorType> colours(size_t(mapSize), GifColorType { 0, 0, 0 });
    for (int i = 0; i < indexed.colorCount(); ++i) {
        const QRgb c = indexed.color(i);
        colours[size_t(i)] = { GifByteType(qRed(c)), GifByteType(qGreen(c)), GifByteType(qBlue(c)) };
    }
    int error = 0;
    GifFileType* gif = EGifOpen(&device, writeToDevice, &error);
    if (!gif)
        return false;
    ColorMapObject* map = GifMakeMapObject(mapSize, colours.data());
    bool ok = map && EGifPutScreenDesc(gif, indexed.width(), indexed.height(), 8, 0, map) == GIF_OK
        && EGifPutImageDesc(gif, 0, 0, indexed.width(), indexed.height(), false, nullptr) == GIF_OK;
    for (int y = 0; ok && y < indexed.height(); ++y)
        ok = EGifPutLine(gif, const_cast<GifPixelType*>(indexed.constScanLine(y)), indexed.width()) == GIF_OK;
    GifFreeMapObject(map);
    if (EGifCloseFile(gif, &error) != GIF_OK) // frees gif in every case
        ok = false;
    return ok;
}
