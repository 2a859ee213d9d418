// The Draw items against the family table they are joined to: each item
// starts the family its row names, in its fill variant and with its dialog,
// at its place in menu order; and no family of the Draw menu is left
// without an item (a first mode mistyped in the list would leave one so).
#include <gtest/gtest.h>

#include <map>
#include <string_view>

#include "interaction/command_table.h"

namespace {

struct ListedItem {
    const char* handler;
    int firstMode;
    int variant;
    Ask ask;
};

const ListedItem kListed[] = {
#define MIRT_DRAW_ITEM(depth, handler, caption, shortcut, firstMode, variant, ask) \
    {#handler, firstMode, variant, Ask::ask},
#include "interaction/draw_items.inc"
};

TEST(DrawItems, EachStartsTheFamilyOfItsRowInMenuOrder)
{
    std::map<int, size_t> earlierOfFamily;
    for (const ListedItem& listed : kListed) {
        const auto found = FindMenuItem(listed.handler);
        ASSERT_TRUE(found) << listed.handler;
        EXPECT_EQ(found->method->firstMode, listed.firstMode) << listed.handler;
        EXPECT_EQ(found->item->variant, listed.variant) << listed.handler;
        EXPECT_EQ(found->item->ask, listed.ask) << listed.handler;
        const size_t place = earlierOfFamily[listed.firstMode]++;
        ASSERT_LT(place, found->method->items.size()) << listed.handler;
        EXPECT_EQ(&found->method->items[place], found->item) << listed.handler;
    }
}

TEST(DrawItems, EveryFamilyThatIsNoChangeModeHasItsItems)
{
    size_t items = 0;
    for (const CommandMethod& m : CommandMethods()) {
        if (m.change)
            continue;
        EXPECT_FALSE(m.items.empty()) << m.firstMode;
        for (const MenuItem& item : m.items)
            items += std::string_view(item.handler).starts_with("PopDraw") ? 1 : 0;
    }
    EXPECT_EQ(items, std::size(kListed));
}

}  // namespace
