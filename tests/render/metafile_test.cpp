// The metafile device: EMF and WMF files have a consistent record structure
// (header fields, record sizes adding up to the file, object handles within
// the declared table, an end record), vector drawing stays vector while
// alpha fills become opaque fills or bitmaps, clipping is honoured, and real
// readers (emf2svg, libwmf, Inkscape) show the sample drawing as the PNG
// export does, each skipped when it is not installed.
#include "model/data.h"
#include "render/export.h"
#include "render/metafile_device.h"
#include "render/metafile_writer.h"

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <map>

namespace {

uint32_t u32At(const QByteArray& b, qsizetype at)
{
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = v << 8 | uint8_t(b[at + i]);
    return v;
}
uint16_t u16At(const QByteArray& b, qsizetype at)
{
    return uint16_t(uint8_t(b[at]) | uint8_t(b[at + 1]) << 8);
}
int16_t i16At(const QByteArray& b, qsizetype at)
{
    return int16_t(u16At(b, at));
}
int32_t i32At(const QByteArray& b, qsizetype at)
{
    return int32_t(u32At(b, at));
}

struct Record {
    uint32_t type;
    qsizetype offset;
    qsizetype size;
};

// Walks the EMF records; fails the test on a size that breaks the chain.
std::vector<Record> emfRecords(const QByteArray& b)
{
    std::vector<Record> out;
    for (qsizetype at = 0; at + 8 <= b.size();) {
        const qsizetype size = u32At(b, at + 4);
        EXPECT_TRUE(size >= 8 && size % 4 == 0 && at + size <= b.size()) << "record at " << at;
        if (size < 8 || at + size > b.size())
            break;
        out.push_back({ u32At(b, at), at, size });
        at += size;
    }
    return out;
}

// Walks the WMF records after the placeable and META_HEADER headers.
std::vector<Record> wmfRecords(const QByteArray& b)
{
    std::vector<Record> out;
    for (qsizetype at = 22 + 18; at + 6 <= b.size();) {
        const qsizetype size = qsizetype(u32At(b, at)) * 2;
        EXPECT_TRUE(size >= 6 && at + size <= b.size()) << "record at " << at;
        if (size < 6 || at + size > b.size())
            break;
        out.push_back({ u16At(b, at + 4), at, size });
        at += size;
    }
    return out;
}

std::map<uint32_t, int> countTypes(const std::vector<Record>& records)
{
    std::map<uint32_t, int> counts;
    for (const Record& r : records)
        ++counts[r.type];
    return counts;
}

QByteArray paintMetafile(MetafileFormat format, QSize size, void (*paint)(QPainter&))
{
    MetafileDevice device(size, format);
    QPainter painter(&device);
    paint(painter);
    painter.end();
    return device.data();
}

void mixedPicture(QPainter& p)
{
    p.setPen(QPen(Qt::black, 1));
    p.drawLine(5, 5, 90, 5); // thin: a polyline
    p.setPen(QPen(Qt::blue, 6));
    p.drawLine(5, 20, 90, 40); // wide: a filled outline
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 0, 0));
    p.drawRect(10, 50, 30, 20); // solid: a polygon
    p.setBrush(QColor(0, 128, 0, 100));
    p.drawEllipse(QRectF(50, 50, 30, 20)); // alpha: a bitmap
    p.setPen(Qt::black);
    p.setFont(QFont("IPAGothic", 12));
    p.drawText(QPointF(10, 90), QStringLiteral("Abc図")); // text
}

constexpr uint32_t EmrHeader = 1, EmrEof = 14, EmrSelectObject = 37, EmrPolyline16 = 87, EmrPolygon16 = 86,
                   EmrPolyPolygon16 = 91, EmrAlphaBlend = 114, EmrExtTextOutW = 84, EmrStretchDIBits = 81;

