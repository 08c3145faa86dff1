#include "mainwin/macro_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "mainwin/list_texts.h"
#include "mainwin/sort_key.h"

namespace orv {
namespace {

constexpr int kCtrlA = 0;  // "Ctrl+A"

SortFields fields(int code, int scope, std::string nick, std::string shortKey = "", std::string scopeName = "",
                  std::string hotKeyName = "") {
    return {code, scope, std::move(hotKeyName), std::move(shortKey), std::move(scopeName), std::move(nick)};
}

TEST(SortKey, ThePrimaryOrderChoosesThePieces) {
    // Activation piece "AAAAz" + "QQ" (ShortKey at position 2), scope piece "AAAAAz" + "NOTEPAD"
    // (window at position 2), nickname piece "LETTER".
    const SortFields f = fields(kCodeShortKey, kScopeWindow, "Letter", "qq", "Notepad");
    const std::string a = "AAAAzQQ", s = "AAAAAzNOTEPAD", n = "LETTER";
    const struct {
        const char* primary;
        std::string key;
    } cases[] = {
        {"123", a + n + s}, {"132", a + s + n}, {"12", a + n + s}, {"213", n + a + s}, {"231", n + s + a},
        {"321", s + n + a}, {"312", s + a + n}, {"32", s + n + a}, {"9", s + a + n},   {"", s + a + n},
    };
    for (const auto& c : cases) EXPECT_EQ(sortKey(f, {c.primary, "12345", "12345"}), c.key) << "primary " << c.primary;
}

TEST(SortKey, RankPrefixesAndCutsFollowThePositionInTheOrder) {
    const std::string longShortKey(18, 'k');
    const std::string longName(40, 'n');
    // The ShortKey kind (2) and the window scope kind (2) moved through every position.
    const struct {
        const char* activationOrder;
        std::string activation;
        const char* scopeOrder;
        std::string scope;
    } cases[] = {
        {"21345", "AAAAA" + std::string(15, 'K'), "21345", "AAAAAA" + std::string(26, 'N')},
        {"12345", "AAAAz" + std::string(15, 'K'), "12345", "AAAAAz" + std::string(26, 'N')},
        {"13245", "AAAz" + std::string(16, 'K'), "13245", "AAAAz" + std::string(27, 'N')},
        {"13425", "AAz" + std::string(17, 'K'), "13425", "AAAz" + std::string(28, 'N')},
        {"13452", "Az" + std::string(18, 'K'), "13452", "AAz" + std::string(29, 'N')},
        // A damaged order puts the kind last.
        {"1345", "Az" + std::string(18, 'K'), "1", "AAz" + std::string(29, 'N')},
    };
    for (const auto& c : cases) {
        const SortFields f = fields(kCodeShortKey, 7, "", longShortKey, longName);
        EXPECT_EQ(sortKey(f, {"13", c.activationOrder, c.scopeOrder}), c.activation + c.scope) << c.activationOrder;
    }
    // A hotkey's name fills the piece up to 34 characters; kinds without text have the prefix alone.
    const SortFields hot = fields(kCtrlA, kScopeGlobal, "", "", "", std::string(40, 'h'));
    EXPECT_EQ(sortKey(hot, {"13", "12345", "12345"}), "AAAAA" + std::string(29, 'h') + "AAAAAA");
    EXPECT_EQ(sortKey(hot, {"13", "23451", "23451"}), "Az" + std::string(32, 'h') + "AAz");
    EXPECT_EQ(sortKey(fields(kCodeTimed, kScopePopupMenu, ""), {"13", "12345", "12345"}), "AAAzAAAz");
    EXPECT_EQ(sortKey(fields(kCodeNone, kScopeSystem, ""), {"13", "12345", "12345"}), "AAzAAz");
    EXPECT_EQ(sortKey(fields(kCodeWindowTitle, kScopeProgram, "", "", "ed"), {"13", "12345", "12345"}), "AzAAAAzED");
}

// A file's index as the list reads it.
struct Index {
    TActivationTable table;
    TAppSettings settings;
    void add(int code, int scope, const std::string& nick, const std::string& shortKey = "",
             const std::string& title = "") {
        const int j = table.MacroCount() + 1;
        table.setMacroCount(j);
        table.setHotKeyCode(j, static_cast<std::int16_t>(code));
        table.setScope(j, static_cast<std::int16_t>(scope));
        table.setWindowTitle(j, title);
        settings.NickName[static_cast<std::size_t>(j - 1)] = nick;
        settings.ShortKeyText[static_cast<std::size_t>(j - 1)] = shortKey;
    }
    std::vector<std::string> nicksInRowOrder(MacroList& list) {
        list.FillList(table, settings);
        std::vector<std::string> out;
        for (int r = 1; r <= list.rowCount(); ++r) out.push_back(settings.nickName(list.macroAt(r)));
        return out;
    }
};

Index sampleIndex() {
    Index x;
    x.add(kCodeNone, kScopeGlobal, "delta");
    x.add(kCodeShortKey, kScopeProgram, "alpha", "zz", "gedit");
    x.add(kCodeTimed, kScopeWindow, "echo", "", "Mail");
    x.add(kCtrlA + 19, kScopePopupMenu, "bravo");  // Ctrl+T
    x.add(kCodeWindowTitle, kScopeGlobal, "charlie");
    return x;
}

TEST(MacroList, FillsInTheOrderTheSettingsChoose) {
    const struct {
        const char* primary;
        const char* activation;
        const char* scope;
        std::vector<std::string> rows;
    } cases[] = {
        {"123", "12345", "12345", {"bravo", "alpha", "echo", "delta", "charlie"}},
        {"123", "54321", "12345", {"charlie", "delta", "echo", "alpha", "bravo"}},
        {"213", "12345", "12345", {"alpha", "bravo", "charlie", "delta", "echo"}},
        {"321", "12345", "12345", {"charlie", "delta", "echo", "alpha", "bravo"}},
        {"312", "12345", "12345", {"delta", "charlie", "echo", "alpha", "bravo"}},
        {"321", "12345", "43215", {"bravo", "alpha", "echo", "charlie", "delta"}},
    };
    for (const auto& c : cases) {
        Index x = sampleIndex();
        x.settings.PrimarySort = c.primary;
        x.settings.ActivationSort = c.activation;
        x.settings.ScopeSort = c.scope;
        MacroList list;
        EXPECT_EQ(x.nicksInRowOrder(list), c.rows) << c.primary << " " << c.activation << " " << c.scope;
        EXPECT_EQ(list.selectedRow(), 1);
        for (int r = 1; r <= list.rowCount(); ++r) EXPECT_EQ(list.ReverseSort(list.macroAt(r)), r);
    }
}

TEST(MacroList, EmptyAndSingleFilesAndUnknownMacros) {
    Index x;
    MacroList list;
    list.FillList(x.table, x.settings);
    EXPECT_EQ(list.rowCount(), 0);
    EXPECT_EQ(list.selectedRow(), 0);
    EXPECT_EQ(list.selectedMacro(), 0);
    x.add(kCodeNone, kScopeGlobal, "only");
    list.FillList(x.table, x.settings);
    EXPECT_EQ(list.rowMap(), std::vector<std::int32_t>{1});
    EXPECT_EQ(list.ReverseSort(2), -1);
    list.select(5);
    EXPECT_EQ(list.selectedRow(), 0);
}

TEST(MacroList, SortsFiveHundredEqualKeysWithoutLosingARow) {
    Index x;
    for (int j = 0; j < kMaxMacros; ++j) x.add(kCodeNone, kScopeGlobal, j % 3 == 0 ? "same" : "other");
    MacroList list;
    const std::vector<std::string> rows = x.nicksInRowOrder(list);
    ASSERT_EQ(rows.size(), 500u);
    EXPECT_TRUE(std::is_sorted(rows.begin(), rows.end()));
    std::vector<std::int32_t> seen = list.rowMap();
    std::sort(seen.begin(), seen.end());
    for (int j = 1; j <= 500; ++j) EXPECT_EQ(seen[static_cast<std::size_t>(j - 1)], j);
}

TEST(MacroList, TypingFindsTheFirstRowByItsActivationText) {
    Index x;
    x.add(kCodeNone, kScopeGlobal, "n");              // NONE
    x.add(kCtrlA + 19, kScopeGlobal, "ctrl-t");       // Ctrl+T
    x.add(kCodeShortKey, kScopeGlobal, "sk", "cty");  // CTY
    x.add(kCodeTimed, kScopeGlobal, "timed");         // TIMED MACRO
    x.settings.PrimarySort = "213";                   // rows by nickname: ctrl-t, n, sk, timed
    MacroList list;
    list.FillList(x.table, x.settings);
    const struct {
        char key;
        const char* search;
        int row;
    } steps[] = {
        {'t', "T", 4}, {'\t', "", 4}, {'c', "C", 1}, {'t', "CT", 1}, {'y', "CTY", 3}, {'x', "CTYX", 3},
        {8, "CTY", 3}, {8, "CT", 1},  {8, "C", 1},   {8, "", 1},     {'n', "N", 2},   {'\x1b', "", 2},
        {'w', "W", 2}, {'\r', "", 2}, {'T', "T", 4}, {'\n', "", 4},
    };
    for (const auto& s : steps) {
        list.keyPress(s.key);
        EXPECT_EQ(list.searchText(), s.search) << "after " << int(s.key);
        EXPECT_EQ(list.selectedRow(), s.row) << "after " << int(s.key);
    }
    for (const int vk : {17, 18, 33, 36, 40}) {
        list.keyPress('z');
        list.keyDown(vk);
        EXPECT_EQ(list.searchText(), "") << vk;
    }
    list.keyPress('z');
    list.keyDown(65);
    EXPECT_EQ(list.searchText(), "Z");
}

TEST(ListTexts, ColumnsAndFitting) {
    Index x;
    x.add(kCodeShortKey, kScopeProgram, "a", "qq", std::string(20, 'p'));
    x.add(kCtrlA, kScopeWindow, "b", "", std::string(20, 'w'));
    x.add(kCodeNone, 9, "c");
    EXPECT_EQ(activationText(x.table, x.settings, 1), "qq");
    EXPECT_EQ(activationFindText(x.table, x.settings, 1), "QQ");
    EXPECT_EQ(activationText(x.table, x.settings, 2), "Ctrl+A");
    EXPECT_EQ(scopeText(x.table, 1), "Program: " + std::string(20, 'p'));
    EXPECT_EQ(scopeText(x.table, 2), "Window: " + std::string(20, 'w'));
    EXPECT_EQ(scopeText(x.table, 3), "Window: ");
    // Ten pixels a character: 34 pixels hold three characters, 9 hold none.
    const auto tenEach = [](std::size_t n) { return static_cast<int>(n) * 10; };
    EXPECT_EQ(fittedLength(8, 34, tenEach), 3u);
    EXPECT_EQ(fittedLength(8, 80, tenEach), 8u);
    EXPECT_EQ(fittedLength(8, 9, tenEach), 0u);
    EXPECT_EQ(fittedLength(0, -2, tenEach), 0u);
}

}  // namespace
}  // namespace orv
