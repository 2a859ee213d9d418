// Image export: raster files decode back to the picture, the extension
// decides the format (case-insensitively, unknown writes nothing), a failed
// export leaves neither a partial file nor a changed old one, SVG and PDF
// carry the image size, and the mirt-export tool reports outcomes through
// its exit status.
#include "model/data.h"
#include "render/export.h"
#include "render/gif_writer.h"
#include "render/graph_p.h"
#include "render/picture.h"
#include "storage/files.h"

#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

constexpr int kWidth = 64, kHeight = 48;

// A red filled rectangle from (10, 10) to (30, 30), 2 px black outline.
Drawing redSquare()
{
    Drawing d;
    appendEntry(d.attributes.penColor, PenColorEntry { 0, 0x000000 });
    appendEntry(d.attributes.brushColor, PenColorEntry { 0, 0x0000FF });
    appendEntry(d.attributes.width, WidthEntry { 0, 2 });
    appendEntry(d.attributes.lineType, LineTypeEntry { 0, 0, 0 });
    d.AppendRect({ ClosedHeader { 2, 0, 1, 0, 0, 0, 0, 1, 0 }, 10, 10, 30, 30 });
    return d;
}

// A radial gradient disc: far more than 256 colours.
Drawing gradientDisc()
{
    Drawing d;
    appendEntry(d.attributes.penColor, PenColorEntry { 0, 0x000000 });
    appendEntry(d.attributes.width, WidthEntry { 0, 1 });
    appendEntry(d.attributes.brushRadial, RadialEntry { 0, 0xFFFFFF, 255, 0x402010, 255 });
    d.AppendCircle({ ClosedHeader { 1, 0, 1, 0, 0, -1, 0, 6, 0 }, 0, 100, 75, 70 });
    return d;
}

QStringList filesIn(const QTemporaryDir& dir)
{
    return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
}

struct RasterRow {
    const char* name;
    const char* file;
    const char* format; // what QImageReader recognises in the bytes
    int tolerance; // per channel; JPEG is lossy
};

class RasterExport : public ::testing::TestWithParam<RasterRow> { };

TEST_P(RasterExport, DecodesBackToThePictureAndLeavesNoTemporaryFile)
{
    const RasterRow row = GetParam();
    QTemporaryDir dir;
    const QString path = dir.filePath(row.file);
    Drawing d = redSquare();
    const ExportResult result = ExportImage(d, path, kWidth, kHeight);
    ASSERT_TRUE(result.ok()) << result.reason.toStdString();
    EXPECT_EQ(filesIn(dir), QStringList { row.file });

    EXPECT_EQ(QImageReader::imageFormat(path), QByteArray(row.format)) << "decided by content";
    QImageReader reader(path);
    const QImage image = reader.read();
    ASSERT_FALSE(image.isNull()) << reader.errorString().toStdString();
    EXPECT_EQ(image.size(), QSize(kWidth, kHeight));
    const auto near = [&](QRgb got, QRgb want) {
        return std::abs(qRed(got) - qRed(want)) <= row.tolerance
            && std::abs(qGreen(got) - qGreen(want)) <= row.tolerance
            && std::abs(qBlue(got) - qBlue(want)) <= row.tolerance;
    };
    EXPECT_TRUE(near(image.pixel(20, 20), qRgb(255, 0, 0))) << std::hex << image.pixel(20, 20);
    EXPECT_TRUE(near(image.pixel(50, 40), qRgb(255, 255, 255))) << std::hex << image.pixel(50, 40);
    EXPECT_TRUE(near(image.pixel(3, 3), qRgb(255, 255, 255)));
}

// The snap list describes the canvas; an export leaves it empty for the
// canvas repaint that follows to fill, whatever the format.
TEST_P(RasterExport, LeavesTheSnapListEmpty)
{
    QTemporaryDir dir;
    Drawing d = redSquare();
    d.snapPoints.push_back(SnapPoint { 1, 0, 0, 5, 5, 5.0, 5.0 });
    ASSERT_TRUE(ExportImage(d, dir.filePath(GetParam().file), kWidth, kHeight).ok());
    EXPECT_TRUE(d.snapPoints.empty());
}

