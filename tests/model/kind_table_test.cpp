// The kind table: every kind appended through the run-time append lands in its
// own table, is visited as itself, and survives a file round trip; a record of
// another kind's type is refused; codes, labels and keywords belong to one kind.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "model/data.h"
#include "storage/files.h"

namespace {

constexpr int32_t kMarkLayer = 7;

// A record of the kind's type on kMarkLayer, with join or end style 3.
template <ElementKind K> RecordOf<K> markedRecord()
{
    RecordOf<K> r;
    if constexpr (requires { r.h.layer; }) {
        r.h.layer = kMarkLayer;
        if constexpr (requires { r.h.joinStyle; })
            r.h.joinStyle = 3;
        else
            r.h.endStyle = 3;
    } else
        r.layer = kMarkLayer;
    if constexpr (requires { r.points; })
        r.points = {{1, 2}, {3, 4}, {5, 6}, {7, 8}};
    return r;
}

template <class Record> int32_t layerOfRecord(const Record& r)
{
    if constexpr (requires { r.h.layer; })
        return r.h.layer;
    else
        return r.layer;
}

// Appends the marked record of a run-time kind through Drawing::Append(kind, record).
int32_t appendMarked(Drawing& d, ElementKind kind)
{
    int32_t index = -2;
    forKind(kind, [&]<ElementKind K>() { index = d.Append(kind, markedRecord<K>()); });
    return index;
}

class KindRowTest : public testing::TestWithParam<ElementKind> {};

TEST_P(KindRowTest, AppendStoresInTheKindsOwnTableAndVisitsItAsItself)
{
    const ElementKind kind = GetParam();
    Drawing d;
    d.AppendLine({});  // another kind first, so the element is not at position 0
    ASSERT_EQ(appendMarked(d, kind), kind == ElementKind::Line ? 1 : 0);
    ASSERT_EQ(d.registry.size(), 2u);
    EXPECT_EQ(d.registry[1].kind, static_cast<int32_t>(kind));
    for (ElementKind other : kAllKinds) {
        const size_t expected = (other == kind) + (other == ElementKind::Line);
        EXPECT_EQ(tableSize(d.tables, other), expected) << kindLabel(static_cast<int32_t>(other));
    }

    int visits = 0;
    ASSERT_TRUE(visitElement(d, d.registry[1], [&]<class Record>(ElementKind seen, const Record& r) {
        ++visits;
        EXPECT_EQ(seen, kind);
        EXPECT_TRUE(kindHolds<Record>(kind));
        EXPECT_EQ(layerOfRecord(r), kMarkLayer);
    }));
    EXPECT_EQ(visits, 1);
    EXPECT_EQ(d.layerOf(d.registry[1]), kMarkLayer);
}

TEST_P(KindRowTest, RecordAtFindsOnlyItsOwnKindAtAPosition)
{
    const ElementKind kind = GetParam();
    Drawing d;
    appendMarked(d, kind);
    forKind(kind, [&]<ElementKind K>() {
        const RecordOf<K>* r = recordAt<K>(d, 0);
        ASSERT_NE(r, nullptr);
        EXPECT_EQ(r, &tableOf<K>(d.tables)[0]);
        EXPECT_EQ(recordAt<K>(d, 1), nullptr);
        EXPECT_EQ(recordAt<K>(d, -1), nullptr);
    });
    // Pie and chord share their record type; only the kind's own look-up finds it.
    EXPECT_EQ(recordAt<ElementKind::Pie>(d, 0) != nullptr, kind == ElementKind::Pie);
    EXPECT_EQ(recordAt<ElementKind::Chord>(d, 0) != nullptr, kind == ElementKind::Chord);
}

TEST_P(KindRowTest, ClosedKindsStoreJoinThreeAsZeroOpenKindsKeepEndThree)
{
    const ElementKind kind = GetParam();
    Drawing d;
    appendMarked(d, kind);
    visitElement(d, d.registry[0], [&](ElementKind, const auto& r) {
        if constexpr (requires { r.h.joinStyle; }) {
            EXPECT_EQ(r.h.joinStyle, 0);
        } else if constexpr (requires { r.h.endStyle; }) {
            EXPECT_EQ(r.h.endStyle, 3);
        }
    });
}

TEST_P(KindRowTest, FileRoundTripWritesTheKeywordAndReadsBackTheSameKind)
{
    const ElementKind kind = GetParam();
    Drawing d;
    appendMarked(d, kind);
    std::string text;
    ASSERT_TRUE(WriteDrawingText(d, ImageSize{200, 100}, text).ok());
    const std::string entry =
        "\r\n" + std::to_string(static_cast<int32_t>(kind)) + "\r\n" + std::string(kindKeyword(kind)) + "\r\n";
    EXPECT_NE(text.find(entry), std::string::npos) << text;

    Drawing back;
    ASSERT_TRUE(ReadDrawingText(back, text).ok());
    ASSERT_EQ(back.registry.size(), 1u);
    EXPECT_EQ(back.registry[0].kind, static_cast<int32_t>(kind));
    EXPECT_EQ(tableSize(back.tables, kind), 1u);
    EXPECT_EQ(back.layerOf(back.registry[0]), kMarkLayer);
}

TEST_P(KindRowTest, CodeLabelKeywordAndOrdinalNameThisKind)
{
    const ElementKind kind = GetParam();
    const auto code = static_cast<int32_t>(kind);
    EXPECT_EQ(kindFromCode(code), kind);
    EXPECT_FALSE(kindLabel(code).empty());
    EXPECT_FALSE(kindKeyword(kind).empty());
    ASSERT_LT(kindOrdinal(kind), kAllKinds.size());
    EXPECT_EQ(kAllKinds[kindOrdinal(kind)], kind);
}

INSTANTIATE_TEST_SUITE_P(EveryKind, KindRowTest, testing::ValuesIn(kAllKinds),
                         [](const testing::TestParamInfo<ElementKind>& info) {
                             return std::string(kindKeyword(info.param));
                         });

TEST(KindTable, KindsAreInCodeOrderWithDistinctLabelsAndKeywords)
{
    std::set<std::string_view> labels, keywords;
    for (size_t i = 0; i < kAllKinds.size(); ++i) {
        if (i > 0) {
            EXPECT_LT(static_cast<int32_t>(kAllKinds[i - 1]), static_cast<int32_t>(kAllKinds[i]));
        }
        labels.insert(kindLabel(static_cast<int32_t>(kAllKinds[i])));
        keywords.insert(kindKeyword(kAllKinds[i]));
    }
    EXPECT_EQ(labels.size(), kAllKinds.size());
    EXPECT_EQ(keywords.size(), kAllKinds.size());
}

TEST(KindTable, UnknownCodesNameNoKind)
{
    for (int32_t code : {0, -100, 101, 399, 401, 1000}) {
        EXPECT_FALSE(kindFromCode(code)) << code;
        EXPECT_TRUE(kindLabel(code).empty()) << code;
        EXPECT_FALSE(forKind(code, []<ElementKind>() { FAIL(); })) << code;
    }
    EXPECT_EQ(tableSize(KindTables{}, static_cast<ElementKind>(101)), 0u);
}

TEST(KindTable, ThePolylineFamilyIsTheKindsOfPointListRecords)
{
    using K = ElementKind;
    const std::set<K> family{K::Polyline, K::Polygon, K::Bezier, K::OpenSpline, K::ClosedSpline};
    for (K kind : kAllKinds)
        EXPECT_EQ(isPointListKind(kind), family.count(kind) == 1) << kindLabel(static_cast<int32_t>(kind));
    EXPECT_FALSE(isPointListKind(305));
}

TEST(KindTable, RecordOfAnotherKindsTypeIsRefusedAndNothingChanges)
{
    Drawing d;
    EXPECT_EQ(d.Append(ElementKind::Line, RectRecord{}), -1);
    EXPECT_EQ(d.Append(ElementKind::Pie, RingRecord{}), -1);
    EXPECT_EQ(d.Append(ElementKind::Polygon, OpenPathRecord{}), -1);
    EXPECT_EQ(d.Append(ElementKind::Polyline, ClosedPathRecord{}), -1);
    EXPECT_EQ(d.Append(ElementKind::Text, PointRecord{}), -1);
    EXPECT_EQ(d.Append(static_cast<ElementKind>(101), LineRecord{}), -1);
    EXPECT_TRUE(d.registry.empty());
    EXPECT_EQ(d.journal.position(), 0);
    EXPECT_EQ(d.extents.size(), 0u);
    for (ElementKind kind : kAllKinds)
        EXPECT_EQ(tableSize(d.tables, kind), 0u);
}

TEST(KindTable, KindsSharingARecordTypeKeepSeparateTables)
{
    Drawing d;
    EXPECT_EQ(d.Append(ElementKind::Pie, SectorRecord{}), 0);
    EXPECT_EQ(d.Append(ElementKind::Outside, SectorRecord{}), 0);
    EXPECT_EQ(d.Append(ElementKind::Chord, SectorRecord{}), 0);
    EXPECT_EQ(d.Append(ElementKind::Pie, SectorRecord{}), 1);
    EXPECT_EQ(d.tables.pies.size(), 2u);
    EXPECT_EQ(d.tables.chords.size(), 1u);
    EXPECT_EQ(d.tables.outsides.size(), 1u);
    EXPECT_EQ(d.registry[1].kind, static_cast<int32_t>(ElementKind::Outside));
}

}  // namespace
