// Fixture drawings and file helpers shared by the drawing-file tests.
#include "storage_fixtures.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>

void fillEveryKind(Drawing& d)
{
    AttributeTables& a = d.attributes;
    appendEntry(a.penColor, PenColorEntry{0, 0x0000FF});
    appendEntry(a.penAlphaColor, PenAlphaColorEntry{0, 0x00FF00, 128});
    appendEntry(a.penHatch, HatchEntry{0, 5, 0xFF, 255, 0xFF0000, 64});
    appendEntry(a.penImage, ImageEntry{0, "/home/利用者/模様.png"});
    appendEntry(a.penGradient, GradientEntry{0, 1, 2, 3, 4, 45.5});
    appendEntry(a.width, WidthEntry{0, 1});
    appendEntry(a.width, WidthEntry{0, 2.5});
    appendEntry(a.lineType, LineTypeEntry{0, 2, 1});
    appendEntry(a.brushColor, PenColorEntry{0, 0x00FFFF});
    appendEntry(a.brushAlphaColor, PenAlphaColorEntry{0, 0xFF00FF, 200});
    appendEntry(a.brushHatch, HatchEntry{0, 52, 1, 2, 3, 4});
    appendEntry(a.brushImage, ImageEntry{0, "tile.bmp"});
    appendEntry(a.brushGradient, GradientEntry{0, 10, 20, 30, 40, -90});
    appendEntry(a.brushRadial, RadialEntry{0, 11, 22, 33, 44});
    d.layers[3].name = "下書き";
    d.layers[4].visible = false;

    const OutlineHeader open{3, 1, 0, 1, 0, 2};
    const ClosedHeader both{2, 0, 2, 0, 0, 0, 1, 1, 0};
    d.AppendLine({open, 0.5, 100, 1e-6, 1.5e20});
    d.AppendPoint({0, 3, 0, 7, 10, 20, 4});
    d.AppendRect({both, 1, 2, 3, 4});
    d.AppendCornerRect({ClosedHeader{1, 0, 1, 0, 0, 0, 0, 3, 0}, {1, 2, 3, 4}, 0, 0, 40, 30, {1, 2, 3, 4, 5, 6, 7, 8}});
    d.AppendCircle({both, 2, 50, 60, 25, 1, 2, 3, 4, 5, 6});
    d.AppendEllipse({ClosedHeader{0, 1, 4, 0, 1, 0, 2, 1, 0}, 1, 5, 6, 7, 8, 30, 1, 2, 3, 4});
    d.AppendArc({open, 1, 0, 0, 10, 90, 90, 0, -10, -10, 0, 7, 8});
    d.AppendEllipticArc({OutlineHeader{0, 5, 0, 0, 0, 3}, 1, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11});
    d.AppendPie({ClosedHeader{1, 0, 1, 0, 0, 0, 0, 4, 0}, 1, 2, 3, 4, 5, 6, -7});
    d.AppendChord({ClosedHeader{1, 0, 1, 0, 0, 0, 0, 5, 0}, 1, 2, 3, 4, 5, 6, 7});
    d.AppendOutside({ClosedHeader{1, 0, 1, 0, 0, 0, 0, 6, 0}, 1, 2, 3, 4, 5, 6, 7});
    d.AppendRing({both, 1, 2, 30, 40, 10, 20, 0, 0, 360});
    d.AppendPolyline({open, {{0, 0}, {10, 0}, {10, 10}}});
    d.AppendPolygon({both, {{0, 0}, {5, 5}, {0, 5}}});
    d.AppendBezier({open, {{0, 0}, {1, 2}, {3, 4}, {5, 6}}});
    d.AppendOpenSpline({open, {}});
    d.AppendClosedSpline({both, {{-1.25, 2}, {3, -4.75}}});
    TextRecord t;
    t.layer = 3;
    t.brushKind = 2;
    t.anchor = 4;
    t.fontStyle = 1;
    t.x = 12, t.y = 34, t.size = 16, t.angle = 30, t.xRatio = 0.8;
    t.boxA = -1, t.boxB = 2, t.boxC = 60, t.boxD = 16;
    t.fontName = "ＭＳ ゴシック";
    t.text = "図面〒①ｱ テスト";
    d.AppendText(t);
}

std::vector<std::string> fileLines(std::string_view bytes)
{
    std::vector<std::string> lines;
    size_t pos = 0;
    while (pos < bytes.size()) {
        size_t end = bytes.find("\r\n", pos);
        if (end == std::string_view::npos)
            end = bytes.size();
        lines.emplace_back(bytes.substr(pos, end - pos));
        pos = end + 2;
    }
    return lines;
}

std::string joinLines(const std::vector<std::string>& lines)
{
    std::string out;
    for (const std::string& line : lines)
        out += line + "\r\n";
    return out;
}

std::string readBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

bool writeBytes(const std::string& path, std::string_view bytes)
{
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

std::string makeTempDir()
{
    std::string pattern = (std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "/tmp") + std::string("/mirt-XXXXXX");
    return mkdtemp(pattern.data()) ? pattern : std::string();
}