// Many elements of every look, crossing the rows where the bands meet:
// plain, alpha and hatch pens 1 and 3 px wide, hatch, radial and alpha fills,
// dashes, and text.
Drawing crowdedDrawing(int width, int height)
{
    Drawing d;
    AttributeTables& a = d.attributes;
    appendEntry(a.penColor, PenColorEntry { 0, 0x000000 });
    appendEntry(a.penColor, PenColorEntry { 0, 0xC02000 });
    appendEntry(a.penAlphaColor, PenAlphaColorEntry { 0, 0x0000FF, 128 });
    appendEntry(a.penHatch, HatchEntry { 0, 5, 0x000000, 255, 0xFFFFFF, 255 });
    appendEntry(a.brushColor, PenColorEntry { 0, 0x80C0FF });
    appendEntry(a.brushHatch, HatchEntry { 0, 9, 0x008000, 255, 0xE0E0E0, 255 });
    appendEntry(a.brushRadial, RadialEntry { 0, 0xFFFFFF, 200, 0x402010, 255 });
    appendEntry(a.width, WidthEntry { 0, 1 });
    appendEntry(a.width, WidthEntry { 0, 3 });
    appendEntry(a.lineType, LineTypeEntry { 0, 0, 0 });
    appendEntry(a.lineType, LineTypeEntry { 0, 1, 0 });
    const int penKinds[] = { 1, 2, 3 };
    const int penRefs[] = { 0, 0, 0 };
    const int brushKinds[] = { 1, 3, 6 };
    for (int i = 0; i < 600; ++i) {
        const double x = (i * 37) % width, y = (i * 53) % height, r = 4 + (i * 7) % 40;
        const int pen = i % 3, widthRef = (i / 3) % 2, dash = (i / 6) % 2;
        const ClosedHeader closed { i % 3, 0, penKinds[pen], penRefs[pen] + (pen == 0 ? i % 2 : 0), widthRef, dash,
            i % 3, brushKinds[(i / 2) % 3], 0 };
        const OutlineHeader outline { 0, penKinds[pen], penRefs[pen], widthRef, dash, i % 4 };
        switch (i % 5) {
        case 0: d.AppendLine({ outline, x, y, x + r, y - 2 * r }); break;
        case 1: d.AppendRect({ closed, x, y, x + r, y + r / 2 }); break;
        case 2: d.AppendCircle({ closed, 0, x, y, r }); break;
        case 3: d.AppendPolyline({ outline, { { x, y }, { x + r, y + r }, { x + 2 * r, y - r } } }); break;
        default: {
            TextRecord t;
            t.x = x, t.y = y, t.size = 14, t.angle = 20, t.xRatio = 1;
            t.fontName = "IPAGothic";
            t.text = "band " + std::to_string(i);
            d.AppendText(std::move(t));
        }
        }
    }
    return d;
}

// The export draws in bands, one thread each; the picture must be the one a
// single surface draws.
TEST(RasterBands, PictureEqualsOnePassPixelForPixel)
{
    constexpr int width = 400, height = 300;
    Drawing banded = crowdedDrawing(width, height);
    const QImage picture = RenderPicture(banded, width, height);
    ASSERT_FALSE(picture.isNull());

    Drawing single = crowdedDrawing(width, height);
    QImage expected(width, height, QImage::Format_RGB32);
    expected.fill(Qt::white);
    TGraphP surface;
    ASSERT_TRUE(surface.Begin(&expected));
    PictureParams params;
    params.imageWidth = params.canvasWidth = width;
    params.imageHeight = params.canvasHeight = height;
    DrawElements(surface, single, params);
    surface.End();
    ASSERT_EQ(picture.size(), expected.size());
    int differing = 0, inked = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            differing += picture.pixel(x, y) != expected.pixel(x, y);
            inked += expected.pixel(x, y) != qRgb(255, 255, 255);
        }
    EXPECT_EQ(differing, 0);
    EXPECT_GT(inked, width * height / 4) << "the drawing covers much of the picture";
}

