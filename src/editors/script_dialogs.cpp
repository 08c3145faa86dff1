#include "editors/script_dialogs.h"

#include <charconv>

#include "dialogs/date_time_dialog.h"
#include "dialogs/dialog_registry.h"
#include "dialogs/file_dialogs.h"
#include "dialogs/input_dialogs.h"
#include "dialogs/media_dialogs.h"
#include "dialogs/network_dialogs.h"
#include "dialogs/system_dialogs.h"
#include "dialogs/text_dialogs.h"
#include "dialogs/timing_dialogs.h"
#include "dialogs/wait_dialog.h"
#include "dialogs/window_dialogs.h"
#include "editors/script_lines.h"
#include "engine/password_substitution.h"

namespace orv::script {

namespace {

namespace d = orv::dialogs;

// The dialog of each command and the choice that a new line of it starts with. A choice field
// without a choice is a list of parameterless tags: the command's first tag is chosen there.
struct Row {
    int command;
    LineDialog dialog;
    std::string_view field;
    std::string_view choice;
};

constexpr Row kRows[] = {
    {cmd::Date, {"TDateOrTime", "date"}, "", ""},
    {cmd::Time, {"TDateOrTime", "time"}, "", ""},
    {cmd::Delay, {"TDoDelay2", ""}, "unit", "seconds"},
    {cmd::Pause, {"TDoPausePos", ""}, "", ""},
    {cmd::RepeatStart, {"TDoRepeat", ""}, "kind", "start"},
    {cmd::RepeatEnd, {"TDoRepeat", ""}, "kind", "end"},
    {cmd::RepeatCounter, {"TDoRepeat", ""}, "kind", "counter"},
    {cmd::RepeatPromptStart, {"TDoRepeat", ""}, "kind", "prompt"},
    {cmd::KeystrokeSpeed, {"TDoSpeed", ""}, "kind", "keyboard"},
    {cmd::MouseSpeed, {"TDoSpeed", ""}, "kind", "mouse"},
    {cmd::PlaybackSpeed, {"TDoSpeed", ""}, "kind", "macro"},
    {cmd::WindowActivate, {"TDoActive", ""}, "kind", "activate"},
    {cmd::ProgramLaunch, {"TDoActive", ""}, "kind", "launch"},
    {cmd::ActivateOrLaunch, {"TDoActive", ""}, "kind", "activateorlaunch"},
    {cmd::LaunchAndActivate, {"TDoActive", ""}, "kind", "launchactivate"},
    {cmd::SoundBeep, {"TDoSound", ""}, "kind", "beep"},
    {cmd::SoundWaveFile, {"TDoSound", ""}, "kind", "wave"},
    {cmd::LoadNewMacroFile, {"TDoSwap", ""}, "", ""},
    {cmd::LoadTextFile, {"TDoTextInsert", ""}, "", ""},
    {cmd::WindowResize, {"TDoSizeIt", ""}, "kind", "resize"},
    {cmd::WindowReposition, {"TDoSizeIt", ""}, "kind", "position"},
    {cmd::WindowMaximize, {"TDoSystemCommand", ""}, "command", "maximize"},
    {cmd::WindowMinimize, {"TDoSystemCommand", ""}, "command", "minimize"},
    {cmd::WindowRestore, {"TDoSystemCommand", ""}, "command", "restore"},
    {cmd::WindowClose, {"TDoSystemCommand", ""}, "command", "close"},
    {cmd::WindowHide, {"TDoSystemCommand", ""}, "command", "hide"},
    {cmd::WindowShow, {"TDoSystemCommand", ""}, "command", "show"},
    {cmd::ProgramShutDown, {"TDoSystemCommand", ""}, "command", "shutdown"},
    {cmd::MouseMove, {"TDoMouse", ""}, "action", "move"},
    {cmd::MouseLeft, {"TDoMouse", ""}, "action", "lclick"},
    {cmd::MouseRight, {"TDoMouse", ""}, "action", "rclick"},
    {cmd::MouseMiddle, {"TDoMouse", ""}, "action", "mclick"},
    {cmd::MouseWheel, {"TDoMouse", ""}, "action", "wheelforward"},
    {cmd::Remark, {"TDoRemark", ""}, "", ""},
    {cmd::ClipboardCopy, {"TDoClipboard", ""}, "kind", "copy"},
    {cmd::ClipboardPaste, {"TDoClipboard", ""}, "kind", "paste"},
    {cmd::ClipboardStartCopy, {"TDoClipboard", ""}, "kind", "start"},
    {cmd::ClipboardEndCopy, {"TDoClipboard", ""}, "kind", "end"},
    {cmd::ClipboardFileCopy, {"TDoClipboard", ""}, "kind", "textfile"},
    {cmd::ClipboardTypeText, {"TDoClipboard", ""}, "kind", "type"},
    {cmd::ClipboardBitmapCopy, {"TDoClipboard", ""}, "kind", "bitmap"},
    {cmd::ControlKey, {"TDoKeyUpDown", ""}, "key", "ctrldown"},
    {cmd::AltKey, {"TDoKeyUpDown", ""}, "key", "altdown"},
    {cmd::ShiftKey, {"TDoKeyUpDown", ""}, "key", "shiftdown"},
    {cmd::WinKey, {"TDoKeyUpDown", ""}, "key", "windown"},
    {cmd::WebSite, {"TDoWebStuff", "web"}, "", ""},
    {cmd::WebFtp, {"TDoWebStuff", "ftp"}, "", ""},
    {cmd::ChangeFolder, {"TDoDOSFiles", ""}, "kind", "chdir"},
    {cmd::DeleteFile, {"TDoDOSFiles", ""}, "kind", "delete"},
    {cmd::CopyFile, {"TDoDOSFiles", ""}, "kind", "copy"},
    {cmd::RenameFile, {"TDoDOSFiles", ""}, "kind", "rename"},
    {cmd::CreateFolder, {"TDoDOSFiles", ""}, "kind", "mkdir"},
    {cmd::MacroRun, {"TDoNick", ""}, "kind", "run"},
    {cmd::MacroDelete, {"TDoNick", ""}, "kind", "delete"},
    {cmd::MacroActivate, {"TDoNick", ""}, "kind", "activate"},
    {cmd::MacroDeactivate, {"TDoNick", ""}, "kind", "deactivate"},
    {cmd::NetworkConnect, {"TDoNetConn", ""}, "kind", "connect"},
    {cmd::NetworkDisconnect, {"TDoNetConn", ""}, "kind", "disconnect"},
    {cmd::NetworkToggle, {"TDoNetConn", ""}, "kind", "toggle"},
    {cmd::WindowOfText, {"TDoTBox", ""}, "", ""},
    {cmd::VideoClipPlay, {"TDoAVI", ""}, "", ""},
    {cmd::CdPlay, {"TDoCDRom", ""}, "kind", "play"},
    {cmd::CdStop, {"TDoCDRom", ""}, "kind", "stop"},
    {cmd::CdPause, {"TDoCDRom", ""}, "kind", "pause"},
    {cmd::CdNext, {"TDoCDRom", ""}, "kind", "next"},
    {cmd::CdPrevious, {"TDoCDRom", ""}, "kind", "previous"},
    {cmd::CdGoTo, {"TDoCDRom", ""}, "kind", "goto"},
    {cmd::CdStep, {"TDoCDRom", ""}, "kind", "step"},
    {cmd::CdBack, {"TDoCDRom", ""}, "kind", "back"},
    {cmd::CdEject, {"TDoCDRom", ""}, "kind", "eject"},
    {cmd::CdCloseTray, {"TDoCDRom", ""}, "kind", "close"},
    {cmd::OpenFolder, {"TDoExplore", ""}, "", ""},
    {cmd::DeskTopCascade, {"TDoRecycle", ""}, "command", ""},
    {cmd::DeskTopTile, {"TDoRecycle", ""}, "command", ""},
    {cmd::DeskTopMinimizeAll, {"TDoRecycle", ""}, "command", ""},
    {cmd::DeskTopRestoreAll, {"TDoRecycle", ""}, "command", ""},
    {cmd::DefaultPrinter, {"TDoDefPrint", ""}, "", ""},
    {cmd::DefaultDisplaySize, {"TDoScreen", ""}, "", ""},
    {cmd::Logoff, {"TDoReboot", ""}, "kind", "logoff"},
    {cmd::Reboot, {"TDoReboot", ""}, "kind", "reboot"},
    {cmd::ShutDown, {"TDoReboot", ""}, "kind", "shutdown"},
    {cmd::PowerOff, {"TDoReboot", ""}, "kind", "poweroff"},
    {cmd::ScreenSaver, {"TDoSysControls", ""}, "kind", "saveron"},
    {cmd::KeyboardRepeatSpeed, {"TDoSysControls", ""}, "kind", "keyspeed"},
    {cmd::KeyboardDelay, {"TDoSysControls", ""}, "kind", "keydelay"},
    {cmd::Wallpaper, {"TDoSysControls", ""}, "kind", "wallpaper"},
    {cmd::SizingBorder, {"TDoSysControls", ""}, "kind", "border"},
    {cmd::AudioVolume, {"TDoVolume", ""}, "command", ""},
    {cmd::AudioBalance, {"TDoVolume", ""}, "command", ""},
    {cmd::AudioMute, {"TDoVolume", ""}, "command", ""},
    {cmd::AudioTreble, {"TDoVolume", ""}, "command", ""},
    {cmd::AudioBass, {"TDoVolume", ""}, "command", ""},
    {cmd::MidiVolume, {"TDoVolume", ""}, "command", ""},
    {cmd::MidiBalance, {"TDoVolume", ""}, "command", ""},
    {cmd::MidiMute, {"TDoVolume", ""}, "command", ""},
    {cmd::WaitForWindow, {"TDoWaitWin", ""}, "kind", "window"},
    {cmd::DialUp, {"TDoDialup", ""}, "kind", "dial"},
    {cmd::WaitLoseFocus, {"TDoWaitWin", ""}, "kind", "losefocus"},
    {cmd::WaitProgramEnd, {"TDoWaitWin", ""}, "kind", "program"},
    {cmd::WaitKeyPress, {"TDoWaitWin", ""}, "kind", "key"},
    {cmd::WaitText, {"TDoWaitWin", ""}, "kind", "text"},
    {cmd::WaitLeftClick, {"TDoWaitWin", ""}, "kind", "left"},
    {cmd::WaitRightClick, {"TDoWaitWin", ""}, "kind", "right"},
    {cmd::WaitMiddleClick, {"TDoWaitWin", ""}, "kind", "middle"},
    {cmd::OpenExplorerTo, {"TDoRecycle", ""}, "command", ""},
    {cmd::RunDialog, {"TDoRecycle", ""}, "command", ""},
    {cmd::Undock, {"TDoRecycle", ""}, "command", ""},
    {cmd::Suspend, {"TDoRecycle", ""}, "command", ""},
    {cmd::WaitPlayback, {"TDoWaitWin", ""}, "kind", "playback"},
    {cmd::WaitTimeElapse, {"TDoWaitWin", ""}, "kind", "time"},
};
static_assert(std::size(kRows) == kCommandCount - 1, "every command but Text has a dialog");

const Row* rowOf(int command) {
    for (const Row& r : kRows)
        if (r.command == command) return &r;
    return nullptr;
}

// The first tag of the catalogue that reads as a line of `command`.
std::string_view firstTagOf(int command) {
    for (const CommandEntry& entry : kCommandCatalogue)
        if (entry.script == command) return entry.tag;
    return {};
}

// Chooses the entry of a list of parameterless tags whose output is `tag`. The model's own
// check tells which entry makes which tag, so the list's order is the dialog's business.
void chooseByOutput(d::DialogModel& model, std::string_view field, std::string_view tag, d::DialogEnv env) {
    const d::FieldDef* def = model.field(field);
    if (def == nullptr) return;
    env.prompt = nullptr;  // trying the entries must not ask the user anything
    for (const std::string& choice : def->choices) {
        model.set(field, choice);
        const Outcome o = model.check(env);
        if (o.accepted && o.output == tag) return;
    }
    model.set(field, def->defaultValue);
}

template <typename M>
M* as(d::DialogModel& model) {
    return dynamic_cast<M*>(&model);
}

template <typename E>
int plusOne(E e) {
    return static_cast<int>(e) + 1;
}

int wholeOr(std::string_view text, int fallback) {
    int n = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), n);
    return ec == std::errc{} && end == text.data() + text.size() ? n : fallback;
}

