#pragma once

// The recorder of a capture: the hook thread hands it the user's key presses (as keysyms,
// already told apart from the program's own injected input), button presses, wheel notches
// and pointer moves, and it returns the macro text each one adds. Dead keys and compose
// sequences are put together as the user's locale does it. Internal to src/platform/x11.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "capture/capture_text.h"
#include "platform/activation_table.h"
#include "platform/hotkey_codes.h"
#include "platform/x11/keysyms.h"

namespace orv::x11 {

struct HeldModifiers {
    bool ctrl = false;
    bool alt = false;
    bool shift = false;
    bool win = false;
};

class CaptureRecorder {
public:
    CaptureRecorder();
    ~CaptureRecorder();
    CaptureRecorder(const CaptureRecorder&) = delete;
    CaptureRecorder& operator=(const CaptureRecorder&) = delete;

    // Reads the locale's compose table (dead keys, the compose key) if not yet done. The hook
    // thread does it as soon as it runs, off the main thread's start-up path; a capture started
    // before that reads it itself.
    void prepare();
    // Starts recording with the capture fields of `table`; the pointer is at (x, y).
    void start(const TActivationTable& table, int x, int y);
    // What a press still pending owes; the recorder is idle afterwards.
    std::string stop();
    bool active() const { return encoder_.has_value(); }
    int macro() const { return macro_; }
    bool recordsMouse() const { return options_.mouse; }
    bool recordsEveryMove() const { return options_.mouse && !options_.clicksOnly; }

    // Whether a key with these modifiers is the stop key or the captured macro's own hotkey.
    bool endsCapture(int virtualKey, const HeldModifiers& mods) const;
    bool endsCaptureByButton(int button, const HeldModifiers& mods) const;

    // `sym`: the keysym at the level the modifiers reach; `time`: the server's time stamp.
    std::string keyPress(KeySym32 sym, const HeldModifiers& mods, std::uint32_t time);
    std::string keyRelease(KeySym32 sym, std::uint32_t time);
    std::string pointer(const capture::InputEvent& event);

private:
    std::optional<char32_t> compose(KeySym32 sym);

    struct Compose;
    std::unique_ptr<Compose> compose_;
    capture::CaptureOptions options_;
    std::optional<capture::CaptureEncoder> encoder_;
    int macro_ = 0;
    DecodedHotKey stopKey_;
    std::optional<DecodedHotKey> ownKey_;
    bool altAlone_ = false;
};

// The tag of a key that types no character ("<ENTER>", "<F5>", "<LEFT ARROW>"), or nullptr.
const char* keyTagOf(KeySym32 sym);

}  // namespace orv::x11
