#pragma once

#include <string>

#include "dialogs/dialog_model.h"

namespace orv::dialogs {

// "Set Sound" (TDoSound): a beep or a wave file; in its alarm mode it chooses the sound played
// before every timed macro (stored in the settings, no command).
class TDoSound final : public DialogModel {
public:
    enum Kind { Beep = 1, Wave };
    struct Values {
        int kind = Beep;
        std::string path;
        bool wait = false;
    };
    TDoSound();
    std::string_view typeName() const override { return "TDoSound"; }
    std::string caption() const override { return "Set Sound"; }
    void show(const DialogEnv& env) override;
    void load(const Values& v);
    const Values& values() const { return values_; }
    std::vector<std::pair<std::string, std::string>> results() const override;

protected:
    Outcome doCheck(const DialogEnv& env) override;

private:
    Values values_;
};

// "Play a Video Clip" (TDoAVI).
class TDoAVI final : public DialogModel {
public:
    enum Kind { Immediate = 1, ImmediateExit, WaitToPlay };
    struct Values {
        int kind = Immediate;
        std::string path;
    };
    TDoAVI();
    std::string_view typeName() const override { return "TDoAVI"; }
    std::string caption() const override { return "Play a Video Clip"; }
    void load(const Values& v);
    const Values& values() const { return values_; }
    std::vector<std::pair<std::string, std::string>> results() const override;

protected:
    Outcome doCheck(const DialogEnv& env) override;

private:
    Values values_;
};

// "Audio CD Controls" (TDoCDRom).
class TDoCDRom final : public DialogModel {
public:
    // In the order of the editor's CD commands.
    enum Kind { Play = 1, Stop, Pause, Next, Previous, GoTo, Step, Back, Eject, Close };
    struct Values {
        int kind = Play;
        int number = 0;  // track or seconds
    };
    TDoCDRom();
    std::string_view typeName() const override { return "TDoCDRom"; }
    std::string caption() const override { return "Audio CD Controls"; }
    void load(const Values& v);
    const Values& values() const { return values_; }
    std::vector<std::pair<std::string, std::string>> results() const override;

protected:
    Outcome doCheck(const DialogEnv& env) override;

private:
    Values values_;
};

// "Speaker Controls" (TDoVolume): one mixer command per choice.
class TDoVolume final : public DialogModel {
public:
    struct Values {
        int code = 1;  // position of the choice, 1 = <AUDOFF> ... 20 = <BASSDOWN>
    };
    TDoVolume();
    std::string_view typeName() const override { return "TDoVolume"; }
    std::string caption() const override { return "Speaker Controls"; }
    void load(const Values& v);
    const Values& values() const { return values_; }
    std::vector<std::pair<std::string, std::string>> results() const override;

protected:
    Outcome doCheck(const DialogEnv& env) override;

private:
    Values values_;
};

}  // namespace orv::dialogs