// A banded surface writes nothing outside its band, even when a renderer
// clips to a path and resets the clip.
TEST(RasterBands, SurfaceKeepsToItsBandThroughClipChanges)
{
    QImage image(60, 60, QImage::Format_RGB32);
    image.fill(Qt::white);
    TGraphP surface;
    ASSERT_TRUE(surface.BeginBand(&image, QRect(0, 20, 60, 20)));
    surface.SetSolidBrush(qRgb(255, 0, 0));
    surface.path().addEllipse(QRectF(0, 0, 60, 60));
    surface.ClipToPath();
    surface.FillRectangle(QRectF(0, 0, 60, 60));
    surface.ResetClip();
    surface.SetSolidBrush(qRgb(0, 0, 255));
    surface.FillRectangle(QRectF(25, 0, 10, 60));
    surface.End();
    for (int y = 0; y < 60; ++y) {
        const bool inBand = y >= 20 && y < 40;
        EXPECT_EQ(image.pixel(30, y), inBand ? qRgb(0, 0, 255) : qRgb(255, 255, 255)) << y;
        EXPECT_EQ(image.pixel(10, y), inBand ? qRgb(255, 0, 0) : qRgb(255, 255, 255)) << y;
    }
    EXPECT_EQ(image.pixel(0, 20), qRgb(255, 255, 255)) << "outside the clip path";
    EXPECT_EQ(image.pixel(59, 39), qRgb(255, 255, 255)) << "outside the clip path";
}

INSTANTIATE_TEST_SUITE_P(Extensions, RasterExport,
    ::testing::Values(RasterRow { "bmp", "a.bmp", "bmp", 0 }, RasterRow { "png_upper", "a.PNG", "png", 0 },
        RasterRow { "jpg", "a.jpg", "jpeg", 40 }, RasterRow { "jpeg", "a.jpeg", "jpeg", 40 },
        RasterRow { "jpe", "a.jpe", "jpeg", 40 }, RasterRow { "gif", "a.gif", "gif", 0 },
        RasterRow { "tif", "a.tif", "tiff", 0 }, RasterRow { "tiff_upper", "a.TIFF", "tiff", 0 }),
    [](const auto& info) { return std::string(info.param.name); });

TEST(GifExport, ManyColoursFitA256EntryPalette)
{
    QTemporaryDir dir;
    Drawing d = gradientDisc();
    const QImage picture = RenderPicture(d, 200, 150);
    QSet<QRgb> colours;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            colours.insert(picture.pixel(x, y));
    ASSERT_GT(colours.size(), 256) << "the picture must need a reduced palette";
    ASSERT_TRUE(ExportImage(d, dir.filePath("g.gif"), 200, 150).ok());
    QImageReader reader(dir.filePath("g.gif"));
    const QImage image = reader.read();
    ASSERT_FALSE(image.isNull());
    QSet<QRgb> decoded;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            decoded.insert(image.pixel(x, y));
    EXPECT_GT(decoded.size(), 16) << "a dithered palette, not a few flat colours";
    EXPECT_LE(decoded.size(), 256);
    // Dithering keeps the picture close on average: the centre stays light.
    EXPECT_GT(qGray(image.pixel(100, 75)), 200);
}

