#pragma once

#include <vector>

#include "platform/fake/transcript.h"
#include "platform/mouse_input.h"

namespace orv::fake {

// Mouse events and pointer, recorded as `mouse event 2 0 0 0` (flags dx dy wheel),
// `cursor get -> 10 20`, `cursor set 10 20`, `caret -> 10 20` or `caret -> none`.
// Relative moves (kMove without kAbsolute) and absolute ones move the scripted pointer.
class FakeMouseInput final : public IMouseInput, public Recorder {
public:
    using Recorder::Recorder;

    struct Event {
        std::uint32_t flags;
        std::int32_t dx, dy, wheel;
        friend bool operator==(const Event&, const Event&) = default;
    };

    void mouseEvent(std::uint32_t flags, std::int32_t dx, std::int32_t dy, std::int32_t wheel) override;
    ScreenPoint cursorPos() override;
    bool setCursorPos(int x, int y) override;
    bool caretScreenPos(ScreenPoint& point) override;

    void setCursor(ScreenPoint p) { cursor_ = p; }
    // The caret the focused control reports; none by default.
    void setCaret(ScreenPoint p) {
        caret_ = p;
        hasCaret_ = true;
    }
    void clearCaret() { hasCaret_ = false; }
    const std::vector<Event>& events() const { return events_; }
    void clearEvents() { events_.clear(); }

private:
    std::vector<Event> events_;
    ScreenPoint cursor_{};
    ScreenPoint caret_{};
    bool hasCaret_ = false;
};

}  // namespace orv::fake
