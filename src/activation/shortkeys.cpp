#include "activation/shortkeys.h"

#include <algorithm>
#include <chrono>

#include "activation/hotkey_dispatch.h"
#include "engine/ansi_upper.h"
#include "engine/window_control.h"
#include "platform/hook_library.h"
#include "platform/keyboard_input.h"
#include "platform/message_pump.h"
#include "platform/user_prompt.h"
#include "store/macro_store.h"
#include "platform/virtual_keys.h"

namespace orv {

namespace {

constexpr char kEnter = 13;
constexpr std::size_t kForegroundTitleChars = 255;
// The typed abbreviation must be gone before the macro plays (it may begin by activating
// another window): up to this long for the focused application to handle the backspaces.
constexpr std::uint32_t kEraseSettleMs = 100;

}  // namespace

ShortKeys::ShortKeys(Services services) : s_(services) {}

void ShortKeys::ensureIndex() {
    const ShortKeyMatchOptions options = ShortKeyMatchOptions::from(s_.settings);
    if (indexValid_ && options == index_.options()) return;
    index_.rebuild(s_.table, s_.settings, options);
    indexValid_ = true;
}

int ShortKeys::backspacesFor(const std::string& shortKeyText, const ShortKeyMatchOptions& options) {
    const int typed = static_cast<int>(std::min(shortKeyText.size(), kShortKeyChars));
    return typed + (options.suffix ? 1 : static_cast<int>(options.prefix.size()));
}

void ShortKeys::handleTyping(std::int64_t wParam, std::int64_t lParam) {
    if (s_.table.MacroCount() == 0 || !s_.table.HaveShortKeys()) return;
    if (wParam == 1) {
        clearBuffer();
        return;
    }
    capsWasOn_ = wParam == 2;
    ensureIndex();
    const ShortKeyMatchOptions& options = index_.options();
    const char c = static_cast<char>(lParam & 0xFF);

    if (isShortKeyWordChar(c)) {
        const std::size_t limit = options.prefix.size() + kShortKeyChars;
        if (length_ >= limit) {
            // Keep the most recent characters: drop from the front.
            const std::size_t drop = length_ + 1 - limit;
            std::copy(buffer_.begin() + static_cast<std::ptrdiff_t>(drop),
                      buffer_.begin() + static_cast<std::ptrdiff_t>(length_), buffer_.begin());
            length_ -= drop;
        }
        buffer_[length_++] = c;
        if (!options.suffix) TestIt();
        return;
    }
    if (c == static_cast<char>(kVkBackspace)) {
        if (length_ > 0) --length_;
        return;
    }
    if (options.suffix && (c == ' ' || c == kEnter)) TestIt();
    clearBuffer();
}

void ShortKeys::TestIt() {
    ensureIndex();
    const ShortKeyMatchOptions& options = index_.options();
    const std::string_view typed = buffer();
    if (!options.prefix.empty() && typed.find(options.prefix) == std::string_view::npos) return;
    index_.match(typed, matches_);
    // Check each match against the live table: the index may predate a change of the macros.
    std::vector<int> matches;
    for (int j : matches_) {
        if (j <= s_.table.MacroCount() && s_.table.Active(j) && s_.table.HotKeyCode(j) == kCodeShortKey)
            matches.push_back(j);
    }
    if (matches.empty()) return;

    const char* busy = s_.host.popupMenuShowing() ? kPopupBusyText
                       : s_.table.CaptureOn()     ? kCaptureBusyText
                       : s_.host.macroPaused()    ? kPauseBusyText
                                                  : nullptr;
    if (busy != nullptr) {
        s_.prompt.messageBox("Warning", busy);
        return;
    }
    const int j = chooseMacro(matches);
    if (j > 0) runShortKey(j);
}

int ShortKeys::chooseMacro(const std::vector<int>& matches) {
    auto hasScope = [&](int scope) {
        return std::any_of(matches.begin(), matches.end(), [&](int j) { return s_.table.Scope(j) == scope; });
    };
    const WindowId foreground = s_.windows.windows().foregroundWindow();
    if (hasScope(kScopeWindow) && foreground != 0) {
        std::string title = s_.windows.windows().windowTitle(foreground);
        if (title.size() > kForegroundTitleChars) title.resize(kForegroundTitleChars);
        title = ansiUpper(title);
        for (int j : matches)
            if (s_.table.Scope(j) == kScopeWindow &&
                title.find(ansiUpper(s_.table.WindowTitle(j))) != std::string::npos)
                return j;
    }
    if (hasScope(kScopeProgram) && foreground != 0) {
        const std::string program = ansiUpper(s_.windows.programNameOfWindow(foreground));
        if (!program.empty()) {
            for (int j : matches)
                if (s_.table.Scope(j) == kScopeProgram &&
                    program.find(ansiUpper(s_.table.WindowTitle(j))) != std::string::npos)
                    return j;
        }
    }
    for (int j : matches)
        if (s_.table.Scope(j) == kScopeGlobal) return j;
    return 0;
}

void ShortKeys::postKey(std::uint8_t vk, bool up) { s_.keyboard.keyEvent(vk, s_.keyboard.scanCodeFor(vk), up); }

void ShortKeys::runShortKey(int j) {
    currentMacro_ = j;
    if (!s_.store.ReadMacroRecord(j, menuBuffer_)) {
        clearBuffer();  // an unreadable file is not retried at every further character
        return;
    }
    const int backspaces = backspacesFor(s_.settings.shortKeyText(j), index_.options());
    const bool capsWasOn = capsWasOn_;
    s_.table.setMacroInUse(true);
    s_.hook.OrvUpInUse(s_.table);
    for (int k = 0; k < backspaces; ++k) {
        // Held: the backspaces leave together with the replacement's first keys.
        s_.keyboard.holdEvents(true);
        postKey(kVkBackspace, false);
        postKey(kVkBackspace, true);
        s_.keyboard.holdEvents(false);
        if (s_.pump.due()) s_.keyboard.flush();
        s_.pump.processMessages();
    }
    // Where keys keep their order on the way to the window, the replacement simply follows the
    // backspaces; where the desktop confirms that they were handled, the macro need not wait
    // the full settling time.
    if (!s_.keyboard.keysArriveInOrder()) {
        s_.keyboard.flush();
        if (!s_.keyboard.waitUntilDelivered(std::chrono::milliseconds(kEraseSettleMs))) s_.pump.waitFor(kEraseSettleMs);
    }
    s_.host.IntoProgram(menuBuffer_, capsWasOn, static_cast<std::int32_t>(s_.windows.windows().foregroundWindow()));
    postKey(kMarkerKey, false);
    postKey(kMarkerKey, true);
    s_.host.startClearTimer();
    clearBuffer();
}

}  // namespace orv