TEST(EmfFile, HeaderAndRecordsAreConsistent)
{
    const QByteArray b = paintMetafile(MetafileFormat::Emf, QSize(100, 100), mixedPicture);
    const std::vector<Record> records = emfRecords(b);
    ASSERT_GE(records.size(), 3u);
    EXPECT_EQ(records.front().type, EmrHeader);
    EXPECT_EQ(records.back().type, EmrEof);
    EXPECT_EQ(records.back().offset + records.back().size, b.size()) << "records must cover the file";
    EXPECT_EQ(u32At(b, 40), 0x464D4520u); // " EMF"
    EXPECT_EQ(u32At(b, 48), uint32_t(b.size())); // nBytes
    EXPECT_EQ(u32At(b, 52), uint32_t(records.size()));
    EXPECT_EQ(
        QRect(QPoint(i32At(b, 8), i32At(b, 12)), QPoint(i32At(b, 16), i32At(b, 20))), QRect(0, 0, 100, 100));
    EXPECT_EQ(i32At(b, 32), 2646 - 1); // frame right: 100 px at 96 dpi in 0.01 mm, inclusive
    const uint16_t handles = u16At(b, 56);
    for (const Record& r : records) {
        const uint32_t object = u32At(b, r.offset + 8);
        if (r.type == EmrSelectObject && !(object & 0x80000000u)) {
            EXPECT_LT(object, handles) << "handle beyond nHandles";
        }
    }
}

TEST(EmfFile, VectorStaysVectorAndAlphaBecomesABitmap)
{
    const QByteArray b = paintMetafile(MetafileFormat::Emf, QSize(100, 100), mixedPicture);
    const std::map<uint32_t, int> counts = countTypes(emfRecords(b));
    EXPECT_GE(counts.count(EmrPolyline16), 1u) << "the thin line";
    EXPECT_GE(counts.count(EmrPolygon16) + counts.count(EmrPolyPolygon16), 1u) << "fills and wide lines";
    EXPECT_EQ(counts.count(EmrAlphaBlend), 0u) << "readers without blending would drop it";
    EXPECT_GE(counts.count(EmrExtTextOutW), 1u); // one run per font the text needs
    const QString text = QStringLiteral("Abc");
    EXPECT_TRUE(b.contains(QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2)));
}

TEST(EmfFile, ClipAppliesInDeviceSpaceUnderATransform)
{
    const QByteArray b = paintMetafile(MetafileFormat::Emf, QSize(100, 100), [](QPainter& p) {
        p.translate(20, 10);
        p.setClipRect(QRect(0, 0, 10, 10)); // device (20, 10)-(30, 20)
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::red);
        p.drawRect(-50, -50, 200, 200);
    });
    bool found = false;
    for (const Record& r : emfRecords(b)) {
        if (r.type != EmrPolygon16)
            continue;
        found = true;
        const int count = int(u32At(b, r.offset + 24));
        for (int i = 0; i < count; ++i) { // logical units are 1/16 pixel
            const int x = i16At(b, r.offset + 28 + 4 * i), y = i16At(b, r.offset + 30 + 4 * i);
            EXPECT_TRUE(x >= 20 * 16 && x <= 30 * 16 && y >= 10 * 16 && y <= 20 * 16) << x << "," << y;
        }
    }
    EXPECT_TRUE(found);
}

// The pixel bounds of each EMF polygon, in drawing order.
std::vector<QRect> emfPolygonBounds(const QByteArray& b)
{
    std::vector<QRect> out;
    for (const Record& r : emfRecords(b)) {
        if (r.type != EmrPolygon16)
            continue;
        QPolygon points;
        const int count = int(u32At(b, r.offset + 24));
        for (int i = 0; i < count; ++i) // logical units are 1/16 pixel
            points << QPoint(i16At(b, r.offset + 28 + 4 * i), i16At(b, r.offset + 30 + 4 * i)) / 16;
        const QRect box = points.boundingRect();
        out.push_back(QRect(box.topLeft(), box.bottomRight() - QPoint(1, 1))); // corner to corner
    }
    return out;
}

// Red squares filled under clips that change in between; the device
// (20, 10)-(30, 20) is the first clip's area.
struct ClipChangeRow {
    const char* name;
    void (*paint)(QPainter&);
    std::vector<QRect> filled; // each fill's pixels
};

void PrintTo(const ClipChangeRow& row, std::ostream* os) { *os << row.name; }

class ClipChange : public ::testing::TestWithParam<ClipChangeRow> { };

