#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace orv::capture {

// Playback speeds a timed capture starts with.
enum class CaptureSpeed { Actual = 1, Half = 2, Double = 3, Quadruple = 4, Tenfold = 5 };

// The tag written first into a timed capture; a speed outside 1..5 plays at actual speed.
std::string speedTag(int speed);

// Where recorded mouse positions are measured from.
enum class MouseOrigin { Screen = 1, Window = 2, Position = 3 };

struct CaptureOptions {
    bool keystrokes = true;
    bool mouse = true;
    bool clicksOnly = true;
    bool timing = true;
    bool doubleAlt = true;
    MouseOrigin origin = MouseOrigin::Screen;
};

enum class MouseButton { Left, Right, Middle };

// One piece of the user's input as the recorder saw it. `timeMs` is the server's time stamp.
struct InputEvent {
    enum class Kind {
        Character,   // `character`: what the user's layout produced
        Key,         // `tag`: a named key such as "<ENTER>", modifiers already folded in
        AltTap,      // Alt pressed and released on its own (opens a menu)
        ButtonDown,  // `button` at (x, y)
        ButtonUp,
        Motion,  // pointer at (x, y)
        Wheel,   // `wheel` notches, positive away from the user
    };
    Kind kind = Kind::Character;
    std::uint32_t timeMs = 0;
    char32_t character = 0;
    std::string tag;
    MouseButton button = MouseButton::Left;
    int x = 0, y = 0;              // on the screen
    int windowX = 0, windowY = 0;  // relative to the foreground window's top-left corner
    int wheel = 0;
};

// Turns recorded input into macro text, event by event, so that each piece can go to the
// capture file as it comes. A button press waits for the next event: pressed and released with
// nothing in between it becomes one click.
class CaptureEncoder {
public:
    // `startX`/`startY`: the pointer when the capture starts (the origin of relative moves).
    explicit CaptureEncoder(const CaptureOptions& options, int startX = 0, int startY = 0);

    std::string encode(const InputEvent& event);
    // What a pending press still owes at the end of the capture.
    std::string finish();

private:
    std::string keyText(const InputEvent& event);
    std::string motionText(const InputEvent& event);
    std::string releaseText(const InputEvent& event);
    std::string wheelText(const InputEvent& event);
    std::string pause(std::uint32_t timeMs);
    std::string moveTo(const InputEvent& event);
    std::string flushPending();

    CaptureOptions options_;
    int lastX_, lastY_;
    std::optional<std::uint32_t> lastTime_;
    std::optional<InputEvent> pendingDown_;
    std::optional<InputEvent> lastMotion_;
};

// The Windows-1252 byte of a typed character, or '?' for one the code page cannot hold.
char typedByte(char32_t character);

// Delay tags for a gap of `ms` milliseconds: nothing below 10 ms, "<MSD:nnnn>" up to 9999 ms,
// "<DELAY:ss.ss>" pieces of at most 60 seconds for longer pauses.
std::string delayText(std::uint32_t ms);

}  // namespace orv::capture