// Copies a line's values into its dialog. Each record kind goes to the dialog of its commands;
// the enumerations of the line records and of the dialogs differ in base and sometimes in order.
class Filler {
public:
    Filler(d::DialogModel& model, int command, const d::DialogEnv& env) : m_(model), command_(command), env_(env) {}

    void operator()(const TextRun&) {}
    void operator()(const DateTime& p) {
        if (auto* m = as<d::TDateOrTime>(m_)) m->load({p.isDate, p.format, p.leadingZeros, p.future, p.dayCount});
    }
    void operator()(const Delay& p) {
        if (auto* m = as<d::TDoDelay2>(m_)) m->load({plusOne(p.unit), p.amount});
    }
    void operator()(const Pause& p) {
        if (auto* m = as<d::TDoPausePos>(m_)) m->load({plusOne(p.kind), p.top, p.left, p.message});
    }
    void operator()(const Repeat& p) {
        if (auto* m = as<d::TDoRepeat>(m_)) m->load({plusOne(p.kind), p.count, p.start, p.step});
    }
    void operator()(const Speed& p) {
        if (auto* m = as<d::TDoSpeed>(m_)) m->load({plusOne(p.kind), p.milliseconds, p.factor});
    }
    void operator()(const Program& p) {
        if (auto* m = as<d::TDoActive>(m_))
            m->load({plusOne(p.kind), p.title, p.path, p.parameters, p.delay, p.maxWait});
    }
    void operator()(const Window& p) {
        if (auto* m = as<d::TDoSystemCommand>(m_)) m->load({plusOne(p.command), p.title, p.currentWindow});
    }
    void operator()(const WindowGeometry& p) {
        if (auto* m = as<d::TDoSizeIt>(m_)) m->load({plusOne(p.kind), p.title, p.currentWindow, p.first, p.second});
    }
    void operator()(const Mouse& p) {
        auto* m = as<d::TDoMouse>(m_);
        if (m == nullptr) return;
        // The dialog lists each button's click, double click, down and up; the line record
        // counts down, up, click and double click.
        static constexpr int kButtonOrder[] = {2, 3, 0, 1};
        const int a = static_cast<int>(p.action);
        int action = d::TDoMouse::Move;
        if (a >= 1 && a <= 12) action = (a - 1) / 4 * 4 + kButtonOrder[(a - 1) % 4] + 1;
        if (p.action == Mouse::Action::WheelForward) action = d::TDoMouse::WheelForward;
        if (p.action == Mouse::Action::WheelBackward) action = d::TDoMouse::WheelBackward;
        const int clicks = p.clicks > 0 ? p.clicks : 1;
        m->load({action, plusOne(p.mode), p.x, p.y, clicks});
    }
    void operator()(const Clipboard& p) {
        using K = d::TDoClipboard;
        static constexpr int kKinds[] = {K::Copy,     K::Paste,    K::StartCopy, K::EndCopy,
                                         K::TextFile, K::TypeText, K::Bitmap};
        if (auto* m = as<d::TDoClipboard>(m_)) m->load({kKinds[static_cast<int>(p.kind)], p.path, p.typeTextVariant});
    }
    void operator()(const MacroCommand& p) {
        if (auto* m = as<d::TDoNick>(m_)) m->load({plusOne(p.kind), p.nickname});
    }
    void operator()(const SingleText& p);
    void operator()(const FileOp& p) {
        if (auto* m = as<d::TDoDOSFiles>(m_)) m->load({plusOne(p.kind), p.first, p.second});
    }
    void operator()(const Network& p) {
        auto* m = as<d::TDoNetConn>(m_);
        if (m == nullptr) return;
        d::TDoNetConn::Values v;
        v.kind = command_ == cmd::NetworkDisconnect ? d::TDoNetConn::Disconnect
                 : command_ == cmd::NetworkToggle   ? d::TDoNetConn::Toggle
                                                    : d::TDoNetConn::Connect;
        v.drive = p.drivePath.substr(0, 2);
        v.path = p.drivePath.size() > 2 ? p.drivePath.substr(2) : std::string();
        v.name = p.user;
        v.password = substitutePassword(p.password);
        v.useDefault = p.user.empty() && p.password.empty();
        v.permanent = p.permanent;
        v.force = p.force;
        v.status = p.showStatus;
        m->load(v);
    }
    void operator()(const TextBox& p) {
        if (auto* m = as<d::TDoTBox>(m_)) m->load({p.header, p.content});
    }
    void operator()(const Video& p) {
        using K = d::TDoAVI;
        static constexpr int kKinds[] = {K::WaitToPlay, K::Immediate, K::ImmediateExit};
        if (auto* m = as<d::TDoAVI>(m_)) m->load({kKinds[static_cast<int>(p.kind)], p.path});
    }
    void operator()(const Sound& p) {
        if (auto* m = as<d::TDoSound>(m_)) m->load({plusOne(p.kind), p.path, p.wait});
    }
    void operator()(const Cd& p) {
        if (auto* m = as<d::TDoCDRom>(m_)) m->load({plusOne(p.kind), p.number});
    }
    void operator()(const CodeOnly& p) {
        const Row* row = rowOf(command_);
        if (row != nullptr) chooseByOutput(m_, row->field, writtenForm(command_, p), env_);
    }
    void operator()(const Screen& p) {
        if (auto* m = as<d::TDoScreen>(m_)) m->load({p.number});
    }
    void operator()(const SystemSetting& p) {
        if (auto* m = as<d::TDoSysControls>(m_))
            m->load({plusOne(p.kind), p.path, p.number, p.x, p.y, plusOne(p.style)});
    }
    void operator()(const Wait& p) {
        auto* m = as<d::TDoWaitWin>(m_);
        if (m == nullptr) return;
        d::TDoWaitWin::Values v;
        v.kind = plusOne(p.kind);
        v.number = p.number;
        v.caseSensitive = p.yFlag;
        if (p.kind == Wait::Kind::KeyPress)
            v.key = wholeOr(p.text, v.key);
        else
            v.text = p.text;
        m->load(v);
    }
    void operator()(const DialUp& p) {
        if (auto* m = as<d::TDoDialup>(m_))
            m->load({plusOne(p.kind), p.connection, p.user, substitutePassword(p.password)});
    }

private:
    d::DialogModel& m_;
    int command_;
    const d::DialogEnv& env_;
};