TEST(GifExport, TwoHundredColoursAreKeptExactly)
{
    QImage picture(20, 10, QImage::Format_RGB32);
    for (int i = 0; i < 200; ++i)
        picture.setPixel(i % 20, i / 20, qRgb(i, 255 - i, (i * 7) % 256));
    const QImage indexed = GifIndexedImage(picture);
    ASSERT_EQ(indexed.format(), QImage::Format_Indexed8);
    EXPECT_EQ(indexed.colorCount(), 200);
    for (int i = 0; i < 200; ++i)
        ASSERT_EQ(indexed.pixel(i % 20, i / 20), picture.pixel(i % 20, i / 20)) << i;
}

struct RefusedRow {
    const char* name;
    const char* file;
    ExportResult (*exporter)(Drawing&, const QString&, int, int);
};

class RefusedExtension : public ::testing::TestWithParam<RefusedRow> { };

TEST_P(RefusedExtension, WritesNothing)
{
    QTemporaryDir dir;
    Drawing d = redSquare();
    const ExportResult result = GetParam().exporter(d, dir.filePath(GetParam().file), kWidth, kHeight);
    EXPECT_EQ(result.status, ExportStatus::UnknownExtension);
    EXPECT_TRUE(filesIn(dir).isEmpty()) << filesIn(dir).join(' ').toStdString();
}

INSTANTIATE_TEST_SUITE_P(Extensions, RefusedExtension,
    ::testing::Values(RefusedRow { "txt", "a.txt", ExportImage },
        RefusedRow { "none", "picture", ExportImage }, RefusedRow { "trailing_dot", "a.", ExportImage },
        RefusedRow { "png_bmp", "a.png.bmpx", ExportImage },
        RefusedRow { "emf_as_raster", "a.emf", ExportRaster },
        RefusedRow { "png_as_metafile", "a.png", ExportMetafile },
        RefusedRow { "wmf_as_vector", "a.wmf", ExportVector }),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FailedExport, LeavesAnExistingFileUntouchedAndNoTemporaryFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("keep.png");
    {
        QFile old(path);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old contents");
    }
    Drawing d = redSquare();
    for (const QSize size : { QSize(0, 10), QSize(10, -1), QSize(40000, 10) }) {
        const ExportResult result = ExportImage(d, path, size.width(), size.height());
        EXPECT_EQ(result.status, ExportStatus::WriteError);
        EXPECT_FALSE(result.reason.isEmpty());
    }
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), QByteArray("old contents"));
    EXPECT_EQ(filesIn(dir), QStringList { "keep.png" });
}

TEST(FailedExport, UnwritableTargetIsReportedAndCreatesNothing)
{
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir("taken.png")); // a folder where the file should go
    Drawing d = redSquare();
    for (const char* name : { "taken.png", "missing/a.png", "missing/a.emf" }) {
        const ExportResult result = ExportImage(d, dir.filePath(name), kWidth, kHeight);
        EXPECT_EQ(result.status, ExportStatus::WriteError) << name;
    }
    EXPECT_TRUE(filesIn(dir).isEmpty());
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("missing")));
}

TEST(VectorExport, SvgAndPdfCarryTheImageSize)
{
    QTemporaryDir dir;
    Drawing d = redSquare();
    ASSERT_TRUE(ExportImage(d, dir.filePath("a.svg"), 320, 240).ok());
    ASSERT_TRUE(ExportImage(d, dir.filePath("a.PDF"), 320, 240).ok());
    QFile svg(dir.filePath("a.svg")), pdf(dir.filePath("a.PDF"));
    ASSERT_TRUE(svg.open(QIODevice::ReadOnly) && pdf.open(QIODevice::ReadOnly));
    const QByteArray svgText = svg.readAll(), pdfBytes = pdf.readAll();
    EXPECT_TRUE(svgText.contains("viewBox=\"0 0 320 240\"")) << svgText.left(400).toStdString();
    EXPECT_TRUE(svgText.contains("#ff0000")) << "the red fill is missing";
    EXPECT_TRUE(pdfBytes.startsWith("%PDF"));
    EXPECT_TRUE(pdfBytes.contains("/MediaBox [0 0 240.000000 180.000000]"))
        << "320 x 240 px at 96 dpi is 240 x 180 pt";
}

