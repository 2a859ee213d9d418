// The share done that long reads and writes report: it only grows, ends at
// 100, and a file of several read chunks passes through the shares between.
#include <gtest/gtest.h>

#include <vector>

#include "storage/files.h"
#include "storage_fixtures.h"

namespace {

struct ProgressRow {
    const char* name;
    int polylines;      // long elements after one of every kind
    bool intermediate;  // more than one read chunk, more than one element
};

class FileProgressRows : public ::testing::TestWithParam<ProgressRow> {};

void expectGrowingToHundred(const std::vector<int>& shares, bool intermediate)
{
    ASSERT_FALSE(shares.empty());
    for (size_t i = 1; i < shares.size(); ++i)
        EXPECT_LT(shares[i - 1], shares[i]) << "at " << i;
    EXPECT_GE(shares.front(), 0);
    EXPECT_EQ(shares.back(), 100);
    if (intermediate) {
        EXPECT_GT(shares.size(), 2u);
    }
}

TEST_P(FileProgressRows, SharesGrowToAHundredOnWriteAndRead)
{
    const ProgressRow& row = GetParam();
    Drawing drawing;
    drawing.ResetDatabase();
    drawing.SetUpLayers();
    fillEveryKind(drawing);
    std::vector<PointD> points(2000);
    for (size_t i = 0; i < points.size(); ++i)
        points[i] = {i * 1.25, i * 0.5};
    for (int i = 0; i < row.polylines; ++i)
        drawing.AppendPolyline({OutlineHeader{}, points});
    const std::string path = makeTempDir() + "/progress.mt";

    std::vector<int> written;
    ASSERT_TRUE(WriteDrawing(path, drawing, {640, 480}, [&](int p) { written.push_back(p); }).ok());
    expectGrowingToHundred(written, row.intermediate);

    Drawing again;
    std::vector<int> read;
    ASSERT_TRUE(ReadDrawing(path, again, [&](int p) { read.push_back(p); }).ok());
    expectGrowingToHundred(read, row.intermediate);
}

INSTANTIATE_TEST_SUITE_P(Rows, FileProgressRows,
                         ::testing::Values(ProgressRow{"one_of_every_kind", 0, false},
                                           // some 3 MB: several read chunks
                                           ProgressRow{"several_chunks", 120, true}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
