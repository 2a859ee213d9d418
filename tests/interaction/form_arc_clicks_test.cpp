// The clicks of the arc family that are ignored, through the real TForm1's
// mouse handlers: a radius point on the centre, a zero sweep, an axis of
// length 0, an inner radius point outside the outer figure or on its centre.
// An ignored click keeps the step, its prompt and the points given so far,
// says nothing and builds nothing; the next good click goes on from there.
#include <QAction>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "../app/app_test_support.h"
#include "dialogs/UnitInp1.h"

namespace {

struct IgnoredClicks {
    const char* name;
    const char* handler;
    const char* dialogValue;  // the first field of the numeric dialog, or null
    std::vector<QPoint> before, ignored, after;
    ElementKind kind;
    int fillMode = -1;  // -1: an open kind
};

const QPoint c0{200, 150};
// The circle through these has its centre at c0 and radius 40.
const std::vector<QPoint> threePoints{{240, 150}, {160, 150}, {200, 110}};

class ArcFamilyClicks : public ::testing::TestWithParam<IgnoredClicks> {};

int CountOf(const Drawing& d, ElementKind kind)
{
    int n = 0;
    for (const ElementRef& ref : d.registry)
        n += ref.live && ref.kind == static_cast<int32_t>(kind);
    return n;
}

std::optional<int> FillModeOfFirst(const Drawing& d, ElementKind kind)
{
    std::optional<int> fill;
    for (const ElementRef& ref : d.registry)
        if (!fill && ref.kind == static_cast<int32_t>(kind))
            visitElement(d, ref, [&](ElementKind, const auto& r) {
                if constexpr (requires { r.h.fillMode; })
                    fill = r.h.fillMode;
            });
    return fill;
}

TEST_P(ArcFamilyClicks, AreIgnoredAndTheStepGoesOn)
{
    const IgnoredClicks& c = GetParam();
    auto form = MakeShownForm();
    if (c.dialogValue)
        WhenModal([&form, &c](QWidget*) {
            form->FormInp1()->Edit[0]->setText(QString::fromLatin1(c.dialogValue));
            QTest::keyClick(form->FormInp1()->Edit[0], Qt::Key_Return);
        });
    QAction* action = form->menuAction(QString::fromLatin1(c.handler));
    ASSERT_NE(action, nullptr);
    action->trigger();
    for (QPoint p : c.before)
        Click(*form, p);
    const int mode = form->interaction().CommandMode;
    const QString prompt = form->statusText(0), outcome = form->statusText(1);
    ASSERT_GT(mode, 0);
    for (QPoint p : c.ignored) {
        Click(*form, p);
        EXPECT_EQ(form->interaction().CommandMode, mode) << p.x() << "," << p.y();
        EXPECT_EQ(form->statusText(0), prompt);
        EXPECT_EQ(form->statusText(1), outcome);
        EXPECT_EQ(CountOf(form->drawing(), c.kind), 0);
    }
    for (QPoint p : c.after)
        Click(*form, p);
    EXPECT_EQ(CountOf(form->drawing(), c.kind), 1) << form->statusText(1).toStdString();
    if (c.fillMode >= 0) {
        EXPECT_EQ(FillModeOfFirst(form->drawing(), c.kind), c.fillMode);
    }
}

using K = ElementKind;

std::vector<IgnoredClicks> rows()
{
    std::vector<IgnoredClicks> r{
        {"ArcRadiusPointOnTheCentre", "PopDrawArc1Click", nullptr, {c0}, {c0},
         {{240, 150}, {200, 110}, {160, 150}}, K::Arc},
        {"ArcEndOnTheStartDirection", "PopDrawArc1Click", nullptr, {c0, {240, 150}, {200, 110}}, {{200, 130}},
         {{160, 150}}, K::Arc},
        {"EllipticArcRadiusPointOnAnAxis", "PopDrawEArc1Click", nullptr, {c0}, {{240, 150}, {200, 120}},
         {{240, 130}, {200, 110}, {160, 150}}, K::EllipticArc},
        {"EllipticArcAxisOfLengthZero", "PopDrawEArc8Click", "0.5", {{160, 150}}, {{160, 150}},
         {{240, 150}, {200, 100}, {150, 150}}, K::EllipticArc},
        {"PieRadiusPointOnTheCentre", "PopDrawPie1Click", nullptr, {c0}, {c0},
         {{240, 130}, {200, 110}, {160, 150}}, K::Pie, 0},
        {"RingInnerPointOutsideTheOuterEllipse", "PopDrawDnt1Click", nullptr, {c0, {240, 130}},
         {{260, 150}, {200, 125}}, {{220, 140}, {200, 110}, {160, 150}}, K::Ring, 0},
    };
    const char* fullItems[] = {"PopDrawDntAClick", "PopDrawDntBClick", "PopDrawDntCClick"};
    const char* arcItems[] = {"PopDrawDntDClick", "PopDrawDntEClick", "PopDrawDntFClick"};
    const char* fullNames[] = {"RingThreePointsFullOutline", "RingThreePointsFullFill", "RingThreePointsFullBoth"};
    const char* arcNames[] = {"RingThreePointsOutline", "RingThreePointsFill", "RingThreePointsBoth"};
    // Outside the outer circle, on it, and on the centre: all ignored.
    const std::vector<QPoint> badInner{{250, 150}, {200, 190}, c0};
    for (int v = 0; v < 3; ++v) {
        r.push_back({fullNames[v], fullItems[v], nullptr, threePoints, badInner, {{210, 150}}, K::Ring, v});
        r.push_back({arcNames[v], arcItems[v], nullptr, threePoints, badInner, {{210, 150}}, K::Ring, v});
    }
    return r;
}

INSTANTIATE_TEST_SUITE_P(Rows, ArcFamilyClicks, ::testing::ValuesIn(rows()),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
