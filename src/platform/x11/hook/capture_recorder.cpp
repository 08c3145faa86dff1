#include "platform/x11/hook/capture_recorder.h"

#include <X11/keysym.h>
#include <xkbcommon/xkbcommon-compose.h>
#include <xkbcommon/xkbcommon.h>

#include <array>
#include <cstdlib>
#include <utility>

namespace orv::x11 {
namespace {

using capture::InputEvent;

struct KeyTag {
    KeySym32 sym;
    const char* tag;
};

constexpr std::array<KeyTag, 38> kKeyTags = {{
    {XK_Return, "<ENTER>"},     {XK_KP_Enter, "<ENTER>"},      {XK_Tab, "<TAB>"},
    {XK_ISO_Left_Tab, "<TAB>"}, {XK_BackSpace, "<BACKSPACE>"}, {XK_Escape, "<ESC>"},
    {XK_Left, "<LEFT ARROW>"},  {XK_Right, "<RIGHT ARROW>"},   {XK_Up, "<UP ARROW>"},
    {XK_Down, "<DOWN ARROW>"},  {XK_Home, "<HOME>"},           {XK_End, "<END>"},
    {XK_Insert, "<INSERT>"},    {XK_Delete, "<DELETE>"},       {XK_Prior, "<PAGE UP>"},
    {XK_Next, "<PAGE DOWN>"},   {XK_Print, "<PRTSCR>"},        {XK_Scroll_Lock, "<SCRLOCK>"},
    {XK_Menu, "<APP>"},         {XK_KP_0, "<KEYP0>"},          {XK_KP_1, "<KEYP1>"},
    {XK_KP_2, "<KEYP2>"},       {XK_KP_3, "<KEYP3>"},          {XK_KP_4, "<KEYP4>"},
    {XK_KP_5, "<KEYP5>"},       {XK_KP_6, "<KEYP6>"},          {XK_KP_7, "<KEYP7>"},
    {XK_KP_8, "<KEYP8>"},       {XK_KP_9, "<KEYP9>"},          {XK_KP_Decimal, "<KEYP.>"},
    {XK_KP_Divide, "<KEYP/>"},  {XK_KP_Multiply, "<KEYP*>"},   {XK_KP_Subtract, "<KEYP->"},
    {XK_KP_Add, "<KEYP+>"},     {XK_KP_Home, "<HOME>"},        {XK_KP_End, "<END>"},
    {XK_KP_Delete, "<DELETE>"}, {XK_KP_Insert, "<INSERT>"},
}};

constexpr std::array<const char*, 24> kFunctionKeys = {
    "<F1>",  "<F2>",  "<F3>",  "<F4>",  "<F5>",  "<F6>",  "<F7>",  "<F8>",  "<F9>",  "<F10>", "<F11>", "<F12>",
    "<F13>", "<F14>", "<F15>", "<F16>", "<F17>", "<F18>", "<F19>", "<F20>", "<F21>", "<F22>", "<F23>", "<F24>"};

// Keys that only change what the next key does; their effect is in what that key records.
bool isModifierOnly(KeySym32 sym) {
    return (sym >= XK_Shift_L && sym <= XK_Hyper_R) || sym == XK_ISO_Level3_Shift || sym == XK_ISO_Level5_Shift ||
           sym == XK_Mode_switch || sym == XK_Num_Lock || sym == XK_ISO_Next_Group || sym == 0;
}

bool isAlt(KeySym32 sym) { return sym == XK_Alt_L || sym == XK_Alt_R || sym == XK_Meta_L || sym == XK_Meta_R; }

std::string localeName() {
    for (const char* name : {"LC_ALL", "LC_CTYPE", "LANG"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && *value != '\0') return value;
    }
    return "C";
}

DecodedHotKey keyFromTable(const TActivationTable& t, std::size_t button) {
    DecodedHotKey key;
    key.mouseButton = t.i16(button);
    key.virtualKey = t.i16(button + 2);
    key.ctrl = t.u8(button + 4) != 0;
    key.alt = t.u8(button + 5) != 0;
    key.shift = t.u8(button + 6) != 0;
    key.win = t.u8(button + 7) != 0;
    return key;
}

bool sameMods(const DecodedHotKey& key, const HeldModifiers& mods) {
    return key.ctrl == mods.ctrl && key.alt == mods.alt && key.shift == mods.shift && key.win == mods.win;
}

}  // namespace

const char* keyTagOf(KeySym32 sym) {
    if (sym >= XK_F1 && sym <= XK_F24) return kFunctionKeys[sym - XK_F1];
    for (const KeyTag& k : kKeyTags)
        if (k.sym == sym) return k.tag;
    return nullptr;
}

// The user's compose table (dead keys, the compose key), when the locale has one.
struct CaptureRecorder::Compose {
    xkb_context* context = nullptr;
    xkb_compose_table* table = nullptr;
    xkb_compose_state* state = nullptr;

