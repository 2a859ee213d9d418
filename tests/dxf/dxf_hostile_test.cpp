// Bad DXF input: each file below is refused with a reason, or read with a
// defined result, and a refused file leaves the drawing as it was.
#include "tests/dxf/dxf_test_support.h"

namespace {

std::string entities(const std::string& body)
{
    return "0\nSECTION\n2\nENTITIES\n" + body + "0\nENDSEC\n0\nEOF\n";
}

struct HostileCase {
    const char* name;
    std::string bytes;
    bool refused;
};

class DxfHostile : public ::testing::TestWithParam<HostileCase> {};

TEST_P(DxfHostile, DefinedOutcomeAndDrawingKeptWhenRefused)
{
    Drawing d;
    d.AppendLine(LineRecord{{0, 1, 0, 0, 0, 0}, 1, 2, 3, 4});
    const dxf::ReadResult r = dxf::ReadDxfText(GetParam().bytes, d);
    if (GetParam().refused) {
        EXPECT_FALSE(r.ok());
        EXPECT_FALSE(r.replaced);
        EXPECT_FALSE(r.message.empty());
        ASSERT_EQ(d.tables.lines.size(), 1u);
        EXPECT_EQ(d.tables.lines[0].x2, 3);
    } else {
        EXPECT_TRUE(r.ok()) << r.message;
        EXPECT_GE(r.imageSize.width, 1);
        EXPECT_LE(r.imageSize.width, kMaxImageSide);
    }
}

const std::string kBinary = std::string("AutoCAD Binary DXF\r\n\x1a\0", 22) + "\x00\x00SECTION";

INSTANTIATE_TEST_SUITE_P(
    Files, DxfHostile,
    ::testing::Values(
        HostileCase{"Binary", kBinary, true},
        HostileCase{"Empty", "", true},
        HostileCase{"NotDxf", "hello\nworld\n", true},
        HostileCase{"WrongGroupCode", entities("0\nLINE\nten\n1.0\n"), true},
        HostileCase{"Truncated", "0\nSECTION\n2\nENTITIES\n0\nLINE\n10\n1.0\n", true},
        HostileCase{"HugeVertexCount", entities("0\nLWPOLYLINE\n90\n2147483647\n70\n0\n10\n1\n20\n2\n10\n3\n20\n4\n"), false},
        HostileCase{"OverflowingVertexCount", entities("0\nLWPOLYLINE\n90\n1073741825\n10\n1\n20\n2\n"), false},
        HostileCase{"HugeSplineCounts",
                    entities("0\nSPLINE\n71\n3\n72\n999999999\n73\n999999999\n74\n999999999\n10\n0\n20\n0\n10\n1\n20\n1\n"), false},
        HostileCase{"NanCoordinates", entities("0\nLINE\n10\nnan\n20\n0\n11\n1\n21\n1\n0\nLINE\n10\n0\n20\n0\n11\n1e300\n21\n1\n"), false},
        HostileCase{"DeepBlocks", [] {
            std::string blocks = "0\nSECTION\n2\nBLOCKS\n";
            for (int i = 0; i < 40; ++i)
                blocks += "0\nBLOCK\n2\nB" + std::to_string(i) + "\n10\n0\n20\n0\n0\nINSERT\n2\nB" +
                          std::to_string(i + 1) + "\n10\n1\n20\n0\n0\nLINE\n10\n0\n20\n0\n11\n1\n21\n1\n0\nENDBLK\n";
            return blocks + "0\nENDSEC\n" + entities("0\nINSERT\n2\nB0\n10\n0\n20\n0\n");
        }(), false},
        HostileCase{"SelfReference", "0\nSECTION\n2\nBLOCKS\n0\nBLOCK\n2\nA\n10\n0\n20\n0\n0\nINSERT\n2\nA\n10\n1\n20\n1\n0\nENDBLK\n0\nENDSEC\n" +
                                         entities("0\nINSERT\n2\nA\n10\n0\n20\n0\n"), false},
        HostileCase{"LongLine", entities("0\nTEXT\n1\n" + std::string(100000, 'x') + "\n10\n0\n20\n0\n40\n5\n"), false}),
    [](const ::testing::TestParamInfo<HostileCase>& info) { return std::string(info.param.name); });

TEST(DxfHostileBlocks, NestingStopsAtItsDepthAndSaysSo)
{
    std::string blocks = "0\nSECTION\n2\nBLOCKS\n";
    for (int i = 0; i < 40; ++i)
        blocks += "0\nBLOCK\n2\nB" + std::to_string(i) + "\n10\n0\n20\n0\n0\nINSERT\n2\nB" + std::to_string(i + 1) +
                  "\n10\n1\n20\n0\n0\nLINE\n10\n0\n20\n0\n11\n1\n21\n1\n0\nENDBLK\n";
    Drawing d;
    const dxf::ReadResult r = dxf::ReadDxfText(blocks + "0\nENDSEC\n" + entities("0\nINSERT\n2\nB0\n10\n0\n20\n0\n"), d);
    ASSERT_TRUE(r.ok()) << r.message;
    EXPECT_EQ(d.tables.lines.size(), 16u);
    EXPECT_NE(r.skippedSummary().find("INSERT (入れ子が深すぎる) 1"), std::string::npos) << r.skippedSummary();
}

}  // namespace
