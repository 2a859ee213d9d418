// One table maps each extension to its writer; every writer streams into a
// QSaveFile, whose commit renames the finished temporary file over the target
// and whose destruction without commit removes it.
#include "render/export.h"

#include "dxf/dxf.h"
#include "model/data.h"
#include "render/bands.h"
#include "render/export_messages.h"
#include "render/gif_writer.h"
#include "render/graph_p.h"
#include "render/metafile_device.h"
#include "render/picture.h"
#include "render/svg_device.h"

#include <QFileInfo>
#include <QImageWriter>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <algorithm>
#include <iterator>
#include <vector>

namespace {

constexpr int kMaxSide = 32767; // WMF coordinates are 16-bit
constexpr qint64 kMaxRasterPixels = 1LL << 28; // 1 GiB of RGB32
// Qt maps PNG quality q to zlib level (100 - q) * 9 / 91: 50 gives level 4,
// half the encoding time of the default level 6 for files about a tenth larger.
constexpr int kPngQuality = 50;

enum class ExportGroup { Raster, Metafile, Vector };

struct ExportJob {
    Drawing& drawing;
    QSize size;
    const char* qtFormat;
};

using WriteFn = bool (*)(const ExportJob&, QIODevice&, QString& reason);

bool writeQtImage(const ExportJob&, QIODevice&, QString&);
bool writeGifFile(const ExportJob&, QIODevice&, QString&);
bool writeMetafile(const ExportJob&, QIODevice&, QString&);
bool writeSvg(const ExportJob&, QIODevice&, QString&);
bool writePdf(const ExportJob&, QIODevice&, QString&);
bool writeDxf(const ExportJob&, QIODevice&, QString&);

struct ExportFormat {
    const char* extension;
    ExportGroup group;
    WriteFn write;
    const char* qtFormat;
};

constexpr ExportFormat kFormats[] = {
    { "bmp", ExportGroup::Raster, writeQtImage, "bmp" },
    { "wmf", ExportGroup::Metafile, writeMetafile, "wmf" },
    { "emf", ExportGroup::Metafile, writeMetafile, "emf" },
    { "jpg", ExportGroup::Raster, writeQtImage, "jpeg" },
    { "jpeg", ExportGroup::Raster, writeQtImage, "jpeg" },
    { "jpe", ExportGroup::Raster, writeQtImage, "jpeg" },
    { "tif", ExportGroup::Raster, writeQtImage, "tiff" },
    { "tiff", ExportGroup::Raster, writeQtImage, "tiff" },
    { "gif", ExportGroup::Raster, writeGifFile, "gif" },
    { "png", ExportGroup::Raster, writeQtImage, "png" },
    { "svg", ExportGroup::Vector, writeSvg, "svg" },
    { "pdf", ExportGroup::Vector, writePdf, "pdf" },
    { "dxf", ExportGroup::Vector, writeDxf, "dxf" },
};

const ExportFormat* formatFor(const QString& path)
{
    const QString extension = QFileInfo(path).suffix().toLower();
    for (const ExportFormat& format : kFormats)
        if (extension == QLatin1String(format.extension))
            return &format;
    return nullptr;
}

// "bmp, wmf, ..." of a group, or of every format.
QString extensionsOf(const ExportGroup* group)
{
    QStringList names;
    for (const ExportFormat& format : kFormats)
        if (!group || format.group == *group)
            names << QLatin1String(format.extension);
    return names.join(QStringLiteral(", "));
}

PictureParams exportParams(QSize size)
{
    PictureParams params;
    params.imageWidth = size.width();
    params.imageHeight = size.height();
    params.canvasWidth = size.width();
    params.canvasHeight = size.height();
    params.drawFrame = false;
    params.registerSnapPoints = false;
    return params;
}

// The elements alone at scale 1 and no pan; the caller decides the background.
bool drawElementsOn(Drawing& drawing, QPaintDevice* device, QSize size)
{
    TGraphP surface;
    surface.setAttributes(&drawing.attributes);
    if (!surface.Begin(device))
        return false;
    drawing.snapPoints.clear();
    DrawElements(surface, drawing, exportParams(size));
    surface.End();
    return true;
}

// Raster pictures are drawn in horizontal bands, one thread each. Every band
// rasterizes on the whole picture and writes only its own rows, skipping the
// elements that cannot reach them, so together the bands are exactly the
// picture one pass would draw.
void drawRasterBands(Drawing& drawing, QImage& picture)
{
    constexpr int kMinBandRows = 64;
    drawing.RecomputeLayerUse();
    const PictureParams params = exportParams(picture.size());
    DrawInBands(picture, picture.rect(), kMinBandRows,
                [&](TGraphP& surface, bool) { DrawElementsReadOnly(surface, drawing, params); });
}

bool writeQtImage(const ExportJob& job, QIODevice& device, QString& reason)
{
    const QImage picture = RenderPicture(job.drawing, job.size.width(), job.size.height());
    QImageWriter writer(&device, job.qtFormat);
    if (qstrcmp(job.qtFormat, "tiff") == 0)
        writer.setCompression(1); // LZW
    if (qstrcmp(job.qtFormat, "png") == 0)
        writer.setQuality(kPngQuality);
    if (!picture.isNull() && writer.write(picture))
        return true;
    reason = picture.isNull() ? QString::fromUtf8(exportMessages::kTooLarge) : writer.errorString();
    return false;
}

bool writeGifFile(const ExportJob& job, QIODevice& device, QString& reason)
{
    const QImage picture = RenderPicture(job.drawing, job.size.width(), job.size.height());
    if (!picture.isNull() && WriteGif(picture, device))
        return true;
    reason = QString::fromUtf8(picture.isNull() ? exportMessages::kTooLarge : exportMessages::kGifFailed);
    return false;
}

bool writeMetafile(const ExportJob& job, QIODevice& device, QString& reason)
{
    MetafileDevice metafile(
        job.size, qstrcmp(job.qtFormat, "wmf") == 0 ? MetafileFormat::Wmf : MetafileFormat::Emf);
    const bool drawn = drawElementsOn(job.drawing, &metafile, job.size);
    const QByteArray bytes = metafile.data();
    if (drawn && !bytes.isEmpty() && device.write(bytes) == bytes.size())
        return true;
    reason = drawn ? device.errorString() : QString::fromUtf8(exportMessages::kMetafileFailed);
    return false;
}

bool writeSvg(const ExportJob& job, QIODevice& device, QString& reason)
{
    SvgDevice svg(device, job.size);
    if (drawElementsOn(job.drawing, &svg, job.size) && svg.complete())
        return true;
    reason = QString::fromUtf8(exportMessages::kSvgFailed);
    return false;
}

bool writePdf(const ExportJob& job, QIODevice& device, QString& reason)
{
    QPdfWriter pdf(&device);
    pdf.setResolution(96); // one device unit per drawing unit
    pdf.setPageSize(
        QPageSize(QSizeF(job.size) * 72.0 / 96.0, QPageSize::Point, QString(), QPageSize::ExactMatch));
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
    if (drawElementsOn(job.drawing, &pdf, job.size))
        return true;
    reason = QString::fromUtf8(exportMessages::kPdfFailed);
    return false;
}

// DXF holds the geometry itself, not a picture of it: no surface is involved.
bool writeDxf(const ExportJob& job, QIODevice& device, QString& reason)
{
    const dxf::WriteResult result = dxf::WriteDxf(job.drawing, ImageSize { job.size.width(), job.size.height() },
        [&device](std::string_view piece) {
            return device.write(piece.data(), qint64(piece.size())) == qint64(piece.size());
        });
    if (result.ok)
        return true;
    reason = device.errorString().isEmpty() ? QString::fromStdString(result.message) : device.errorString();
    return false;
}

ExportResult failure(ExportStatus status, const QString& reason)
{
    return ExportResult { status, reason };
}

ExportResult runExport(
    Drawing& drawing, const QString& path, int width, int height, const ExportFormat& format)
{
    if (width < 1 || height < 1 || width > kMaxSide || height > kMaxSide)
        return failure(ExportStatus::WriteError,
            QString::fromUtf8(exportMessages::kSizeOutOfRange).arg(width).arg(height).arg(kMaxSide));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return failure(ExportStatus::WriteError, file.errorString());
    QString reason;
    if (!format.write(ExportJob { drawing, QSize(width, height), format.qtFormat }, file, reason)) {
        file.cancelWriting();
        return failure(ExportStatus::WriteError, reason.isEmpty() ? file.errorString() : reason);
    }
    if (!file.commit())
        return failure(ExportStatus::WriteError, file.errorString());
    return {};
}

ExportResult exportGroup(
    Drawing& drawing, const QString& path, int width, int height, const ExportGroup* group)
{
    const ExportFormat* format = formatFor(path);
    if (!format || (group && format->group != *group))
        return failure(ExportStatus::UnknownExtension,
            QString::fromUtf8(exportMessages::kUnknownExtension)
                .arg(QFileInfo(path).suffix(), extensionsOf(group)));
    return runExport(drawing, path, width, height, *format);
}

} // namespace