TEST_P(ClipChange, EachFillHasTheClipOfItsTime)
{
    const ClipChangeRow& row = GetParam();
    const QByteArray b = paintMetafile(MetafileFormat::Emf, QSize(100, 100), [](QPainter& p) {
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::red);
        GetParam().paint(p);
    });
    EXPECT_EQ(emfPolygonBounds(b), row.filled);
}

INSTANTIATE_TEST_SUITE_P(Clips, ClipChange,
    ::testing::Values(
        ClipChangeRow { "StaysWhereItWasSetWhenTheTransformChanges",
            [](QPainter& p) {
                p.translate(20, 10);
                p.setClipRect(QRect(0, 0, 10, 10));
                p.resetTransform();
                p.drawRect(0, 0, 100, 100);
            },
            { QRect(20, 10, 10, 10) } },
        ClipChangeRow { "SwitchedOffAndOnAgain",
            [](QPainter& p) {
                p.setClipRect(QRect(20, 10, 10, 10));
                p.drawRect(0, 0, 100, 100);
                p.setClipping(false);
                p.drawRect(40, 40, 50, 50);
                p.setClipping(true);
                p.drawRect(0, 0, 100, 100);
            },
            { QRect(20, 10, 10, 10), QRect(40, 40, 50, 50), QRect(20, 10, 10, 10) } },
        ClipChangeRow { "NarrowedThenReplaced",
            [](QPainter& p) {
                p.setClipRect(QRect(20, 10, 10, 10));
                p.setClipRect(QRect(25, 0, 50, 50), Qt::IntersectClip);
                p.drawRect(0, 0, 100, 100);
                p.setClipRect(QRect(60, 60, 20, 30), Qt::ReplaceClip);
                p.drawRect(0, 0, 100, 100);
            },
            { QRect(25, 10, 5, 10), QRect(60, 60, 20, 30) } }),
    [](const auto& info) { return std::string(info.param.name); });

TEST(EmfFile, DashedThinLineIsSplitIntoDashes)
{
    const QByteArray b = paintMetafile(MetafileFormat::Emf, QSize(100, 20), [](QPainter& p) {
        p.setPen(QPen(Qt::black, 1, Qt::DashLine)); // 4 on, 2 off
        p.drawLine(0, 10, 60, 10);
    });
    EXPECT_EQ(countTypes(emfRecords(b))[EmrPolyline16], 10);
}

constexpr uint16_t MetaEof = 0, MetaSelectObject = 0x012D, MetaPolyline = 0x0325, MetaPolygon = 0x0324,
                   MetaPolyPolygon = 0x0538, MetaStretchDib = 0x0F43, MetaCreatePen = 0x02FA,
                   MetaCreateBrush = 0x02FC, MetaDeleteObject = 0x01F0;

