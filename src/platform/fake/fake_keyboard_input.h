#pragma once

#include "platform/fake/transcript.h"
#include "platform/keyboard_input.h"

namespace orv::fake {

// A keyboard with the US English layout, answering the layout queries the way that layout
// answers them on Windows ("A" is key 65 with shift state 1, character 10 is key 13 with Ctrl).
// Records `key down <vk>` and `key up <vk>`; an Alt code is recorded as the keys it is made
// of: Alt down, each keypad digit down and up, Alt up. Layout and Caps Lock queries are not
// recorded (the key lines show their answers).
class FakeKeyboardInput final : public IKeyboardInput, public Recorder {
public:
    using Recorder::Recorder;

    void keyEvent(std::uint8_t virtualKey, std::uint8_t scanCode, bool up) override;
    std::int16_t keyForChar(char c) override;
    std::uint8_t scanCodeFor(std::uint8_t virtualKey) override;
    void altCode(std::string_view digits) override;
    bool capsLockOn() override { return capsLock_; }

    // With confirmation on, waitUntilDelivered records "keys handled" and answers true, as a
    // desktop that can confirm delivery does.
    bool waitUntilDelivered(std::chrono::milliseconds deadline) override;
    void setConfirmsDelivery(bool on) { confirmsDelivery_ = on; }

    void setCapsLock(bool on) { capsLock_ = on; }
    // The scan code sent with the last key event.
    std::uint8_t lastScanCode() const { return lastScan_; }

private:
    bool capsLock_ = false;
    bool confirmsDelivery_ = false;
    std::uint8_t lastScan_ = 0;
};

}  // namespace orv::fake