QImage RenderPicture(Drawing& drawing, int width, int height)
{
    if (width < 1 || height < 1 || qint64(width) * height > kMaxRasterPixels)
        return {};
    QImage picture(width, height, QImage::Format_RGB32);
    if (picture.isNull())
        return {};
    picture.fill(Qt::white);
    drawing.snapPoints.clear();
    drawRasterBands(drawing, picture);
    return picture;
}

ExportResult ExportImage(Drawing& drawing, const QString& path, int width, int height)
{
    return exportGroup(drawing, path, width, height, nullptr);
}

ExportResult ExportRaster(Drawing& drawing, const QString& path, int width, int height)
{
    const ExportGroup group = ExportGroup::Raster;
    return exportGroup(drawing, path, width, height, &group);
}

ExportResult ExportMetafile(Drawing& drawing, const QString& path, int width, int height)
{
    const ExportGroup group = ExportGroup::Metafile;
    return exportGroup(drawing, path, width, height, &group);
}

ExportResult ExportVector(Drawing& drawing, const QString& path, int width, int height)
{
    const ExportGroup group = ExportGroup::Vector;
    return exportGroup(drawing, path, width, height, &group);
}

QStringList ExportExtensions()
{
    QStringList out;
    for (const ExportFormat& format : kFormats)
        out << QLatin1String(format.extension);
    return out;
}

bool IsExportExtension(const QString& path)
{
    return formatFor(path) != nullptr;
}
