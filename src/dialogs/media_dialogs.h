#pragma once

#include <string>

#include "dialogs/dialog_model.h"

namespace orv::dialogs {

// "Set Sound" (TDoSound): a beep or a wave file; in its alarm mode it chooses the sound played
// before every timed macro (stored in the settings, no command).
struct TDoSoundTypes {
    enum Kind { Beep = 1, Wave };
    struct Values {
        int kind = Beep;
        std::string path;
        bool wait = false;
    };
};
class TDoSound final : public ValuesDialog<TDoSoundTypes> {
public:
    TDoSound();
    std::string_view typeName() const override { return "TDoSound"; }
    std::string caption() const override { return "Set Sound"; }
    void show(const DialogEnv& env) override;
    void load(const Values& v);
    std::vector<std::pair<std::string, std::string>> results() const override;

protected:
    Outcome doCheck(const DialogEnv& env) override;
};

// "Play a Video Clip" (TDoAVI).
struct TDoAVITypes {
    enum Kind { Immediate = 1, ImmediateExit, WaitToPlay };
    struct Values {
        int kind = Immediate;
        std::string path;
    };
};
class TDoAVI final : public ValuesDialog<TDoAVITypes> {
public:
    TDoAVI();
    std::string_view typeName() const override { return "TDoAVI"; }
    std::string caption() const override { return "Play a Video Clip"; }
    void load(const Values& v);
    std::vector<std::pair<std::string, std::string>> results() const override;

protected:
    Outcome doCheck(const DialogEnv& env) override;
};

// "Audio CD Controls" (TDoCDRom).
struct TDoCDRomTypes {
    // In the order of the editor's CD commands.
    enum Kind { Play = 1, Stop, Pause, Next, Previous, GoTo, Step, Back, Eject, Close };
    struct Values {
        int kind = Play;
        int number = 0;  // track or seconds
    };
};
class TDoCDRom final : public ValuesDialog<TDoCDRomTypes> {
public:
    TDoCDRom();
    std::string_view typeName() const override { return "TDoCDRom"; }
    std::string caption() const override { return "Audio CD Controls"; }
    void load(const Values& v);
    std::vector<std::pair<std::string, std::string>> results() const override;

protected:
    Outcome doCheck(const DialogEnv& env) override;
};

// "Speaker Controls" (TDoVolume): one mixer command per choice.
struct TDoVolumeTypes {
    struct Values {
        int code = 1;  // position of the choice, 1 = <AUDOFF> ... 20 = <BASSDOWN>
    };
};
class TDoVolume final : public ValuesDialog<TDoVolumeTypes> {
public:
    TDoVolume();
    std::string_view typeName() const override { return "TDoVolume"; }
    std::string caption() const override { return "Speaker Controls"; }
    void load(const Values& v);
    std::vector<std::pair<std::string, std::string>> results() const override;

protected:
    Outcome doCheck(const DialogEnv& env) override;
};

}  // namespace orv::dialogs
