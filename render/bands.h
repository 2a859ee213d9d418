// Drawing one area of a raster picture on several cores: the area is cut
// into horizontal bands, one thread each (the first on the caller's thread),
// each with a surface of its own begun on its band (TGraphP::BeginBand) over
// the shared pixels. Used by the raster export and the canvas.
#pragma once

#include <QImage>
#include <QRect>

#include <functional>

class TGraphP;

// At most QThread::idealThreadCount() bands (and 8), none under minBandRows
// rows. draw(surface, onCallerThread) draws one band.
void DrawInBands(QImage& picture, const QRect& area, int minBandRows,
                 const std::function<void(TGraphP&, bool onCallerThread)>& draw);

// The same cut into bands, but each band is drawn unclipped on a scratch
// image of the picture's size (one per thread, kept) and only the band's
// pixels are copied into the picture: a clip can move the edge pixels of a
// rasterized shape, drawing unclipped cannot. draw(surface, band, ...) draws
// at least everything that reaches the band. Once the caller's own band is
// drawn, whileWaiting (if set) is called on the caller's thread about every
// 10 ms until the other bands are done.
void DrawAreaInBands(QImage& picture, const QRect& area, int minBandRows,
                     const std::function<void(TGraphP&, const QRect& band, bool onCallerThread)>& draw,
                     const std::function<void()>& whileWaiting = {});
