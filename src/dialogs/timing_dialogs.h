#pragma once

#include <cstdint>
#include <string>

#include "dialogs/dialog_model.h"

namespace orv::dialogs {

// "Set Delay" (TDoDelay) in one of three modes: a delay in seconds, an Alt keypad sequence, or
// the scheduler's check frequency (no command; stored in the settings as "Timer Seconds").
struct TDoDelayTypes {
    enum Mode { Seconds = 1, Keypad, Timer };
    struct Values {
        int mode = Seconds;
        double seconds = 0;
        std::string keypad;  // the digits as written into the command
        int frequency = 10;
    };
};
class TDoDelay final : public ValuesDialog<TDoDelayTypes> {
public:
    TDoDelay();
    std::string_view typeName() const override { return "TDoDelay"; }
    std::string caption() const override { return "Set Delay"; }
    void load(const Values& v);
    std::vector<std::pair<std::string, std::string>> results() const override;

protected:
    Outcome doCheck(const DialogEnv& env) override;
};

// "Set Delay" (TDoDelay2): a delay in seconds or in milliseconds.
struct TDoDelay2Types {
    enum Unit { Seconds = 1, Milliseconds };
    struct Values {
        int unit = Seconds;
        double amount = 0;
    };
};
class TDoDelay2 final : public ValuesDialog<TDoDelay2Types> {
public:
    TDoDelay2();
    std::string_view typeName() const override { return "TDoDelay2"; }
    std::string caption() const override { return "Set Delay"; }
    void load(const Values& v);
    std::vector<std::pair<std::string, std::string>> results() const override;

protected:
    Outcome doCheck(const DialogEnv& env) override;
};

// "Speed" (TDoSpeed): keystroke delay, mouse delay or playback factor.
struct TDoSpeedTypes {
    enum Kind { Keyboard = 1, Mouse, Macro };
    struct Values {
        int kind = Keyboard;
        int milliseconds = 0;
        double factor = 1.0;
    };
};
class TDoSpeed final : public ValuesDialog<TDoSpeedTypes> {
public:
    TDoSpeed();
    std::string_view typeName() const override { return "TDoSpeed"; }
    std::string caption() const override { return "Speed"; }
    void load(const Values& v);
    std::vector<std::pair<std::string, std::string>> results() const override;

protected:
    Outcome doCheck(const DialogEnv& env) override;
};

// "Repeat Options" (TDoRepeat): counted repeat, prompted repeat, end of repeat, counter.
struct TDoRepeatTypes {
    enum Kind { Counted = 1, Prompted, End, Counter };
    struct Values {
        int kind = Counted;
        std::int64_t count = 10;  // for a counter: its width 1..4
        std::int64_t start = 1;
        std::int64_t step = 1;
    };
};
class TDoRepeat final : public ValuesDialog<TDoRepeatTypes> {
public:
    TDoRepeat();
    std::string_view typeName() const override { return "TDoRepeat"; }
    std::string caption() const override { return "Repeat Options"; }
    void load(const Values& v);
    std::vector<std::pair<std::string, std::string>> results() const override;

protected:
    Outcome doCheck(const DialogEnv& env) override;
};

// "Pause Window" (TDoPausePos): a basic pause or one placed on the screen with a message.
struct TDoPausePosTypes {
    enum Kind { Basic = 1, Complex };
    struct Values {
        int kind = Basic;
        int top = 0;
        int left = 0;
        std::string message;
    };
};
class TDoPausePos final : public ValuesDialog<TDoPausePosTypes> {
public:
    TDoPausePos();
    std::string_view typeName() const override { return "TDoPausePos"; }
    std::string caption() const override { return "Pause Window"; }
    void load(const Values& v);
    std::vector<std::pair<std::string, std::string>> results() const override;

protected:
    Outcome doCheck(const DialogEnv& env) override;
};

// "Macro Repeat" (TRepeatPrompt): the repeat count asked while a "<PROMPTREP>" plays. It closes
// only with a whole number.
struct TRepeatPromptTypes {
    struct Values {
        int count = 0;
    };
};
class TRepeatPrompt final : public ValuesDialog<TRepeatPromptTypes> {
public:
    TRepeatPrompt();
    std::string_view typeName() const override { return "TRepeatPrompt"; }
    std::string caption() const override { return "Macro Repeat"; }
    std::vector<std::pair<std::string, std::string>> results() const override;

protected:
    Outcome doCheck(const DialogEnv& env) override;
};

}  // namespace orv::dialogs
