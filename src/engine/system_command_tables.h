#pragma once

// The tables of the system family's commands that its two sources share: which command runs
// which shell function or opens which special folder, and what each mixer command does.

#include "engine/command_catalogue.h"
#include "platform/desktop_shell.h"
#include "platform/mixer.h"

namespace orv::system_tables {

// A shell function command: its function or special folder and the name in its error title.
struct ShellCommand {
    CommandId id;
    bool explore;
    int value;  // a ShellFunction, or the special-folder number
    const char* name;
};

inline constexpr ShellCommand kShellCommands[] = {
    {CommandId::Minidesk, false, static_cast<int>(ShellFunction::MinimizeAll), "Minimize All"},
    {CommandId::Restdesk, false, static_cast<int>(ShellFunction::UndoMinimizeAll), "Undo Minimize All"},
    {CommandId::Suspend, false, static_cast<int>(ShellFunction::Suspend), "Suspend"},
    {CommandId::Undock, false, static_cast<int>(ShellFunction::EjectPC), "Eject PC"},
    {CommandId::Rundt, false, static_cast<int>(ShellFunction::SetTime), "Run Set Time"},
    {CommandId::Runfc, false, static_cast<int>(ShellFunction::FindComputer), "Run Find Computer"},
    {CommandId::Runff, false, static_cast<int>(ShellFunction::FindFiles), "Run Find Files"},
    {CommandId::Runrp, false, static_cast<int>(ShellFunction::FileRun), "Run File Run"},
    {CommandId::Expcp, true, 3, "Open Explorer"},
    {CommandId::Expdt, true, 0, "Open Explorer"},
    {CommandId::Expdp, true, 16, "Open Explorer"},
    {CommandId::Expfv, true, 6, "Open Explorer"},
    {CommandId::Expft, true, 20, "Open Explorer"},
    {CommandId::Expmc, true, 17, "Open Explorer"},
    {CommandId::Expnw, true, 18, "Open Explorer"},
    {CommandId::Exppr, true, 4, "Open Explorer"},
    {CommandId::Exppf, true, 2, "Open Explorer"},
    {CommandId::Exprd, true, 8, "Open Explorer"},
    {CommandId::Exprb, true, 10, "Open Explorer"},
    {CommandId::Expsm, true, 11, "Open Explorer"},
    {CommandId::Expsu, true, 7, "Open Explorer"},
    {CommandId::Expud, true, 5, "Open Explorer"},
};

enum class MixerAction { Off, On, Up, Down, Left, Right, Center, Mute };

struct MixerCommand {
    CommandId id;
    MixerControl control;
    MixerAction action;
};

inline constexpr MixerCommand kMixerCommands[] = {
    {CommandId::Audoff, MixerControl::WaveVolume, MixerAction::Off},
    {CommandId::Audon, MixerControl::WaveVolume, MixerAction::On},
    {CommandId::Audup, MixerControl::WaveVolume, MixerAction::Up},
    {CommandId::Auddown, MixerControl::WaveVolume, MixerAction::Down},
    {CommandId::Audmute, MixerControl::WaveMute, MixerAction::Mute},
    {CommandId::Audleft, MixerControl::WaveVolume, MixerAction::Left},
    {CommandId::Audright, MixerControl::WaveVolume, MixerAction::Right},
    {CommandId::Audcenter, MixerControl::WaveVolume, MixerAction::Center},
    {CommandId::Trebup, MixerControl::Treble, MixerAction::Up},
    {CommandId::Trebdown, MixerControl::Treble, MixerAction::Down},
    {CommandId::Midioff, MixerControl::MidiVolume, MixerAction::Off},
    {CommandId::Midion, MixerControl::MidiVolume, MixerAction::On},
    {CommandId::Midiup, MixerControl::MidiVolume, MixerAction::Up},
    {CommandId::Mididown, MixerControl::MidiVolume, MixerAction::Down},
    {CommandId::Midimute, MixerControl::MidiMute, MixerAction::Mute},
    {CommandId::Midileft, MixerControl::MidiVolume, MixerAction::Left},
    {CommandId::Midiright, MixerControl::MidiVolume, MixerAction::Right},
    {CommandId::Midicenter, MixerControl::MidiVolume, MixerAction::Center},
    {CommandId::Bassup, MixerControl::Bass, MixerAction::Up},
    {CommandId::Bassdown, MixerControl::Bass, MixerAction::Down},
};

}  // namespace orv::system_tables
