// Each band's surface works on an image of its own over the picture's pixels,
// so no QImage is shared between threads.
#include "render/bands.h"

#include <QThread>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <thread>
#include <vector>

#include "render/graph_p.h"

namespace {

void drawBand(uchar* pixels, const QImage& picture, const QRect& band,
              const std::function<void(TGraphP&, bool)>& draw, bool onCallerThread)
{
    QImage image(pixels, picture.width(), picture.height(), picture.bytesPerLine(), picture.format());
    TGraphP surface;
    if (!surface.BeginBand(&image, band))
        return;
    draw(surface, onCallerThread);
    surface.End();
}

}  // namespace

namespace {

// The bands of area: at most one per core, none under minBandRows rows.
std::vector<QRect> bandsOf(const QRect& area, int minBandRows)
{
    const int threads = std::clamp(QThread::idealThreadCount(), 1, 8);
    const int count = std::clamp(area.height() / std::max(minBandRows, 1), 1, threads);
    const int rows = (area.height() + count - 1) / count;
    std::vector<QRect> bands;
    for (int top = area.top(); top <= area.bottom(); top += rows)
        bands.emplace_back(area.left(), top, area.width(), std::min(rows, area.bottom() + 1 - top));
    return bands;
}

void drawUnclipped(QImage& picture, const QRect& band,
                   const std::function<void(TGraphP&, const QRect&, bool)>& draw, bool onCallerThread)
{
    thread_local QImage scratch;
    if (scratch.size() != picture.size() || scratch.format() != picture.format())
        scratch = QImage(picture.size(), picture.format());
    TGraphP surface;
    if (scratch.isNull() || !surface.Begin(&scratch))
        return;
    draw(surface, band, onCallerThread);
    surface.End();
    const auto bytes = static_cast<size_t>(band.width()) * 4;
    for (int y = band.top(); y <= band.bottom(); ++y)
        std::memcpy(picture.scanLine(y) + band.left() * 4, scratch.constScanLine(y) + band.left() * 4, bytes);
}

// The count of bands still drawing on other threads.
class BandsLeft {
public:
    explicit BandsLeft(size_t count) : m_left(count) {}
    void done()
    {
        const std::lock_guard lock(m_mutex);
        --m_left;
        m_changed.notify_one();
    }
    // Calls whileWaiting between waits of up to `period` until none is left.
    void await(std::chrono::milliseconds period, const std::function<void()>& whileWaiting)
    {
        std::unique_lock lock(m_mutex);
        while (!m_changed.wait_for(lock, period, [this] { return m_left == 0; })) {
            lock.unlock();
            whileWaiting();
            lock.lock();
        }
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    size_t m_left;
};

}  // namespace

void DrawAreaInBands(QImage& picture, const QRect& area, int minBandRows,
                     const std::function<void(TGraphP&, const QRect&, bool)>& draw,
                     const std::function<void()>& whileWaiting)
{
    const QRect target = area.intersected(picture.rect());
    if (target.isEmpty() || picture.depth() != 32)
        return;
    picture.bits();  // detaches once, before the threads share the pixels
    const std::vector<QRect> bands = bandsOf(target, minBandRows);
    BandsLeft left(bands.size() - 1);
    std::vector<std::jthread> workers;
    for (size_t i = 1; i < bands.size(); ++i) {
        workers.emplace_back([&, i] {
            drawUnclipped(picture, bands[i], draw, false);
            left.done();
        });
    }
    drawUnclipped(picture, bands[0], draw, true);
    if (whileWaiting)
        left.await(std::chrono::milliseconds(10), whileWaiting);
}

void DrawInBands(QImage& picture, const QRect& area, int minBandRows,
                 const std::function<void(TGraphP&, bool)>& draw)
{
    const QRect target = area.intersected(picture.rect());
    if (target.isEmpty())
        return;
    const int threads = std::clamp(QThread::idealThreadCount(), 1, 8);
    const int bands = std::clamp(target.height() / std::max(minBandRows, 1), 1, threads);
    const int rows = (target.height() + bands - 1) / bands;
    uchar* pixels = picture.bits();  // detaches once, before the threads share the pixels
    auto bandAt = [&](int top) {
        return QRect(target.left(), top, target.width(), std::min(rows, target.bottom() + 1 - top));
    };
    std::vector<std::jthread> workers;
    for (int top = target.top() + rows; top <= target.bottom(); top += rows)
        workers.emplace_back([&, top] { drawBand(pixels, picture, bandAt(top), draw, false); });
    drawBand(pixels, picture, bandAt(target.top()), draw, true);
}
