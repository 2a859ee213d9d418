// Opening DXF files that ezdxf writes, as another CAD program would: every
// entity type the import takes, BYLAYER and BYBLOCK colours, nested and
// self-referencing blocks, bulges, and the count of what has no counterpart.
#include "tests/dxf/dxf_test_support.h"

#include <algorithm>
#include <cmath>

namespace {

using namespace dxf_test;

class DxfImport : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        folder = new std::filesystem::path(std::filesystem::temp_directory_path() /
                                           ("mirt_dxf_import_" + std::to_string(::getpid())));
        std::filesystem::create_directories(*folder);
        std::string output;
        ASSERT_EQ(RunScript("make_dxf_files.py", folder->string() + " 20000", output), 0) << output;
    }
    static void TearDownTestSuite()
    {
        std::filesystem::remove_all(*folder);
        delete folder;
    }
    static std::filesystem::path* folder;
};
std::filesystem::path* DxfImport::folder = nullptr;

int64_t skippedCount(const dxf::ReadResult& r, const std::string& what)
{
    for (const dxf::Skipped& s : r.skipped)
        if (s.what == what)
            return s.count;
    return 0;
}

TEST_F(DxfImport, EveryEntityTypeBecomesItsKind)
{
    Drawing d;
    const dxf::ReadResult r = dxf::ReadDxf((*folder / "every_entity.dxf").string(), d);
    ASSERT_TRUE(r.ok()) << r.message;
    const KindTables& t = d.tables;
    EXPECT_EQ(t.circles.size(), 2u);   // one of them from the block
    EXPECT_EQ(t.arcs.size(), 1u);
    EXPECT_EQ(t.ellipses.size(), 1u);
    EXPECT_EQ(t.ellipticArcs.size(), 1u);
    EXPECT_EQ(t.beziers.size(), 1u);   // the control-point spline is a Bézier chain
    EXPECT_EQ(t.texts.size(), 2u);     // TEXT and MTEXT
    EXPECT_EQ(t.points.size(), 1u);
    EXPECT_EQ(t.polygons.size(), 4u);  // closed LWPOLYLINE, SOLID, TRACE, solid HATCH
    EXPECT_GE(t.polylines.size(), 3u); // bulged LWPOLYLINE, POLYLINE, fitted SPLINE
    EXPECT_TRUE(d.isModified());
    EXPECT_TRUE(d.journal.canUndo());

    // The MTEXT's paragraphs and formatting are plain text.
    const auto mtext = std::find_if(t.texts.begin(), t.texts.end(), [](const TextRecord& x) { return x.anchor == 4; });
    ASSERT_NE(mtext, t.texts.end());
    EXPECT_EQ(mtext->text, "Line1 Line2 X");
}

TEST_F(DxfImport, ColoursResolveByLayerAndByBlock)
{
    Drawing d;
    const dxf::ReadResult r = dxf::ReadDxf((*folder / "every_entity.dxf").string(), d);
    ASSERT_TRUE(r.ok()) << r.message;
    auto penColour = [&d](const OutlineHeader& h) { return d.attributes.penColor.at(size_t(h.penRef)).color; };
    // The WALLS line is BYLAYER red; the block's inner line is BYBLOCK and
    // takes the insert's cyan, placed by both inserts' transforms.
    bool walls = false, byBlock = false;
    for (const LineRecord& line : d.tables.lines) {
        const Layer* layer = d.layerAt(line.h.layer);
        if (layer && layer->name == "WALLS") {
            walls = true;
            EXPECT_EQ(penColour(line.h), 0x0000FF);
            EXPECT_NEAR(d.attributes.width.at(size_t(line.h.widthRef)).width, 0.5 / 25.4 * 96, 1e-9);
        }
        if (penColour(line.h) == 0xFFFF00) {
            byBlock = true;
            EXPECT_NEAR(std::abs(line.x2 - line.x1), 0, 1e-9);  // turned by 90 degrees
            EXPECT_NEAR(std::abs(line.y2 - line.y1), 20, 1e-9); // scaled by 2 and by 10
        }
    }
    EXPECT_TRUE(walls);
    EXPECT_TRUE(byBlock);
    // The hidden layer stays hidden.
    const Layer* hidden = d.layerAt(d.tables.circles.at(0).h.layer);
    ASSERT_NE(hidden, nullptr);
    EXPECT_EQ(hidden->name, "HIDDEN");
    EXPECT_FALSE(hidden->visible);
}

TEST_F(DxfImport, WhatHasNoCounterpartIsCountedOnce)
{
    Drawing d;
    const dxf::ReadResult r = dxf::ReadDxf((*folder / "every_entity.dxf").string(), d);
    ASSERT_TRUE(r.ok()) << r.message;
    EXPECT_EQ(skippedCount(r, "XLINE"), 1);
    EXPECT_EQ(skippedCount(r, "DIMENSION"), 1);
    EXPECT_EQ(skippedCount(r, "HATCH (模様)"), 1);
    EXPECT_EQ(skippedCount(r, "INSERT (自己参照)"), 1);
    EXPECT_NE(r.skippedSummary().find("XLINE 1"), std::string::npos);
}

