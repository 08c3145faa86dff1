#include "mainwin/list_dialogs.h"

#include <algorithm>
#include <utility>

#include "activation/hotkey_table.h"
#include "activation/popup_menu.h"
#include "activation/scheduler.h"
#include "dialogs/dialog_text.h"
#include "platform/activation_table.h"

namespace orv {

namespace {

constexpr std::string_view kPrimaryNames[] = {"Activation", "Nickname", "Scope"};
constexpr std::string_view kActivationNames[] = {"Hot Key", "ShortKey", "Timed Macro", "None", "Window Title"};
constexpr std::string_view kScopeNames[] = {"Global", "Specific Window", "Specific Program", "PopUp Menu", "System"};

constexpr int kMaxFontPoints = 200;

std::vector<int> digitsOf(const std::string& stored, int count) {
    std::vector<int> out;
    for (const char c : stored) {
        const int d = c - '0';
        if (d >= 1 && d <= count && std::find(out.begin(), out.end(), d) == out.end()) out.push_back(d);
    }
    for (int d = 1; d <= count; ++d)
        if (std::find(out.begin(), out.end(), d) == out.end()) out.push_back(d);
    return out;
}

std::string stringOf(const std::vector<int>& digits) {
    std::string out;
    for (const int d : digits) out += static_cast<char>('0' + d);
    return out;
}

std::string scopeLine(const TMacroRecord& r) {
    if (const char* fixed = fixedScopeName(r.Scope)) return fixed;
    const char* kind = r.Scope == kScopeProgram ? "\"Program\"" : "\"Window\"";
    return r.WindowTitle + " " + kind + (r.TopMostOnly != 0 ? " (Top Most Only)" : " (If Running)");
}

}  // namespace

SortOrderModel SortOrderModel::fromSettings(const TAppSettings& settings) {
    SortOrderModel m;
    m.lists[Primary] = digitsOf(settings.PrimarySort, 3);
    m.lists[Activation] = digitsOf(settings.ActivationSort, 5);
    m.lists[Scope] = digitsOf(settings.ScopeSort, 5);
    m.sortHeader = settings.SortHeader;
    return m;
}

std::string_view SortOrderModel::entryName(List list, int digit) {
    const auto i = static_cast<std::size_t>(digit - 1);
    if (list == Primary) return i < std::size(kPrimaryNames) ? kPrimaryNames[i] : "";
    if (list == Activation) return i < std::size(kActivationNames) ? kActivationNames[i] : "";
    return i < std::size(kScopeNames) ? kScopeNames[i] : "";
}

int SortOrderModel::moveUp(List list, int index) {
    if (!canMoveUp(index) || index >= static_cast<int>(lists[list].size())) return index;
    std::swap(lists[list][static_cast<std::size_t>(index)], lists[list][static_cast<std::size_t>(index - 1)]);
    return index - 1;
}

int SortOrderModel::moveDown(List list, int index) {
    if (!canMoveDown(list, index)) return index;
    std::swap(lists[list][static_cast<std::size_t>(index)], lists[list][static_cast<std::size_t>(index + 1)]);
    return index + 1;
}

void SortOrderModel::apply(TAppSettings& settings) const {
    settings.PrimarySort = stringOf(lists[Primary]);
    settings.ActivationSort = stringOf(lists[Activation]);
    settings.ScopeSort = stringOf(lists[Scope]);
    settings.SortHeader = sortHeader;
}

AppearanceModel AppearanceModel::fromSettings(const TAppSettings& settings) {
    AppearanceModel m;
    m.widths = {std::to_string(settings.Col1Width), std::to_string(settings.Col2Width),
                std::to_string(settings.Col3Width)};
    m.gridFont = settings.GridFont;
    m.titleFont = settings.GridTitleFont;
    m.speedButtons = settings.UseSpeed;
    m.showIcons = settings.ShowIcons;
    return m;
}

std::optional<int> AppearanceModel::invalidWidth() const {
    for (int i = 0; i < 3; ++i) {
        const std::string& text = widths[static_cast<std::size_t>(i)];
        const auto value = dialogs::parseWhole(dialogs::trimText(text));
        if (text.size() > kWidthChars || !value || *value <= 0) return i;
    }
    return std::nullopt;
}

void AppearanceModel::apply(TAppSettings& settings) const {
    const auto width = [this](int i) {
        return static_cast<int>(
            dialogs::parseWhole(dialogs::trimText(widths[static_cast<std::size_t>(i)])).value_or(1));
    };
    settings.Col1Width = width(0);
    settings.Col2Width = width(1);
    settings.Col3Width = width(2);
    settings.GridFont = plainGridFont(gridFont);
    settings.GridTitleFont = titleFont;
    settings.UseSpeed = speedButtons;
    settings.ShowIcons = showIcons;
}

FontSetting plainGridFont(FontSetting font) {
    font.Italic = false;
    font.Underline = false;
    font.Strikeout = false;
    return font;
}

FontSetting usableFont(const FontSetting& font, const FontSetting& fallback) {
    FontSetting f = font;
    if (f.Name.empty()) f.Name = fallback.Name;
    if (f.Size < 1 || f.Size > kMaxFontPoints) f.Size = fallback.Size;
    return f;
}

PreferenceModel PreferenceModel::fromSettings(const TAppSettings& settings) {
    PreferenceModel m;
    m.visibility = settings.UseTray ? Visibility::Tray : settings.UseHide ? Visibility::Hide : Visibility::Taskbar;
    m.useClose = settings.UseClose;
    return m;
}

std::string PreferenceModel::check() const {
    if (autostart.enabled && !splitSwitches(autostart.switches)) return kMsgSwitchesQuote;
    return {};
}

void PreferenceModel::apply(TAppSettings& settings) const {
    settings.UseTray = visibility == Visibility::Tray;
    settings.UseHide = visibility == Visibility::Hide;
    settings.UseClose = useClose;
}

QuickInfoText quickInfo(const TMacroRecord& r) {
    QuickInfoText q;
    q.lastModified = "Last Modified On " + dateTimeText(fromDateSerial(r.LastModified));
    q.iconName = r.IconName;
    switch (r.HotKeyCode) {
        case kCodeNone:
            q.activationCaption = "None";
            break;
        case kCodeWindowTitle:
            q.activationCaption = "Window Title:";
            q.activationValue = r.WindowTitle;
            break;
        case kCodeTimed:
            q.activationCaption = "Timed Macro:";
            q.activationValue = GetSched(r);
            break;
        case kCodeShortKey:
            q.activationCaption = "ShortKey:";
            q.activationValue = r.ShortKeyText;
            break;
        default:
            q.activationCaption = "Hot Key:";
            q.activationValue = hotKeyName(r.HotKeyCode);
    }
    q.nickName = r.NickName;
    q.scope = scopeLine(r);
    q.active = r.Active != 0 ? "Yes" : "No";
    q.showText = r.Scope != kScopePopupMenu && r.Scope != kScopeSystem;
    q.textCaption = q.showText ? "Macro Text:" : "";
    q.macroText = q.showText ? r.MacroText : "";
    return q;
}

}  // namespace orv
