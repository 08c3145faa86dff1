#pragma once

#include <string>

#include "dialogs/dialog_model.h"

namespace orv::dialogs {

// "Mouse Commands" (TDoMouse): clicks, moves and the wheel.
struct TDoMouseTypes {
    // Actions 1-12 are the button actions in the order of their tags (<LCLK> ... <MUP>).
    enum Action { Move = 13, WheelForward = 14, WheelBackward = 15 };
    enum MoveMode { Screen = 1, Window, Position, Caret };
    struct Values {
        int action = 1;
        int moveMode = Screen;
        int x = 0;
        int y = 0;
        int clicks = 0;
    };
};
class TDoMouse final : public ValuesDialog<TDoMouseTypes> {
public:
    TDoMouse();
    std::string_view typeName() const override { return "TDoMouse"; }
    std::string caption() const override { return "Mouse Commands"; }
    void load(const Values& v);
    std::vector<std::pair<std::string, std::string>> results() const override;

protected:
    Outcome doCheck(const DialogEnv& env) override;
};

// "Keys Up Or Down" (TDoKeyUpDown): Control, Alt, Shift and Win down and up.
struct TDoKeyUpDownTypes {
    struct Values {
        int code = 1;  // 1 Ctrl down, 2 Ctrl up, 3 Alt down ... 8 Win up
    };
};
class TDoKeyUpDown final : public ValuesDialog<TDoKeyUpDownTypes> {
public:
    TDoKeyUpDown();
    std::string_view typeName() const override { return "TDoKeyUpDown"; }
    std::string caption() const override { return "Keys Up Or Down"; }
    void load(const Values& v);
    std::vector<std::pair<std::string, std::string>> results() const override;

protected:
    Outcome doCheck(const DialogEnv& env) override;
};

// "Clipboard" (TDoClipboard).
struct TDoClipboardTypes {
    enum Kind { StartCopy = 1, EndCopy, TextFile, Bitmap, Copy, Paste, TypeText };
    struct Values {
        int kind = StartCopy;
        std::string path;
        bool ignoreCrLf = false;
    };
};
class TDoClipboard final : public ValuesDialog<TDoClipboardTypes> {
public:
    TDoClipboard();
    std::string_view typeName() const override { return "TDoClipboard"; }
    std::string caption() const override { return "Clipboard"; }
    void load(const Values& v);
    std::vector<std::pair<std::string, std::string>> results() const override;

protected:
    Outcome doCheck(const DialogEnv& env) override;
};

// "Insert Symbol" (TDoSpecial): one character 128-255 from a grid of 16 columns and 8 rows, or
// an Alt keypad sequence through the delay dialog's keypad mode.
struct TDoSpecialTypes {
    struct Values {
        int code = 128;
        bool keypad = false;
        std::string keypadDigits;
    };
};
class TDoSpecial final : public ValuesDialog<TDoSpecialTypes> {
public:
    TDoSpecial();
    std::string_view typeName() const override { return "TDoSpecial"; }
    std::string caption() const override { return "Insert Symbol"; }
    std::vector<std::pair<std::string, std::string>> results() const override;

protected:
    Outcome doCheck(const DialogEnv& env) override;
};

}  // namespace orv::dialogs
