#pragma once

#include <cstdint>
#include <string>

#include "dialogs/dialog_model.h"

namespace orv::dialogs {

// "Set Delay" (TDoDelay) in one of three modes: a delay in seconds, an Alt keypad sequence, or
// the scheduler's check frequency (no command; stored in the settings as "Timer Seconds").
class TDoDelay final : public DialogModel {
public:
    enum Mode { Seconds = 1, Keypad, Timer };
    struct Values {
        int mode = Seconds;
        double seconds = 0;
        std::string keypad;  // the digits as written into the command
        int frequency = 10;
    };

    TDoDelay();
    std::string_view typeName() const override { return "TDoDelay"; }
    std::string caption() const override { return "Set Delay"; }
    void load(const Values& v);
    const Values& values() const { return values_; }
    std::vector<std::pair<std::string, std::string>> results() const override;

protected:
    Outcome doCheck(const DialogEnv& env) override;

private:
    Values values_;
};

// "Set Delay" (TDoDelay2): a delay in seconds or in milliseconds.
class TDoDelay2 final : public DialogModel {
public:
    enum Unit { Seconds = 1, Milliseconds };
    struct Values {
        int unit = Seconds;
        double amount = 0;
    };

    TDoDelay2();
    std::string_view typeName() const override { return "TDoDelay2"; }
    std::string caption() const override { return "Set Delay"; }
    void load(const Values& v);
    const Values& values() const { return values_; }
    std::vector<std::pair<std::string, std::string>> results() const override;

protected:
    Outcome doCheck(const DialogEnv& env) override;

private:
    Values values_;
};

// "Speed" (TDoSpeed): keystroke delay, mouse delay or playback factor.
class TDoSpeed final : public DialogModel {
public:
    enum Kind { Keyboard = 1, Mouse, Macro };
    struct Values {
        int kind = Keyboard;
        int milliseconds = 0;
        double factor = 1.0;
    };

    TDoSpeed();
    std::string_view typeName() const override { return "TDoSpeed"; }
    std::string caption() const override { return "Speed"; }
    void load(const Values& v);
    const Values& values() const { return values_; }
    std::vector<std::pair<std::string, std::string>> results() const override;

protected:
    Outcome doCheck(const DialogEnv& env) override;

private:
    Values values_;
};

// "Repeat Options" (TDoRepeat): counted repeat, prompted repeat, end of repeat, counter.
class TDoRepeat final : public DialogModel {
public:
    enum Kind { Counted = 1, Prompted, End, Counter };
    struct Values {
        int kind = Counted;
        std::int64_t count = 10;  // for a counter: its width 1..4
        std::int64_t start = 1;
        std::int64_t step = 1;
    };

    TDoRepeat();
    std::string_view typeName() const override { return "TDoRepeat"; }
    std::string caption() const override { return "Repeat Options"; }
    void load(const Values& v);
    const Values& values() const { return values_; }
    std::vector<std::pair<std::string, std::string>> results() const override;

protected:
    Outcome doCheck(const DialogEnv& env) override;

private:
    Values values_;
};

// "Pause Window" (TDoPausePos): a basic pause or one placed on the screen with a message.
class TDoPausePos final : public DialogModel {
public:
    enum Kind { Basic = 1, Complex };
    struct Values {
        int kind = Basic;
        int top = 0;
        int left = 0;
        std::string message;
    };

    TDoPausePos();
    std::string_view typeName() const override { return "TDoPausePos"; }
    std::string caption() const override { return "Pause Window"; }
    void load(const Values& v);
    const Values& values() const { return values_; }
    std::vector<std::pair<std::string, std::string>> results() const override;

protected:
    Outcome doCheck(const DialogEnv& env) override;

private:
    Values values_;
};

// "Macro Repeat" (TRepeatPrompt): the repeat count asked while a "<PROMPTREP>" plays. It closes
// only with a whole number.
class TRepeatPrompt final : public DialogModel {
public:
    struct Values {
        int count = 0;
    };

    TRepeatPrompt();
    std::string_view typeName() const override { return "TRepeatPrompt"; }
    std::string caption() const override { return "Macro Repeat"; }
    const Values& values() const { return values_; }
    std::vector<std::pair<std::string, std::string>> results() const override;

protected:
    Outcome doCheck(const DialogEnv& env) override;

private:
    Values values_;
};

}  // namespace orv::dialogs
