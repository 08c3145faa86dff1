#pragma once

#include <cstdint>
#include <string>

namespace orv {

// Where the pause window goes and what it shows. The engine computes the placement.
struct PauseWindowSpec {
    std::string caption;   // "Pause" or "Pause (" + hotkey name + ")"
    std::string nickName;  // the playing macro's nickname
    std::string message;   // may be empty
    int top = 0;
    int left = 0;
    int width = 224;
    int height = 94;  // 94 plus the message height
};

enum class PauseChoice { Resume, Abort };

// The small windows the engine raises while a macro plays, and the handling of the program's
// own windows around them. Every show operation is modal: it returns when the user has closed
// the window. Window handles are those of the desktop (X11 window ids).
class IPlaybackWindows {
public:
    virtual ~IPlaybackWindows() = default;

    // The message window: a label and "&Ok" under the caption `title`.
    virtual void messageWindow(const std::string& title, const std::string& text) = 0;
    // The text-box window: a multi-line read-only text box and "&Ok".
    virtual void textBoxWindow(const std::string& title, const std::string& body) = 0;
    // The pause window, on top of all windows; Abort also when it is closed otherwise.
    virtual PauseChoice pauseWindow(const PauseWindowSpec& window) = 0;
    // The repeat prompt "Macro Repeat"; it only closes on a valid integer (its own "Error"
    // message otherwise) and answers 0 when closed without a number.
    virtual int repeatPrompt() = 0;

    // The application's window (the one shown while the program lives in the tray or hidden).
    virtual void showApplication() = 0;
    virtual void hideApplication() = 0;
    virtual bool applicationMinimised() = 0;
    virtual void restoreApplication() = 0;
    virtual void minimiseApplication() = 0;
    // The main window.
    virtual void showMainWindow() = 0;
    virtual void hideMainWindow() = 0;

    virtual std::int32_t foregroundWindow() = 0;
    virtual void setForegroundWindow(std::int32_t window) = 0;
    // Gives the focus back to `window`: brings the top-level window that contains it to the
    // foreground and returns that top-level window (0 when there is none).
    virtual std::int32_t giveFocusBack(std::int32_t window) = 0;

    virtual int screenWidth() = 0;
    virtual int screenHeight() = 0;
};

}  // namespace orv
