#include "transfer/macro_listing.h"

#include <algorithm>

#include "activation/scheduler.h"
#include "platform/activation_table.h"
#include "platform/cp1252.h"
#include "platform/hotkey_codes.h"
#include "store/macro_file.h"

namespace orv {

namespace {

constexpr std::size_t kWindowChars = 38;
constexpr std::size_t kProgramChars = 39;

// The activation as both listings name it; `hotKeyPrefix` comes before a hotkey's name.
std::string activationOf(const TMacroRecord& r, const std::string& hotKeyPrefix) {
    switch (r.HotKeyCode) {
        case kCodeNone:
            return "None";
        case kCodeWindowTitle:
            return "Window Title";
        case kCodeTimed:
            return "Timed Macro";
        case kCodeShortKey:
            return "ShortKey: " + r.ShortKeyText;
        default:
            return hotKeyPrefix + hotKeyName(r.HotKeyCode);
    }
}

// The scope as both listings name it: `plain` prefixes the fixed scopes, `topMost` / `running`
// follow a window or program.
std::string scopeOf(const TMacroRecord& r, const std::string& plain, const std::string& topMost,
                    const std::string& running) {
    const std::string suffix = r.TopMostOnly != 0 ? topMost : running;
    switch (r.Scope) {
        case kScopeWindow:
            return "Window: " + r.WindowTitle.substr(0, kWindowChars) + suffix;
        case kScopeProgram:
            return "Program: " + r.WindowTitle.substr(0, kProgramChars) + suffix;
        case kScopePopupMenu:
            return plain + "Popup Menu";
        case kScopeSystem:
            return plain + "SYSTEM";
        default:
            return plain + "GLOBAL";
    }
}

int scaled(int measured) { return static_cast<int>(measured * 1.1); }

std::string iconLine(const TMacroRecord& r) {
    if (r.Scope == kScopeSystem) return "Icon: (None)";
    if (r.IconName == "MAIN") return "Icon: (Default Icon)";
    if (r.IconName == "MENU") return "Icon: (Default Menu Icon)";
    return "Icon: " + r.IconName;
}

// The macro text with every line break ("\r\n", "\r" or "\n") as "\n".
std::string withLineFeeds(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r') {
            out += text[i];
        } else {
            out += '\n';
            if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
        }
    }
    return out;
}

}  // namespace

PrintLine printLineOf(const TMacroRecord& record) {
    return {activationOf(record, ""), record.NickName, scopeOf(record, "", " (Top Most Only)", " (If Running)")};
}

std::string printHeading(const std::string& macroFile) { return "Macro File: " + macroFile; }

FontSetting printListFont(FontSetting chosen) {
    chosen.Underline = false;
    chosen.Strikeout = false;
    return chosen;
}

PrintColumns measurePrintList(const std::vector<PrintLine>& lines, const TextMeasure& widthOf,
                              const TextMeasure& heightOf) {
    PrintColumns c;
    for (const PrintLine& line : lines) {
        c.lineHeight = std::max({c.lineHeight, heightOf(line.activation), heightOf(line.nickName)});
        c.activationWidth = std::max(c.activationWidth, widthOf(line.activation));
        c.nickNameWidth = std::max(c.nickNameWidth, widthOf(line.nickName));
    }
    return {scaled(c.lineHeight), scaled(c.activationWidth), scaled(c.nickNameWidth)};
}

std::vector<PrintedPage> layOutPrintList(const std::string& heading, const std::vector<PrintLine>& lines,
                                         const PrintColumns& columns, int pageWidth, int pageHeight, int copies) {
    const int left = pageWidth / 17;
    const int top = pageHeight / 22;
    const int limit = pageHeight - 2 * top;
    const int nickX = left + columns.activationWidth;
    const int scopeX = nickX + columns.nickNameWidth;
    std::vector<PrintedPage> pages;
    for (int copy = 0; copy < std::max(copies, 1); ++copy) {
        pages.push_back({{left, top, heading}});
        int line = 2;
        for (const PrintLine& l : lines) {
            if (pages.back().empty()) line = 0;
            const int y = line * columns.lineHeight + top;
            pages.back().push_back({left, y, l.activation});
            pages.back().push_back({nickX, y, l.nickName});
            pages.back().push_back({scopeX, y, l.scope});
            ++line;
            if (y > limit) pages.emplace_back();
        }
        if (pages.back().empty()) pages.pop_back();
    }
    return pages;
}

std::string macroInformation(const std::vector<TMacroRecord>& records, const OutputChoices& choices) {
    std::string out;
    for (const TMacroRecord& r : records) {
        if (choices.icon) out += iconLine(r) + "\n";
        if (choices.hotKey) out += activationOf(r, "Hot Key: ") + "\n";
        if (choices.name) out += "Name: " + r.NickName + "\n";
        if (choices.window) out += scopeOf(r, "Scope: ", ", Top Most Only", ", If Active") + "\n";
        if (choices.schedule && r.HotKeyCode == kCodeTimed) out += "Schedule: " + GetSched(r) + "\n";
        if (choices.text && r.Scope != kScopePopupMenu && r.Scope != kScopeSystem)
            out += "Text: " + withLineFeeds(r.MacroText) + "\n";
        out += "\n";
    }
    return out;
}

bool writeMacroInformation(const std::string& path, const std::vector<TMacroRecord>& records,
                           const OutputChoices& choices, IUserPrompt& prompt) {
    if (replaceFileAtomically(path, cp1252ToUtf8(macroInformation(records, choices)))) return true;
    prompt.messageBox("Error", kMsgUnableToCreateText);
    return false;
}

}  // namespace orv
