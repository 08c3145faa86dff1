// Keys, modifiers, Alt codes, the key delay and the speed factor.
#include <optional>

#include "engine/playback_engine.h"
#include "engine/text_fields.h"

namespace orv {

namespace {

constexpr std::uint8_t kVkShift = 16;
constexpr std::uint8_t kVkControl = 17;
constexpr std::uint8_t kVkMenu = 18;
constexpr std::uint8_t kVkLeftWin = 91;

// The virtual key of a command that presses and releases one key; 0 for other commands.
std::uint8_t keyOf(const CommandSpec& cmd) {
    switch (cmd.id) {
        case CommandId::Tab:
            return 9;
        case CommandId::Enter:
            return 13;
        case CommandId::Rightwin:
            return 92;
        case CommandId::Leftwin:
            return 91;
        case CommandId::App:
            return 93;
        case CommandId::Backspace:
            return 8;
        case CommandId::Esc:
            return 27;
        case CommandId::Space:
            return 32;
        case CommandId::LeftArrow:
            return 37;
        case CommandId::RightArrow:
            return 39;
        case CommandId::UpArrow:
            return 38;
        case CommandId::DownArrow:
            return 40;
        case CommandId::Home:
            return 36;
        case CommandId::End:
            return 35;
        case CommandId::Insert:
            return 45;
        case CommandId::Delete:
            return 46;
        case CommandId::PageDown:
            return 34;
        case CommandId::PageUp:
            return 33;
        case CommandId::FKey:
            return static_cast<std::uint8_t>(111 + cmd.arg);
        case CommandId::Attn:
            return 246;
        case CommandId::Crsel:
            return 247;
        case CommandId::Exsel:
            return 248;
        case CommandId::Ereof:
            return 249;
        case CommandId::Play:
            return 250;
        case CommandId::Zoom:
            return 251;
        case CommandId::Pa1:
            return 253;
        case CommandId::Prtscr:
            return 44;
        case CommandId::Scrlock:
            return 145;
        case CommandId::Pausekey:
            return 19;
        case CommandId::Caplock:
            return 20;
        case CommandId::Numlock:
            return 144;
        case CommandId::KeyPadDigit:
            return static_cast<std::uint8_t>(96 + cmd.arg);
        case CommandId::KeyPadDecimal:
            return 110;
        case CommandId::KeyPadDivide:
            return 111;
        case CommandId::KeyPadMultiply:
            return 106;
        case CommandId::KeyPadSubtract:
            return 109;
        case CommandId::KeyPadAdd:
            return 107;
        default:
            return 0;
    }
}

// The digits of an Alt-code field; a character that is not a digit counts as "0".
std::string altDigits(std::string_view field) {
    std::string digits(field);
    for (char& c : digits)
        if (c < '0' || c > '9') c = '0';
    return digits;
}

class KeyCommands final : public ICommandFamily {
public:
    std::optional<std::size_t> perform(PlaybackEngine& engine, Interpretation& run, const CommandSpec& cmd) override {
        const std::size_t at = run.pos;
        const std::string_view text = run.text;
        const std::size_t after = at + cmd.tag.size();
        if (const std::uint8_t vk = keyOf(cmd)) {
            engine.pressKey(run, vk);
            return after;
        }
        EngineState& state = engine.state();
        switch (cmd.id) {
            case CommandId::Test:
                return after;
            case CommandId::RightMouse:
            case CommandId::MiddleMouse: {
                const std::uint8_t vk = cmd.id == CommandId::RightMouse ? 2 : 4;
                engine.PostVKey(vk, 0);
                engine.PostVKey(vk, 1);
                engine.releasePendingModifiers(run);
                return after;
            }
            case CommandId::Shift:
                engine.PostVKey(kVkShift, 0);
                run.shiftMarked = true;
                return after;
            case CommandId::Ctrl:
                engine.PostVKey(kVkControl, 0);
                run.ctrlMarked = true;
                return after;
            case CommandId::Alt:
                engine.PostVKey(kVkMenu, run.altMarked ? 1 : 0);
                run.altMarked = !run.altMarked;
                return after;
            case CommandId::Shfd:
                engine.PostVKey(kVkShift, 0);
                return after;
            case CommandId::Shfu:
                engine.PostVKey(kVkShift, 1);
                return after;
            case CommandId::Ctld:
                engine.PostVKey(kVkControl, 0);
                return after;
            case CommandId::Ctlu:
                engine.PostVKey(kVkControl, 1);
                return after;
            case CommandId::Altd:
                engine.PostVKey(kVkMenu, 0);
                return after;
            case CommandId::Altu:
                engine.PostVKey(kVkMenu, 1);
                return after;
            case CommandId::Wind:
                engine.PostVKey(kVkLeftWin, 0);
                return after;
            case CommandId::Winu:
                engine.PostVKey(kVkLeftWin, 1);
                return after;
            case CommandId::AltCode3:
                if (!charAt(text, at, 8, '>')) return std::nullopt;
                engine.waitKeyDelay();
                engine.enterAltCode(altDigits(fieldAt(text, at, 5, 3)));
                return at + 9;
            case CommandId::AltCode4:
                if (!charAt(text, at, 10, '>')) return std::nullopt;
                engine.waitKeyDelay();
                engine.enterAltCode(altDigits(fieldAt(text, at, 6, 4)));
                return at + 11;
            case CommandId::Spkey: {
                if (!charAt(text, at, 11, '>')) return std::nullopt;
                const std::uint32_t ms = fieldNumber(text, at, 7, 4);
                state.keyDelay = static_cast<std::uint16_t>(ms);
                state.keyDelayOn = ms != 0;
                return at + 12;
            }
            case CommandId::Speed: {
                if (!charAt(text, at, 12, '>')) return std::nullopt;
                double factor = 0;
                if (parseDecimal(fieldAt(text, at, 7, 5), factor)) state.speedFactor = factor;
                return at + 13;
            }
            default:
                return std::nullopt;
        }
    }
};

}  // namespace

std::unique_ptr<ICommandFamily> makeKeyCommands() { return std::make_unique<KeyCommands>(); }

}  // namespace orv
