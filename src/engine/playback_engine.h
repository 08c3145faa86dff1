#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "engine/command_family.h"
#include "engine/command_table.h"

namespace orv {

class IKeyboardInput;
class IMessagePump;
class IPlaybackWindows;
class IClock;
class IClipboard;
class IShell;
class IFileSystem;
class IMacroHost;
class MacroStore;
class TActivationTable;
struct TAppSettings;

// What the engine works with. The keyboard, the message pump, the windows and the clock are
// always there; the others may be null, and the commands that need a missing one then have no
// effect.
struct PlaybackServices {
    IKeyboardInput& keyboard;
    IMessagePump& pump;
    IPlaybackWindows& windows;
    const IClock& clock;
    TAppSettings* settings = nullptr;  // "Use Tray", "Use Hide", the nicknames, the current file
    IClipboard* clipboard = nullptr;
    IShell* shell = nullptr;
    IFileSystem* files = nullptr;
    MacroStore* store = nullptr;
    TActivationTable* table = nullptr;
    IMacroHost* host = nullptr;
};

// The engine state that lives across commands and nested interpretations.
struct EngineState {
    bool abortRequested = false;
    bool keyDelayOn = false;
    std::uint16_t keyDelay = 0;  // milliseconds
    bool mouseDelayOn = false;
    std::uint16_t mouseDelay = 0;  // milliseconds
    double speedFactor = 1.0;
    bool CapsWasOn = false;
    std::int32_t HotKeyWindow = 0;
    bool playing = false;
    bool pauseWindowShowing = false;
    bool hiddenForPause = false;
    bool wasMinimised = false;
    bool messageShowing = false;
    bool textBoxShowing = false;
    bool repeatPromptShowing = false;
};

// Who the playing macro is: shown in the pause window.
struct PlayingMacro {
    std::string nickName;
    std::string hotKeyName;  // empty unless the macro was started by a hotkey
};

// Bounds that keep any macro text finite.
struct PlaybackLimits {
    // Nested interpretations (repeats, counters, "<MACRUN:", clipboard and file texts) deeper
    // than this stop the macro with a "Macro Error" message.
    int maxNesting = 32;
    // Interpretation steps and runs per top-level playback; 0 means no bound. Used by the fuzzer
    // and benchmarks; the program plays without a bound.
    std::uint64_t maxSteps = 0;
};

inline constexpr int kDefaultMaxNesting = 32;

// The interpreter of macro text. The caller supplies the text and the services; the engine
// performs the commands of its registered families (the built-in ones are keys, playback
// control and clipboard-files-web-dates; the others are registered by their owners).
class PlaybackEngine {
public:
    explicit PlaybackEngine(PlaybackServices services, PlaybackLimits limits = {});
    ~PlaybackEngine();
    PlaybackEngine(const PlaybackEngine&) = delete;
    PlaybackEngine& operator=(const PlaybackEngine&) = delete;

    // Makes `family` perform the commands of `which` (replacing the built-in one, if any). The
    // family must outlive the engine.
    void registerFamily(CommandFamily which, ICommandFamily& family);

    // A top-level playback: clears the abort flag, turns Caps Lock off when `capsWasOn`, resets
    // the per-run state, and interprets `text` once with end processing, the playing flag set.
    void play(std::string_view text, bool capsWasOn, std::int32_t hotKeyWindow, PlayingMacro macro = {});

    // Interprets `text` `runs` times. `restore` only for the top-level interpretation of a macro.
    void DoMacro(std::string_view text, bool restore, std::uint16_t step, std::uint16_t start, int runs);

    // A nested interpretation started by a command of `parent` (restore flag false). Returns
    // false, and sets parent.stop, when the abort flag is set afterwards; then the enclosing
    // interpretation ends without a second abort message. Too deep a nesting shows the
    // "Macro Error" message and sets the abort flag.
    bool runNested(Interpretation& parent, std::string_view text, std::uint16_t step = 1, std::uint16_t start = 1,
                   int runs = 1);

    // Requests the end of playback (the hook library's abort, the tray's right click).
    void requestAbort() { state_.abortRequested = true; }

    // --- key primitives shared by every family ---
    // One key event; the scan code is the layout's for that key.
    void PostVKey(std::uint8_t virtualKey, int upFlag);
    // The same event, for the digits of Alt-code entry.
    void PostAltVKey(std::uint8_t virtualKey, int upFlag);
    // Waits the key delay when on, presses and releases the key, releases pending modifiers.
    void pressKey(Interpretation& run, std::uint8_t virtualKey);
    // Types one character as a literal character.
    void typeLiteral(Interpretation& run, char c);
    // Types each character of `text` as a literal character (no commands are performed).
    void typeText(Interpretation& run, std::string_view text);
    void releasePendingModifiers(Interpretation& run);
    // Alt-code entry of decimal digits (Alt, the keypad digits, Alt released).
    void enterAltCode(std::string_view digits);

    // --- waits ---
    // Waits n milliseconds times the speed factor (none when the factor is 0).
    void waitMs(std::uint32_t milliseconds);
    void waitKeyDelay();
    void waitMouseDelay();
    // Seconds times the speed factor (none when it is 0), and seconds as given.
    void PauseFor(double seconds);
    void PauseForNoSpeed(double seconds);

    // --- the playback windows ---
    void DoAMessage(const std::string& title, const std::string& text);
    void MyMessage(const std::string& title, const std::string& body);
    int DoRepPrompt();
    // Shows the pause window; false when the user chose "&Abort".
    bool showPause(int top, int left, const std::string& message);
    // Gives the focus back to `window`, which (its top-level window) becomes HotKeyWindow.
    void giveFocusBack(std::int32_t window);
    // "Use Tray" or "Use Hide" is on.
    bool trayOrHidden() const;

    EngineState& state() { return state_; }
    const EngineState& state() const { return state_; }
    const PlaybackServices& services() const { return services_; }
    const PlaybackLimits& limits() const { return limits_; }
    const PlayingMacro& playingMacro() const { return macro_; }
    int nestingDepth() const { return depth_; }

private:
    bool performCommand(Interpretation& run);
    void endProcessing();
    bool countStep();

    PlaybackServices services_;
    PlaybackLimits limits_;
    EngineState state_;
    PlayingMacro macro_;
    int depth_ = 0;
    std::uint64_t steps_ = 0;
    std::array<ICommandFamily*, kCommandFamilyCount> families_{};
    std::unique_ptr<ICommandFamily> keys_;
    std::unique_ptr<ICommandFamily> control_;
    std::unique_ptr<ICommandFamily> clipFile_;
};

// The built-in families.
std::unique_ptr<ICommandFamily> makeKeyCommands();
std::unique_ptr<ICommandFamily> makeControlCommands();
std::unique_ptr<ICommandFamily> makeClipFileCommands();

// The messages of the engine itself.
inline constexpr std::string_view kAbortTitle = "Macro Abort";
inline constexpr std::string_view kAbortText = "Orvanta 99 macro has been aborted.";
inline constexpr std::string_view kNestingTitle = "Macro Error";

}  // namespace orv
