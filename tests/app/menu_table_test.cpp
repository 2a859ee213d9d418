// The popup menu table against the menu as users know it: groups, submenu
// sizes, selected captions and shortcuts, handlers bound exactly for the
// entries that are available, and the built QMenu mirroring the rows.
#include <QAction>
#include <QKeySequence>
#include <QMenu>

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "app/menu_table.h"
#include "app_test_support.h"

namespace {

std::vector<const MenuRow*> ChildrenOf(const char* name)
{
    const auto rows = PopupMenuRows();
    std::vector<const MenuRow*> children;
    for (size_t i = 0; i < rows.size(); ++i) {
        if (std::string(rows[i].name) != name)
            continue;
        for (size_t j = i + 1; j < rows.size() && rows[j].depth > rows[i].depth; ++j) {
            if (rows[j].depth == rows[i].depth + 1)
                children.push_back(&rows[j]);
        }
    }
    return children;
}

std::vector<std::string> Captions(const char* name)
{
    std::vector<std::string> captions;
    for (const MenuRow* row : ChildrenOf(name))
        captions.push_back(row->caption);
    return captions;
}

TEST(MenuTable, HasTheFourGroupsInOrder)
{
    std::vector<std::string> groups;
    for (const MenuRow& row : PopupMenuRows()) {
        if (row.depth == 0)
            groups.push_back(row.caption);
    }
    EXPECT_EQ(groups, (std::vector<std::string>{"ファイル(&F)", "編集(&E)", "作図(&D)", "設定(&S)"}));
}

TEST(MenuTable, FileAndSettingsGroupsReadAsWritten)
{
    EXPECT_EQ(Captions("PopFile"), (std::vector<std::string>{"新規作成(&N)...", "開く(&O)...",
                                                             "名前を付けて保存(&S)...", "画像として保存(&I)...",
                                                             "終了(&X)"}));
    EXPECT_EQ(Captions("PopSet"),
              (std::vector<std::string>{"レイヤ設定(&L)", "ペン設定(&P)", "ペン幅設定(&W)", "ペン線種設定(&T)",
                                        "ペン線端設定(&C)", "ブラシ設定(&B)", "点設定(&M)", "-",
                                        "グリッド設定(&G)", "画像サイズ設定(&S)"}));
}

TEST(MenuTable, EditGroupReadsAsWritten)
{
    EXPECT_EQ(Captions("PopEdit"),
              (std::vector<std::string>{
                  "元に戻す(&U)", "やり直し(&R)", "-", "１要素選択(&1)", "範囲選択(&S)", "全選択(&A)",
                  "選択解除(&O)", "属性取得(&G)", "-", "削除(&D)", "移動(&M)", "複写(&C)",
                  "連続線の点の増減(&Z)", "文字変更(&T)", "-", "現在のレイヤに変更(&L)", "現在のペンに変更(&P)",
                  "現在のペン線幅に変更(&W)", "現在のペン線種に変更(&V)", "現在のペン線端に変更(&Y)",
                  "現在のブラシに変更(&B)", "現在の点に変更(&X)"}));
}

TEST(MenuTable, DrawGroupHasThirteenSubmenusOfTheWrittenSizesAndTheTextItem)
{
    const std::vector<std::pair<std::string, size_t>> expected = {
        {"線(&L)", 6},        {"点(&M)", 3},         {"矩形(&R)", 6},  {"円(&C)", 12},
        {"楕円(&E)", 18},     {"円弧(&A)", 5},       {"楕円弧(&F)", 9}, {"扇形(&P)", 12},
        {"弓形(&B)", 12},     {"円外側形(&O)", 15},  {"同心円形(&D)", 15}, {"連続線(&N)", 18},
        {"文字(&M)", 0}};
    const auto draw = ChildrenOf("PopDraw");
    ASSERT_EQ(draw.size(), expected.size());
    for (size_t i = 0; i < draw.size(); ++i) {
        EXPECT_EQ(draw[i]->caption, expected[i].first);
        EXPECT_EQ(ChildrenOf(draw[i]->name).size(), expected[i].second) << draw[i]->caption;
    }
    EXPECT_STREQ(ChildrenOf("PopDrawPlins").front()->caption, "作図指定完了(&0)");
}

// The Draw group is made from the list of Draw items; its rows stay the ones
// the menu was written with (tests/data/draw_menu_rows.txt: depth, name,
// caption and shortcut, tab-separated, in menu order).
TEST(MenuTable, DrawGroupRowsAreTheWrittenOnes)
{
    std::ifstream file(MIRT_TEST_DATA "/draw_menu_rows.txt");
    ASSERT_TRUE(file);
    std::vector<std::string> expected;
    for (std::string line; std::getline(file, line);)
        expected.push_back(line);
    std::vector<std::string> found;
    bool inDraw = false;
    for (const MenuRow& row : PopupMenuRows()) {
        if (row.depth == 0)
            inDraw = std::string_view(row.name) == "PopDraw";
        if (inDraw)
            found.push_back(std::to_string(row.depth) + '\t' + row.name + '\t' + row.caption + '\t' + row.shortcut);
    }
    EXPECT_EQ(found, expected);
}

TEST(MenuTable, ShortcutsAreTheWrittenOnesAndUnique)
{
    const std::map<std::string, std::string> expected = {
        {"PopEditUndoClick", "Ctrl+Z"},   {"PopEditRedoClick", "Ctrl+Shift+Z"},
        {"PopEditSelectAllClick", "Ctrl+A"}, {"PopEditDeleteClick", "Del"},
        {"PopDrawLineClick", "Ctrl+L"},   {"PopDrawLineXClick", "Ctrl+X"},
        {"PopDrawLineYClick", "Ctrl+Y"},  {"PopDrawPEndClick", "Ctrl+E"}};
    std::map<std::string, std::string> found;
    std::set<QKeySequence> sequences;
    for (const MenuRow& row : PopupMenuRows()) {
        if (row.shortcut[0] == '\0')
            continue;
        found[row.name] = row.shortcut;
        const QKeySequence sequence(QString::fromLatin1(row.shortcut), QKeySequence::PortableText);
        EXPECT_FALSE(sequence.isEmpty()) << row.shortcut;
        EXPECT_TRUE(sequences.insert(sequence).second) << "duplicate " << row.shortcut;
    }
    EXPECT_EQ(found, expected);
}

TEST(MenuTable, NamesAreUniqueAndEntriesAreHandlers)
{
    std::set<std::string> names;
    const auto rows = PopupMenuRows();
    for (size_t i = 0; i < rows.size(); ++i) {
        const MenuRow& row = rows[i];
        EXPECT_GE(row.depth, 0);
        if (i > 0) {
            EXPECT_LE(row.depth, rows[i - 1].depth + 1) << row.name;
        }
        if (row.isSeparator())
            continue;
        EXPECT_TRUE(names.insert(row.name).second) << "duplicate " << row.name;
        const std::string name = row.name;
        const bool isHandler = name.size() > 5 && name.ends_with("Click");
        EXPECT_EQ(isHandler, row.depth > 0 && !OpensSubmenu(rows, i)) << name;
    }
}

TEST(MenuTable, EveryEntryHasABoundHandlerAndIsEnabled)
{
    TForm1 form;
    const auto rows = PopupMenuRows();
    for (size_t i = 0; i < rows.size(); ++i) {
        const MenuRow& row = rows[i];
        if (row.depth == 0 || row.isSeparator() || OpensSubmenu(rows, i))
            continue;
        const bool bound = static_cast<bool>(form.menuHandler(row.name));
        EXPECT_TRUE(bound) << row.name;
        QAction* action = form.menuAction(QString::fromUtf8(row.name));
        ASSERT_NE(action, nullptr) << row.name;
        EXPECT_EQ(action->text(), QString::fromUtf8(row.caption));
        EXPECT_TRUE(action->isEnabled()) << row.name;
    }
}

// Walks the built QMenu and the rows side by side.
void ExpectMenuMatches(const QMenu& menu, std::span<const MenuRow> rows, size_t& i, int depth)
{
    for (QAction* action : menu.actions()) {
        ASSERT_LT(i, rows.size());
        const MenuRow& row = rows[i++];
        ASSERT_EQ(row.depth, depth) << row.name;
        if (row.isSeparator()) {
            EXPECT_TRUE(action->isSeparator());
            continue;
        }
        EXPECT_EQ(action->text(), QString::fromUtf8(row.caption));
        if (QMenu* sub = action->menu())
            ExpectMenuMatches(*sub, rows, i, depth + 1);
    }
}

TEST(MenuTable, BuiltMenuMirrorsTheRows)
{
    QMenu root;
    int calls = 0;
    BuildPopupMenu(root, PopupMenuRows(), [&calls](std::string_view) {
        ++calls;
        return std::function<void()>([] {});
    });
    size_t i = 0;
    ExpectMenuMatches(root, PopupMenuRows(), i, 0);
    EXPECT_EQ(i, PopupMenuRows().size());
    EXPECT_GT(calls, 0);
}

TEST(MenuTable, MalformedRowsAreSkipped)
{
    const MenuRow rows[] = {
        {0, "G", "G", ""},
        {2, "Orphan", "orphan", ""},  // no depth-1 parent
        {1, "ItemClick", "item", ""},
    };
    QMenu root;
    const auto actions = BuildPopupMenu(root, rows, [](std::string_view) { return std::function<void()>(); });
    EXPECT_TRUE(actions.contains(QStringLiteral("ItemClick")));
    EXPECT_FALSE(actions.contains(QStringLiteral("Orphan")));
    EXPECT_FALSE(actions.value(QStringLiteral("ItemClick"))->isEnabled());  // no handler
}

}  // namespace
