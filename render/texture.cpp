// Texture images: existence and type checks through std::filesystem (a FIFO,
// a device or a directory never reaches the decoder, so a hostile path cannot
// block or stream forever), a size check from the image header before
// decoding, and Qt's own allocation limit as a second guard.
#include "render/texture.h"

#include <QImageReader>

#include <filesystem>
#include <list>
#include <mutex>
#include <system_error>

namespace {

struct CacheEntry {
    QString path;
    std::uintmax_t size = 0;
    std::filesystem::file_time_type modified;
    QImage image;
};

constexpr size_t kCacheEntries = 8;

std::list<CacheEntry>& cache()
{
    static std::list<CacheEntry> entries;  // most recent first; guarded by cacheMutex
    return entries;
}

std::mutex& cacheMutex()
{
    static std::mutex mutex;  // bands of one export draw in threads
    return mutex;
}

void limitQtAllocations()
{
    static std::once_flag once;
    std::call_once(once, [] {
        const int capMb = static_cast<int>(kTextureMaxDecodedBytes / (1024 * 1024));
        if (QImageReader::allocationLimit() == 0 || QImageReader::allocationLimit() > capMb)
            QImageReader::setAllocationLimit(capMb);
    });
}

QImage decode(const QString& path)
{
    limitQtAllocations();
    QImageReader reader(path);
    reader.setAutoTransform(false);  // the image as stored, no EXIF rotation
    const QSize size = reader.size();
    if (!size.isValid() || size.isEmpty())
        return {};
    if (qint64(size.width()) * size.height() * 4 > kTextureMaxDecodedBytes)
        return {};
    QImage image = reader.read();
    if (image.isNull())
        return {};
    return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

}  // namespace

TextureResult loadTexture(const QString& path)
{
    namespace fs = std::filesystem;
    if (path.isEmpty())
        return {TextureLoad::Missing, {}};
    const fs::path file(path.toStdString());
    std::error_code ec;
    const fs::file_status status = fs::status(file, ec);
    if (ec || !fs::exists(status))
        return {TextureLoad::Missing, {}};
    if (!fs::is_regular_file(status))
        return {TextureLoad::Failed, {}};
    const std::uintmax_t size = fs::file_size(file, ec);
    const fs::file_time_type modified = fs::last_write_time(file, ec);
    if (ec || size == 0 || size > std::uintmax_t(kTextureMaxFileBytes))
        return {TextureLoad::Failed, {}};

    const std::lock_guard lock(cacheMutex());
    auto& entries = cache();
    for (auto it = entries.begin(); it != entries.end(); ++it) {
        if (it->path == path && it->size == size && it->modified == modified) {
            entries.splice(entries.begin(), entries, it);
            return {TextureLoad::Ok, it->image};
        }
    }
    QImage image = decode(path);
    if (image.isNull())
        return {TextureLoad::Failed, {}};
    entries.push_front({path, size, modified, image});
    if (entries.size() > kCacheEntries)
        entries.pop_back();
    return {TextureLoad::Ok, image};
}
