#pragma once

// Which tag of the macro language each kind of script-line parameters stands for. A kind may be
// read from several tags (older forms, alike spellings); it is written as the first of them.

#include <array>
#include <cstddef>
#include <optional>

#include "editors/script_payload.h"
#include "engine/command_catalogue.h"

namespace orv::script {

template <typename Kind>
struct TagForm {
    CommandId id;
    Kind kind;
};

template <typename Kind, std::size_t N>
constexpr std::optional<Kind> kindOf(const std::array<TagForm<Kind>, N>& forms, CommandId id) {
    for (const TagForm<Kind>& f : forms)
        if (f.id == id) return f.kind;
    return std::nullopt;
}

// The tag a kind is written as; `fallback` for a kind that no tag has (never for a checked line).
template <typename Kind, std::size_t N>
constexpr CommandId tagFor(const std::array<TagForm<Kind>, N>& forms, Kind kind) {
    for (const TagForm<Kind>& f : forms)
        if (f.kind == kind) return f.id;
    return forms[0].id;
}

template <typename Kind, std::size_t N>
constexpr bool hasTag(const std::array<TagForm<Kind>, N>& forms, CommandId id) {
    return kindOf(forms, id).has_value();
}

namespace forms {

using I = CommandId;

inline constexpr std::array<TagForm<Delay::Unit>, 2> kDelay{{
    {I::Delay, Delay::Unit::Seconds},
    {I::Msd, Delay::Unit::Milliseconds},
}};

inline constexpr std::array<TagForm<Pause::Kind>, 2> kPause{{
    {I::Pause, Pause::Kind::Basic},
    {I::PauseAt, Pause::Kind::Complex},
}};

inline constexpr std::array<TagForm<Repeat::Kind>, 8> kRepeat{{
    {I::Rep, Repeat::Kind::Counted},
    {I::Repeat, Repeat::Kind::Counted},
    {I::Promptrep, Repeat::Kind::Prompted},
    {I::Endrep, Repeat::Kind::End},
    {I::Counter1, Repeat::Kind::Counter},
    {I::Counter2, Repeat::Kind::Counter},
    {I::Counter3, Repeat::Kind::Counter},
    {I::Counter4, Repeat::Kind::Counter},
}};

inline constexpr std::array<TagForm<Speed::Kind>, 3> kSpeed{{
    {I::Spkey, Speed::Kind::Keystroke},
    {I::Spmse, Speed::Kind::Mouse},
    {I::Speed, Speed::Kind::Playback},
}};

inline constexpr std::array<TagForm<Program::Kind>, 7> kProgram{{
    {I::Activate, Program::Kind::Activate},
    {I::Launchdel, Program::Kind::Launch},
    {I::Launch, Program::Kind::Launch},
    {I::Launchno2, Program::Kind::LaunchAndActivate},
    {I::Launchno, Program::Kind::LaunchAndActivate},
    {I::Launchyes2, Program::Kind::ActivateOrLaunch},
    {I::Launchyes, Program::Kind::ActivateOrLaunch},
}};

inline constexpr std::array<TagForm<Window::Command>, 7> kWindow{{
    {I::Wmax, Window::Command::Maximize},
    {I::Wmin, Window::Command::Minimize},
    {I::Wres, Window::Command::Restore},
    {I::Wcls, Window::Command::Close},
    {I::Whide, Window::Command::Hide},
    {I::Wshow, Window::Command::Show},
    {I::Wshut, Window::Command::ShutDown},
}};

inline constexpr std::array<TagForm<WindowGeometry::Kind>, 2> kGeometry{{
    {I::Wsize, WindowGeometry::Kind::Resize},
    {I::Wpos, WindowGeometry::Kind::Reposition},
}};

inline constexpr std::array<TagForm<Mouse::Action>, 14> kMouseAction{{
    {I::Ldn, Mouse::Action::LeftDown},
    {I::Lup, Mouse::Action::LeftUp},
    {I::Lclk, Mouse::Action::LeftClick},
    {I::Ldclk, Mouse::Action::LeftDoubleClick},
    {I::Rdn, Mouse::Action::RightDown},
    {I::Rup, Mouse::Action::RightUp},
    {I::Rclk, Mouse::Action::RightClick},
    {I::Rdclk, Mouse::Action::RightDoubleClick},
    {I::Mdn, Mouse::Action::MiddleDown},
    {I::Mup, Mouse::Action::MiddleUp},
    {I::Mclk, Mouse::Action::MiddleClick},
    {I::Mdclk, Mouse::Action::MiddleDoubleClick},
    {I::Wfw, Mouse::Action::WheelForward},
    {I::Wbw, Mouse::Action::WheelBackward},
}};

inline constexpr std::array<TagForm<Mouse::MoveMode>, 4> kMouseMove{{
    {I::Mms, Mouse::MoveMode::Screen},
    {I::Mmw, Mouse::MoveMode::Window},
    {I::Mmp, Mouse::MoveMode::Position},
    {I::Mmc, Mouse::MoveMode::Caret},
}};

inline constexpr std::array<TagForm<Clipboard::Kind>, 8> kClipboard{{
    {I::Clipc, Clipboard::Kind::Copy},
    {I::Clipp, Clipboard::Kind::Paste},
    {I::Begclip, Clipboard::Kind::StartCopy},
    {I::Endclip, Clipboard::Kind::EndCopy},
    {I::Clipf, Clipboard::Kind::FileCopy},
    {I::Cliptype, Clipboard::Kind::TypeText},
    {I::Cliptypei, Clipboard::Kind::TypeText},
    {I::Clipb, Clipboard::Kind::BitmapCopy},
}};

inline constexpr std::array<TagForm<MacroCommand::Kind>, 4> kMacro{{
    {I::Macrun, MacroCommand::Kind::Run},
    {I::Macdel, MacroCommand::Kind::Delete},
    {I::Macact, MacroCommand::Kind::Activate},
    {I::Macdeact, MacroCommand::Kind::Deactivate},
}};

inline constexpr std::array<TagForm<FileOp::Kind>, 5> kFile{{
    {I::Chdir, FileOp::Kind::ChangeFolder},
    {I::Copyfile, FileOp::Kind::Copy},
    {I::Renfile, FileOp::Kind::Rename},
    {I::Delfile, FileOp::Kind::Delete},
    {I::Mkdir, FileOp::Kind::CreateFolder},
}};

inline constexpr std::array<TagForm<Video::Kind>, 3> kVideo{{
    {I::Avi, Video::Kind::Open},
    {I::Avii, Video::Kind::PlayAtOnce},
    {I::Avie, Video::Kind::PlayAndClose},
}};

inline constexpr std::array<TagForm<Sound::Kind>, 3> kSound{{
    {I::Beep, Sound::Kind::Beep},
    {I::Wav1, Sound::Kind::WaveFile},
    {I::Wav2, Sound::Kind::WaveFile},
}};

inline constexpr std::array<TagForm<Cd::Kind>, 10> kCd{{
    {I::Cdplay, Cd::Kind::Play},
    {I::Cdstop, Cd::Kind::Stop},
    {I::Cdpause, Cd::Kind::Pause},
    {I::Cdnext, Cd::Kind::Next},
    {I::Cdprev, Cd::Kind::Previous},
    {I::Cdgoto, Cd::Kind::GoTo},
    {I::Cdstep, Cd::Kind::Step},
    {I::Cdback, Cd::Kind::Back},
    {I::Cdeject, Cd::Kind::Eject},
    {I::Cdclose, Cd::Kind::Close},
}};

inline constexpr std::array<TagForm<SystemSetting::Kind>, 6> kSetting{{
    {I::Sson, SystemSetting::Kind::SaverOn},
    {I::Ssoff, SystemSetting::Kind::SaverOff},
    {I::Sstime, SystemSetting::Kind::SaverTimer},
    {I::Keydel, SystemSetting::Kind::KeyDelay},
    {I::Keyspd, SystemSetting::Kind::KeySpeed},
    {I::Wbsize, SystemSetting::Kind::SizingBorder},
}};

inline constexpr std::array<TagForm<SystemSetting::Style>, 4> kWallpaper{{
    {I::Wallt, SystemSetting::Style::Tile},
    {I::Wallc, SystemSetting::Style::Center},
    {I::Walls, SystemSetting::Style::Stretch},
    {I::Wallp, SystemSetting::Style::Position},
}};

inline constexpr std::array<TagForm<Wait::Kind>, 11> kWait{{
    {I::Waitwin, Wait::Kind::WindowTitle},
    {I::Waitwlf, Wait::Kind::LoseFocus},
    {I::Waitprog, Wait::Kind::ProgramEnd},
    {I::Waitkey, Wait::Kind::KeyPress},
    {I::Waittxty, Wait::Kind::Text},
    {I::Waittxtn, Wait::Kind::Text},
    {I::Waitlm, Wait::Kind::LeftClick},
    {I::Waitrm, Wait::Kind::RightClick},
    {I::Waitmm, Wait::Kind::MiddleClick},
    {I::Waitpb, Wait::Kind::Playback},
    {I::Waittime, Wait::Kind::TimeElapse},
}};

inline constexpr std::array<TagForm<DialUp::Kind>, 2> kDialUp{{
    {I::Dial, DialUp::Kind::Dial},
    {I::Hang, DialUp::Kind::HangUp},
}};

// Tags whose parameter is one text, and the network tags; each is its own command.
inline constexpr std::array<CommandId, 7> kSingleText{I::Defprt, I::Swap, I::Tfile,  I::Rem,
                                                      I::Http,   I::Ftp,  I::Explore};
inline constexpr std::array<CommandId, 3> kNetwork{I::Nwc, I::Nwd, I::Nwt};

}  // namespace forms

}  // namespace orv::script
