// The typed point forms: which texts parse to which form, which are refused
// and why, the point each form resolves to from a last point and a rubber
// band end, and the angle lock's rays.
#include "geometry/angle_lock.h"
#include "geometry/point_entry.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <string>

namespace {

const PointD kLast{100, 50};
const PointD kToward{100 + 30, 50 - 40};  // 3-4-5 from the last point, up and right

struct ResolveRow {
    const char* name;
    const char* text;
    double x, y;
};

class PointEntryResolves : public testing::TestWithParam<ResolveRow> {};

TEST_P(PointEntryResolves, ToTheExactPoint)
{
    const ResolveRow& r = GetParam();
    const EntryPoint p = EvaluatePointEntry(r.text, kLast, kToward);
    ASSERT_EQ(p.error, EntryError::None) << r.text;
    EXPECT_EQ(p.point.x, r.x) << r.text;
    EXPECT_EQ(p.point.y, r.y) << r.text;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, PointEntryResolves,
    testing::Values(ResolveRow{"absolute", "120,45", 120, 45},
                    ResolveRow{"absolute_with_blanks_and_signs", " -12.5 , +3e2 ", -12.5, 300},
                    ResolveRow{"absolute_fraction_without_zero", ".5,-.25", 0.5, -0.25},
                    ResolveRow{"relative", "@120,45", 220, 95},
                    ResolveRow{"relative_negative", "@-100,-50", 0, 0},
                    ResolveRow{"polar_0", "@10<0", 110, 50},
                    ResolveRow{"polar_90_is_up_on_screen", "@10<90", 100, 40},
                    ResolveRow{"polar_180", "@10<180", 90, 50},
                    ResolveRow{"polar_270", "@10<270", 100, 60},
                    ResolveRow{"polar_minus_90", "@10<-90", 100, 60},
                    ResolveRow{"polar_450_wraps", "@10<450", 100, 40},
                    ResolveRow{"polar_30_exact_y", "@37.5<30", 100 + 37.5 * std::sqrt(3.0) / 2, 50 - 18.75},
                    ResolveRow{"polar_150_exact_y", "@20<150", 100 - 20 * std::sqrt(3.0) / 2, 40},
                    ResolveRow{"polar_negative_distance", "@-10<0", 90, 50},
                    ResolveRow{"distance_along_the_band", "25", 115, 30},
                    ResolveRow{"distance_negative_goes_back", "-5", 97, 54},
                    ResolveRow{"limit_itself", "1e7,-1e7", 1e7, -1e7}),
    [](const auto& info) { return std::string(info.param.name); });

struct RefusalRow {
    const char* name;
    const char* text;
    EntryError error;
};

class PointEntryRefuses : public testing::TestWithParam<RefusalRow> {};

TEST_P(PointEntryRefuses, WithItsReason)
{
    const RefusalRow& r = GetParam();
    EXPECT_EQ(EvaluatePointEntry(r.text, kLast, kToward).error, r.error) << r.text;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, PointEntryRefuses,
    testing::Values(RefusalRow{"empty", "", EntryError::NotAForm},
                    RefusalRow{"blank", "  ", EntryError::NotAForm},
                    RefusalRow{"at_alone", "@", EntryError::NotAForm},
                    RefusalRow{"angle_alone", "<30", EntryError::NotAForm},
                    RefusalRow{"polar_without_at", "10<30", EntryError::NotAForm},
                    RefusalRow{"one_coordinate", "12,", EntryError::NotAForm},
                    RefusalRow{"three_coordinates", "1,2,3", EntryError::NotAForm},
                    RefusalRow{"comma_and_angle", "@1,2<3", EntryError::NotAForm},
                    RefusalRow{"two_angles", "@1<2<3", EntryError::NotAForm},
                    RefusalRow{"letters", "12a,3", EntryError::NotAForm},
                    RefusalRow{"double_sign", "--3", EntryError::NotAForm},
                    RefusalRow{"at_in_the_middle", "1@2", EntryError::NotAForm},
                    RefusalRow{"hex", "0x10,1", EntryError::NotAForm},
                    RefusalRow{"malformed_beats_range", "1e9,x", EntryError::NotAForm},
                    RefusalRow{"beyond_limit", "10000001,0", EntryError::OutOfRange},
                    RefusalRow{"beyond_limit_negative", "@0,-1.5e7", EntryError::OutOfRange},
                    RefusalRow{"beyond_double", "1e400,0", EntryError::OutOfRange},
                    RefusalRow{"infinity", "inf,0", EntryError::OutOfRange},
                    RefusalRow{"not_a_number", "@nan<0", EntryError::OutOfRange},
                    RefusalRow{"angle_beyond_limit", "@1<2e7", EntryError::OutOfRange},
                    RefusalRow{"distance_beyond_limit", "2e7", EntryError::OutOfRange},
                    RefusalRow{"result_beyond_limit", "@9999950,0", EntryError::OutOfRange}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PointEntry, RelativeFormsNeedALastPoint)
{
    EXPECT_EQ(EvaluatePointEntry("@1,2", std::nullopt, kToward).error, EntryError::NoLastPoint);
    EXPECT_EQ(EvaluatePointEntry("@1<2", std::nullopt, kToward).error, EntryError::NoLastPoint);
    EXPECT_EQ(EvaluatePointEntry("5", std::nullopt, kToward).error, EntryError::NoLastPoint);
    // The absolute form does not.
    EXPECT_EQ(EvaluatePointEntry("1,2", std::nullopt, std::nullopt).error, EntryError::None);
}

TEST(PointEntry, DistanceNeedsABandEndAwayFromTheLastPoint)
{
    EXPECT_EQ(EvaluatePointEntry("5", kLast, std::nullopt).error, EntryError::NoDirection);
    EXPECT_EQ(EvaluatePointEntry("5", kLast, kLast).error, EntryError::NoDirection);
}

TEST(PointEntry, DistanceIsResolvedAgainForANewBandEnd)
{
    const ParsedEntry parsed = ParsePointEntry("10");
    ASSERT_EQ(parsed.error, EntryError::None);
    EXPECT_EQ(parsed.entry.form, EntryForm::Distance);
    const EntryPoint right = ResolvePointEntry(parsed.entry, kLast, PointD{500, 50});
    const EntryPoint down = ResolvePointEntry(parsed.entry, kLast, PointD{100, 51});
    EXPECT_EQ(right.point, (PointD{110, 50}));
    EXPECT_EQ(down.point, (PointD{100, 60}));
}

TEST(PointEntry, ScreenDirectionAgreesWithTrigonometryOffTheTable)
{
    for (const double deg : {1.0, 15.0, 44.9, 45.0, 135.0, 200.5, 315.0, 359.0, -75.0}) {
        const PointD u = ScreenDirectionDeg(deg);
        const double r = deg * 3.14159265358979323846 / 180;
        EXPECT_NEAR(u.x, std::cos(r), 1e-15) << deg;
        EXPECT_NEAR(u.y, -std::sin(r), 1e-15) << deg;
    }
}

// ---- The angle lock ----------------------------------------------------------

struct LockRow {
    const char* name;
    PointD cursor;  // relative to the anchor
    double lockedDeg;
};

class AngleLockRays : public testing::TestWithParam<LockRow> {};

TEST_P(AngleLockRays, NearestMultipleOfFifteen)
{
    const LockRow& r = GetParam();
    const PointD anchor{40, 60};
    const PointD cursor{anchor.x + r.cursor.x, anchor.y + r.cursor.y};
    EXPECT_DOUBLE_EQ(LockedAngleDeg(anchor, cursor), r.lockedDeg);
    // The locked point lies on that ray, as far along it as the cursor's foot.
    const PointD p = LockToAngle(anchor, cursor, cursor);
    const double along = std::hypot(p.x - anchor.x, p.y - anchor.y);
    const double rad = r.lockedDeg * 3.14159265358979323846 / 180;
    EXPECT_NEAR(p.x, anchor.x + along * std::cos(rad), 1e-9);
    EXPECT_NEAR(p.y, anchor.y - along * std::sin(rad), 1e-9);
}

INSTANTIATE_TEST_SUITE_P(Rows, AngleLockRays,
                         testing::Values(LockRow{"flat", {100, -3}, 0},          // 1.7 degrees
                                         LockRow{"fifteen", {100, -25}, 15},     // 14.0
                                         LockRow{"steep", {2, -100}, 90},        // 88.9
                                         LockRow{"near_360", {100, 6}, 0},       // 356.6
                                         LockRow{"just_below_345", {100, 28}, 345},  // 344.4
                                         LockRow{"back_down_left", {-70, 72}, 225}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(AngleLock, ZeroAndNinetyKeepTheAnchorCoordinateExactly)
{
    const PointD anchor{10.1, 20.3};
    const PointD flat = LockToAngle(anchor, {200, 22}, {187.77, 23.9});
    EXPECT_EQ(flat.y, anchor.y);
    EXPECT_DOUBLE_EQ(flat.x, 187.77);
    const PointD up = LockToAngle(anchor, {11, -80}, {12.5, -80.25});
    EXPECT_EQ(up.x, anchor.x);
    EXPECT_DOUBLE_EQ(up.y, -80.25);
}

TEST(AngleLock, ASnappedPointMovesOnlyAlongTheRay)
{
    // Cursor at about 44 degrees locks to 45; a snap point 3 units off the
    // ray is projected onto it.
    const PointD anchor{0, 0};
    const PointD p = LockToAngle(anchor, {100, -97}, {103, -97});
    EXPECT_NEAR(p.x, 100, 1e-12);
    EXPECT_NEAR(p.y, -100, 1e-12);
}

}  // namespace