TEST(WmfFile, PlaceableHeaderAndRecordsAreConsistent)
{
    const QByteArray b = paintMetafile(MetafileFormat::Wmf, QSize(200, 100), [](QPainter& p) {
        mixedPicture(p);
        QLinearGradient gradient(100, 0, 190, 0);
        gradient.setColorAt(0, Qt::red);
        gradient.setColorAt(1, Qt::blue);
        p.setBrush(gradient);
        p.drawEllipse(QRectF(100, 10, 90, 80)); // many colours: bitmaps of its rows
    });
    ASSERT_GT(b.size(), 40);
    EXPECT_EQ(u32At(b, 0), 0x9AC6CDD7u);
    uint16_t checksum = 0;
    for (int i = 0; i < 10; ++i)
        checksum ^= u16At(b, 2 * i);
    EXPECT_EQ(u16At(b, 20), checksum);
    const int k = 16; // 200 px fits 16 units per pixel
    EXPECT_EQ(QRect(QPoint(i16At(b, 6), i16At(b, 8)), QPoint(i16At(b, 10), i16At(b, 12))),
        QRect(QPoint(0, 0), QPoint(200 * k, 100 * k)));
    EXPECT_EQ(u16At(b, 14), 96 * k);

    const std::vector<Record> records = wmfRecords(b);
    ASSERT_FALSE(records.empty());
    EXPECT_EQ(records.back().type, MetaEof);
    EXPECT_EQ(records.back().offset + records.back().size, b.size());
    EXPECT_EQ(u16At(b, 22 + 6) | uint32_t(u16At(b, 22 + 8)) << 16, uint32_t((b.size() - 22) / 2));
    qsizetype largest = 0;
    for (const Record& r : records)
        largest = std::max(largest, r.size / 2);
    EXPECT_EQ(u32At(b, 22 + 12), uint32_t(largest));

    // Object slots: lowest free first, never selecting or deleting an empty one.
    const uint16_t objects = u16At(b, 22 + 10);
    std::vector<bool> used(objects, false);
    for (const Record& r : records) {
        if (r.type == MetaCreatePen || r.type == MetaCreateBrush) {
            const auto free = std::find(used.begin(), used.end(), false);
            ASSERT_NE(free, used.end()) << "NumberOfObjects too small";
            *free = true;
        } else if (r.type == MetaSelectObject || r.type == MetaDeleteObject) {
            const uint16_t slot = u16At(b, r.offset + 6);
            ASSERT_LT(slot, objects);
            EXPECT_TRUE(used[slot]);
            if (r.type == MetaDeleteObject)
                used[slot] = false;
        }
    }
    const std::map<uint32_t, int> counts = countTypes(records);
    EXPECT_GE(counts.count(MetaPolyline), 1u);
    EXPECT_GE(counts.count(MetaPolygon) + counts.count(MetaPolyPolygon), 1u);
    EXPECT_GE(counts.count(MetaStretchDib), 1u) << "the gradient ellipse";
    // Every bitmap is a plain copy whose source is the whole embedded DIB.
    for (const Record& r : records) {
        if (r.type != MetaStretchDib)
            continue;
        EXPECT_EQ(u32At(b, r.offset + 6), 0x00CC0020u) << "SRCCOPY";
        const qsizetype dib = r.offset + 28;
        EXPECT_EQ(u32At(b, dib), 40u) << "BITMAPINFOHEADER";
        EXPECT_EQ(i16At(b, r.offset + 12), i32At(b, dib + 8)) << "source height";
        EXPECT_EQ(i16At(b, r.offset + 14), i32At(b, dib + 4)) << "source width";
        EXPECT_EQ(i16At(b, r.offset + 16), 0);
        EXPECT_EQ(i16At(b, r.offset + 18), 0);
    }
}

// --- images for readers without blending ------------------------------------

struct SplitRow {
    const char* name;
    QImage (*make)();
    bool opaque;
    bool byColour;
};

class SplitOpaqueImage : public ::testing::TestWithParam<SplitRow> { };

QImage paintedImage(void (*paint)(QPainter&))
{
    QImage image(40, 30, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    paint(p);
    return image;
}

TEST_P(SplitOpaqueImage, RectanglesCoverExactlyThePixelsThatShow)
{
    const QImage image = GetParam().make().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const OpaqueRegions regions = SplitOpaque(image);
    ASSERT_EQ(regions.opaque, GetParam().opaque);
    if (regions.opaque)
        return;
    ASSERT_EQ(!regions.colours.isEmpty(), GetParam().byColour);
    QImage cover(image.size(), QImage::Format_Grayscale8);
    cover.fill(0);
    for (qsizetype i = 0; i < regions.rects.size(); ++i) {
        const QRect r = regions.rects[i];
        ASSERT_TRUE(image.rect().contains(r));
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x) {
                ++cover.scanLine(y)[x];
                if (!regions.colours.isEmpty()) {
                    EXPECT_EQ(regions.onWhite.pixel(x, y), regions.colours[i]);
                }
            }
    }
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            ASSERT_EQ(cover.scanLine(y)[x], qAlpha(p) ? 1 : 0) << x << "," << y;
        }
    const QRgb centre = image.pixel(10, 10), onWhite = regions.onWhite.pixel(10, 10);
    EXPECT_EQ(qRed(onWhite), qRed(centre) + 255 - qAlpha(centre)) << "composited onto white";
}

