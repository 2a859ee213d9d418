// The join an arc inherits when the pass that draws it skips elements: it
// must be the one a pass over every element would have left, whatever the
// skipped elements and the ones drawn between them set.
#include <gtest/gtest.h>

#include "render/inherited_join.h"

namespace {

CircleRecord OutlinedCircle(int join)
{
    CircleRecord c;
    c.h.fillMode = 0;
    c.h.joinStyle = join;
    c.cx = 100, c.cy = 100, c.r = 40;
    return c;
}

EllipseRecord FilledOnlyEllipse()
{
    EllipseRecord e;
    e.h.fillMode = 1;
    e.cx = 50, e.cy = 50, e.rx = 30, e.ry = 20;
    return e;
}

ArcRecord AnArc()
{
    ArcRecord a;
    a.cx = 60, a.cy = 60, a.r = 30, a.sweepAngle = 90;
    return a;
}

const ViewTransform kView{1, 0, 0};

// The join the surface holds when `last` is stroked by a pass that draws
// `drawn` (registry positions in paint order) and then `last`, starting
// with the miter (0) as the picture does.
int JoinWhenDrawn(const Drawing& d, const std::vector<int32_t>& drawn, int32_t last)
{
    InheritedJoin join(d, kView);
    int surface = 0;
    for (const int32_t p : drawn) {
        if (const int code = join.join(p); code >= 0)
            surface = code;
        if (const int code = JoinSetBy(d, d.registry[size_t(p)], kView); code >= 0)
            surface = code;
        join.drawn(p);
    }
    if (const int code = join.join(last); code >= 0)
        surface = code;
    return surface;
}

TEST(InheritedJoin, TheSetterOfEveryElementBeforeDecides)
{
    // Registry positions in the order appended.
    Drawing d;
    d.AppendCircle(OutlinedCircle(2));
    d.AppendEllipse(FilledOnlyEllipse());
    d.AppendArc(AnArc());
    d.AppendCircle(OutlinedCircle(1));
    d.AppendArc(AnArc());
    const int32_t circle = 0, ellipse = 1, arc = 2, secondCircle = 3, secondArc = 4;
    ASSERT_EQ(JoinSetBy(d, d.registry[size_t(circle)], kView), 2);
    ASSERT_EQ(JoinSetBy(d, d.registry[size_t(ellipse)], kView), -1);

    EXPECT_EQ(JoinWhenDrawn(d, {circle, ellipse}, arc), 2) << "every element drawn";
    // The ellipse sets nothing, so after it the surface holds what came
    // before the skipped circle.
    EXPECT_EQ(JoinWhenDrawn(d, {ellipse}, arc), 2) << "the circle skipped";
    EXPECT_EQ(JoinWhenDrawn(d, {}, arc), 2) << "both skipped";
    EXPECT_EQ(JoinWhenDrawn(d, {circle, ellipse, arc}, secondArc), 1) << "the second circle skipped";
    EXPECT_EQ(JoinWhenDrawn(d, {ellipse, secondCircle}, secondArc), 1);
    EXPECT_EQ(JoinWhenDrawn(d, {ellipse, arc}, secondArc), 1);
}

TEST(InheritedJoin, LowerLayersAndThePassStart)
{
    Drawing d;
    CircleRecord below = OutlinedCircle(1);
    below.h.layer = 0;
    ArcRecord above = AnArc();
    above.h.layer = 5;
    d.AppendArc(above);  // first in the registry, last painted
    d.AppendCircle(below);
    const int32_t arc = 0;
    d.extents.settle();
    EXPECT_EQ(JoinWhenDrawn(d, {}, arc), 1);

    // Hidden layers are not painted and set nothing.
    d.layers[0].visible = false;
    EXPECT_EQ(JoinWhenDrawn(d, {}, arc), 0);

    // Nothing before it sets a join: the pass's miter, whatever was drawn.
    Drawing lone;
    CircleRecord later = OutlinedCircle(2);
    later.h.layer = 1;  // painted after the arc
    lone.AppendCircle(later);
    lone.AppendEllipse(FilledOnlyEllipse());
    lone.AppendArc(AnArc());
    lone.extents.settle();
    EXPECT_EQ(JoinWhenDrawn(lone, {1}, 2), 0);
}

}  // namespace