// --- the command-line tool ----------------------------------------------------

struct ToolRun {
    int exitCode = -1;
    QByteArray out, err;
};

ToolRun runTool(const QStringList& args)
{
    QProcess process;
    process.start(QStringLiteral(MIRT_EXPORT_BINARY), args);
    process.waitForFinished(60000);
    return { process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
        process.readAllStandardOutput(), process.readAllStandardError() };
}

const QString kSample = QStringLiteral(MIRT_TEST_DATA "/sample.mt");

TEST(MirtExportTool, HelpExplainsUsage)
{
    const ToolRun run = runTool({ "--help" });
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(run.out.contains("Usage: mirt-export INPUT.mt OUTPUT"));
    EXPECT_TRUE(run.out.contains(".emf"));
}

TEST(MirtExportTool, ConvertsTheSampleAtItsImageSize)
{
    QTemporaryDir dir;
    const ToolRun run = runTool({ kSample, dir.filePath("sample.png") });
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.err.isEmpty()) << run.err.toStdString();
    EXPECT_EQ(QImageReader(dir.filePath("sample.png")).size(), QSize(1280, 960));
}

// .mt -> .dxf -> .mt and .dxf -> .png: the DXF input goes through the same
// import as File > Open; the sample's elements lie in its image area, whose
// limits bring the image size back.
TEST(MirtExportTool, TakesDxfInAndOut)
{
    QTemporaryDir dir;
    const QString dxf = dir.filePath("sample.DXF"), mt = dir.filePath("back.mt"), png = dir.filePath("back.png");
    ToolRun run = runTool({ kSample, dxf });
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    run = runTool({ dxf, mt });
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    QFile back(mt);
    ASSERT_TRUE(back.open(QIODevice::ReadOnly));
    EXPECT_TRUE(back.readLine().startsWith("1280"));
    run = runTool({ dxf, png });
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(QImageReader(png).size(), QSize(1280, 960));
    QFile broken(dir.filePath("broken.dxf"));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("0\nSECTION\n2\nENTITIES\n");
    broken.close();
    run = runTool({ broken.fileName(), png });
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains("EOF")) << run.err.toStdString();
}

