#pragma once

// The macro language in one table: every tag with the engine's command, the family that performs
// it, the Scripting Editor's command it is read as, and the layout of its parameters. The
// engine's recogniser, the Scripting Editor's reader and writer and the command dialogs take a
// tag's text and the places of its fields from here and nowhere else.

#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

namespace orv {

// The command families of the macro language. Each family performs its own commands
// (see command_family.h for how a family plugs into the interpreter).
enum class CommandFamily : std::uint8_t {
    Keys,      // key_commands.cpp: keys, modifiers, Alt codes, key delay and speed
    Control,   // control_commands.cpp: pauses, delays, repeats, counters, messages, other macros
    Window,    // windows and programs
    Wait,      // waits
    Mouse,     // mouse
    ClipFile,  // clip_file_commands.cpp, date_time_commands.cpp: clipboard, files, web, dates
    System,    // system, desktop and multimedia
};
inline constexpr std::size_t kCommandFamilyCount = 7;

// One identifier per command. Ranges of alike commands share an identifier and tell their
// members apart by CommandEntry::arg ("<F1>".."<F24>": 1..24, "<KEYP0>".."<KEYP9>": 0..9, date
// and time formats: the index into kDateFormats / kTimeFormats).
enum class CommandId : std::uint16_t {
    Tab,
    Enter,
    Rightwin,
    Leftwin,
    App,
    Backspace,
    Esc,
    Space,
    LeftArrow,
    RightArrow,
    UpArrow,
    DownArrow,
    Test,
    Home,
    End,
    Insert,
    Delete,
    PageDown,
    PageUp,
    Ctld,
    Ctlu,
    Altd,
    Altu,
    Shfd,
    Shfu,
    Wind,
    Winu,
    RightMouse,
    MiddleMouse,
    PauseAt,
    Pause,
    Screen,
    Keydel,
    Keyspd,
    Sstime,
    Wbsize,
    Wallt,
    Wallc,
    Walls,
    Wallp,
    TextBox,
    Delay,
    Speed,
    Msd,
    Rem,
    Wshut,
    Whide,
    Wshow,
    Wsize,
    Wpos,
    Wpos2,
    AltCode3,
    AltCode4,
    Counter4,
    Counter3,
    Counter2,
    Counter1,
    Clipf,
    Clipb,
    Clipc,
    Clipp,
    Begclip,
    Cliptype,
    Cliptypei,
    Promptrep,
    Macrun,
    Macdel,
    Macact,
    Macdeact,
    Repeat,
    Rep,
    Spkey,
    Spmse,
    Swap,
    Waitwin,
    Waitwlf,
    Waitprog,
    Waittxty,
    Waittxtn,
    Waitpb,
    Waitkey,
    Waitlm,
    Waitmm,
    Waitrm,
    Waittime,
    Tfile,
    Http,
    Ftp,
    Endrep,
    Endclip,
    Audoff,
    Audon,
    Audup,
    Auddown,
    Audmute,
    Audleft,
    Audright,
    Audcenter,
    Trebup,
    Trebdown,
    Midioff,
    Midion,
    Midiup,
    Mididown,
    Midimute,
    Midileft,
    Midiright,
    Midicenter,
    Bassup,
    Bassdown,
    Ldn,
    Lup,
    Lclk,
    Ldclk,
    Rdn,
    Rup,
    Rclk,
    Rdclk,
    Mdn,
    Mup,
    Mclk,
    Mdclk,
    Wfw,
    Wbw,
    Mmp,
    Mms,
    Mmw,
    Mmc,
    FKey,
    Shift,
    Ctrl,
    Alt,
    Attn,
    Crsel,
    Exsel,
    Ereof,
    Play,
    Zoom,
    Wav1,
    Wav2,
    Beep,
    Chdir,
    Mkdir,
    Nwt,
    Nwc,
    Nwd,
    Dial,
    Hang,
    Delfile,
    Copyfile,
    Renfile,
    Activate,
    Launch,
    Launchdel,
    Launchno,
    Launchyes,
    Launchno2,
    Launchyes2,
    Defprt,
    Explore,
    Avi,
    Avii,
    Avie,
    Cdplay,
    Cdstop,
    Cdpause,
    Cdnext,
    Cdprev,
    Cdgoto,
    Cdstep,
    Cdback,
    Cdeject,
    Cdclose,
    Logoff,
    Reboot,
    Shutdown,
    Poweroff,
    Sson,
    Ssoff,
    Hidetask,
    Showtask,
    Cascdesk,
    Tilhdesk,
    Tilvdesk,
    Minidesk,
    Restdesk,
    Suspend,
    Undock,
    Rundt,
    Runfc,
    Runff,
    Runrp,
    Expcp,
    Expdt,
    Expdp,
    Expfv,
    Expft,
    Expmc,
    Expnw,
    Exppr,
    Exppf,
    Exprd,
    Exprb,
    Expsm,
    Expsu,
    Expud,
    Emptybin,
    Pa1,
    Prtscr,
    Scrlock,
    Pausekey,
    Caplock,
    Numlock,
    KeyPadDigit,
    KeyPadDecimal,
    KeyPadDivide,
    KeyPadMultiply,
    KeyPadSubtract,
    KeyPadAdd,
    Wmax,
    Wmin,
    Wcls,
    Wres,
    DateFormat,
    TimeFormat,
};
inline constexpr std::size_t kCommandIdCount = static_cast<std::size_t>(CommandId::TimeFormat) + 1;

// The Scripting Editor's commands, numbered as in its command list (1..111). A macro tag is read
// as a line of one of them; Text keeps a key inside a run of text, None leaves the tag as text
// character by character. Unscoped so that the editor can use the numbers as list positions.
namespace script_command {
enum ScriptCommand : std::uint8_t {
    None = 0,
    Text = 1,
    Date = 2,
    Time = 3,
    Delay = 4,
    Pause = 5,
    RepeatStart = 6,
    RepeatEnd = 7,
    KeystrokeSpeed = 8,
    MouseSpeed = 9,
    WindowActivate = 10,
    ProgramLaunch = 11,
    SoundBeep = 12,
    SoundWaveFile = 13,
    LoadNewMacroFile = 14,
    LoadTextFile = 15,
    WindowResize = 16,
    WindowReposition = 17,
    WindowMaximize = 18,
    WindowMinimize = 19,
    WindowRestore = 20,
    WindowClose = 21,
    WindowHide = 22,
    WindowShow = 23,
    MouseMove = 24,
    MouseLeft = 25,
    MouseRight = 26,
    MouseMiddle = 27,
    MouseWheel = 28,
    Remark = 29,
    ClipboardCopy = 30,
    ClipboardPaste = 31,
    RepeatCounter = 32,
    ActivateOrLaunch = 33,
    LaunchAndActivate = 34,
    ClipboardStartCopy = 35,
    ClipboardEndCopy = 36,
    ClipboardFileCopy = 37,
    ProgramShutDown = 38,
    ControlKey = 39,
    AltKey = 40,
    ShiftKey = 41,
    WinKey = 42,
    WebSite = 43,
    WebFtp = 44,
    RepeatPromptStart = 45,
    ChangeFolder = 46,
    DeleteFile = 47,
    CopyFile = 48,
    RenameFile = 49,
    PlaybackSpeed = 50,
    MacroRun = 51,
    NetworkConnect = 52,
    NetworkDisconnect = 53,
    WindowOfText = 54,
    VideoClipPlay = 55,
    CdPlay = 56,
    CdStop = 57,
    CdPause = 58,
    CdNext = 59,
    CdPrevious = 60,
    CdGoTo = 61,
    CdStep = 62,
    CdBack = 63,
    CdEject = 64,
    CdCloseTray = 65,
    OpenFolder = 66,
    DeskTopCascade = 67,
    DeskTopTile = 68,
    DeskTopMinimizeAll = 69,
    DeskTopRestoreAll = 70,
    ClipboardTypeText = 71,
    DefaultPrinter = 72,
    DefaultDisplaySize = 73,
    Logoff = 74,
    Reboot = 75,
    ShutDown = 76,
    PowerOff = 77,
    ScreenSaver = 78,
    KeyboardRepeatSpeed = 79,
    KeyboardDelay = 80,
    Wallpaper = 81,
    SizingBorder = 82,
    NetworkToggle = 83,
    ClipboardBitmapCopy = 84,
    AudioVolume = 85,
    AudioBalance = 86,
    AudioMute = 87,
    AudioTreble = 88,
    AudioBass = 89,
    MidiVolume = 90,
    MidiBalance = 91,
    MidiMute = 92,
    WaitForWindow = 93,
    DialUp = 94,
    MacroDelete = 95,
    MacroActivate = 96,
    MacroDeactivate = 97,
    CreateFolder = 98,
    WaitLoseFocus = 99,
    WaitProgramEnd = 100,
    WaitKeyPress = 101,
    WaitText = 102,
    WaitLeftClick = 103,
    WaitRightClick = 104,
    WaitMiddleClick = 105,
    OpenExplorerTo = 106,
    RunDialog = 107,
    Undock = 108,
    Suspend = 109,
    WaitPlayback = 110,
    WaitTimeElapse = 111,
};
}  // namespace script_command
using script_command::ScriptCommand;

// A fixed-width field of a tag: where it starts (counted from the "<") and how many characters
// it has. Numbers are decimal integers; decimals may hold a point ("01.50").
enum class FieldKind : std::uint8_t { Number, Decimal };
struct TagField {
    std::uint8_t at = 0;
    std::uint8_t width = 0;
    FieldKind kind = FieldKind::Number;
};

// Where a tag's parameters stand. Fixed fields follow the tag's text; consecutive fields with a
// one-character gap are separated by `separator` when written. A tag of fixed fields alone ends
// with the ">" at `close`; a tag with a free-text parameter has it from `text` up to the next ">"
// (a one-character gap before it is a separator too). A tag without fields or text is its text.
struct TagLayout {
    std::array<TagField, 3> fields{};
    std::uint8_t fieldCount = 0;
    std::uint8_t close = 0;
    std::uint8_t text = 0;
    char separator = ',';

