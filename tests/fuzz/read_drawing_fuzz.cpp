// libFuzzer target: any bytes through the drawing-file reader, then the
// drawing read back through the writer and the reader again. The second read
// must give the same number of elements as the first.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "storage/files.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Drawing drawing;
    const FileResult read = ReadDrawingText(drawing, std::string_view(reinterpret_cast<const char*>(data), size));
    if (read.imageSize.width < 1 || read.imageSize.height < 1)
        std::abort();
    drawing.RecomputeLayerUse();

    std::string bytes;
    if (!WriteDrawingText(drawing, read.imageSize, bytes).ok())
        return 0;  // a text CP932 cannot hold (decoded U+FFFD never can)
    Drawing again;
    ReadDrawingText(again, bytes);
    if (again.registry.size() != drawing.registry.size())
        std::abort();
    return 0;
}
