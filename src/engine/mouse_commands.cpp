// Mouse commands: buttons, wheel, absolute moves, the move to the caret and the mouse delay.
#include "engine/mouse_commands.h"

#include <cmath>

#include "engine/command_handlers.h"
#include "engine/playback_engine.h"
#include "engine/signed_fields.h"
#include "engine/text_fields.h"
#include "platform/mouse_input.h"
#include "platform/window_system.h"

namespace orv {

namespace {

using namespace mouse_flags;

// The button commands: the events of the button and how often it clicks.
struct ButtonEvents {
    CommandId id;
    std::uint32_t down;
    std::uint32_t up;
    int clicks;  // 0: only `down` (or only `up` when down is 0)
};

constexpr ButtonEvents kButtons[] = {
    {CommandId::Ldn, kLeftDown, 0, 0},
    {CommandId::Lup, 0, kLeftUp, 0},
    {CommandId::Lclk, kLeftDown, kLeftUp, 1},
    {CommandId::Ldclk, kLeftDown, kLeftUp, 2},
    {CommandId::Rdn, kRightDown, 0, 0},
    {CommandId::Rup, 0, kRightUp, 0},
    {CommandId::Rclk, kRightDown, kRightUp, 1},
    {CommandId::Rdclk, kRightDown, kRightUp, 2},
    {CommandId::Mdn, kMiddleDown, 0, 0},
    {CommandId::Mup, 0, kMiddleUp, 0},
    {CommandId::Mclk, kMiddleDown, kMiddleUp, 1},
    {CommandId::Mdclk, kMiddleDown, kMiddleUp, 2},
};

}  // namespace

std::int32_t absoluteMouseValue(double v, int extent) {
    if (extent <= 0) return 0;
    const double scaled = std::trunc(v * (65535.0 / static_cast<double>(extent)));
    if (!(scaled > -2147483648.0)) return INT32_MIN;
    if (!(scaled < 2147483647.0)) return INT32_MAX;
    return static_cast<std::int32_t>(scaled);
}

std::optional<std::size_t> MouseCommands::perform(PlaybackEngine& engine, Interpretation& run,
                                                  const CommandEntry& cmd) {
    using M = MouseCommands;
    static constexpr HandlerTable<MouseCommands> kHandlers = [] {
        HandlerTable<MouseCommands> table{
            {CommandId::Spmse, &M::mouseDelay}, {CommandId::Wfw, &M::wheel}, {CommandId::Wbw, &M::wheel},
            {CommandId::Mmp, &M::move},         {CommandId::Mms, &M::move},  {CommandId::Mmw, &M::move},
            {CommandId::Mmc, &M::moveToCaret},
        };
        for (const ButtonEvents& b : kButtons) table.add(b.id, &M::button);
        return table;
    }();
    return kHandlers.run(*this, engine, run, cmd);
}

std::optional<std::size_t> MouseCommands::button(PlaybackEngine& engine, Interpretation& run, const CommandEntry& cmd) {
    for (const ButtonEvents& b : kButtons) {
        if (b.id != cmd.id) continue;
        engine.waitMouseDelay();
        if (b.clicks == 0) mouse_.mouseEvent(b.down != 0 ? b.down : b.up, 0, 0, 0);
        for (int i = 0; i < b.clicks; ++i) {
            mouse_.mouseEvent(b.down, 0, 0, 0);
            mouse_.mouseEvent(b.up, 0, 0, 0);
        }
    }
    return cmd.end(run.pos);
}

// "<SPMSE:": the delay before each mouse command, 0 for none.
std::optional<std::size_t> MouseCommands::mouseDelay(PlaybackEngine& engine, Interpretation& run,
                                                     const CommandEntry& cmd) {
    if (!closedAt(run.text, run.pos, cmd)) return std::nullopt;
    EngineState& state = engine.state();
    state.mouseDelay = static_cast<std::uint16_t>(fieldNumber(run.text, run.pos, cmd.field(0)));
    state.mouseDelayOn = state.mouseDelay != 0;
    return cmd.end(run.pos);
}

// "<WFW:" and "<WBW:": the wheel forward or back by a number of notches.
std::optional<std::size_t> MouseCommands::wheel(PlaybackEngine& engine, Interpretation& run, const CommandEntry& cmd) {
    if (!closedAt(run.text, run.pos, cmd)) return std::nullopt;
    const auto notches = static_cast<std::int32_t>(fieldNumber(run.text, run.pos, cmd.field(0)));
    engine.waitMouseDelay();
    mouse_.mouseEvent(kWheel, 0, 0, (cmd.id == CommandId::Wfw ? 1 : -1) * notches * 120);
    return cmd.end(run.pos);
}

// "<MMS:" to a screen position, "<MMW:" relative to the foreground window, "<MMP:" relative to
// the pointer.
std::optional<std::size_t> MouseCommands::move(PlaybackEngine& engine, Interpretation& run, const CommandEntry& cmd) {
    const std::string_view text = run.text;
    if (!closedAt(text, run.pos, cmd)) return std::nullopt;
    const double x = decimalField(text, run.pos, cmd.field(0).at, cmd.field(0).width);
    const double y = decimalField(text, run.pos, cmd.field(1).at, cmd.field(1).width);
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
    return cmd.end(run.pos);
}

// "<MMC>": the pointer to the text cursor of the focused window.
std::optional<std::size_t> MouseCommands::moveToCaret(PlaybackEngine& engine, Interpretation& run,
                                                      const CommandEntry& cmd) {
    engine.waitMouseDelay();
    ScreenPoint caret;
    if (mouse_.caretScreenPos(caret)) {
        mouse_.setCursorPos(caret.x, caret.y);
    } else {
        engine.MyMessage("Error", "Could not move the mouse to the location of the caret.");
    }
    return cmd.end(run.pos);
}

}  // namespace orv
