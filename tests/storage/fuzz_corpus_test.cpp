// Replays every file of the fuzz corpus through the reader and the writer:
// inputs that once found faults must keep reading without one.
#include <gtest/gtest.h>

#include <filesystem>

#include "storage/files.h"
#include "storage_fixtures.h"

namespace {

TEST(DrawingFileFuzzCorpus, EveryFileReadsAndWritesBack)
{
    const std::filesystem::path corpus = std::filesystem::path(MIRT_TEST_DATA) / ".." / "fuzz_corpus";
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(corpus)) {
        if (!entry.is_regular_file())
            continue;
        ++files;
        Drawing d;
        const FileResult read = ReadDrawingText(d, readBytes(entry.path().string()));
        EXPECT_TRUE(read.ok()) << entry.path();
        EXPECT_GE(read.imageSize.width, 1);
        std::string out;
        const FileResult write = WriteDrawingText(d, read.imageSize, out);
        EXPECT_TRUE(write.ok() || write.status == FileStatus::Unencodable) << entry.path();
        // Files with bytes that are no CP932 character must come back unchanged.
        if (entry.path().filename().string().starts_with("kept_")) {
            EXPECT_EQ(out, readBytes(entry.path().string())) << entry.path();
        }
    }
    EXPECT_GE(files, 10);
}

}  // namespace