INSTANTIATE_TEST_SUITE_P(Images, SplitOpaqueImage,
    ::testing::Values(SplitRow { "Opaque",
                          [] {
                              QImage i(8, 8, QImage::Format_ARGB32);
                              i.fill(QColor(10, 20, 30));
                              return i;
                          },
                          true, false },
        SplitRow { "HatchWithHoles",
            [] {
                return paintedImage([](QPainter& p) {
                    p.setPen(Qt::NoPen);
                    p.setBrush(QBrush(Qt::blue, Qt::DiagCrossPattern));
                    p.drawRect(0, 0, 40, 30);
                    p.setBrush(QColor(255, 0, 0, 128));
                    p.drawRect(5, 5, 10, 10);
                });
            },
            false, true },
        SplitRow { "GradientEllipse",
            [] {
                return paintedImage([](QPainter& p) {
                    p.setRenderHint(QPainter::Antialiasing);
                    QLinearGradient g(0, 0, 40, 0);
                    g.setColorAt(0, Qt::red);
                    g.setColorAt(1, Qt::blue);
                    p.setPen(Qt::NoPen);
                    p.setBrush(g);
                    p.drawEllipse(QRectF(2, 2, 36, 26));
                });
            },
            false, false }),
    [](const auto& info) { return std::string(info.param.name); });

// --- real readers --------------------------------------------------------------

Drawing sampleDrawing()
{
    Drawing d;
    appendEntry(d.attributes.penColor, PenColorEntry { 0, 0x0000FF });
    appendEntry(d.attributes.width, WidthEntry { 0, 3 });
    appendEntry(d.attributes.brushAlphaColor, PenAlphaColorEntry { 0, 0xFF0000, 120 });
    d.AppendLine({ OutlineHeader { 0, 1, 0, 0, -1, 2 }, 10, 10, 150, 90 });
    d.AppendPolygon({ ClosedHeader { 2, 0, 1, 0, 0, -1, 0, 2, 0 }, { { 20, 80 }, { 60, 20 }, { 100, 80 } } });
    TextRecord t;
    t.x = 20, t.y = 110, t.size = 16, t.xRatio = 1, t.text = "テキスト";
    t.fontName = "ＭＳ ゴシック";
    d.AppendText(t);
    return d;
}

struct ReaderRow {
    const char* name;
    const char* file;
    const char* program;
    QStringList (*arguments)(const QString& in, const QString& out);
};

class MetafileReader : public ::testing::TestWithParam<ReaderRow> { };

TEST_P(MetafileReader, ConvertsTheExport)
{
    const ReaderRow row = GetParam();
    const QString program = QStandardPaths::findExecutable(row.program);
    if (program.isEmpty())
        GTEST_SKIP() << row.program << " is not installed";
    QTemporaryDir dir;
    Drawing d = sampleDrawing();
    const QString in = dir.filePath(row.file), out = dir.filePath("out.svg");
    ASSERT_TRUE(ExportImage(d, in, 160, 120).ok());
    QProcess process;
    process.setWorkingDirectory(dir.path());
    process.start(program, row.arguments(in, out));
    ASSERT_TRUE(process.waitForFinished(60000));
    EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    QFile svg(out);
    ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
    const QByteArray text = svg.readAll();
    EXPECT_TRUE(text.contains("<svg"));
    EXPECT_GE(text.count("<path") + text.count("<polygon") + text.count("<polyline"), 2);
}

INSTANTIATE_TEST_SUITE_P(Readers, MetafileReader,
    ::testing::Values(ReaderRow { "emf2svg", "a.emf", "emf2svg-conv",
                          [](const QString& in, const QString& out) {
                              return QStringList { "-i", in, "-o", out };
                          } },
        ReaderRow { "wmf2svg", "a.wmf", "wmf2svg",
            [](const QString& in, const QString& out) {
                return QStringList { "-o", out, in };
            } }),
    [](const auto& info) { return std::string(info.param.name); });

// The sample drawing through each reader looks like the PNG export: both
// are cut to their content (libwmf sizes its picture to the drawn extent) and
// averaged over 4 x 4 pixel blocks, which absorbs the readers' own
// anti-aliasing and the phase of one-pixel hatch lines; a block counts as
// different when a channel is off by more than a quarter of full scale.
// Missing fills or opaque blocks over the picture show up as 10% and more.
struct LookRow {
    const char* name;
    const char* extension;
    QStringList programs; // each converts the previous output; %1 input, %2 output
    QList<QStringList> arguments;
    double maxDifferent;
};

