#include "engine/playback_engine.h"

#include <cmath>
#include <cstdio>

#include "engine/text_fields.h"
#include "platform/clock.h"
#include "platform/keyboard_input.h"
#include "platform/message_pump.h"
#include "platform/playback_windows.h"
#include "store/app_settings.h"
#include "platform/virtual_keys.h"

namespace orv {

namespace {

// Holds the keyboard's events while one character is typed, so that its keys (and those of the
// characters after it) leave together.
class HeldEvents {
public:
    explicit HeldEvents(IKeyboardInput& keyboard) : keyboard_(keyboard) { keyboard_.holdEvents(true); }
    ~HeldEvents() { keyboard_.holdEvents(false); }
    HeldEvents(const HeldEvents&) = delete;
    HeldEvents& operator=(const HeldEvents&) = delete;

private:
    IKeyboardInput& keyboard_;
};

}  // namespace

PlaybackEngine::PlaybackEngine(PlaybackServices services, PlaybackLimits limits)
    : services_(services),
      limits_(limits),
      keys_(makeKeyCommands()),
      control_(makeControlCommands()),
      clipFile_(makeClipFileCommands()) {
    families_[static_cast<std::size_t>(CommandFamily::Keys)] = keys_.get();
    families_[static_cast<std::size_t>(CommandFamily::Control)] = control_.get();
    families_[static_cast<std::size_t>(CommandFamily::ClipFile)] = clipFile_.get();
}

PlaybackEngine::~PlaybackEngine() = default;

void PlaybackEngine::registerFamily(CommandFamily which, ICommandFamily& family) {
    families_[static_cast<std::size_t>(which)] = &family;
}

void PlaybackEngine::play(std::string_view text, bool capsWasOn, std::int32_t hotKeyWindow, PlayingMacro macro) {
    if (state_.playing) return;
    state_.abortRequested = false;
    state_.CapsWasOn = capsWasOn;
    state_.HotKeyWindow = hotKeyWindow;
    if (capsWasOn) {
        PostVKey(kVkCapital, 0);
        PostVKey(kVkCapital, 1);
    }
    state_.hiddenForPause = false;
    state_.wasMinimised = false;
    state_.mouseDelayOn = false;
    state_.keyDelayOn = false;
    state_.speedFactor = 1.0;
    macro_ = std::move(macro);
    steps_ = 0;
    state_.playing = true;
    DoMacro(text, true, 1, 1, 1);
    state_.playing = false;
}

bool PlaybackEngine::countStep() {
    if (limits_.maxSteps == 0) return true;
    if (++steps_ <= limits_.maxSteps) return true;
    state_.abortRequested = true;
    return false;
}

void PlaybackEngine::DoMacro(std::string_view text, bool restore, std::uint16_t step, std::uint16_t start, int runs) {
    if (state_.abortRequested) return;
    ++depth_;
    Interpretation run;
    run.text = text;
    run.step = step;
    run.start = start;
    bool aborted = false;
    for (int n = 1; n <= runs && !aborted; ++n) {
        run.runNumber = n;
        run.runsLeft = runs - n;
        run.shiftMarked = run.ctrlMarked = run.altMarked = false;
        run.pos = 0;
        if (!countStep()) {
            aborted = true;
            break;
        }
        while (run.pos < text.size()) {
            const char c = text[run.pos];
            if (c != '<') {
                typeLiteral(run, c);
                ++run.pos;
                if (c == '\r' && run.pos < text.size() && text[run.pos] == '\n') ++run.pos;
            } else {
                // A command may wait for what the keys typed before it do.
                services_.keyboard.flush();
                if (!performCommand(run)) {
                    typeLiteral(run, '<');
                    ++run.pos;
                    releasePendingModifiers(run);
                }
            }
            if (run.stop) {
                --depth_;
                return;
            }
            // Handlers of the messages may wait for what the keys typed so far do.
            if (services_.pump.due()) services_.keyboard.flush();
            services_.pump.processMessages();
            // Checked after every step rather than before the next one, so that an abort raised by
            // the last command of the text stops the macro too.
            if (state_.abortRequested || !countStep()) {
                aborted = true;
                break;
            }
        }
        // The characters typed since the last command leave together.
        services_.keyboard.flush();
    }
    --depth_;
    if (aborted) {
        DoAMessage(std::string(kAbortTitle), std::string(kAbortText));
        return;
    }
    if (restore) endProcessing();
}

bool PlaybackEngine::performCommand(Interpretation& run) {
    const std::string_view text = run.text;
    if (run.pos + 1 >= text.size()) return false;
    const std::span<const CommandEntry> table = commandTable();
    for (const std::uint16_t index : commandCandidates(static_cast<unsigned char>(text[run.pos + 1]))) {
        const CommandEntry& cmd = table[index];
        if (!startsAt(text, run.pos, cmd.tag)) continue;
        ICommandFamily* family = families_[static_cast<std::size_t>(cmd.family)];
        if (family == nullptr) {
            run.pos = freeText(text, run.pos + 1).next;
            return true;
        }
        if (const std::optional<std::size_t> next = family->perform(*this, run, cmd)) {
            run.pos = *next;
            return true;
        }
    }
    return false;
}

bool PlaybackEngine::runNested(Interpretation& parent, std::string_view text, std::uint16_t step, std::uint16_t start,
                               int runs) {
    if (depth_ >= limits_.maxNesting) {
        char buf[160];
        std::snprintf(buf, sizeof buf,
                      "Macros and repeats are nested more than %d levels deep (a macro may be running itself). "
                      "Macro will abort.",
                      limits_.maxNesting);
        DoAMessage(std::string(kNestingTitle), buf);
        state_.abortRequested = true;
        return false;
    }
    DoMacro(text, false, step, start, runs);
    if (state_.abortRequested) {
        parent.stop = true;
        return false;
    }
    return true;
}

void PlaybackEngine::endProcessing() {
    if (state_.CapsWasOn) {
        PostVKey(kVkCapital, 0);
        PostVKey(kVkCapital, 1);
    }
    if (state_.hiddenForPause && !trayOrHidden()) {
        IPlaybackWindows& w = services_.windows;
        w.showMainWindow();
        if (state_.wasMinimised) w.minimiseApplication();
        giveFocusBack(state_.HotKeyWindow);
    }
}

// --- keys ---

void PlaybackEngine::PostVKey(std::uint8_t virtualKey, int upFlag) {
    IKeyboardInput& k = services_.keyboard;
    k.keyEvent(virtualKey, k.scanCodeFor(virtualKey), upFlag != 0);
}

void PlaybackEngine::PostAltVKey(std::uint8_t virtualKey, int upFlag) { PostVKey(virtualKey, upFlag); }

void PlaybackEngine::pressKey(Interpretation& run, std::uint8_t virtualKey) {
    waitKeyDelay();
    PostVKey(virtualKey, 0);
    PostVKey(virtualKey, 1);
    releasePendingModifiers(run);
}

void PlaybackEngine::typeLiteral(Interpretation& run, char c) {
    waitKeyDelay();
    const HeldEvents held(services_.keyboard);
    const auto code = static_cast<unsigned char>(c);
    if (code >= 128) {
        char digits[5];
        std::snprintf(digits, sizeof digits, "0%03u", static_cast<unsigned>(code));
        enterAltCode(digits);
        return;
    }
    const auto scan = static_cast<std::uint16_t>(services_.keyboard.keyForChar(c));
    const auto vk = static_cast<std::uint8_t>(scan & 0xFF);
    switch (scan >> 8) {
        case 1:
            PostVKey(kVkShift, 0);
            run.shiftMarked = true;
            break;
        case 2:
            PostVKey(kVkControl, 0);
            run.ctrlMarked = true;
            break;
        case 6:
            PostVKey(kVkControl, 0);
            PostVKey(kVkMenu, 0);
            run.ctrlMarked = run.altMarked = true;
            break;
        case 7:
            PostVKey(kVkShift, 0);
            PostVKey(kVkControl, 0);
            PostVKey(kVkMenu, 0);
            run.shiftMarked = run.ctrlMarked = run.altMarked = true;
            break;
        default:
            break;
    }
    PostVKey(vk, 0);
    PostVKey(vk, 1);
    releasePendingModifiers(run);
}

void PlaybackEngine::typeText(Interpretation& run, std::string_view text) {
    for (char c : text) typeLiteral(run, c);
}

void PlaybackEngine::releasePendingModifiers(Interpretation& run) {
    if (run.shiftMarked) {
        run.shiftMarked = false;
        PostVKey(kVkShift, 1);
    }
    if (run.ctrlMarked) {
        run.ctrlMarked = false;
        PostVKey(kVkControl, 1);
    }
    if (run.altMarked) {
        run.altMarked = false;
        PostVKey(kVkMenu, 1);
    }
}

void PlaybackEngine::enterAltCode(std::string_view digits) { services_.keyboard.altCode(digits); }

// --- waits ---

void PlaybackEngine::waitMs(std::uint32_t milliseconds) {
    const double factor = state_.speedFactor;
    if (factor == 0) return;
    const double scaled = std::trunc(static_cast<double>(milliseconds) * factor);
    if (!(scaled >= 1)) return;  // nothing to wait (also for a negative factor)
    services_.keyboard.flush();
    services_.pump.waitFor(scaled >= 4294967295.0 ? 4294967295u : static_cast<std::uint32_t>(scaled));
}

void PlaybackEngine::waitKeyDelay() {
    if (state_.keyDelayOn) waitMs(state_.keyDelay);
}

void PlaybackEngine::waitMouseDelay() {
    if (state_.mouseDelayOn) waitMs(state_.mouseDelay);
}

void PlaybackEngine::PauseFor(double seconds) {
    if (state_.speedFactor == 0) return;
    PauseForNoSpeed(seconds * state_.speedFactor);
}

void PlaybackEngine::PauseForNoSpeed(double seconds) {
    const double ms = std::round(seconds * 1000.0);
    if (!(ms >= 1)) return;
    services_.keyboard.flush();
    services_.pump.waitFor(ms >= 4294967295.0 ? 4294967295u : static_cast<std::uint32_t>(ms));
}

// --- windows ---

bool PlaybackEngine::trayOrHidden() const {
    return services_.settings != nullptr && (services_.settings->UseTray || services_.settings->UseHide);
}

namespace {

// The handling of the program's windows around a modal playback window.
template <typename Show>
void aroundPlaybackWindow(PlaybackEngine& engine, IPlaybackWindows& w, bool& showing, Show show) {
    if (showing) return;
    showing = true;
    std::int32_t foreground = 0;
    if (engine.trayOrHidden()) {
        w.showApplication();
    } else {
        foreground = w.foregroundWindow();
        if (w.applicationMinimised()) w.restoreApplication();
        w.hideMainWindow();
    }
    show();
    if (engine.trayOrHidden()) {
        w.hideApplication();
    } else {
        w.showMainWindow();
        w.setForegroundWindow(foreground);
    }
    showing = false;
}

}  // namespace

void PlaybackEngine::DoAMessage(const std::string& title, const std::string& text) {
    IPlaybackWindows& w = services_.windows;
    aroundPlaybackWindow(*this, w, state_.messageShowing, [&] { w.messageWindow(title, text); });
}

void PlaybackEngine::MyMessage(const std::string& title, const std::string& body) {
    IPlaybackWindows& w = services_.windows;
    aroundPlaybackWindow(*this, w, state_.textBoxShowing, [&] { w.textBoxWindow(title, body); });
}

int PlaybackEngine::DoRepPrompt() {
    IPlaybackWindows& w = services_.windows;
    int count = 0;
    aroundPlaybackWindow(*this, w, state_.repeatPromptShowing, [&] { count = w.repeatPrompt(); });
    return count;
}

void PlaybackEngine::giveFocusBack(std::int32_t window) {
    state_.HotKeyWindow = services_.windows.giveFocusBack(window);
}

bool PlaybackEngine::showPause(int top, int left, const std::string& message) {
    IPlaybackWindows& w = services_.windows;
    const bool quiet = trayOrHidden();
    state_.hiddenForPause = true;
    if (quiet) {
        w.showApplication();
    } else {
        if (w.applicationMinimised()) {
            w.restoreApplication();
            state_.wasMinimised = true;
        }
        w.hideMainWindow();
    }
    PauseWindowSpec window;
    window.caption = macro_.hotKeyName.empty() ? "Pause" : "Pause (" + macro_.hotKeyName + ")";
    window.nickName = macro_.nickName;
    window.message = message;
    window.top = top;
    window.left = left;
    const int messageHeight = message.empty() ? 0 : static_cast<int>(message.size() / 30) * 19 + 19;
    window.height = 94 + messageHeight;
    state_.pauseWindowShowing = true;
    const PauseChoice choice = w.pauseWindow(window);
    state_.pauseWindowShowing = false;
    if (quiet) {
        w.hideApplication();
    } else {
        giveFocusBack(state_.HotKeyWindow);
    }
    if (choice == PauseChoice::Resume) return true;
    if (state_.CapsWasOn) {
        PostVKey(kVkCapital, 0);
        PostVKey(kVkCapital, 1);
    }
    if (!quiet) {
        w.showMainWindow();
        if (state_.wasMinimised) w.minimiseApplication();
        giveFocusBack(state_.HotKeyWindow);
    }
    return false;
}

}  // namespace orv
