// SVG export: rasterised by rsvg-convert, the picture of the sample drawing
// matches the PNG export region by region (hatch swatches pixel for pixel);
// styles, hatch tiles and gradients are written once however many elements
// share them; numbers keep thousandths; clips stay where they were set; a
// failing output device is reported, not taken for success.
#include "model/data.h"
#include "render/export.h"
#include "render/svg_device.h"
#include "render/svg_markup.h"
#include "storage/files.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <cmath>
#include <gtest/gtest.h>

namespace {

const QString kSample = QStringLiteral(MIRT_TEST_DATA "/sample.mt");

// True where some pixel of `other` within one pixel of p has p's colour
// (each channel within 24): rasterisers may break ties on an edge that
// runs through pixel centres the other way.
bool matchesNear(const QImage& image, const QImage& other, int x, int y)
{
    const QRgb c = image.pixel(x, y);
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) {
            const QPoint q(x + dx, y + dy);
            if (!other.rect().contains(q))
                continue;
            const QRgb o = other.pixel(q);
            if (std::abs(qRed(c) - qRed(o)) <= 24 && std::abs(qGreen(c) - qGreen(o)) <= 24
                && std::abs(qBlue(c) - qBlue(o)) <= 24)
                return true;
        }
    return false;
}

// The share of the region's pixels that have no match near them, either way.
double mismatchShare(const QImage& a, const QImage& b, const QRect& region)
{
    qint64 bad = 0;
    for (int y = region.top(); y <= region.bottom(); ++y)
        for (int x = region.left(); x <= region.right(); ++x)
            bad += !matchesNear(a, b, x, y) || !matchesNear(b, a, x, y);
    return double(bad) / (qint64(region.width()) * region.height());
}

// The sample exported as PNG and as SVG, the SVG rasterised on white.
struct SamplePictures {
    QImage png, svg;
    QString skipped; // why the pictures are missing
};

const SamplePictures& samplePictures()
{
    static const SamplePictures pictures = [] {
        SamplePictures out;
        const QString rsvg = QStandardPaths::findExecutable(QStringLiteral("rsvg-convert"));
        if (rsvg.isEmpty()) {
            out.skipped = QStringLiteral("rsvg-convert is not installed (librsvg2-bin)");
            return out;
        }
        QTemporaryDir dir;
        Drawing drawing;
        const FileResult read = ReadDrawing(QFile::encodeName(kSample).toStdString(), drawing);
        const ImageSize size = read.imageSize;
        if (!read.ok() || !ExportImage(drawing, dir.filePath("a.png"), size.width, size.height).ok()
            || !ExportImage(drawing, dir.filePath("a.svg"), size.width, size.height).ok())
            return out;
        QProcess process;
        process.start(rsvg, { "-b", "white", "-o", dir.filePath("svg.png"), dir.filePath("a.svg") });
        process.waitForFinished(60000);
        out.png = QImage(dir.filePath("a.png")).convertToFormat(QImage::Format_RGB32);
        out.svg = QImage(dir.filePath("svg.png")).convertToFormat(QImage::Format_RGB32);
        return out;
    }();
    return pictures;
}

struct RegionRow {
    const char* name;
    QRect region; // bands of the sample drawing
    double maxShare; // of pixels without a match near them
};

class SvgLooksLikePng : public ::testing::TestWithParam<RegionRow> { };