void Filler::operator()(const SingleText& p) {
    if (auto* m = as<d::TDoSwap>(m_)) return m->load({p.text});
    if (auto* m = as<d::TDoTextInsert>(m_)) return m->load({p.text});
    if (auto* m = as<d::TDoRemark>(m_)) return m->load({p.text});
    if (auto* m = as<d::TDoWebStuff>(m_)) return m->load({p.text});
    if (auto* m = as<d::TDoExplore>(m_)) return m->load({p.text});
    if (auto* m = as<d::TDoDefPrint>(m_)) return m->load({p.text});
}

}  // namespace

std::optional<LineDialog> lineDialogFor(int command) {
    const Row* row = rowOf(command);
    if (row == nullptr) return std::nullopt;
    return row->dialog;
}

std::unique_ptr<dialogs::DialogModel> makeLineDialog(int command, const Payload* current,
                                                     const dialogs::DialogEnv& env) {
    const Row* row = rowOf(command);
    if (row == nullptr) return nullptr;
    std::unique_ptr<d::DialogModel> model = d::makeDialog(row->dialog.dialog);
    if (!model) return nullptr;
    model->setNewCommand(current == nullptr);
    if (!row->dialog.mode.empty()) model->set("mode", row->dialog.mode);
    model->show(env);
    if (current != nullptr) {
        std::visit(Filler(*model, command, env), *current);
    } else if (!row->field.empty() && !row->choice.empty()) {
        model->set(row->field, row->choice);
    } else if (!row->field.empty()) {
        chooseByOutput(*model, row->field, firstTagOf(command), env);
    }
    return model;
}

std::optional<LineValues> lineFromOutput(std::string_view output) {
    if (output.empty()) return std::nullopt;
    std::vector<ScriptLine> lines = readScriptLines(output);
    if (lines.size() == 1 && !lines[0].openEnd) {
        const int command = commandOfLine(lines[0].text);
        if (command != 0) return LineValues{command, std::move(lines[0].payload)};
    }
    return LineValues{cmd::Text, TextRun{std::string(output)}};
}

}  // namespace orv::script
