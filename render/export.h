// Exporting the whole drawing as a picture of the image size: at scale 1
// with no pan, every visible element, no grid, frame or selection. Raster
// formats start from white; metafiles, SVG and PDF have no background. The
// format follows the file name's extension, case-insensitively. A file is
// written beside the target under a temporary name and renamed into place
// only when complete, so a failed export leaves any earlier file untouched.
#pragma once

#include <QImage>
#include <QString>
#include <QStringList>

class Drawing;

enum class ExportStatus { Ok, UnknownExtension, WriteError };

struct ExportResult {
    ExportStatus status = ExportStatus::Ok;
    QString reason; // English, for logs and the command-line tool
    bool ok() const { return status == ExportStatus::Ok; }
};

// Any format below, chosen by extension.
ExportResult ExportImage(Drawing& drawing, const QString& path, int width, int height);
// .bmp .jpg .jpeg .jpe .gif .tif .tiff .png
ExportResult ExportRaster(Drawing& drawing, const QString& path, int width, int height);
// .wmf .emf
ExportResult ExportMetafile(Drawing& drawing, const QString& path, int width, int height);
// .svg .pdf .dxf
ExportResult ExportVector(Drawing& drawing, const QString& path, int width, int height);

// Lower-case extensions without the dot, in the order of the save dialog.
QStringList ExportExtensions();
bool IsExportExtension(const QString& path);

// The raster picture itself (RGB32 on white); null when the size is unusable.
QImage RenderPicture(Drawing& drawing, int width, int height);
