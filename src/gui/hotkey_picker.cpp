#include "gui/hotkey_picker.h"

#include "gui/qt_text.h"
#include "platform/hotkey_codes.h"

namespace orv::gui {

namespace {

// The field holding the picker; the library has one picker window, so at most one field.
// Only touched on the user-interface thread.
HotkeyPickerField* holder = nullptr;

}  // namespace

HotkeyPickerField::HotkeyPickerField(IHotkeyPickerHost& host, QWidget* parent) : QLineEdit(parent), host_(host) {
    setReadOnly(true);
}

HotkeyPickerField::~HotkeyPickerField() { release(); }

void HotkeyPickerField::setCode(int code) {
    code_ = code;
    setText(fromCp1252(hotKeyName(code)));
}

std::int32_t HotkeyPickerField::pickerWindow() const { return static_cast<std::int32_t>(window()->winId()); }

bool HotkeyPickerField::deliver(std::int32_t window, int code) {
    if (holder == nullptr || holder->heldWindow_ != window) return false;
    holder->receive(code);
    return true;
}

void HotkeyPickerField::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    if (holder != nullptr && holder != this) holder->release();
    holder = this;
    heldWindow_ = pickerWindow();
    host_.SetSecWind(heldWindow_, true);
}

void HotkeyPickerField::focusOutEvent(QFocusEvent* event) {
    release();
    QLineEdit::focusOutEvent(event);
}

void HotkeyPickerField::hideEvent(QHideEvent* event) {
    release();
    QLineEdit::hideEvent(event);
}

void HotkeyPickerField::release() {
    if (holder != this) return;
    holder = nullptr;
    host_.SetSecWind(heldWindow_, false);
}

void HotkeyPickerField::receive(int code) {
    // A plain left click is how the user leaves the field (for a button or the list): it is
    // never taken as the hotkey pressed. The list still offers it.
    static const int leftClick = hotKeyCodeOf(DecodedHotKey{.mouseButton = 1});
    if (code == leftClick) return;
    if (accept_ && !accept_(code)) return;
    setCode(code);
}

}  // namespace orv::gui
