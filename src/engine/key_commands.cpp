// Keys, modifiers, Alt codes, the key delay and the speed factor.
#include <optional>

#include "engine/command_handlers.h"
#include "engine/playback_engine.h"
#include "engine/text_fields.h"
#include "platform/virtual_keys.h"

namespace orv {

namespace {

// The commands that press and release one key, and its virtual key. The F keys and the keypad
// digits count from the first of their range.
struct KeyPress {
    CommandId id;
    std::uint8_t virtualKey;
};
constexpr KeyPress kKeyPresses[] = {
    {CommandId::Tab, 9},
    {CommandId::Enter, 13},
    {CommandId::Rightwin, kVkRightWin},
    {CommandId::Leftwin, kVkLeftWin},
    {CommandId::App, 93},
    {CommandId::Backspace, kVkBackspace},
    {CommandId::Esc, 27},
    {CommandId::Space, 32},
    {CommandId::LeftArrow, 37},
    {CommandId::RightArrow, 39},
    {CommandId::UpArrow, 38},
    {CommandId::DownArrow, 40},
    {CommandId::Home, 36},
    {CommandId::End, 35},
    {CommandId::Insert, 45},
    {CommandId::Delete, 46},
    {CommandId::PageDown, 34},
    {CommandId::PageUp, 33},
    {CommandId::FKey, 111},
    {CommandId::Attn, 246},
    {CommandId::Crsel, 247},
    {CommandId::Exsel, 248},
    {CommandId::Ereof, 249},
    {CommandId::Play, 250},
    {CommandId::Zoom, 251},
    {CommandId::Pa1, 253},
    {CommandId::Prtscr, 44},
    {CommandId::Scrlock, 145},
    {CommandId::Pausekey, 19},
    {CommandId::Caplock, kVkCapital},
    {CommandId::Numlock, 144},
    {CommandId::KeyPadDigit, 96},
    {CommandId::KeyPadDecimal, 110},
    {CommandId::KeyPadDivide, 111},
    {CommandId::KeyPadMultiply, 106},
    {CommandId::KeyPadSubtract, 109},
    {CommandId::KeyPadAdd, 107},
};

// The commands that press or release a modifier and leave it so.
struct ModifierKey {
    CommandId id;
    std::uint8_t virtualKey;
    int upFlag;
};
constexpr ModifierKey kModifierKeys[] = {
    {CommandId::Shfd, kVkShift, 0},   {CommandId::Shfu, kVkShift, 1},   {CommandId::Ctld, kVkControl, 0},
    {CommandId::Ctlu, kVkControl, 1}, {CommandId::Altd, kVkMenu, 0},    {CommandId::Altu, kVkMenu, 1},
    {CommandId::Wind, kVkLeftWin, 0}, {CommandId::Winu, kVkLeftWin, 1},
};

// The digits of an Alt-code field; a character that is not a digit counts as "0".
std::string altDigits(std::string_view field) {
    std::string digits(field);
    for (char& c : digits)
        if (c < '0' || c > '9') c = '0';
    return digits;
}

class KeyCommands final : public ICommandFamily {
public:
    std::optional<std::size_t> perform(PlaybackEngine& engine, Interpretation& run, const CommandEntry& cmd) override {
        using K = KeyCommands;
        static constexpr HandlerTable<KeyCommands> kHandlers = [] {
            HandlerTable<KeyCommands> table{
                {CommandId::Test, &K::nothing},
                {CommandId::RightMouse, &K::mouseKey},
                {CommandId::MiddleMouse, &K::mouseKey},
                {CommandId::Shift, &K::shift},
                {CommandId::Ctrl, &K::ctrl},
                {CommandId::Alt, &K::alt},
                {CommandId::AltCode3, &K::altCode},
                {CommandId::AltCode4, &K::altCode},
                {CommandId::Spkey, &K::keyDelay},
                {CommandId::Speed, &K::speed},
            };
            for (const KeyPress& k : kKeyPresses) table.add(k.id, &K::press);
            for (const ModifierKey& m : kModifierKeys) table.add(m.id, &K::modifier);
            return table;
        }();
        return kHandlers.run(*this, engine, run, cmd);
    }

private:
    using Result = std::optional<std::size_t>;