    constexpr const TagField& field(std::size_t i) const { return fields[i]; }
    constexpr bool hasText() const { return text != 0; }
    // Just past the ">" of a tag of fixed fields; the end of the tag text otherwise.
    constexpr std::size_t end(std::size_t tagSize) const { return close != 0 ? close + 1u : tagSize; }
};

constexpr TagLayout closed(std::uint8_t close, std::initializer_list<TagField> fields, char separator = ',') {
    TagLayout l;
    for (const TagField& f : fields) l.fields[l.fieldCount++] = f;
    l.close = close;
    l.separator = separator;
    return l;
}
constexpr TagLayout textAt(std::uint8_t text, std::initializer_list<TagField> fields = {}, char separator = ',') {
    TagLayout l = closed(0, fields, separator);
    l.text = text;
    return l;
}

// A command as the interpreter tries it: the text that must stand at the "<" (the whole tag for
// commands without parameters, the name up to and including ":" otherwise; for the date and
// time commands "<", the format and "{").
struct CommandEntry {
    std::string_view tag;
    CommandId id;
    CommandFamily family;
    ScriptCommand script;
    TagLayout layout;
    int arg = 0;

    constexpr const TagField& field(std::size_t i) const { return layout.field(i); }
    // Just past the tag standing at `at` when it has no free text.
    constexpr std::size_t end(std::size_t at) const { return at + layout.end(tag.size()); }
};

// Every tag with a fixed text, in the order in which the interpreter tries them (no tag's text
// is the start of another's, so the order only decides among the forms of a malformed tag). The
// date and time commands follow them in commandTable().
inline constexpr auto kCommandCatalogue = [] {
    using enum CommandId;
    using enum CommandFamily;
    using enum FieldKind;
    namespace S = script_command;
    return std::to_array<CommandEntry>({
        {"<TAB>", Tab, Keys, S::Text, {}},
        {"<ENTER>", Enter, Keys, S::Text, {}},
        {"<RIGHTWIN>", Rightwin, Keys, S::Text, {}},
        {"<LEFTWIN>", Leftwin, Keys, S::Text, {}},
        {"<APP>", App, Keys, S::Text, {}},
        {"<BACKSPACE>", Backspace, Keys, S::Text, {}},
        {"<ESC>", Esc, Keys, S::Text, {}},
        {"<SPACE>", Space, Keys, S::Text, {}},
        {"<LEFT ARROW>", LeftArrow, Keys, S::Text, {}},
        {"<RIGHT ARROW>", RightArrow, Keys, S::Text, {}},
        {"<UP ARROW>", UpArrow, Keys, S::Text, {}},
        {"<DOWN ARROW>", DownArrow, Keys, S::Text, {}},
        {"<TEST>", Test, Keys, S::None, {}},
        {"<HOME>", Home, Keys, S::Text, {}},
        {"<END>", End, Keys, S::Text, {}},
        {"<INSERT>", Insert, Keys, S::Text, {}},
        {"<DELETE>", Delete, Keys, S::Text, {}},
        {"<PAGE DOWN>", PageDown, Keys, S::Text, {}},
        {"<PAGE UP>", PageUp, Keys, S::Text, {}},
        {"<CTLD>", Ctld, Keys, S::ControlKey, {}},
        {"<CTLU>", Ctlu, Keys, S::ControlKey, {}},
        {"<ALTD>", Altd, Keys, S::AltKey, {}},
        {"<ALTU>", Altu, Keys, S::AltKey, {}},
        {"<SHFD>", Shfd, Keys, S::ShiftKey, {}},
        {"<SHFU>", Shfu, Keys, S::ShiftKey, {}},
        {"<WIND>", Wind, Keys, S::WinKey, {}},
        {"<WINU>", Winu, Keys, S::WinKey, {}},
        {"<RIGHT MOUSE>", RightMouse, Keys, S::None, {}},
        {"<MIDDLE MOUSE>", MiddleMouse, Keys, S::None, {}},
        {"<PAUSE:", PauseAt, Control, S::Pause, textAt(14, {{7, 3}, {11, 3}})},
        {"<PAUSE>", Pause, Control, S::Pause, {}},
        {"<SCREEN:", Screen, System, S::DefaultDisplaySize, closed(11, {{8, 3}})},
        {"<KEYDEL:", Keydel, System, S::KeyboardDelay, closed(9, {{8, 1}})},
        {"<KEYSPD:", Keyspd, System, S::KeyboardRepeatSpeed, closed(10, {{8, 2}})},
        {"<SSTIME:", Sstime, System, S::ScreenSaver, closed(10, {{8, 2}})},
        {"<WBSIZE:", Wbsize, System, S::SizingBorder, closed(10, {{8, 2}})},
        {"<WALLT:", Wallt, System, S::Wallpaper, textAt(7)},
        {"<WALLC:", Wallc, System, S::Wallpaper, textAt(7)},
        {"<WALLS:", Walls, System, S::Wallpaper, textAt(7)},
        {"<WALLP:", Wallp, System, S::Wallpaper, textAt(16, {{7, 4}, {12, 4}})},
        {"<TBOX:<HEAD:", TextBox, Control, S::WindowOfText, textAt(12)},
        {"<DELAY:", Delay, Control, S::Delay, closed(12, {{7, 5, Decimal}})},
        {"<SPEED:", Speed, Keys, S::PlaybackSpeed, closed(12, {{7, 5, Decimal}})},
        {"<MSD:", Msd, Control, S::Delay, closed(9, {{5, 4}})},
        {"<REM:", Rem, Control, S::Remark, textAt(5)},
        {"<WSHUT:", Wshut, Window, S::ProgramShutDown, textAt(7)},
        {"<WHIDE:", Whide, Window, S::WindowHide, textAt(7)},
        {"<WSHOW:", Wshow, Window, S::WindowShow, textAt(7)},
        {"<WSIZE:", Wsize, Window, S::WindowResize, textAt(16, {{7, 4}, {12, 4}})},
        {"<WPOS:", Wpos, Window, S::WindowReposition, textAt(15, {{6, 4}, {11, 4}})},
        {"<WPOS2:", Wpos2, Window, S::None, textAt(18, {{7, 5}, {13, 5}})},
        {"<ALT:", AltCode3, Keys, S::Text, closed(8, {{5, 3}})},
        {"<ALT4:", AltCode4, Keys, S::Text, closed(10, {{6, 4}})},
        {"<IIII>", Counter4, Control, S::RepeatCounter, {}},
        {"<III>", Counter3, Control, S::RepeatCounter, {}},
        {"<II>", Counter2, Control, S::RepeatCounter, {}},
        {"<I>", Counter1, Control, S::RepeatCounter, {}},
        {"<CLIPF:", Clipf, ClipFile, S::ClipboardFileCopy, textAt(7)},
        {"<CLIPB:", Clipb, ClipFile, S::ClipboardBitmapCopy, textAt(7)},
        {"<CLIPC>", Clipc, ClipFile, S::ClipboardCopy, {}},
        {"<CLIPP>", Clipp, ClipFile, S::ClipboardPaste, {}},
        {"<BEGCLIP>", Begclip, ClipFile, S::ClipboardStartCopy, {}},
        {"<CLIPTYPE>", Cliptype, ClipFile, S::ClipboardTypeText, {}},
        {"<CLIPTYPEI>", Cliptypei, ClipFile, S::ClipboardTypeText, {}},
        {"<PROMPTREP>", Promptrep, Control, S::RepeatPromptStart, {}},
        {"<MACRUN:", Macrun, Control, S::MacroRun, textAt(8)},
        {"<MACDEL:", Macdel, Control, S::MacroDelete, textAt(8)},
        {"<MACACT:", Macact, Control, S::MacroActivate, textAt(8)},
        {"<MACDEACT:", Macdeact, Control, S::MacroDeactivate, textAt(10)},
        {"<REPEAT:", Repeat, Control, S::RepeatStart, closed(12, {{8, 4}})},
        {"<REP:", Rep, Control, S::RepeatStart, closed(23, {{5, 4}, {10, 6}, {17, 6}}, ':')},
        {"<SPKEY:", Spkey, Keys, S::KeystrokeSpeed, closed(11, {{7, 4}})},
        {"<SPMSE:", Spmse, Mouse, S::MouseSpeed, closed(11, {{7, 4}})},
        {"<SWAP:", Swap, Control, S::LoadNewMacroFile, textAt(6)},
        {"<WAITWIN:", Waitwin, Wait, S::WaitForWindow, textAt(13, {{9, 3}}, ':')},
        {"<WAITWLF:", Waitwlf, Wait, S::WaitLoseFocus, textAt(13, {{9, 3}}, ':')},
        {"<WAITPROG:", Waitprog, Wait, S::WaitProgramEnd, textAt(14, {{10, 3}}, ':')},
        {"<WAITTXTY:", Waittxty, Wait, S::WaitText, textAt(14, {{10, 3}}, ':')},
        {"<WAITTXTN:", Waittxtn, Wait, S::WaitText, textAt(14, {{10, 3}}, ':')},
        {"<WAITPB>", Waitpb, Wait, S::WaitPlayback, {}},
        {"<WAITKEY:", Waitkey, Wait, S::WaitKeyPress, textAt(13, {{9, 3}}, ':')},
        {"<WAITLM:", Waitlm, Wait, S::WaitLeftClick, closed(11, {{8, 3}})},
        {"<WAITMM:", Waitmm, Wait, S::WaitMiddleClick, closed(11, {{8, 3}})},
        {"<WAITRM:", Waitrm, Wait, S::WaitRightClick, closed(11, {{8, 3}})},
        {"<WAITTIME:", Waittime, Wait, S::WaitTimeElapse, closed(18, {{10, 8}})},
        {"<TFILE:", Tfile, ClipFile, S::LoadTextFile, textAt(7)},
        {"<HTTP:", Http, ClipFile, S::WebSite, textAt(6)},
        {"<FTP:", Ftp, ClipFile, S::WebFtp, textAt(5)},
        {"<ENDREP>", Endrep, Control, S::RepeatEnd, {}},
        {"<ENDCLIP>", Endclip, ClipFile, S::ClipboardEndCopy, {}},
        {"<AUDOFF>", Audoff, System, S::AudioVolume, {}},
        {"<AUDON>", Audon, System, S::AudioVolume, {}},
        {"<AUDUP>", Audup, System, S::AudioVolume, {}},
        {"<AUDDOWN>", Auddown, System, S::AudioVolume, {}},
        {"<AUDMUTE>", Audmute, System, S::AudioMute, {}},
        {"<AUDLEFT>", Audleft, System, S::AudioBalance, {}},
        {"<AUDRIGHT>", Audright, System, S::AudioBalance, {}},
        {"<AUDCENTER>", Audcenter, System, S::AudioBalance, {}},
        {"<TREBUP>", Trebup, System, S::AudioTreble, {}},
        {"<TREBDOWN>", Trebdown, System, S::AudioTreble, {}},
        {"<MIDIOFF>", Midioff, System, S::MidiVolume, {}},
        {"<MIDION>", Midion, System, S::MidiVolume, {}},
        {"<MIDIUP>", Midiup, System, S::MidiVolume, {}},
        {"<MIDIDOWN>", Mididown, System, S::MidiVolume, {}},
        {"<MIDIMUTE>", Midimute, System, S::MidiMute, {}},
        {"<MIDILEFT>", Midileft, System, S::MidiBalance, {}},
        {"<MIDIRIGHT>", Midiright, System, S::MidiBalance, {}},
        {"<MIDICENTER>", Midicenter, System, S::MidiBalance, {}},
        {"<BASSUP>", Bassup, System, S::AudioBass, {}},
        {"<BASSDOWN>", Bassdown, System, S::AudioBass, {}},
        {"<LDN>", Ldn, Mouse, S::MouseLeft, {}},
        {"<LUP>", Lup, Mouse, S::MouseLeft, {}},
        {"<LCLK>", Lclk, Mouse, S::MouseLeft, {}},
        {"<LDCLK>", Ldclk, Mouse, S::MouseLeft, {}},
        {"<RDN>", Rdn, Mouse, S::MouseRight, {}},
        {"<RUP>", Rup, Mouse, S::MouseRight, {}},
        {"<RCLK>", Rclk, Mouse, S::MouseRight, {}},
        {"<RDCLK>", Rdclk, Mouse, S::MouseRight, {}},
        {"<MDN>", Mdn, Mouse, S::MouseMiddle, {}},
        {"<MUP>", Mup, Mouse, S::MouseMiddle, {}},
        {"<MCLK>", Mclk, Mouse, S::MouseMiddle, {}},
        {"<MDCLK>", Mdclk, Mouse, S::MouseMiddle, {}},
        {"<WFW:", Wfw, Mouse, S::MouseWheel, closed(8, {{5, 3}})},
        {"<WBW:", Wbw, Mouse, S::MouseWheel, closed(8, {{5, 3}})},
        {"<MMP:", Mmp, Mouse, S::MouseMove, closed(16, {{5, 5}, {11, 5}})},
        {"<MMS:", Mms, Mouse, S::MouseMove, closed(16, {{5, 5}, {11, 5}})},
        {"<MMW:", Mmw, Mouse, S::MouseMove, closed(16, {{5, 5}, {11, 5}})},
        {"<MMC>", Mmc, Mouse, S::MouseMove, {}},
        {"<F1>", FKey, Keys, S::Text, {}, 1},
        {"<F2>", FKey, Keys, S::Text, {}, 2},
        {"<F3>", FKey, Keys, S::Text, {}, 3},
        {"<F4>", FKey, Keys, S::Text, {}, 4},
        {"<F5>", FKey, Keys, S::Text, {}, 5},
        {"<F6>", FKey, Keys, S::Text, {}, 6},
        {"<F7>", FKey, Keys, S::Text, {}, 7},
        {"<F8>", FKey, Keys, S::Text, {}, 8},
        {"<F9>", FKey, Keys, S::Text, {}, 9},
        {"<F10>", FKey, Keys, S::Text, {}, 10},
        {"<F11>", FKey, Keys, S::Text, {}, 11},
        {"<F12>", FKey, Keys, S::Text, {}, 12},
        {"<F13>", FKey, Keys, S::Text, {}, 13},
        {"<F14>", FKey, Keys, S::Text, {}, 14},
        {"<F15>", FKey, Keys, S::Text, {}, 15},
        {"<F16>", FKey, Keys, S::Text, {}, 16},
        {"<F17>", FKey, Keys, S::Text, {}, 17},
        {"<F18>", FKey, Keys, S::Text, {}, 18},
        {"<F19>", FKey, Keys, S::Text, {}, 19},
        {"<F20>", FKey, Keys, S::Text, {}, 20},
        {"<F21>", FKey, Keys, S::Text, {}, 21},
        {"<F22>", FKey, Keys, S::Text, {}, 22},
        {"<F23>", FKey, Keys, S::Text, {}, 23},
        {"<F24>", FKey, Keys, S::Text, {}, 24},
        {"<SHIFT>", Shift, Keys, S::Text, {}},
        {"<CTRL>", Ctrl, Keys, S::Text, {}},
        {"<ALT>", Alt, Keys, S::Text, {}},
        {"<ATTN>", Attn, Keys, S::Text, {}},
        {"<CRSEL>", Crsel, Keys, S::Text, {}},
        {"<EXSEL>", Exsel, Keys, S::Text, {}},
        {"<EREOF>", Ereof, Keys, S::Text, {}},
        {"<PLAY>", Play, Keys, S::Text, {}},
        {"<ZOOM>", Zoom, Keys, S::Text, {}},
        {"<WAV1:", Wav1, System, S::SoundWaveFile, textAt(6)},
        {"<WAV2:", Wav2, System, S::SoundWaveFile, textAt(6)},
        {"<BEEP>", Beep, System, S::SoundBeep, {}},
        {"<CHDIR:", Chdir, ClipFile, S::ChangeFolder, textAt(7)},
        {"<MKDIR:", Mkdir, ClipFile, S::CreateFolder, textAt(7)},
        {"<NWT", Nwt, System, S::NetworkToggle, {}},
        {"<NWC", Nwc, System, S::NetworkConnect, {}},
        {"<NWD", Nwd, System, S::NetworkDisconnect, {}},
        {"<DIAL:<NAME:", Dial, System, S::DialUp, {}},
        {"<HANG>", Hang, System, S::DialUp, {}},
        {"<DELFILE:", Delfile, ClipFile, S::DeleteFile, textAt(9)},
        {"<COPYFILE:", Copyfile, ClipFile, S::CopyFile, textAt(10)},
        {"<RENFILE:", Renfile, ClipFile, S::RenameFile, textAt(9)},
        {"<ACTIVATE:", Activate, Window, S::WindowActivate, textAt(10)},
        {"<LAUNCH:", Launch, Window, S::ProgramLaunch, textAt(8)},
        {"<LAUNCHDEL:", Launchdel, Window, S::ProgramLaunch, textAt(13, {{11, 2}})},
        {"<LAUNCHNO:", Launchno, Window, S::LaunchAndActivate, textAt(12, {{10, 2}})},
        {"<LAUNCHYES:", Launchyes, Window, S::ActivateOrLaunch, textAt(13, {{11, 2}})},
        {"<LAUNCHNO2:", Launchno2, Window, S::LaunchAndActivate, textAt(15, {{11, 2}, {13, 2}})},
        {"<LAUNCHYES2:", Launchyes2, Window, S::ActivateOrLaunch, textAt(16, {{12, 2}, {14, 2}})},
        {"<DEFPRT:", Defprt, System, S::DefaultPrinter, textAt(8)},
        {"<EXPLORE:", Explore, System, S::OpenFolder, textAt(9)},
        {"<AVI:", Avi, System, S::VideoClipPlay, textAt(5)},
        {"<AVII:", Avii, System, S::VideoClipPlay, textAt(6)},
        {"<AVIE:", Avie, System, S::VideoClipPlay, textAt(6)},
        {"<CDPLAY>", Cdplay, System, S::CdPlay, {}},
        {"<CDSTOP>", Cdstop, System, S::CdStop, {}},
        {"<CDPAUSE>", Cdpause, System, S::CdPause, {}},
        {"<CDNEXT>", Cdnext, System, S::CdNext, {}},
        {"<CDPREV>", Cdprev, System, S::CdPrevious, {}},
        {"<CDGOTO:", Cdgoto, System, S::CdGoTo, closed(10, {{8, 2}})},
        {"<CDSTEP:", Cdstep, System, S::CdStep, closed(10, {{8, 2}})},
        {"<CDBACK:", Cdback, System, S::CdBack, closed(10, {{8, 2}})},
        {"<CDEJECT>", Cdeject, System, S::CdEject, {}},
        {"<CDCLOSE>", Cdclose, System, S::CdCloseTray, {}},
        {"<LOGOFF>", Logoff, System, S::Logoff, {}},
        {"<REBOOT>", Reboot, System, S::Reboot, {}},
        {"<SHUTDOWN>", Shutdown, System, S::ShutDown, {}},
        {"<POWEROFF>", Poweroff, System, S::PowerOff, {}},
        {"<SSON>", Sson, System, S::ScreenSaver, {}},
        {"<SSOFF>", Ssoff, System, S::ScreenSaver, {}},
        {"<HIDETASK>", Hidetask, System, S::None, {}},
        {"<SHOWTASK>", Showtask, System, S::None, {}},
        {"<CASCDESK>", Cascdesk, System, S::DeskTopCascade, {}},
        {"<TILHDESK>", Tilhdesk, System, S::DeskTopTile, {}},
        {"<TILVDESK>", Tilvdesk, System, S::DeskTopTile, {}},
        {"<MINIDESK>", Minidesk, System, S::DeskTopMinimizeAll, {}},
        {"<RESTDESK>", Restdesk, System, S::DeskTopRestoreAll, {}},
        {"<SUSPEND>", Suspend, System, S::Suspend, {}},
        {"<UNDOCK>", Undock, System, S::Undock, {}},
        {"<RUNDT>", Rundt, System, S::RunDialog, {}},
        {"<RUNFC>", Runfc, System, S::RunDialog, {}},
        {"<RUNFF>", Runff, System, S::RunDialog, {}},
        {"<RUNRP>", Runrp, System, S::RunDialog, {}},
        {"<EXPCP>", Expcp, System, S::OpenExplorerTo, {}},
        {"<EXPDT>", Expdt, System, S::OpenExplorerTo, {}},
        {"<EXPDP>", Expdp, System, S::OpenExplorerTo, {}},
        {"<EXPFV>", Expfv, System, S::OpenExplorerTo, {}},
        {"<EXPFT>", Expft, System, S::OpenExplorerTo, {}},
        {"<EXPMC>", Expmc, System, S::OpenExplorerTo, {}},
        {"<EXPNW>", Expnw, System, S::OpenExplorerTo, {}},
        {"<EXPPR>", Exppr, System, S::OpenExplorerTo, {}},
        {"<EXPPF>", Exppf, System, S::OpenExplorerTo, {}},
        {"<EXPRD>", Exprd, System, S::OpenExplorerTo, {}},
        {"<EXPRB>", Exprb, System, S::OpenExplorerTo, {}},
        {"<EXPSM>", Expsm, System, S::OpenExplorerTo, {}},
        {"<EXPSU>", Expsu, System, S::OpenExplorerTo, {}},
        {"<EXPUD>", Expud, System, S::OpenExplorerTo, {}},
        {"<EMPTYBIN>", Emptybin, System, S::None, {}},
        {"<PA1>", Pa1, Keys, S::Text, {}},
        {"<PRTSCR>", Prtscr, Keys, S::Text, {}},
        {"<SCRLOCK>", Scrlock, Keys, S::None, {}},
        {"<PAUSEKEY>", Pausekey, Keys, S::None, {}},
        {"<CAPLOCK>", Caplock, Keys, S::None, {}},
        {"<NUMLOCK>", Numlock, Keys, S::None, {}},
        {"<KEYP0>", KeyPadDigit, Keys, S::Text, {}},
        {"<KEYP1>", KeyPadDigit, Keys, S::Text, {}, 1},
        {"<KEYP2>", KeyPadDigit, Keys, S::Text, {}, 2},
        {"<KEYP3>", KeyPadDigit, Keys, S::Text, {}, 3},
        {"<KEYP4>", KeyPadDigit, Keys, S::Text, {}, 4},
        {"<KEYP5>", KeyPadDigit, Keys, S::Text, {}, 5},
        {"<KEYP6>", KeyPadDigit, Keys, S::Text, {}, 6},
        {"<KEYP7>", KeyPadDigit, Keys, S::Text, {}, 7},
        {"<KEYP8>", KeyPadDigit, Keys, S::Text, {}, 8},
        {"<KEYP9>", KeyPadDigit, Keys, S::Text, {}, 9},
        {"<KEYP.>", KeyPadDecimal, Keys, S::Text, {}},
        {"<KEYP/>", KeyPadDivide, Keys, S::Text, {}},
        {"<KEYP*>", KeyPadMultiply, Keys, S::Text, {}},
        {"<KEYP->", KeyPadSubtract, Keys, S::Text, {}},
        {"<KEYP+>", KeyPadAdd, Keys, S::Text, {}},
        {"<WMAX:", Wmax, Window, S::WindowMaximize, textAt(6)},
        {"<WMIN:", Wmin, Window, S::WindowMinimize, textAt(6)},
        {"<WCLS:", Wcls, Window, S::WindowClose, textAt(6)},
        {"<WRES:", Wres, Window, S::WindowRestore, textAt(6)},
    });
}();

// The entry of a command (the first of a range).
const CommandEntry& commandSpec(CommandId id);
// The text of a command's tag.
inline std::string_view tagOf(CommandId id) { return commandSpec(id).tag; }

// The repeat counters "<I>" to "<IIII>" by their width (1..4).
inline constexpr std::array<CommandId, 4> kCounterCommands{CommandId::Counter1, CommandId::Counter2,
                                                           CommandId::Counter3, CommandId::Counter4};

// The parts of tags that stand inside other tags.
inline constexpr std::string_view kNameTag = "<NAME:";
inline constexpr std::string_view kPassTag = "<PASS:";
inline constexpr std::string_view kParamTag = "<PARAM>";
// Found in a launch's program text, this start of "<PARAM>" makes the text run on past its ">".
inline constexpr std::string_view kParamStart = kParamTag.substr(0, kParamTag.size() - 1);
// The flags after "<NWC", "<NWT" and "<NWD": a permanent connection, a forced disconnection,
// the status shown.
inline constexpr char kPermanentFlag = 'P';
inline constexpr char kForceFlag = 'F';
inline constexpr char kStatusFlag = 'S';
// "<NAME:" user "><PASS:" password ">", the logon inside the network and dial-up tags.
std::string composeLogon(std::string_view user, std::string_view password);
// The start of a network tag up to its ":": the tag and its option letters.
std::string composeNetworkStart(CommandId id, bool permanent, bool force, bool showStatus);
// "<DIAL:<NAME:" user "><PASS:" password ">" connection ">".
std::string composeDialTag(std::string_view user, std::string_view password, std::string_view connection);

// The date and time tags: "<", the format, "{", then "Y" or "N" (leading zeros or not); a date
// then has "F" or "P" (a day count into the future or the past) and a 3-digit day count; "}>"
// ends the tag. A date tag may also end right after "Y" or "N".
inline constexpr char kZerosFlag = 'Y';
inline constexpr char kNoZerosFlag = 'N';
inline constexpr char kFutureFlag = 'F';
inline constexpr char kPastFlag = 'P';
inline constexpr std::size_t kDayCountWidth = 3;
inline constexpr std::string_view kDateTimeClose = "}>";
// The tag of date format `format` (0-based) and of time format `format`.
std::string composeDateTag(std::size_t format, bool leadingZeros, bool future, int dayCount);
std::string composeTimeTag(std::size_t format, bool leadingZeros);

// The window title field that names the current window.
inline constexpr std::string_view kCurrentWindowTitle = "\"CURRENT\"";

// A tag written out: its text, each fixed field zero-padded to its width (an over-wide value as
// it is) with the layout's separators, then `text` and the closing ">" when the tag has a text
// parameter or fixed fields.
std::string composeTag(const CommandEntry& entry, std::initializer_list<long long> numbers, std::string_view text = {});
std::string composeTag(CommandId id, std::initializer_list<long long> numbers = {}, std::string_view text = {});
// The same with fields already written (decimals, Alt-code digits).
std::string composeTagFields(const CommandEntry& entry, std::span<const std::string_view> fields,
                             std::string_view text = {});
inline std::string composeTagFields(CommandId id, std::initializer_list<std::string_view> fields,
                                    std::string_view text = {}) {
    return composeTagFields(commandSpec(id), std::span(fields.begin(), fields.size()), text);
}

// `value` with zeros after an optional minus sign up to `width` characters; a wider number is
// written as it is.
std::string zeroPadded(long long value, int width);

}  // namespace orv
