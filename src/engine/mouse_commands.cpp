// Mouse commands: buttons, wheel, absolute moves, the move to the caret and the mouse delay.
#include "engine/mouse_commands.h"

#include <cmath>

#include "engine/playback_engine.h"
#include "engine/signed_fields.h"
#include "engine/text_fields.h"
#include "platform/mouse_input.h"
#include "platform/window_system.h"

namespace orv {

namespace {

using namespace mouse_flags;

struct ButtonEvents {
    std::uint32_t down;
    std::uint32_t up;
    int clicks;  // 0: only `down` (or only `up` when down is 0)
};

std::optional<ButtonEvents> buttonEvents(CommandId id) {
    switch (id) {
        case CommandId::Ldn:
            return ButtonEvents{kLeftDown, 0, 0};
        case CommandId::Lup:
            return ButtonEvents{0, kLeftUp, 0};
        case CommandId::Lclk:
            return ButtonEvents{kLeftDown, kLeftUp, 1};
        case CommandId::Ldclk:
            return ButtonEvents{kLeftDown, kLeftUp, 2};
        case CommandId::Rdn:
            return ButtonEvents{kRightDown, 0, 0};
        case CommandId::Rup:
            return ButtonEvents{0, kRightUp, 0};
        case CommandId::Rclk:
            return ButtonEvents{kRightDown, kRightUp, 1};
        case CommandId::Rdclk:
            return ButtonEvents{kRightDown, kRightUp, 2};
        case CommandId::Mdn:
            return ButtonEvents{kMiddleDown, 0, 0};
        case CommandId::Mup:
            return ButtonEvents{0, kMiddleUp, 0};
        case CommandId::Mclk:
            return ButtonEvents{kMiddleDown, kMiddleUp, 1};
        case CommandId::Mdclk:
            return ButtonEvents{kMiddleDown, kMiddleUp, 2};
        default:
            return std::nullopt;
    }
}

}  // namespace

std::int32_t absoluteMouseValue(double v, int extent) {
    if (extent <= 0) return 0;
    const double scaled = std::trunc(v * (65535.0 / static_cast<double>(extent)));
    if (!(scaled > -2147483648.0)) return INT32_MIN;
    if (!(scaled < 2147483647.0)) return INT32_MAX;
    return static_cast<std::int32_t>(scaled);
}

std::optional<std::size_t> MouseCommands::perform(PlaybackEngine& engine, Interpretation& run, const CommandSpec& cmd) {
    const std::string_view text = run.text;
    const std::size_t at = run.pos;
    EngineState& state = engine.state();

    if (const auto button = buttonEvents(cmd.id)) {
        engine.waitMouseDelay();
        if (button->clicks == 0) {
            mouse_.mouseEvent(button->down != 0 ? button->down : button->up, 0, 0, 0);
        } else {
            for (int i = 0; i < button->clicks; ++i) {
                mouse_.mouseEvent(button->down, 0, 0, 0);
                mouse_.mouseEvent(button->up, 0, 0, 0);
            }
        }
        return at + cmd.tag.size();
    }

    switch (cmd.id) {
        case CommandId::Spmse: {
            if (!charAt(text, at, 11, '>')) return std::nullopt;
            state.mouseDelay = static_cast<std::uint16_t>(fieldNumber(text, at, 7, 4));
            state.mouseDelayOn = state.mouseDelay != 0;
            return at + 12;
        }
        case CommandId::Wfw:
        case CommandId::Wbw: {
            if (!charAt(text, at, 8, '>')) return std::nullopt;
            const auto notches = static_cast<std::int32_t>(fieldNumber(text, at, 5, 3));
            engine.waitMouseDelay();
            mouse_.mouseEvent(kWheel, 0, 0, (cmd.id == CommandId::Wfw ? 1 : -1) * notches * 120);
            return at + 9;
        }
        case CommandId::Mmp:
        case CommandId::Mms:
        case CommandId::Mmw: {
            if (!charAt(text, at, 16, '>')) return std::nullopt;
            const double x = decimalField(text, at, 5, 5);
            const double y = decimalField(text, at, 11, 5);
            // The relative move starts from where the pointer was before the delay.
            ScreenPoint origin{};
            if (cmd.id == CommandId::Mmp) origin = mouse_.cursorPos();
            engine.waitMouseDelay();
            if (cmd.id == CommandId::Mmw) {
                WindowRect rect;
                const WindowId foreground = windows_.foregroundWindow();
                if (foreground != 0 && windows_.windowRect(foreground, rect)) origin = {rect.left, rect.top};
            }
            const ScreenSize screen = windows_.screenSize();
            mouse_.mouseEvent(kMove | kAbsolute, absoluteMouseValue(origin.x + x, screen.width),
                              absoluteMouseValue(origin.y + y, screen.height), 0);
            return at + 17;
        }
        case CommandId::Mmc: {
            engine.waitMouseDelay();
            ScreenPoint caret;
            if (mouse_.caretScreenPos(caret)) {
                mouse_.setCursorPos(caret.x, caret.y);
            } else {
                engine.MyMessage("Error", "Could not move the mouse to the location of the caret.");
            }
            return at + 5;
        }
        default:
            return std::nullopt;
    }
}

}  // namespace orv
