#include "platform/x11/x11_keyboard_input.h"

#include <X11/XKBlib.h>
#include <X11/keysym.h>

#include <vector>

#include "platform/cp1252.h"
#include "platform/paste_typing.h"
#include "platform/virtual_keys.h"
#include "platform/x11/display_session.h"
#include "platform/x11/hook/x11_hook_library.h"
#include "platform/x11/key_injector.h"
#include "platform/x11/selection_paste.h"
#include "platform/x11/toolkit_keyboard.h"

namespace orv::x11 {

namespace {

// Virtual keys that the macro language never names: they carry the character keys.
constexpr std::uint8_t kCharKeySlots[] = {
    0x88, 0x89, 0x8A, 0x8B, 0x8C, 0x8D, 0x8E, 0x8F, 0x97, 0x98, 0x99, 0x9A, 0x9B, 0x9C, 0x9D,
    0x9E, 0x9F, 0xC1, 0xC2, 0xC3, 0xC4, 0xC5, 0xC6, 0xC7, 0xC8, 0xC9, 0xCA, 0xCB, 0xCC, 0xCD,
    0xCE, 0xCF, 0xD0, 0xD1, 0xD2, 0xD3, 0xD4, 0xD5, 0xD6, 0xD7, 0xD8, 0xD9, 0xDA, 0xE8,
};

// The upper half of the DOS code page that Alt codes without a leading zero use.
constexpr char16_t kDosUpper[128] = {
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x00E5, 0x00E7, 0x00EA, 0x00EB, 0x00E8, 0x00EF, 0x00EE,
    0x00EC, 0x00C4, 0x00C5, 0x00C9, 0x00E6, 0x00C6, 0x00F4, 0x00F6, 0x00F2, 0x00FB, 0x00F9, 0x00FF, 0x00D6,
    0x00DC, 0x00A2, 0x00A3, 0x00A5, 0x20A7, 0x0192, 0x00E1, 0x00ED, 0x00F3, 0x00FA, 0x00F1, 0x00D1, 0x00AA,
    0x00BA, 0x00BF, 0x2310, 0x00AC, 0x00BD, 0x00BC, 0x00A1, 0x00AB, 0x00BB, 0x2591, 0x2592, 0x2593, 0x2502,
    0x2524, 0x2561, 0x2562, 0x2556, 0x2555, 0x2563, 0x2551, 0x2557, 0x255D, 0x255C, 0x255B, 0x2510, 0x2514,
    0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x255E, 0x255F, 0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550,
    0x256C, 0x2567, 0x2568, 0x2564, 0x2565, 0x2559, 0x2558, 0x2552, 0x2553, 0x256B, 0x256A, 0x2518, 0x250C,
    0x2588, 0x2584, 0x258C, 0x2590, 0x2580, 0x03B1, 0x00DF, 0x0393, 0x03C0, 0x03A3, 0x03C3, 0x00B5, 0x03C4,
    0x03A6, 0x0398, 0x03A9, 0x03B4, 0x221E, 0x03C6, 0x03B5, 0x2229, 0x2261, 0x00B1, 0x2265, 0x2264, 0x2320,
    0x2321, 0x00F7, 0x2248, 0x00B0, 0x2219, 0x00B7, 0x221A, 0x207F, 0x00B2, 0x25A0, 0x00A0,
};

// The UTF-8 bytes of a character of the Basic Multilingual Plane (all that Alt codes give).
std::string utf8Of(char32_t ch) {
    std::string utf8;
    if (ch < 0x80) {
        utf8 += static_cast<char>(ch);
    } else if (ch < 0x800) {
        utf8 += static_cast<char>(0xC0 | (ch >> 6));
        utf8 += static_cast<char>(0x80 | (ch & 0x3F));
    } else {
        utf8 += static_cast<char>(0xE0 | (ch >> 12));
        utf8 += static_cast<char>(0x80 | ((ch >> 6) & 0x3F));
        utf8 += static_cast<char>(0x80 | (ch & 0x3F));
    }
    return utf8;
}

}  // namespace

char32_t altCodeChar(std::string_view digits) {
    if (digits.empty()) return 0;
    unsigned value = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') return 0;
        value = value * 10 + static_cast<unsigned>(c - '0');
    }
    value %= 256;
    if (value == 0) return 0;
    if (digits.front() == '0') return cp1252ToUnicode(static_cast<unsigned char>(value));
    return value < 128 ? static_cast<char32_t>(value) : static_cast<char32_t>(kDosUpper[value - 128]);
}

// Pastes through the CLIPBOARD selection with Ctrl+V typed by the injector, so that the hook
// library knows the keys for the program's own.
class InjectorPasteChannel final : public IPasteChannel {
public:
    InjectorPasteChannel(KeyInjector& injector, std::unique_ptr<SelectionPaste> selection)
        : injector_(injector), selection_(std::move(selection)) {}

