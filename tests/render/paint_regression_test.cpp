// Pixels of every attribute row of the benchmarks and of the mixed drawings,
// compared with checksums of what the renderers drew before their speed work
// (tests/data/paint_checksums.txt). A changed checksum means a changed
// picture: look at the row, and regenerate the file only when the new pixels
// are the right ones, by running the test with MIRT_WRITE_PAINT_CHECKSUMS set
// to that file (build/tests/mirt_render_tests --gtest_filter='PaintRegression*').
#include <QCryptographicHash>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>
#include <gtest/gtest.h>

#include <map>

#include "render/export.h"
#include "render/picture.h"
#include "samples/sample_drawing.h"
#include "samples/sample_texture.h"
#include "tests/render/render_canvas.h"

namespace {

constexpr int kWidth = 480, kHeight = 270;
constexpr int kRowElements = 120;

struct Case {
    std::string name;
    SampleOptions options;
    bool exported = false;  // drawn by the raster export (in bands) rather than on one surface
};

const QString& texturePath()
{
    static QTemporaryDir dir;
    static const QString path = [] {
        const QString p = dir.filePath(QStringLiteral("texture.png"));
        writeSampleTexture(p);
        return p;
    }();
    return path;
}

std::vector<Case> cases()
{
    std::vector<Case> out;
    const std::string image = texturePath().toStdString();
    for (const AttributeRow& row : attributeRows())
        out.push_back({row.name, SampleOptions{kRowElements, kWidth, kHeight, 7, SampleLook::Row, &row, image}});
    out.push_back({"mixed_plain", SampleOptions{1000, kWidth, kHeight, 3, SampleLook::Plain, nullptr, image}});
    const SampleOptions mixed{1000, kWidth, kHeight, 3, SampleLook::AllAttributes, nullptr, image};
    out.push_back({"mixed_attributes", mixed});
    out.push_back({"export_attributes", mixed, true});
    return out;
}

QImage paint(const Case& c)
{
    Drawing drawing;
    fillSampleDrawing(drawing, c.options);
    if (c.exported)
        return RenderPicture(drawing, kWidth, kHeight);
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    PictureParams params;
    params.imageWidth = params.canvasWidth = kWidth;
    params.imageHeight = params.canvasHeight = kHeight;
    TGraphP g;
    EXPECT_TRUE(g.Begin(&image));
    DrawPicture(g, drawing, params);
    g.End();
    return image;
}

QByteArray checksum(const QImage& image)
{
    QCryptographicHash hash(QCryptographicHash::Sha1);
    for (int y = 0; y < image.height(); ++y)
        hash.addData(QByteArrayView(reinterpret_cast<const char*>(image.constScanLine(y)), image.width() * 4));
    return hash.result().toHex();
}

std::map<std::string, QByteArray> storedChecksums()
{
    std::map<std::string, QByteArray> out;
    QFile file(QStringLiteral(MIRT_TEST_DATA "/paint_checksums.txt"));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return out;
    while (!file.atEnd()) {
        const QList<QByteArray> fields = file.readLine().trimmed().split(' ');
        if (fields.size() == 2)
            out[fields[0].toStdString()] = fields[1];
    }
    return out;
}

TEST(PaintRegression, EveryRowPaintsAsBefore)
{
    render_test::ensureGuiApp();
    const QByteArray writeTo = qgetenv("MIRT_WRITE_PAINT_CHECKSUMS");
    const std::map<std::string, QByteArray> stored = storedChecksums();
    QByteArray written;
    for (const Case& c : cases()) {
        const QImage image = paint(c);
        const QByteArray sum = checksum(image);
        written += QByteArray::fromStdString(c.name) + ' ' + sum + '\n';
        if (!writeTo.isEmpty())
            continue;
        const auto it = stored.find(c.name);
        ASSERT_NE(it, stored.end()) << c.name << " has no stored checksum";
        EXPECT_EQ(it->second, sum) << c.name << " paints differently";
    }
    if (!writeTo.isEmpty()) {
        QFile out(QString::fromLocal8Bit(writeTo));
        ASSERT_TRUE(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
        out.write(written);
    }
}

}  // namespace
