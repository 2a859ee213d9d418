// The remembered inputs of the Draw commands: the values last confirmed in the
// numeric, corner and text dialogs, offered again the next time and kept
// between runs by the settings file. One record for the whole program.
//
// Angles are degrees (counter-clockwise on screen), lengths drawing units.
// Corner arrays run top-left, top-right, bottom-left, bottom-right.
#pragma once

#include <cstdint>
#include <string>

// "ＭＳ ゴシック" in UTF-8; the stored name stays as written, font
// substitution happens when text is drawn.
inline constexpr char kDefaultTextFontName[] = "\uFF2D\uFF33 \u30B4\u30B7\u30C3\u30AF";

struct ConstructionParameters {
    double lineAngleDeg = 0; // angle line
    int32_t divisionCount = 2; // division points of a segment

    // Cornered rectangle: corner type 0..6 ("none" .. reverse-offset round),
    // and the corner's width and height.
    int32_t cornerTypes[4] = { 0, 0, 0, 0 };
    double cornerWidths[4] = { 0, 0, 0, 0 };
    double cornerHeights[4] = { 0, 0, 0, 0 };

    double circleRadius = 10;

    double ellipseTiltDeg = 0; // ellipse by centre and radius
    double ellipseRadiusX = 10;
    double ellipseRadiusY = 10;
    double ellipseDiagonalTiltDeg = 0; // ellipse by diagonal and radii
    double ellipseRatio = 1.0; // flattening ratio

    double arcRadius = 10;
    double arcStartDeg = 0;
    double arcSweepDeg = 180;

    // Shared by elliptic arcs, pies, chords, outside-of-circle and ring shapes.
    double arcFamilyRadiusX = 10;
    double arcFamilyRadiusY = 10;
    double arcFamilyTiltDeg = 0;
    double arcFamilyRatio = 1.0;
    double arcFamilyStartDeg = 0;
    double arcFamilySweepDeg = 180;

    double ringOuterRadiusX = 20;
    double ringOuterRadiusY = 20;
    double ringInnerRadiusX = 10;
    double ringInnerRadiusY = 10;

    int32_t cornerCount = 6; // regular polygons and stars

    int32_t textAnchor = 0; // 0..8: bottom-left, bottom-centre, ... top-right
    int32_t textStyle = 0; // bits: 1 bold, 2 italic, 4 underline, 8 strikeout
    double textSize = 10;
    double textAngleDeg = 0;
    double textRatioX = 1.0;
    std::string fontName = kDefaultTextFontName; // UTF-8
    std::string text; // UTF-8
};
