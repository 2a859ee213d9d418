// A small white canvas with a surface and a drawing, for pixel tests of the
// renderers and the picture. Colours in the drawing's tables: pen 0 black,
// pen 1 blue, brush 0 red, brush 1 green; width 0 is one unit wide.
#pragma once

#include <QGuiApplication>
#include <QImage>
#include <gtest/gtest.h>

#include "model/data.h"
#include "model/view.h"
#include "render/graph_p.h"

namespace render_test {

inline void ensureGuiApp()
{
    if (!QCoreApplication::instance()) {
        static int argc = 1;
        static char name[] = "mirt_render_tests";
        static char* argv[] = {name, nullptr};
        qputenv("QT_QPA_PLATFORM", "offscreen");
        new QGuiApplication(argc, argv);  // lives for the whole test run
    }
}

constexpr QRgb kWhite = 0xFFFFFFFF;
constexpr QRgb kBlack = 0xFF000000;
constexpr QRgb kRed = 0xFFFF0000;
constexpr QRgb kGreen = 0xFF00FF00;
constexpr QRgb kBlue = 0xFF0000FF;

inline void addStandardAttributes(Drawing& d)
{
    appendEntry(d.attributes.penColor, PenColorEntry{0, 0x000000});
    appendEntry(d.attributes.penColor, PenColorEntry{0, 0xFF0000});  // blue as 0x00BBGGRR
    appendEntry(d.attributes.brushColor, PenColorEntry{0, 0x0000FF});  // red
    appendEntry(d.attributes.brushColor, PenColorEntry{0, 0x00FF00});  // green
    appendEntry(d.attributes.width, WidthEntry{0, 1.0});
    appendEntry(d.attributes.lineType, LineTypeEntry{0, 0, 0});
}

class Canvas {
public:
    explicit Canvas(int width = 120, int height = 120) : image(width, height, QImage::Format_RGB32)
    {
        ensureGuiApp();
        image.fill(kWhite);
        addStandardAttributes(drawing);
        g.setAttributes(&drawing.attributes);
        EXPECT_TRUE(g.Begin(&image));
    }
    ~Canvas() { g.End(); }

    // Ends painting so the image can be read.
    const QImage& done()
    {
        g.End();
        return image;
    }
    QRgb at(int x, int y) { return done().pixel(x, y); }
    // True when any pixel within `radius` of (x, y) has the colour.
    bool near(int x, int y, QRgb colour, int radius = 1)
    {
        const QImage& img = done();
        for (int dy = -radius; dy <= radius; ++dy)
            for (int dx = -radius; dx <= radius; ++dx)
                if (img.valid(x + dx, y + dy) && img.pixel(x + dx, y + dy) == colour)
                    return true;
        return false;
    }
    int count(QRgb colour)
    {
        const QImage& img = done();
        int n = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                n += img.pixel(x, y) == colour;
        return n;
    }
    // Bounding box of the pixels that are not white; null when none.
    QRect inked()
    {
        const QImage& img = done();
        QRect box;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                if (img.pixel(x, y) != kWhite)
                    box = box.united(QRect(x, y, 1, 1));
        return box;
    }

    QImage image;
    TGraphP g;
    Drawing drawing;
    ViewTransform view;
};

inline ClosedHeader closedHeader(int fillMode, int brushRef = 0)
{
    ClosedHeader h;
    h.fillMode = fillMode;
    h.penKind = 1;
    h.penRef = 0;
    h.widthRef = 0;
    h.lineTypeRef = 0;
    h.brushKind = 1;
    h.brushRef = brushRef;
    return h;
}

inline OutlineHeader outlineHeader()
{
    return OutlineHeader{0, 1, 0, 0, 0, 0};
}

}  // namespace render_test
