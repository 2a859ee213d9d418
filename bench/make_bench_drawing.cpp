// Writes a generated benchmark drawing to a file, so whole-process figures
// (mirt-export under /usr/bin/time -v) can be taken on the same content the
// benchmarks draw:
//
//   mirt_bench_drawing COUNT plain|attributes OUTPUT.mt
//
// The image is 1920 x 1080; the attribute look's image pen and brush use a
// texture written beside OUTPUT.
#include "samples/sample_drawing.h"
#include "samples/sample_texture.h"
#include "storage/files.h"

#include <QDir>
#include <QFileInfo>
#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int argc, char** argv)
{
    if (argc != 4 || std::atoi(argv[1]) < 1
        || (std::strcmp(argv[2], "plain") != 0 && std::strcmp(argv[2], "attributes") != 0)) {
        std::fprintf(stderr, "usage: mirt_bench_drawing COUNT plain|attributes OUTPUT.mt\n");
        return 2;
    }
    const QString output = QString::fromLocal8Bit(argv[3]);
    const QString texture = QFileInfo(output).dir().filePath(QStringLiteral("bench_texture.png"));
    const bool attributes = std::strcmp(argv[2], "attributes") == 0;
    if (attributes && !writeSampleTexture(texture)) {
        std::fprintf(stderr, "mirt_bench_drawing: cannot write %s\n", qPrintable(texture));
        return 1;
    }
    Drawing drawing;
    fillSampleDrawing(drawing,
        SampleOptions { std::atoi(argv[1]), 1920, 1080, 1, attributes ? SampleLook::AllAttributes : SampleLook::Plain,
            nullptr, attributes ? texture.toStdString() : std::string() });
    if (!WriteDrawing(argv[3], drawing, ImageSize { 1920, 1080 }).ok()) {
        std::fprintf(stderr, "mirt_bench_drawing: cannot write %s\n", argv[3]);
        return 1;
    }
    return 0;
}