class MetafileLook : public ::testing::TestWithParam<LookRow> { };

QImage contentBlocks(const QImage& picture, QSize size = {})
{
    QImage flat(picture.size(), QImage::Format_RGB32);
    flat.fill(Qt::white);
    QPainter(&flat).drawImage(0, 0, picture);
    QRect content;
    for (int y = 0; y < flat.height(); ++y)
        for (int x = 0; x < flat.width(); ++x)
            if (flat.pixel(x, y) != qRgb(255, 255, 255))
                content |= QRect(x, y, 1, 1);
    const QImage cut = flat.copy(content);
    const QSize blocks = size.isValid() ? size : cut.size() / 4;
    return cut.scaled(blocks, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

TEST_P(MetafileLook, MatchesThePngExport)
{
#ifndef MIRT_EXPORT_BINARY
    GTEST_SKIP() << "mirt-export is not built";
#else
    const LookRow row = GetParam();
    for (const QString& program : row.programs) {
        if (QStandardPaths::findExecutable(program).isEmpty())
            GTEST_SKIP() << program.toStdString() << " is not installed";
    }
    QTemporaryDir dir;
    const QString sample = QStringLiteral(MIRT_TEST_DATA "/sample.mt");
    const QString png = dir.filePath("ref.png");
    QString current = dir.filePath(QStringLiteral("a.") + row.extension);
    for (const QString& out : { png, current }) {
        ASSERT_EQ(QProcess::execute(QStringLiteral(MIRT_EXPORT_BINARY), { sample, out }), 0);
    }
    for (qsizetype i = 0; i < row.programs.size(); ++i) {
        const QString next = dir.filePath(QStringLiteral("step%1.%2").arg(i).arg(
            i + 1 == row.programs.size() ? "png" : "svg"));
        QStringList args;
        for (const QString& a : row.arguments[i])
            args << QString(a).replace("%1", current).replace("%2", next);
        QProcess process;
        process.setWorkingDirectory(dir.path());
        process.start(QStandardPaths::findExecutable(row.programs[i]), args);
        ASSERT_TRUE(process.waitForFinished(300000));
        ASSERT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
        current = next;
    }
    const QImage expected = contentBlocks(QImage(png));
    const QImage actual = contentBlocks(QImage(current), expected.size());
    ASSERT_FALSE(expected.isNull());
    ASSERT_EQ(actual.size(), expected.size());
    int different = 0;
    for (int y = 0; y < expected.height(); ++y)
        for (int x = 0; x < expected.width(); ++x) {
            const QRgb a = expected.pixel(x, y), b = actual.pixel(x, y);
            different += std::max({ std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                             std::abs(qBlue(a) - qBlue(b)) })
                > 64;
        }
    const double share = double(different) / (expected.width() * expected.height());
    RecordProperty("different_blocks_percent", QString::number(100 * share, 'f', 2).toStdString());
    EXPECT_LT(share, row.maxDifferent) << different << " blocks differ";
#endif
}

const QStringList kInkscapeArgs { "%1", "--export-type=png", "--export-filename=%2",
    "--export-background=white", "--export-width=1280" };

INSTANTIATE_TEST_SUITE_P(Readers, MetafileLook,
    ::testing::Values(LookRow { "libwmf", "wmf", { "wmf2gd" },
                          { { "--maxwidth=1280", "--maxheight=960", "--maxsize", "-t", "png", "-o", "%2", "%1" } },
                          0.06 },
        LookRow { "InkscapeWmf", "wmf", { "inkscape" }, { kInkscapeArgs }, 0.04 },
        LookRow { "emf2svg", "emf", { "emf2svg-conv", "rsvg-convert" },
            { { "-i", "%1", "-o", "%2" }, { "%1", "-o", "%2" } }, 0.04 },
        LookRow { "InkscapeEmf", "emf", { "inkscape" }, { kInkscapeArgs }, 0.04 }),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
