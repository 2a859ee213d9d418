// A white canvas image with a TGraphP open on it, for pixel tests of the
// drawing surface. pixel() closes the painter first so the image is final.
#pragma once

#include <QImage>

#include <gtest/gtest.h>

#include "model/attributes.h"
#include "render/graph_p.h"

class SurfaceTest : public ::testing::Test {
protected:
    void open(int width = 160, int height = 120, QImage::Format format = QImage::Format_RGB32)
    {
        surface.End();  // never free an image a painter is still open on
        image = QImage(width, height, format);
        image.fill(Qt::white);
        ASSERT_TRUE(surface.Begin(&image));
        surface.setAttributes(&tables);
    }
    void SetUp() override { open(); }
    void TearDown() override { surface.End(); }

    QRgb pixel(int x, int y)
    {
        surface.End();
        return image.pixel(x, y) | (image.hasAlphaChannel() ? 0 : 0xFF000000);
    }
    bool isWhite(int x, int y) { return (pixel(x, y) & 0xFFFFFF) == 0xFFFFFF; }

    // A solid black pen of the given width with flat ends.
    void blackPen(double width)
    {
        surface.SetPenArgb(0xFF000000);
        surface.SetPenWidth(width);
        surface.SetPenCaps(3, 0);
        surface.SetDashStyle(0);
        surface.SetDashCap(0);
    }

    AttributeTables tables;
    QImage image;
    TGraphP surface;
};

// Channel distance small enough for rounding in gradients.
inline bool near(QRgb a, QRgb b, int tolerance = 6)
{
    return std::abs(qRed(a) - qRed(b)) <= tolerance && std::abs(qGreen(a) - qGreen(b)) <= tolerance &&
           std::abs(qBlue(a) - qBlue(b)) <= tolerance;
}