    Result press(PlaybackEngine& engine, Interpretation& run, const CommandEntry& cmd) {
        for (const KeyPress& k : kKeyPresses) {
            if (k.id == cmd.id) engine.pressKey(run, static_cast<std::uint8_t>(k.virtualKey + cmd.arg));
        }
        return cmd.end(run.pos);
    }

    Result modifier(PlaybackEngine& engine, Interpretation& run, const CommandEntry& cmd) {
        for (const ModifierKey& m : kModifierKeys) {
            if (m.id == cmd.id) engine.PostVKey(m.virtualKey, m.upFlag);
        }
        return cmd.end(run.pos);
    }

    Result nothing(PlaybackEngine&, Interpretation& run, const CommandEntry& cmd) { return cmd.end(run.pos); }

    // "<RIGHT MOUSE>" and "<MIDDLE MOUSE>": the mouse buttons as keys.
    Result mouseKey(PlaybackEngine& engine, Interpretation& run, const CommandEntry& cmd) {
        const std::uint8_t vk = cmd.id == CommandId::RightMouse ? 2 : 4;
        engine.PostVKey(vk, 0);
        engine.PostVKey(vk, 1);
        engine.releasePendingModifiers(run);
        return cmd.end(run.pos);
    }

    // "<SHIFT>" and "<CTRL>" hold the modifier down until the next key has been typed.
    Result shift(PlaybackEngine& engine, Interpretation& run, const CommandEntry& cmd) {
        engine.PostVKey(kVkShift, 0);
        run.shiftMarked = true;
        return cmd.end(run.pos);
    }

    Result ctrl(PlaybackEngine& engine, Interpretation& run, const CommandEntry& cmd) {
        engine.PostVKey(kVkControl, 0);
        run.ctrlMarked = true;
        return cmd.end(run.pos);
    }

    // "<ALT>" presses Alt, and releases it when it is already held.
    Result alt(PlaybackEngine& engine, Interpretation& run, const CommandEntry& cmd) {
        engine.PostVKey(kVkMenu, run.altMarked ? 1 : 0);
        run.altMarked = !run.altMarked;
        return cmd.end(run.pos);
    }

    // "<ALT:" and "<ALT4:": a character by its Alt code.
    Result altCode(PlaybackEngine& engine, Interpretation& run, const CommandEntry& cmd) {
        if (!closedAt(run.text, run.pos, cmd)) return std::nullopt;
        engine.waitKeyDelay();
        engine.enterAltCode(altDigits(fieldAt(run.text, run.pos, cmd.field(0))));
        return cmd.end(run.pos);
    }

    // "<SPKEY:": the delay before each key, 0 for none.
    Result keyDelay(PlaybackEngine& engine, Interpretation& run, const CommandEntry& cmd) {
        if (!closedAt(run.text, run.pos, cmd)) return std::nullopt;
        const std::uint32_t ms = fieldNumber(run.text, run.pos, cmd.field(0));
        engine.state().keyDelay = static_cast<std::uint16_t>(ms);
        engine.state().keyDelayOn = ms != 0;
        return cmd.end(run.pos);
    }

    // "<SPEED:": the factor on every wait; a field that is not a number keeps the factor.
    Result speed(PlaybackEngine& engine, Interpretation& run, const CommandEntry& cmd) {
        if (!closedAt(run.text, run.pos, cmd)) return std::nullopt;
        double factor = 0;
        if (parseDecimal(fieldAt(run.text, run.pos, cmd.field(0)), factor)) engine.state().speedFactor = factor;
        return cmd.end(run.pos);
    }
};

}  // namespace

std::unique_ptr<ICommandFamily> makeKeyCommands() { return std::make_unique<KeyCommands>(); }

}  // namespace orv