    bool pasteText(const std::string& text, std::chrono::milliseconds deadline) override {
        return selection_->paste(
            text,
            [this] {
                constexpr int kVkV = 'V';
                injector_.virtualKey(kVkControl, false);
                injector_.virtualKey(kVkV, false);
                injector_.virtualKey(kVkV, true);
                injector_.virtualKey(kVkControl, true);
                injector_.flush();
            },
            deadline);
    }

private:
    KeyInjector& injector_;
    std::unique_ptr<SelectionPaste> selection_;
};

std::unique_ptr<X11KeyboardInput> X11KeyboardInput::create(X11HookLibrary* hook) {
    auto injector = KeyInjector::open(hook != nullptr ? &hook->injectionLog() : nullptr);
    if (!injector) return nullptr;
    ignoreKeyboardSwitchesInToolkit();
    return std::unique_ptr<X11KeyboardInput>(new X11KeyboardInput(std::move(injector), hook));
}

X11KeyboardInput::X11KeyboardInput(std::unique_ptr<KeyInjector> injector, const X11HookLibrary* hook)
    : injector_(std::move(injector)), hook_(hook), session_(classifyDisplay(displayFacts(injector_->display()))) {}

X11KeyboardInput::~X11KeyboardInput() { endPlayback(); }

void X11KeyboardInput::pasteOutsideLayout(IClipboard& clipboard) {
    auto selection = SelectionPaste::open();
    if (!selection) return;
    paste_.reset();
    pasteChannel_ = std::make_unique<InjectorPasteChannel>(*injector_, std::move(selection));
    paste_ = std::make_unique<PasteTyping>(clipboard, *pasteChannel_);
}

bool X11KeyboardInput::pasted(char32_t ch) {
    if (!paste_ || injector_->typable(ch)) return false;
    paste_->type(utf8Of(ch));
    return true;
}

void X11KeyboardInput::keyEvent(std::uint8_t virtualKey, std::uint8_t, bool up) {
    if (virtualKey == 43 && !up && (hook_ == nullptr || !hook_->waitingForMarker())) {
        // The marker after a playback: nothing the macro pressed may stay down.
        injector_->releaseAll();
        injector_->endInput();
    } else if (virtualKey != 43) {
        injector_->beginInput();
    }
    if (charOfVk_[virtualKey] != 0) {
        if (!up && !pasted(charOfVk_[virtualKey])) injector_->typeChar(charOfVk_[virtualKey]);
    } else {
        injector_->virtualKey(virtualKey, up);
    }
    // Unless held, each call's events leave at once: the engine may wait for a window or the
    // marker next.
    if (!hold_) injector_->flush();
}

void X11KeyboardInput::flush() { injector_->flush(); }

std::int16_t X11KeyboardInput::keyForChar(char c) {
    const char32_t ch = cp1252ToUnicode(static_cast<unsigned char>(c));
    const KeyInjector::Scan scan = injector_->scanChar(ch);
    if (scan.vk == 0) return -1;
    if (scan.vk < KeyInjector::kCharKeyBase) return static_cast<std::int16_t>((scan.shiftState << 8) | scan.vk);
    // The engine presses the key right after asking, so a slot is free again long before the
    // round comes back to it.
    const std::uint8_t vk = kCharKeySlots[nextSlot_];
    nextSlot_ = (nextSlot_ + 1) % std::size(kCharKeySlots);
    charOfVk_[vk] = ch;
    return vk;
}

std::uint8_t X11KeyboardInput::scanCodeFor(std::uint8_t virtualKey) {
    const KeySym32 keysym = keysymOfVirtualKey(virtualKey);
    if (keysym == 0) return 0;
    // From the injector's own copy of the keymap: Xlib's lookup would fetch the whole keymap
    // again after every switch between the user's keyboard and the typing, a round trip on the
    // way to each key.
    const KeyCode keycode = injector_->keymap().keycodeOf(keysym);
    // X keycodes are the hardware scan codes shifted by 8.
    return keycode > 8 ? static_cast<std::uint8_t>(keycode - 8) : 0;
}

void X11KeyboardInput::altCode(std::string_view digits) {
    injector_->beginInput();
    const char32_t ch = altCodeChar(digits);
    if (ch == 0 || pasted(ch)) return;
    if (digits.front() != '0' && !injector_->typable(ch)) {
        // The DOS code page comes along whole, as Windows-1252 does: one keymap change.
        std::vector<char32_t> dos;
        for (int code = 128; code < 256; ++code) dos.push_back(static_cast<char32_t>(kDosUpper[code - 128]));
        injector_->bindChars(dos);
    }
    injector_->typeChar(ch);
    if (!hold_) injector_->flush();
}

bool X11KeyboardInput::capsLockOn() {
    XkbStateRec state{};
    if (XkbGetState(injector_->display(), XkbUseCoreKbd, &state) != Success) return false;
    return (state.locked_mods & LockMask) != 0;
}

void X11KeyboardInput::endPlayback() {
    injector_->releaseAll();
    injector_->endInput();
    if (injector_->waitForFocusClient(std::chrono::milliseconds(1000))) injector_->restorePool();
}

bool X11KeyboardInput::waitUntilDelivered(std::chrono::milliseconds deadline) {
    return injector_->waitForFocusClient(deadline);
}

}  // namespace orv::x11
