// GIF output through giflib. GIF holds at most 256 colours: a picture with no
// more than that keeps its colours exactly (typical for aliased drawings);
// a richer one (gradients, alpha blends, textures) is reduced to a colour
// cube with error diffusion.
#pragma once

#include <QImage>

class QIODevice;

// The 8-bit indexed picture that WriteGif encodes.
QImage GifIndexedImage(const QImage& picture);
// Writes one GIF image to the device; false on any encoder or device error.
bool WriteGif(const QImage& picture, QIODevice& device);
