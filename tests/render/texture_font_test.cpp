// Image pens and brushes read from files (tiling, missing files, paths that
// are not regular files) and the Windows font names' substitutes.
#include <QDir>
#include <QFontDatabase>
#include <QFontInfo>
#include <QTemporaryDir>

#include <sys/stat.h>

#include "render/fonts.h"
#include "render/texture.h"
#include "surface_fixture.h"

namespace {

class TextureTest : public SurfaceTest {
protected:
    void SetUp() override
    {
        SurfaceTest::SetUp();
        ASSERT_TRUE(dir.isValid());
        QImage tile(4, 4, QImage::Format_RGB32);
        tile.fill(qRgb(0, 0, 255));
        tile.setPixel(0, 0, qRgb(255, 0, 0));
        tilePath = dir.filePath("tile.png");
        ASSERT_TRUE(tile.save(tilePath));
        fifoPath = dir.filePath("pipe.png");
        ASSERT_EQ(mkfifo(fifoPath.toLocal8Bit().constData(), 0600), 0);
    }
    QTemporaryDir dir;
    QString tilePath, fifoPath;
};

TEST_F(TextureTest, ImageBrushTilesFromTheDeviceOrigin)
{
    surface.MakeTextureBrush(tilePath);
    surface.FillRectangle(QRectF(10, 10, 40, 40));
    EXPECT_EQ(pixel(12, 12), qRgb(255, 0, 0));
    EXPECT_EQ(pixel(16, 20), qRgb(255, 0, 0));
    EXPECT_EQ(pixel(13, 12), qRgb(0, 0, 255));
}

TEST_F(TextureTest, ImageBrushFromAMissingFileOrAFifoFillsWithTheSolidColour)
{
    for (const QString& path : {dir.filePath("absent.png"), fifoPath, QString("/dev/zero"), dir.path()}) {
        open();
        surface.SetSolidBrush(0xFF00FF00);
        surface.MakeTextureBrush(path);
        surface.FillRectangle(QRectF(10, 10, 40, 40));
        EXPECT_EQ(pixel(12, 12), qRgb(0, 255, 0)) << path.toStdString();
    }
}

TEST_F(TextureTest, ImagePenWithAMissingFileKeepsThePreviousPen)
{
    appendEntry(tables.penHatch, HatchEntry{0, 0, 0x000000, 255, 0xFFFFFF, 255});
    appendEntry(tables.penImage, ImageEntry{0, dir.filePath("absent.png").toStdString()});
    appendEntry(tables.width, WidthEntry{0, 2});
    appendEntry(tables.width, WidthEntry{0, 16});
    surface.ApplyPen(3, 0, {}, {}, 1.0, false, 0, -1, 0);  // horizontal hatch pen
    surface.ApplyPen(4, 0, {}, {}, 1.0, false, 0, -1, 1);  // restyled 16 px wide
    surface.DrawLine(10, 60, 150, 60);
    EXPECT_EQ(pixel(50, 60), qRgb(0, 0, 0));  // hatch line rows: 4 mod 8
    EXPECT_TRUE(isWhite(50, 61));
    EXPECT_EQ(pixel(50, 52), qRgb(0, 0, 0));
}

TEST_F(TextureTest, ImagePenThatCannotBeReadBecomesASolidPenOfTheStoredColour)
{
    surface.SetPenArgb(0xFFFF0000);
    surface.MakeHatchPen(0, 0xFF000000, 0xFFFFFFFF);
    surface.SetPenWidth(8);
    surface.MakeImagePen(fifoPath);
    surface.DrawLine(10, 60, 150, 60);
    EXPECT_EQ(pixel(50, 61), qRgb(255, 0, 0));
    EXPECT_EQ(pixel(50, 60), qRgb(255, 0, 0));
}

TEST_F(TextureTest, ImagePenFillsItsStrokeWithTheTile)
{
    surface.SetPenWidth(8);
    surface.MakeImagePen(tilePath);
    surface.DrawLine(10, 60, 150, 60);
    EXPECT_EQ(pixel(20, 60), qRgb(255, 0, 0));
    EXPECT_EQ(pixel(21, 60), qRgb(0, 0, 255));
}

TEST(TextureLoading, ReportsMissingApartFromUnreadable)
{
    QTemporaryDir dir;
    EXPECT_EQ(loadTexture(dir.filePath("none.png")).status, TextureLoad::Missing);
    EXPECT_EQ(loadTexture(QString()).status, TextureLoad::Missing);
    EXPECT_EQ(loadTexture("/dev/null").status, TextureLoad::Failed);
    QFile junk(dir.filePath("junk.png"));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("not an image at all");
    junk.close();
    EXPECT_EQ(loadTexture(junk.fileName()).status, TextureLoad::Failed);
}

TEST(TextureLoading, RefusesImagesWhoseDecodedSizeIsTooLarge)
{
    // A tiny PNG header declaring 30000 x 30000 pixels.
    QTemporaryDir dir;
    QImage small(1, 1, QImage::Format_RGB32);
    small.fill(Qt::black);
    const QString path = dir.filePath("huge.png");
    ASSERT_TRUE(small.save(path));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    QByteArray bytes = file.readAll();
    const char size[8] = {0, 0, 0x75, 0x30, 0, 0, 0x75, 0x30};  // IHDR width, height
    bytes.replace(16, 8, QByteArray(size, 8));
    file.seek(0);
    file.write(bytes);
    file.close();
    EXPECT_EQ(loadTexture(path).status, TextureLoad::Failed);
}

struct FontRow { const char* name; const char* windowsName; const char* installed; };
class FontSubstitution : public ::testing::TestWithParam<FontRow> {};

TEST_P(FontSubstitution, WindowsNamesResolveToInstalledFontsAndKeepTheirName)
{
    const FontRow row = GetParam();
    const QString name = QString::fromUtf8(row.windowsName);
    if (!QFontDatabase::hasFamily(row.installed))
        GTEST_SKIP() << row.installed << " is not installed";
    TGraphP surface;
    surface.SetFont(name, 1, 24.0);
    EXPECT_TRUE(surface.hasFont());
    EXPECT_EQ(surface.font().family(), name);
    // QFontInfo may add the foundry: "Nimbus Sans [urw]"
    EXPECT_TRUE(QFontInfo(surface.font()).family().startsWith(QString::fromUtf8(row.installed)))
        << QFontInfo(surface.font()).family().toStdString();
    EXPECT_TRUE(surface.font().bold());
}

INSTANTIATE_TEST_SUITE_P(Names, FontSubstitution,
                         ::testing::Values(FontRow{"MsGothic", "ＭＳ ゴシック", "IPAGothic"},
                                           FontRow{"MsPGothic", "ＭＳ Ｐゴシック", "IPAPGothic"},
                                           FontRow{"MsMincho", "ＭＳ 明朝", "IPAMincho"},
                                           FontRow{"MsPMincho", "ＭＳ Ｐ明朝", "IPAPMincho"},
                                           FontRow{"MsUiGothic", "MS UI Gothic", "IPAPGothic"},
                                           FontRow{"Arial", "Arial", "Nimbus Sans"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(FontSubstitution, UnknownFamiliesAndBadSizesGiveNoFont)
{
    TGraphP surface;
    surface.SetFont("No Such Family 12345", 0, 12.0);
    EXPECT_FALSE(surface.hasFont());
    surface.SetFont("IPAGothic", 0, 0.0);
    EXPECT_FALSE(surface.hasFont());
    surface.SetFont("IPAGothic", 0, 12.0);
    EXPECT_TRUE(surface.hasFont());
}

// The surface keeps the last font and the families it has looked up; every
// change of name, style or size must still rebuild the font.
TEST(FontSubstitution, RepeatedAndChangedFontsFollowEveryCall)
{
    if (!QFontDatabase::hasFamily("IPAGothic"))
        GTEST_SKIP() << "IPAGothic is not installed";
    TGraphP surface;
    surface.SetFont("IPAGothic", 0, 12.0);
    surface.SetFont("IPAGothic", 0, 12.0);
    EXPECT_TRUE(surface.hasFont());
    EXPECT_EQ(surface.font().pixelSize(), 12);
    surface.SetFont("IPAGothic", 3, 12.0);
    EXPECT_TRUE(surface.font().bold());
    EXPECT_TRUE(surface.font().italic());
    surface.SetFont("IPAGothic", 3, 20.0);
    EXPECT_EQ(surface.font().pixelSize(), 20);
    surface.SetFont("No Such Family 12345", 3, 20.0);
    EXPECT_FALSE(surface.hasFont());
    surface.SetFont("No Such Family 12345", 3, 20.0);
    EXPECT_FALSE(surface.hasFont());
    surface.SetFont("IPAGothic", 3, 20.0);
    EXPECT_TRUE(surface.hasFont());
    EXPECT_EQ(surface.font().family(), "IPAGothic");
}

}  // namespace
