// Images for the image pen and the image brush. Paths come from drawing files
// and dialogs, so they are untrusted: only regular files of bounded size are
// read, and the decoded image is bounded too; anything else is a load failure.
#pragma once

#include <QImage>
#include <QString>

enum class TextureLoad { Ok, Missing, Failed };

struct TextureResult {
    TextureLoad status = TextureLoad::Missing;
    QImage image;  // set when status is Ok
};

// Missing: nothing exists at the path. Failed: it exists but is not a regular
// file, is too large, or does not decode. Decoded images are cached by path,
// size and modification time; the cache does not change what is drawn.
TextureResult loadTexture(const QString& path);

// Limits: file size and decoded size (width x height x 4 bytes).
constexpr qint64 kTextureMaxFileBytes = 256LL * 1024 * 1024;
constexpr qint64 kTextureMaxDecodedBytes = 128LL * 1024 * 1024;
