#include "mainwin/list_dialogs.h"

#include <gtest/gtest.h>

#include "platform/clock.h"
#include "platform/activation_table.h"

namespace orv {
namespace {

TEST(SortOrderModel, ListsTheStoredOrderMovesEntriesAndWritesDigits) {
    TAppSettings settings;
    settings.PrimarySort = "32";  // damaged: the missing entry is appended
    settings.ActivationSort = "54321";
    settings.ScopeSort = "1x9";  // damaged
    SortOrderModel m = SortOrderModel::fromSettings(settings);
    EXPECT_EQ(m.lists[SortOrderModel::Primary], (std::vector<int>{3, 2, 1}));
    EXPECT_EQ(m.lists[SortOrderModel::Scope], (std::vector<int>{1, 2, 3, 4, 5}));
    EXPECT_EQ(SortOrderModel::entryName(SortOrderModel::Activation, 5), "Window Title");
    EXPECT_EQ(SortOrderModel::entryName(SortOrderModel::Scope, 4), "PopUp Menu");
    EXPECT_EQ(SortOrderModel::entryName(SortOrderModel::Primary, 2), "Nickname");

    EXPECT_FALSE(SortOrderModel::canMoveUp(0));
    EXPECT_FALSE(m.canMoveDown(SortOrderModel::Primary, 2));
    EXPECT_FALSE(m.canMoveDown(SortOrderModel::Primary, -1));
    EXPECT_EQ(m.moveUp(SortOrderModel::Primary, 2), 1);       // 3 1 2
    EXPECT_EQ(m.moveDown(SortOrderModel::Activation, 0), 1);  // 4 5 3 2 1
    EXPECT_EQ(m.moveDown(SortOrderModel::Activation, 4), 4);  // the last stays
    m.sortHeader = false;
    m.apply(settings);
    EXPECT_EQ(settings.PrimarySort, "312");
    EXPECT_EQ(settings.ActivationSort, "45321");
    EXPECT_EQ(settings.ScopeSort, "12345");
    EXPECT_FALSE(settings.SortHeader);
}

TEST(AppearanceModel, RefusesTheFirstBadWidthAndStoresPlainGridFont) {
    const struct {
        std::array<std::string, 3> widths;
        std::optional<int> bad;
    } cases[] = {
        {{"155", "239", "138"}, std::nullopt},
        {{"0", "1", "1"}, 0},
        {{"1", "-5", "1"}, 1},
        {{"1", "1", "abc"}, 2},
        {{"1", "", "x"}, 1},
        {{"12345", "1", "1"}, 0},
        {{" 40", "9999", "1"}, std::nullopt},
    };
    for (const auto& c : cases) {
        AppearanceModel m;
        m.widths = c.widths;
        EXPECT_EQ(m.invalidWidth(), c.bad) << c.widths[0] << "," << c.widths[1] << "," << c.widths[2];
    }
    TAppSettings settings;
    AppearanceModel m = AppearanceModel::fromSettings(settings);
    EXPECT_EQ(m.widths[1], "239");
    m.widths = {"10", "20", "30"};
    m.gridFont.Italic = m.gridFont.Underline = m.gridFont.Strikeout = m.gridFont.Bold = true;
    m.titleFont.Italic = true;
    m.speedButtons = false;
    m.apply(settings);
    EXPECT_EQ(settings.Col3Width, 30);
    EXPECT_TRUE(settings.GridFont.Bold);
    EXPECT_FALSE(settings.GridFont.Italic || settings.GridFont.Underline || settings.GridFont.Strikeout);
    EXPECT_TRUE(settings.GridTitleFont.Italic);
    EXPECT_FALSE(settings.UseSpeed);
}

TEST(AppearanceModel, FontsWithBadSizesOrNoNameFallBackToTheDefaults) {
    const FontSetting fallback{0, "Arial", 10};
    EXPECT_EQ(usableFont({0, "Mono", 0}, fallback).Size, 10);
    EXPECT_EQ(usableFont({0, "Mono", -3}, fallback).Size, 10);
    EXPECT_EQ(usableFont({0, "Mono", 5000}, fallback).Size, 10);
    EXPECT_EQ(usableFont({0, "", 14}, fallback), (FontSetting{0, "Arial", 14}));
    EXPECT_EQ(usableFont({0, "Mono", 14, true}, fallback), (FontSetting{0, "Mono", 14, true}));
}

TEST(PreferenceModel, VisibilityMapsToTrayAndHide) {
    using V = PreferenceModel::Visibility;
    TAppSettings settings;
    for (const V v : {V::Taskbar, V::Tray, V::Hide}) {
        PreferenceModel m;
        m.visibility = v;
        m.useClose = v == V::Hide;
        m.apply(settings);
        EXPECT_EQ(settings.UseTray, v == V::Tray);
        EXPECT_EQ(settings.UseHide, v == V::Hide);
        EXPECT_EQ(settings.UseClose, v == V::Hide);
        EXPECT_EQ(PreferenceModel::fromSettings(settings).visibility, v);
        EXPECT_EQ(m.hideEnabled(), v != V::Taskbar);
    }
}

TEST(QuickInfo, ActivationScopeAndText) {
    TMacroRecord r;
    r.NickName = "Mail";
    r.HotKeyCode = kCodeShortKey;
    r.ShortKeyText = "sig";
    r.Scope = kScopeProgram;
    r.WindowTitle = "thunderbird";
    r.TopMostOnly = 1;
    r.Active = 0;
    r.MacroText = "Regards";
    r.LastModified = toDateSerial({2024, 3, 9, 15, 4, 5});
    QuickInfoText q = quickInfo(r);
    EXPECT_EQ(q.lastModified, "Last Modified On 3/9/2024  3:04:05 PM");
    EXPECT_EQ(q.activationCaption, "ShortKey:");
    EXPECT_EQ(q.activationValue, "sig");
    EXPECT_EQ(q.scope, "thunderbird \"Program\" (Top Most Only)");
    EXPECT_EQ(q.active, "No");
    EXPECT_EQ(q.textCaption, "Macro Text:");
    EXPECT_EQ(q.macroText, "Regards");

    r.Scope = kScopeWindow;
    r.TopMostOnly = 0;
    r.HotKeyCode = kCodeNone;
    q = quickInfo(r);
    EXPECT_EQ(q.scope, "thunderbird \"Window\" (If Running)");
    EXPECT_EQ(q.activationCaption, "None");
    EXPECT_EQ(q.activationValue, "");

    r.Scope = kScopePopupMenu;
    r.HotKeyCode = 3;
    q = quickInfo(r);
    EXPECT_EQ(q.scope, "Popup Menu");
    EXPECT_EQ(q.activationCaption, "Hot Key:");
    EXPECT_EQ(q.activationValue, "Ctrl+D");
    EXPECT_FALSE(q.showText);
    EXPECT_EQ(q.textCaption, "");
}

}  // namespace
}  // namespace orv
