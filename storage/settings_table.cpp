// The 129 lines of the settings file, in file order: window places (1-32),
// current attributes (33-72), grid (73-79), file dialog folders (80-81),
// open attribute windows (82-88), construction parameters (89-129).
//
// Window places are bounded to what a window system can place (X11 holds
// coordinates and sizes in 16 bits), so that no rectangle arithmetic on them
// can overflow; their defaults are the windows' design places (tool windows
// cascade to the right of the main window, modal dialogs sit over it).
#include "storage/settings_table.h"

#include <cfloat>

namespace {

#define FIELD(member) [](Settings& s) { return &s.member; }

constexpr double kPlaceBound = 32767;
constexpr int32_t kColorMax = 0xFFFFFF;
constexpr double kLengthMin = 0.001;
constexpr double kLengthMax = 1000;
constexpr double kRatioMin = 0.00001;
constexpr double kRatioMax = 100000;

constexpr SettingsLine intLine(int32_t* (*f)(Settings&), double lo, double hi, double def)
{
    return { f, lo, hi, def, "" };
}
constexpr SettingsLine placeLine(int32_t* (*f)(Settings&), double def)
{
    return { f, -kPlaceBound, kPlaceBound, def, "" };
}
constexpr SettingsLine sizeLine(int32_t* (*f)(Settings&), double def)
{
    return { f, 1, kPlaceBound, def, "" };
}
constexpr SettingsLine colorLine(int32_t* (*f)(Settings&), double def)
{
    return { f, 0, kColorMax, def, "" };
}
constexpr SettingsLine alphaLine(int32_t* (*f)(Settings&))
{
    return { f, 0, 255, 255, "" };
}
constexpr SettingsLine realLine(double* (*f)(Settings&), double lo, double hi, double def)
{
    return { f, lo, hi, def, "" };
}
constexpr SettingsLine angleLine(double* (*f)(Settings&), double def)
{
    return { f, -360, 360, def, "" };
}
constexpr SettingsLine lengthLine(double* (*f)(Settings&), double def)
{
    return { f, kLengthMin, kLengthMax, def, "" };
}
constexpr SettingsLine ratioLine(double* (*f)(Settings&))
{
    return { f, kRatioMin, kRatioMax, 1, "" };
}
constexpr SettingsLine freeRealLine(double* (*f)(Settings&), double def)
{
    return { f, -DBL_MAX, DBL_MAX, def, "" };
}
constexpr SettingsLine flagLine(bool* (*f)(Settings&))
{
    return { f, 0, 1, 0, "" };
}
constexpr SettingsLine textLine(std::string* (*f)(Settings&), const char* def = "")
{
    return { f, 0, 0, 0, def };
}

constexpr SettingsLine kLines[] = {
    // 1-32: window places
    placeLine(FIELD(windows.form1.left), 192),
    placeLine(FIELD(windows.form1.top), 108),
    sizeLine(FIELD(windows.form1.width), 397),
    sizeLine(FIELD(windows.form1.height), 321),
    placeLine(FIELD(windows.form2.left), 600),
    placeLine(FIELD(windows.form2.top), 108),
    placeLine(FIELD(windows.form3.left), 632),
    placeLine(FIELD(windows.form3.top), 140),
    placeLine(FIELD(windows.form4.left), 664),
    placeLine(FIELD(windows.form4.top), 172),
    placeLine(FIELD(windows.form5.left), 696),
    placeLine(FIELD(windows.form5.top), 204),
    placeLine(FIELD(windows.form6.left), 728),
    placeLine(FIELD(windows.form6.top), 236),
    placeLine(FIELD(windows.form7.left), 760),
    placeLine(FIELD(windows.form7.top), 268),
    placeLine(FIELD(windows.formNew.left), 240),
    placeLine(FIELD(windows.formNew.top), 160),
    placeLine(FIELD(windows.formGrd.left), 240),
    placeLine(FIELD(windows.formGrd.top), 160),
    placeLine(FIELD(windows.formInp1.left), 240),
    placeLine(FIELD(windows.formInp1.top), 160),
    placeLine(FIELD(windows.formInp2.left), 240),
    placeLine(FIELD(windows.formInp2.top), 160),
    placeLine(FIELD(windows.formCBox.left), 240),
    placeLine(FIELD(windows.formCBox.top), 160),
    placeLine(FIELD(windows.formMoji.left), 240),
    placeLine(FIELD(windows.formMoji.top), 160),
    placeLine(FIELD(windows.formLay.left), 792),
    placeLine(FIELD(windows.formLay.top), 108),
    sizeLine(FIELD(windows.formLay.width), 260),
    sizeLine(FIELD(windows.formLay.height), 360),
    // 33-51: pen
    intLine(FIELD(attributes.penKind), 1, 5, 1),
    colorLine(FIELD(attributes.penColors[0]), 0),
    colorLine(FIELD(attributes.penColors[1]), 0),
    colorLine(FIELD(attributes.penColors[2]), 0),
    colorLine(FIELD(attributes.penColors[3]), 0),
    colorLine(FIELD(attributes.penColors[4]), 0),
    colorLine(FIELD(attributes.penColors[5]), 0),
    alphaLine(FIELD(attributes.penAlphas[0])),
    alphaLine(FIELD(attributes.penAlphas[1])),
    alphaLine(FIELD(attributes.penAlphas[2])),
    alphaLine(FIELD(attributes.penAlphas[3])),
    alphaLine(FIELD(attributes.penAlphas[4])),
    intLine(FIELD(attributes.penHatchStyle), 0, 52, 0),
    textLine(FIELD(attributes.penImageFile)),
    angleLine(FIELD(attributes.penGradientAngle), 0),
    lengthLine(FIELD(attributes.penWidth), 1),
    intLine(FIELD(attributes.dashStyle), 0, 4, 0),
    intLine(FIELD(attributes.dashCap), 0, 2, 0),
    // 0..3 plain ends, 4..7 the anchor ends (arrow heads); files of 0..3 read as before
    intLine(FIELD(attributes.endStyle), 0, 7, 0),
    // 52-70: brush
    intLine(FIELD(attributes.brushKind), 1, 6, 1),
    colorLine(FIELD(attributes.brushColors[0]), 0),
    colorLine(FIELD(attributes.brushColors[1]), 0),
    colorLine(FIELD(attributes.brushColors[2]), 0),
    colorLine(FIELD(attributes.brushColors[3]), 0),
    colorLine(FIELD(attributes.brushColors[4]), 0),
    colorLine(FIELD(attributes.brushColors[5]), 0),
    colorLine(FIELD(attributes.brushColors[6]), 0),
    colorLine(FIELD(attributes.brushColors[7]), 0),
    alphaLine(FIELD(attributes.brushAlphas[0])),
    alphaLine(FIELD(attributes.brushAlphas[1])),
    alphaLine(FIELD(attributes.brushAlphas[2])),
    alphaLine(FIELD(attributes.brushAlphas[3])),
    alphaLine(FIELD(attributes.brushAlphas[4])),
    alphaLine(FIELD(attributes.brushAlphas[5])),
    alphaLine(FIELD(attributes.brushAlphas[6])),
    intLine(FIELD(attributes.brushHatchStyle), 0, 52, 0),
    textLine(FIELD(attributes.brushImageFile)),
    angleLine(FIELD(attributes.brushGradientAngle), 0),
    // 71-72: points
    intLine(FIELD(attributes.pointStyle), 0, 24, 0),
    lengthLine(FIELD(attributes.pointSize), 1),
    // 73-79: grid
    flagLine(FIELD(grid.shown)),
    freeRealLine(FIELD(grid.originX), 0),
    freeRealLine(FIELD(grid.originY), 0),
    realLine(FIELD(grid.pitchX), 1, 100, 10),
    realLine(FIELD(grid.pitchY), 1, 100, 10),
    colorLine(FIELD(grid.minorColor), 0xFFCC80),
    colorLine(FIELD(grid.majorColor), 0xFF8000),
    // 80-81: file dialog folders
    textLine(FIELD(openDialogFolder)),
    textLine(FIELD(saveDialogFolder)),
    // 82-88: attribute windows open at exit
    flagLine(FIELD(openWindows.form2)),
    flagLine(FIELD(openWindows.form3)),
    flagLine(FIELD(openWindows.form4)),
    flagLine(FIELD(openWindows.form5)),
    flagLine(FIELD(openWindows.form6)),
    flagLine(FIELD(openWindows.form7)),
    flagLine(FIELD(openWindows.formLay)),
    // 89-102: angle line, division points, cornered rectangle
    angleLine(FIELD(construction.lineAngleDeg), 0),
    intLine(FIELD(construction.divisionCount), 2, 100, 2),
    intLine(FIELD(construction.cornerTypes[0]), 0, 6, 0),
    intLine(FIELD(construction.cornerTypes[1]), 0, 6, 0),
    intLine(FIELD(construction.cornerTypes[2]), 0, 6, 0),
    intLine(FIELD(construction.cornerTypes[3]), 0, 6, 0),
    realLine(FIELD(construction.cornerWidths[0]), 0, 1000, 0),
    realLine(FIELD(construction.cornerHeights[0]), 0, 1000, 0),
    realLine(FIELD(construction.cornerWidths[1]), 0, 1000, 0),
    realLine(FIELD(construction.cornerHeights[1]), 0, 1000, 0),
    realLine(FIELD(construction.cornerWidths[2]), 0, 1000, 0),
    realLine(FIELD(construction.cornerHeights[2]), 0, 1000, 0),
    realLine(FIELD(construction.cornerWidths[3]), 0, 1000, 0),
    realLine(FIELD(construction.cornerHeights[3]), 0, 1000, 0),
    // 103-108: circles and ellipses
    lengthLine(FIELD(construction.circleRadius), 10),
    angleLine(FIELD(construction.ellipseTiltDeg), 0),
    lengthLine(FIELD(construction.ellipseRadiusX), 10),
    lengthLine(FIELD(construction.ellipseRadiusY), 10),
    angleLine(FIELD(construction.ellipseDiagonalTiltDeg), 0),
    ratioLine(FIELD(construction.ellipseRatio)),
    // 109-121: arcs, the arc family and rings
    lengthLine(FIELD(construction.arcRadius), 10),
    angleLine(FIELD(construction.arcStartDeg), 0),
    angleLine(FIELD(construction.arcSweepDeg), 180),
    lengthLine(FIELD(construction.arcFamilyRadiusX), 10),
    lengthLine(FIELD(construction.arcFamilyRadiusY), 10),
    angleLine(FIELD(construction.arcFamilyTiltDeg), 0),
    ratioLine(FIELD(construction.arcFamilyRatio)),
    angleLine(FIELD(construction.arcFamilyStartDeg), 0),
    angleLine(FIELD(construction.arcFamilySweepDeg), 180),
    lengthLine(FIELD(construction.ringOuterRadiusX), 20),
    lengthLine(FIELD(construction.ringOuterRadiusY), 20),
    lengthLine(FIELD(construction.ringInnerRadiusX), 10),
    lengthLine(FIELD(construction.ringInnerRadiusY), 10),
    // 122-129: polygons and text
    intLine(FIELD(construction.cornerCount), 3, 360, 6),
    intLine(FIELD(construction.textAnchor), 0, 8, 0),
    intLine(FIELD(construction.textStyle), 0, 15, 0),
    lengthLine(FIELD(construction.textSize), 10),
    angleLine(FIELD(construction.textAngleDeg), 0),
    ratioLine(FIELD(construction.textRatioX)),
    textLine(FIELD(construction.fontName), kDefaultTextFontName),
    textLine(FIELD(construction.text)),
};

#undef FIELD

static_assert(std::size(kLines) == kSettingsLineCount);

} // namespace

std::span<const SettingsLine> SettingsLines()
{
    return kLines;
}
