// Writes the sample sheet (samples/sample_sheet.h), the drawing of
// tests/data/sample.mt.
//
//   mirt-make-sample OUTPUT.mt
#include <cstdio>

#include "samples/sample_sheet.h"
#include "storage/files.h"

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: mirt-make-sample OUTPUT.mt\n");
        return 2;
    }
    Drawing drawing;
    fillSampleSheet(drawing);
    const FileResult result = WriteDrawing(argv[1], drawing, kSampleSheetImage);
    if (!result.ok()) {
        std::fprintf(stderr, "mirt-make-sample: %s\n", result.message.c_str());
        return 1;
    }
    return 0;
}
