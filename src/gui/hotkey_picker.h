#pragma once

#include <QLineEdit>
#include <cstdint>
#include <functional>

#include "activation/resident_actions.h"

namespace orv::gui {

// A read-only field that takes a hotkey by having it pressed. While the field has the focus it
// holds the hook library's picker: every pressed combination comes to its window as a code
// instead of running a macro. The field shows the name of each code its owner accepts.
class HotkeyPickerField final : public QLineEdit {
    Q_OBJECT
public:
    // Asked for each delivered code; true takes it (the field then shows its name).
    using Acceptor = std::function<bool(int code)>;

    explicit HotkeyPickerField(IHotkeyPickerHost& host, QWidget* parent = nullptr);
    ~HotkeyPickerField() override;

    void setAcceptor(Acceptor accept) { accept_ = std::move(accept); }
    // Shows a code without asking the owner (the value the field starts with).
    void setCode(int code);
    int code() const { return code_; }
    // The window the picker messages are addressed to while this field holds the picker.
    std::int32_t pickerWindow() const;

    // A picker message: goes to the field holding the picker when it is addressed to that
    // field's window. Returns whether a field received it.
    static bool deliver(std::int32_t window, int code);

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void release();
    void receive(int code);

    IHotkeyPickerHost& host_;
    Acceptor accept_;
    int code_ = -1;
    std::int32_t heldWindow_ = 0;  // the window given to the library when the picker was taken
};

}  // namespace orv::gui