TEST_P(SvgLooksLikePng, RegionMatches)
{
    const SamplePictures& pictures = samplePictures();
    if (!pictures.skipped.isEmpty())
        GTEST_SKIP() << pictures.skipped.toStdString();
    ASSERT_FALSE(pictures.png.isNull());
    ASSERT_EQ(pictures.svg.size(), pictures.png.size()) << "the SVG must carry the image size in pixels";
    const double share = mismatchShare(pictures.png, pictures.svg, GetParam().region);
    RecordProperty("mismatch_share", std::to_string(share));
    EXPECT_LE(share, GetParam().maxShare) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(SampleBands, SvgLooksLikePng,
    ::testing::Values(RegionRow { "shapes", QRect(0, 0, 1280, 135), 0.0002 },
        RegionRow { "curves_and_text", QRect(0, 135, 1280, 115), 0.0005 },
        RegionRow { "hatch_swatches", QRect(0, 255, 1280, 250), 0.0002 },
        RegionRow { "caps_and_anchors", QRect(0, 515, 1280, 95), 0.0002 },
        RegionRow { "dash_styles", QRect(0, 610, 1280, 115), 0.0002 },
        RegionRow { "point_markers", QRect(0, 740, 1280, 150), 0.0005 },
        RegionRow { "whole_picture", QRect(0, 0, 1280, 960), 0.0002 }),
    [](const auto& info) { return std::string(info.param.name); });

// Hatch cells sit on device pixels: the insides of the 53 swatches must be
// the same pixels, not merely close.
TEST(SvgHatch, SwatchInsidesArePixelExact)
{
    const SamplePictures& pictures = samplePictures();
    if (!pictures.skipped.isEmpty())
        GTEST_SKIP() << pictures.skipped.toStdString();
    ASSERT_EQ(pictures.svg.size(), pictures.png.size());
    qint64 differing = 0, total = 0;
    for (int y = 260; y < 500; ++y)
        for (int x = 0; x < 1280; ++x) {
            const QRgb png = pictures.png.pixel(x, y);
            if (png == qRgb(255, 255, 255) || png == qRgb(0, 0, 0))
                continue; // the gaps between the swatches and their frames
            ++total;
            differing += pictures.svg.pixel(x, y) != png;
        }
    EXPECT_GT(total, 100000) << "the swatches are missing from the PNG";
    EXPECT_EQ(differing, 0) << "of " << total << " hatched pixels";
}

// --- what the file says ------------------------------------------------------------

struct NumberRow {
    double value;
    const char* text;
};

class SvgNumber : public ::testing::TestWithParam<NumberRow> { };

TEST_P(SvgNumber, KeepsThousandthsAndDropsTrailingZeros)
{
    QByteArray out = "x";
    svg::appendNumber(out, GetParam().value);
    EXPECT_EQ(out, QByteArray("x") + GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Values, SvgNumber,
    ::testing::Values(NumberRow { 0, "0" }, NumberRow { 1280, "1280" }, NumberRow { 1.5, "1.5" },
        NumberRow { 0.05, "0.05" }, NumberRow { 0.1234, "0.123" }, NumberRow { 0.0996, "0.1" },
        NumberRow { 19.9996, "20" }, NumberRow { -2.0005, "-2.001" }, NumberRow { -0.0004, "0" },
        NumberRow { -35.25, "-35.25" }, NumberRow { 1e20, "1000000000" }, NumberRow { -1e20, "-1000000000" },
        NumberRow { std::nan(""), "0" }, NumberRow { HUGE_VAL, "0" }));


Drawing rectangles(int count, int32_t brushKind)
{
    Drawing d;
    appendEntry(d.attributes.penColor, PenColorEntry { 0, 0x000000 });
    appendEntry(d.attributes.brushColor, PenColorEntry { 0, 0x0000FF });
    appendEntry(d.attributes.brushHatch, HatchEntry { 0, 5, 0x800000, 255, 0xFFFFFF, 255 });
    appendEntry(d.attributes.brushGradient, GradientEntry { 0, 0x0000FF, 255, 0xFF0000, 255, 0 });
    appendEntry(d.attributes.width, WidthEntry { 0, 1 });
    appendEntry(d.attributes.lineType, LineTypeEntry { 0, 0, 0 });
    for (int i = 0; i < count; ++i) {
        const double x = 5 + (i % 20) * 15, y = 5 + (i / 20 % 15) * 15;
        d.AppendRect({ ClosedHeader { 2, 0, 1, 0, 0, 0, 0, brushKind, 0 }, x, y, x + 10, y + 10 });
    }
    return d;
}

QByteArray svgOf(Drawing drawing)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("a.svg");
    if (!ExportImage(drawing, path, 320, 240).ok())
        return {};
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

struct SharingRow {
    const char* name;
    int32_t brushKind;
    const char* definition; // of what the fills share
    int definitions; // gradients lie across each rectangle: one per place
    int styles; // a gradient is the element's own attribute, not a class
};

class SvgSharing : public ::testing::TestWithParam<SharingRow> { };

// 1000 rectangles on 300 places, each filled and outlined.
TEST_P(SvgSharing, DefinitionsAndClassesAreWrittenOncePerDistinctSet)
{
    const SharingRow& row = GetParam();
    const QByteArray text = svgOf(rectangles(1000, row.brushKind));
    ASSERT_FALSE(text.isEmpty());
    EXPECT_EQ(text.count("<path class="), 2000) << "a fill and an outline each";
    EXPECT_EQ(text.count("<style>"), row.styles);
    EXPECT_EQ(text.count(row.definition), row.definitions);
    RecordProperty("bytes", int(text.size()));
}

INSTANTIATE_TEST_SUITE_P(Brushes, SvgSharing,
    ::testing::Values(SharingRow { "solid", 1, "<pattern", 0, 2 }, SharingRow { "hatch", 3, "<pattern id=", 1, 2 },
        SharingRow { "linear_gradient", 5, "<linearGradient id=", 300, 2 }),
    [](const auto& info) { return std::string(info.param.name); });

// Accepts the first `room` bytes, then fails every write.
class FullDevice : public QIODevice {
public:
    explicit FullDevice(qint64 room)
        : m_room(room)
    {
        open(WriteOnly);
    }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char*, qint64 length) override
    {
        if (length > m_room)
            return -1;
        m_room -= length;
        return length;
    }

private:
    qint64 m_room;
};

TEST(SvgDevice, AFailedWriteIsNotComplete)
{
    for (const qint64 room : { qint64(0), qint64(1) << 16, qint64(1) << 30 }) {
        FullDevice out(room);
        SvgDevice svg(out, QSize(200, 100));
        QPainter painter(&svg);
        for (int i = 0; i < 5000; ++i)
            painter.fillRect(QRectF(i % 190, i % 90, 10, 10), QColor::fromRgb(i % 256, 0, 0));
        painter.end();
        EXPECT_EQ(svg.complete(), room > (qint64(1) << 20)) << "room " << room;
    }
}

// Clips narrow each other, and what they hide stays hidden in the picture.
TEST(SvgDevice, NestedClipsReferToTheClipTheyNarrow)
{
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    SvgDevice svg(out, QSize(100, 100));
    QPainter painter(&svg);
    QPainterPath left, top;
    left.addRect(0, 0, 50, 100);
    top.addRect(0, 0, 100, 50);
    painter.setClipPath(left);
    painter.setClipPath(top, Qt::IntersectClip);
    painter.fillRect(QRect(0, 0, 100, 100), Qt::red);
    painter.end();
    ASSERT_TRUE(svg.complete());
    const QByteArray text = out.data();
    EXPECT_TRUE(text.contains("<clipPath id=\"k0\">")) << text.toStdString();
    EXPECT_TRUE(text.contains("<clipPath id=\"k1\" clip-path=\"url(#k0)\">")) << text.toStdString();
    EXPECT_TRUE(text.contains("<g clip-path=\"url(#k1)\">\n<path class=")) << text.toStdString();
}

// A clip is kept in device pixels from when it was set, is written once, and
// a shape drawn while it is switched off stands outside its group.
TEST(SvgDevice, AClipSwitchedOffAndOnIsWrittenOnceWhereItWasSet)
{
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    SvgDevice svg(out, QSize(100, 100));
    QPainter painter(&svg);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::red);
    painter.translate(20, 10);
    painter.setClipRect(QRect(0, 0, 10, 10)); // device (20, 10)-(30, 20)
    painter.resetTransform();
    painter.drawRect(0, 0, 100, 100);
    painter.setClipping(false);
    painter.drawRect(40, 40, 50, 50);
    painter.setClipping(true);
    painter.drawRect(0, 0, 100, 100);
    painter.end();
    ASSERT_TRUE(svg.complete());
    const QByteArray text = out.data();
    EXPECT_EQ(text.count("<clipPath"), 1) << text.toStdString();
    EXPECT_TRUE(text.contains("d=\"M20 10L30 10L30 20L20 20")) << text.toStdString();
    QByteArrayList groups; // each shape's enclosing group, or "" when none
    QByteArray open;
    for (const QByteArray& line : text.split('\n')) {
        if (line.startsWith("<g clip-path="))
            open = line;
        else if (line == "</g>")
            open.clear();
        else if (line.startsWith("<path class="))
            groups << open;
    }
    const QByteArray clipped = "<g clip-path=\"url(#k0)\">";
    EXPECT_EQ(groups, QByteArrayList({ clipped, "", clipped })) << text.toStdString();
}

} // namespace