    Compose() {
        context = xkb_context_new(XKB_CONTEXT_NO_FLAGS);
        if (context == nullptr) return;
        for (const std::string& locale : {localeName(), std::string("en_US.UTF-8")}) {
            table = xkb_compose_table_new_from_locale(context, locale.c_str(), XKB_COMPOSE_COMPILE_NO_FLAGS);
            if (table != nullptr) break;
        }
        if (table != nullptr) state = xkb_compose_state_new(table, XKB_COMPOSE_STATE_NO_FLAGS);
    }
    ~Compose() {
        xkb_compose_state_unref(state);
        xkb_compose_table_unref(table);
        xkb_context_unref(context);
    }
    Compose(const Compose&) = delete;
    Compose& operator=(const Compose&) = delete;
};

CaptureRecorder::CaptureRecorder() = default;
CaptureRecorder::~CaptureRecorder() = default;

void CaptureRecorder::prepare() {
    if (!compose_) compose_ = std::make_unique<Compose>();
}

void CaptureRecorder::start(const TActivationTable& t, int x, int y) {
    using T = TActivationTable;
    options_.keystrokes = t.u8(T::oCaptureKeystrokes) != 0;
    options_.mouse = t.u8(T::oCaptureMouse) != 0;
    options_.clicksOnly = t.u8(T::oCaptureClicksOnly) != 0;
    options_.timing = t.u8(T::oCaptureTiming) != 0;
    options_.doubleAlt = t.u8(T::oCaptureDoubleAlt) != 0;
    const int origin = t.u8(T::oCaptureRelativeTo);
    options_.origin =
        origin >= 1 && origin <= 3 ? static_cast<capture::MouseOrigin>(origin) : capture::MouseOrigin::Screen;
    macro_ = t.i16(T::oCaptureMacro);
    stopKey_ = keyFromTable(t, T::oStopKeyButton);
    ownKey_.reset();
    if (t.u8(T::oOwnKeyValid) != 0) ownKey_ = keyFromTable(t, T::oOwnKeyButton);
    encoder_.emplace(options_, x, y);
    altAlone_ = false;
    prepare();
    if (compose_->state != nullptr) xkb_compose_state_reset(compose_->state);
}

std::string CaptureRecorder::stop() {
    std::string text = encoder_ ? encoder_->finish() : std::string();
    encoder_.reset();
    return text;
}

bool CaptureRecorder::endsCapture(int virtualKey, const HeldModifiers& mods) const {
    const auto matches = [&](const DecodedHotKey& key) {
        return key.mouseButton == 0 && key.virtualKey != 0 && key.virtualKey == virtualKey && sameMods(key, mods);
    };
    return matches(stopKey_) || (ownKey_ && matches(*ownKey_));
}

bool CaptureRecorder::endsCaptureByButton(int button, const HeldModifiers& mods) const {
    const auto matches = [&](const DecodedHotKey& key) { return key.mouseButton == button && sameMods(key, mods); };
    return button != 0 && (matches(stopKey_) || (ownKey_ && matches(*ownKey_)));
}

// The character a key adds once dead keys and compose sequences are taken into account:
// nothing while a sequence is under way or was cancelled.
std::optional<char32_t> CaptureRecorder::compose(KeySym32 sym) {
    xkb_compose_state* state = compose_ ? compose_->state : nullptr;
    if (state == nullptr || xkb_compose_state_feed(state, sym) != XKB_COMPOSE_FEED_ACCEPTED) return charOfKeysym(sym);
    switch (xkb_compose_state_get_status(state)) {
        case XKB_COMPOSE_COMPOSING:
            return std::nullopt;
        case XKB_COMPOSE_CANCELLED:
            xkb_compose_state_reset(state);
            return std::nullopt;
        case XKB_COMPOSE_COMPOSED: {
            const auto composed = static_cast<KeySym32>(xkb_compose_state_get_one_sym(state));
            std::array<char, 64> utf8{};
            const int n = xkb_compose_state_get_utf8(state, utf8.data(), utf8.size());
            xkb_compose_state_reset(state);
            if (composed != 0) return charOfKeysym(composed);
            // A sequence that makes more than one character: a clear mark instead.
            if (n > 0) return U'\uFFFD';
            return std::nullopt;
        }
        case XKB_COMPOSE_NOTHING:
            break;
    }
    return charOfKeysym(sym);
}

std::string CaptureRecorder::keyPress(KeySym32 sym, const HeldModifiers& mods, std::uint32_t time) {
    if (!encoder_) return {};
    if (isAlt(sym)) {
        altAlone_ = !mods.ctrl && !mods.shift && !mods.win;
        return {};
    }
    if (isModifierOnly(sym) || sym == XK_Caps_Lock) return {};
    altAlone_ = false;
    InputEvent event;
    event.timeMs = time;
    std::string prefix;
    if (mods.ctrl) prefix += "<CTRL>";
    if (mods.alt) prefix += "<ALT>";
    if (const char* tag = keyTagOf(sym)) {
        event.kind = InputEvent::Kind::Key;
        event.tag = (mods.shift ? "<SHIFT>" : "") + prefix + tag;
    } else {
        const std::optional<char32_t> ch = compose(sym);
        if (!ch || *ch == 0) return {};
        event.kind = prefix.empty() ? InputEvent::Kind::Character : InputEvent::Kind::Key;
        event.character = *ch;
        event.tag = prefix + capture::typedByte(*ch);
    }
    if (mods.win) {
        if (event.kind == InputEvent::Kind::Character) event.tag = capture::typedByte(event.character);
        event.kind = InputEvent::Kind::Key;
        event.tag = "<WIND>" + event.tag + "<WINU>";
    }
    return encoder_->encode(event);
}

std::string CaptureRecorder::keyRelease(KeySym32 sym, std::uint32_t time) {
    if (!encoder_ || !isAlt(sym) || !std::exchange(altAlone_, false)) return {};
    InputEvent event;
    event.kind = InputEvent::Kind::AltTap;
    event.timeMs = time;
    return encoder_->encode(event);
}

std::string CaptureRecorder::pointer(const InputEvent& event) {
    if (!encoder_) return {};
    altAlone_ = false;
    return encoder_->encode(event);
}

}  // namespace orv::x11