TEST_F(DxfImport, BulgesBecomeArcPoints)
{
    Drawing d;
    ASSERT_TRUE(dxf::ReadDxf((*folder / "every_entity.dxf").string(), d).ok());
    // The first LWPOLYLINE: a half circle of bulge 1 from (0,0) to (10,0),
    // then a straight edge to (10,10): the arc's points lie 5 from (5,0).
    bool found = false;
    for (const OpenPathRecord& p : d.tables.polylines) {
        if (p.points.size() < 10)
            continue;
        found = true;
        const PointD first = p.points.front();
        for (size_t i = 0; i + 1 < p.points.size(); ++i)
            EXPECT_NEAR(std::hypot(p.points[i].x - (first.x + 5), p.points[i].y - first.y), 5, 1e-9) << i;
        break;
    }
    EXPECT_TRUE(found);
}

TEST_F(DxfImport, ManyEntitiesOpenAndSizeTheImage)
{
    Drawing d;
    const dxf::ReadResult r = dxf::ReadDxf((*folder / "many_lines.dxf").string(), d);
    ASSERT_TRUE(r.ok()) << r.message;
    EXPECT_EQ(d.tables.lines.size(), 20000u);
    EXPECT_EQ(r.imageSize.width, 1000);  // x from 0 to 999.5
    EXPECT_EQ(r.imageSize.height, 20);   // y from 0 to 19.5
}

// The image is the extent of what is drawn, texts included: a text above
// every line still lies wholly in it.
TEST_F(DxfImport, TheImageHoldsTheTextsWhole)
{
    Drawing d;
    const dxf::ReadResult r = dxf::ReadDxf((*folder / "texts_on_top.dxf").string(), d);
    ASSERT_TRUE(r.ok()) << r.message;
    ASSERT_EQ(d.tables.texts.size(), 2u);
    EXPECT_GE(r.imageSize.height, 30);  // the line at y = 0, the first text's top at 30
    EXPECT_LE(r.imageSize.height, 40);  // a text's box, not its whole reach
    EXPECT_GE(r.imageSize.width, 1000);
    EXPECT_LE(r.imageSize.width, 1001);
    // The first text stands on its baseline 10 units above the line, which
    // lies on the image's bottom edge.
    const TextRecord& text = d.tables.texts[0];
    EXPECT_NEAR(text.y, r.imageSize.height - 10, 1e-9);
    EXPECT_GE(text.y - text.size, -1e-9) << "the text's top lies in the image";
}

// Two million lines, the size the import is built for: every one arrives,
// in file order, where the file puts it.
TEST(DxfImportHuge, TwoMillionLinesOpenWithTheirCoordinates)
{
    constexpr int kCopies = 1000, kPerCopy = 2000;
    const std::filesystem::path file =
        std::filesystem::temp_directory_path() / ("mirt_dxf_huge_" + std::to_string(::getpid()) + ".dxf");
    std::string output;
    ASSERT_EQ(RunScript("make_huge_dxf.py", file.string() + " " + std::to_string(kCopies), output), 0) << output;
    Drawing d;
    const dxf::ReadResult r = dxf::ReadDxf(file.string(), d);
    std::filesystem::remove(file);
    ASSERT_TRUE(r.ok()) << r.message;
    ASSERT_EQ(d.tables.lines.size(), size_t(kCopies) * kPerCopy);
    EXPECT_EQ(r.elements, int64_t(kCopies) * kPerCopy);
    EXPECT_TRUE(r.skipped.empty()) << r.skippedSummary();
    EXPECT_EQ(r.imageSize.width, 2000);  // x from 0 to 1999.5
    EXPECT_EQ(r.imageSize.height, 1000); // y from 0.25 to 999.75
    // Line i of copy k runs from (i, k + 0.25) to (i + 0.5, k + 0.75), y up
    // in the file: down from the top (999.75) in the drawing.
    for (const int64_t n : {int64_t(0), int64_t(1), int64_t(kPerCopy - 1), int64_t(777'777), int64_t(1'234'567),
                            int64_t(kCopies) * kPerCopy - 1}) {
        const LineRecord& line = d.tables.lines[size_t(n)];
        const double i = double(n % kPerCopy), k = double(n / kPerCopy);
        EXPECT_NEAR(line.x1, i, 1e-9) << n;
        EXPECT_NEAR(line.y1, 999.75 - (k + 0.25), 1e-9) << n;
        EXPECT_NEAR(line.x2, i + 0.5, 1e-9) << n;
        EXPECT_NEAR(line.y2, 999.75 - (k + 0.75), 1e-9) << n;
    }
}

}  // namespace