TEST(MirtExportTool, WritesTheDrawingFileAgain)
{
    QTemporaryDir dir;
    ASSERT_EQ(runTool({ kSample, dir.filePath("copy.mt") }).exitCode, 0);
    ASSERT_EQ(runTool({ dir.filePath("copy.mt"), dir.filePath("again.MT") }).exitCode, 0);
    QFile a(dir.filePath("copy.mt")), b(dir.filePath("again.MT"));
    ASSERT_TRUE(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
    EXPECT_EQ(a.readAll(), b.readAll());
}

QByteArray fileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Strings with bytes that are no CP932 character, in every kind of string.
struct KeptBytesFile {
    const char* name;
    const char* file;
    const char* shown; // how the text element's text is drawn
};

class MirtExportKeptBytes : public ::testing::TestWithParam<KeptBytesFile> { };

TEST_P(MirtExportKeptBytes, DrawingFileComesBackByteForByteAndExports)
{
    const QString input = QStringLiteral(MIRT_TEST_DATA "/../fuzz_corpus/") + QLatin1String(GetParam().file);
    QTemporaryDir dir;
    const ToolRun copy = runTool({ input, dir.filePath("copy.mt") });
    ASSERT_EQ(copy.exitCode, 0) << copy.err.toStdString();
    EXPECT_EQ(fileBytes(dir.filePath("copy.mt")), fileBytes(input));

    const ToolRun picture = runTool({ input, dir.filePath("picture.png") });
    ASSERT_EQ(picture.exitCode, 0) << picture.err.toStdString();
    Drawing d;
    const FileResult read = ReadDrawing(input.toStdString(), d);
    ASSERT_TRUE(read.ok());
    ASSERT_EQ(d.tables.texts.size(), 1u);
    d.tables.texts[0].text = GetParam().shown;
    const QImage expected = RenderPicture(d, read.imageSize.width, read.imageSize.height);
    const QImage exported = QImage(dir.filePath("picture.png")).convertToFormat(expected.format());
    EXPECT_EQ(exported, expected);
    d.tables.texts[0].text.clear();
    EXPECT_EQ(exported == RenderPicture(d, read.imageSize.width, read.imageSize.height), !*GetParam().shown)
        << "the text is drawn when its font is listed";
}

// The invalid-bytes file's font name ("ＭＳ" and a lone lead byte) names no
// font, so its text is not drawn. The other file's text draws the replacement
// glyph for the lead byte before a blank, the unmapped pair 0x8540 and the
// kept CR, and the duplicate code 0xFA5B as its character.
INSTANTIATE_TEST_SUITE_P(Rows, MirtExportKeptBytes,
    ::testing::Values(KeptBytesFile { "invalid_bytes", "kept_invalid_bytes.mt", "" },
        KeptBytesFile { "duplicate_codes", "kept_duplicate_codes.mt", "\uFFFDx\uFFFD∵\uFFFD" }),
    [](const auto& info) { return std::string(info.param.name); });

struct ToolFailureRow {
    const char* name;
    const char* input; // relative to the temporary folder, or "SAMPLE"
    const char* output; // relative to the temporary folder
    int exitCode;
};

class MirtExportToolFailure : public ::testing::TestWithParam<ToolFailureRow> { };

TEST_P(MirtExportToolFailure, ExitsNonZeroWithOneLineAndNoOutput)
{
    const ToolFailureRow row = GetParam();
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.png"));
    const QString input = qstrcmp(row.input, "SAMPLE") == 0 ? kSample : dir.filePath(row.input);
    QStringList args { input };
    if (row.output[0] != '\0')
        args << dir.filePath(row.output);
    const ToolRun run = runTool(args);
    EXPECT_EQ(run.exitCode, row.exitCode);
    EXPECT_TRUE(run.err.startsWith("mirt-export: ")) << run.err.toStdString();
    EXPECT_EQ(run.err.count('\n'), 1) << run.err.toStdString();
    EXPECT_EQ(filesIn(dir), QStringList {}) << "no output may appear";
}

INSTANTIATE_TEST_SUITE_P(Cases, MirtExportToolFailure,
    ::testing::Values(ToolFailureRow { "missing_input", "nothing.mt", "out.png", 1 },
        ToolFailureRow { "input_is_a_folder", "folder.png", "out.png", 1 },
        ToolFailureRow { "unknown_extension", "SAMPLE", "out.txt", 2 },
        ToolFailureRow { "missing_output_argument", "SAMPLE", "", 2 },
        ToolFailureRow { "output_is_a_folder", "SAMPLE", "folder.png", 3 },
        ToolFailureRow { "output_folder_missing", "SAMPLE", "no/such/out.emf", 3 }),
    [](const auto& info) { return std::string(info.param.name); });

// Input that is not a drawing is refused like an unreadable one.
TEST(MirtExportTool, RefusesInputThatIsNotADrawing)
{
    for (const QByteArray& bytes : { QByteArray(), QByteArray("\x89PNG\r\n\x1a\n", 8) }) {
        QTemporaryDir dir;
        QFile input(dir.filePath("input.mt"));
        ASSERT_TRUE(input.open(QIODevice::WriteOnly));
        input.write(bytes);
        input.close();
        const ToolRun run = runTool({ input.fileName(), dir.filePath("out.png") });
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_EQ(run.err.count('\n'), 1) << run.err.toStdString();
        EXPECT_TRUE(run.err.contains("input.mt")) << run.err.toStdString();
        EXPECT_FALSE(QFile::exists(dir.filePath("out.png")));
    }
}

} // namespace
