// Text records from the text dialog's values.
#include "interaction/build_text.h"

#include <cmath>

#include "geometry/func.h"
#include "render/renderers.h"

namespace {

// Nine anchors, bottom-left to top-right; bits 1 bold, 2 italic, 4 underline,
// 8 strikeout.
int32_t limitedAnchor(int32_t anchor)
{
    return anchor >= 0 && anchor <= 8 ? anchor : 0;
}

int32_t limitedStyle(int32_t style)
{
    return style & 15;
}

} // namespace

void CopyTextFields(const ConstructionParameters& p, TextRecord& t)
{
    t.anchor = limitedAnchor(p.textAnchor);
    t.fontStyle = limitedStyle(p.textStyle);
    t.size = p.textSize;
    t.angle = p.textAngleDeg;
    t.xRatio = p.textRatioX;
    t.fontName = p.fontName;
    t.text = p.text;
}

void CopyTextFields(const TextRecord& t, ConstructionParameters& p)
{
    p.textAnchor = limitedAnchor(t.anchor);
    p.textStyle = limitedStyle(t.fontStyle);
    p.textSize = t.size;
    p.textAngleDeg = t.angle;
    p.textRatioX = t.xRatio;
    p.fontName = t.fontName;
    p.text = t.text;
}

TextRecord TextOf(const ConstructionParameters& p)
{
    TextRecord t;
    CopyTextFields(p, t);
    return t;
}

TextRecord TextAt(TextRecord t, PointD anchor)
{
    t.x = anchor.x, t.y = anchor.y;
    const StoredTextBox box = MeasureTextBox(t);
    t.boxA = box.a, t.boxB = box.b, t.boxC = box.c, t.boxD = box.d;
    return t;
}

std::array<PointD, 4> TextBoxCorners(const TextRecord& t)
{
    // Along the text and across it (upward), on screen.
    const double a = DegToRad(t.angle);
    const PointD u{std::cos(a), -std::sin(a)};
    const PointD v{-std::sin(a), -std::cos(a)};
    const auto at = [&](double along, double across) {
        return PointD{t.boxA + along * u.x + across * v.x, t.boxB + along * u.y + across * v.y};
    };
    return {at(0, 0), at(t.boxC, 0), at(t.boxC, t.boxD), at(0, t.boxD)};
}

std::array<PointD, 4> TextBoxCornersAt(const TextRecord& text, PointD anchor)
{
    std::array<PointD, 4> corners = TextBoxCorners(text);
    for (PointD& c : corners)
        c = {c.x + anchor.x - text.x, c.y + anchor.y - text.y};
    return corners;
}
