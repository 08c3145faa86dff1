#pragma once

#include <chrono>
#include <string>

namespace orv {

class IClipboard;

// A way to hand text to the focused window as a paste.
class IPasteChannel {
public:
    virtual ~IPasteChannel() = default;
    // Offers `text` (UTF-8) as the clipboard's content, presses the paste keys in the
    // focused window and waits until that window has taken the text, at most `deadline`; the
    // offer is withdrawn before it returns. False when the window did not take it.
    virtual bool pasteText(const std::string& text, std::chrono::milliseconds deadline) = 0;
};

// Types text that no key of the keyboard layout gives by pasting it. The user's clipboard text
// is read first and put back once the window has taken the paste (or given up on it), so a
// macro leaves the clipboard as it found it. A clipboard that held no text (a picture, or
// nothing) is left to the paste's own offer withdrawn: it is then empty.
class PasteTyping {
public:
    static constexpr std::chrono::milliseconds kDeadline{2000};

    PasteTyping(IClipboard& clipboard, IPasteChannel& channel) : clipboard_(clipboard), channel_(channel) {}
    // Types `utf8`; false when the focused window did not take it.
    bool type(const std::string& utf8);

private:
    IClipboard& clipboard_;
    IPasteChannel& channel_;
};

}  // namespace orv
