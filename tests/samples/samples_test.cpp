// The shared drawings: the sample sheet is the drawing of the sample file the
// export tests read, and a generated drawing depends on its options alone,
// so benchmark runs and pixel checksums compare across runs.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "samples/sample_drawing.h"
#include "samples/sample_sheet.h"
#include "storage/files.h"

namespace {

std::string FileText(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::string Written(const Drawing& drawing, ImageSize size)
{
    std::string text;
    EXPECT_TRUE(WriteDrawingText(drawing, size, text).ok());
    return text;
}

TEST(SampleSheet, IsTheDrawingOfTheSampleFile)
{
    Drawing sheet;
    fillSampleSheet(sheet);
    const std::string expected = FileText(MIRT_TEST_DATA "/sample.mt");
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(Written(sheet, kSampleSheetImage), expected);
}

class GeneratedDrawing : public testing::TestWithParam<SampleLook> {
protected:
    std::string generated(unsigned seed)
    {
        SampleOptions options{.elementCount = 200, .seed = seed, .look = GetParam()};
        if (GetParam() == SampleLook::Row)
            options.row = &attributeRows().front();
        Drawing drawing;
        fillSampleDrawing(drawing, options);
        EXPECT_EQ(drawing.registry.size(), 200u);
        return Written(drawing, {1920, 1080});
    }
};

TEST_P(GeneratedDrawing, DependsOnItsOptionsAlone)
{
    EXPECT_EQ(generated(1), generated(1));
    EXPECT_NE(generated(1), generated(2));
}

INSTANTIATE_TEST_SUITE_P(Looks, GeneratedDrawing,
                         testing::Values(SampleLook::Plain, SampleLook::AllAttributes, SampleLook::Row));

}  // namespace
