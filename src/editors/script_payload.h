#pragma once

#include <array>
#include <string>
#include <string_view>
#include <variant>

namespace orv::script {

// The parameters a script line keeps beside its text, one record kind per family of commands.
// Strings hold Windows-1252 bytes and keep everything that was read: the model never cuts a
// title, path or message, so that saving gives back what was there. Which command a record
// belongs to is told by the line's label; records that several commands share say which one
// through their kind.

// Command 1: the characters of a run of text, run tags ("<TAB>", "<ALT:...>") included.
struct TextRun {
    std::string text;
    friend bool operator==(const TextRun&, const TextRun&) = default;
};

// Commands 2 and 3.
struct DateTime {
    bool isDate = true;
    int format = 1;             // 1..51 for a date, 1..26 for a time
    bool leadingZeros = false;  // "Y" in the tag
    bool future = true;         // "F" (a time and the short date form count as future)
    int dayCount = 0;
    friend bool operator==(const DateTime&, const DateTime&) = default;
};

// Command 4.
struct Delay {
    enum class Unit { Seconds = 0, Milliseconds = 1 };
    Unit unit = Unit::Seconds;
    double amount = 0;
    friend bool operator==(const Delay&, const Delay&) = default;
};

// Command 5.
struct Pause {
    enum class Kind { Basic = 0, Complex = 1 };
    Kind kind = Kind::Basic;
    int top = 0;
    int left = 0;
    std::string message;
    friend bool operator==(const Pause&, const Pause&) = default;
};

// Commands 6, 7, 32 and 45.
struct Repeat {
    enum class Kind { Counted = 0, Prompted = 1, End = 2, Counter = 3 };
    Kind kind = Kind::Counted;
    int count = 0;  // for a counter: its width, 1..4
    int start = 1;
    int step = 1;
    // A counted repeat read from the older "<REPEAT:" form: its line shows the count alone.
    // Saving always writes the newer form.
    bool olderForm = false;
    friend bool operator==(const Repeat&, const Repeat&) = default;
};

// Commands 8, 9 and 50.
struct Speed {
    enum class Kind { Keystroke = 0, Mouse = 1, Playback = 2 };
    Kind kind = Kind::Keystroke;
    int milliseconds = 0;
    double factor = 1;
    friend bool operator==(const Speed&, const Speed&) = default;
};

// Commands 10, 11, 33 and 34.
struct Program {
    enum class Kind { Activate = 0, Launch = 1, LaunchAndActivate = 2, ActivateOrLaunch = 3 };
    Kind kind = Kind::Activate;
    std::string title;
    std::string path;
    std::string parameters;
    int delay = 0;     // seconds
    int maxWait = 12;  // seconds to wait for the launched program's window
    // "<PARAM>" stands after the path although no parameters follow it (kept as it was read).
    bool paramMarker = false;
    friend bool operator==(const Program&, const Program&) = default;
};

// Commands 18-23 and 38.
struct Window {
    enum class Command { Maximize = 0, Minimize = 1, Restore = 2, Close = 3, Hide = 4, Show = 5, ShutDown = 6 };
    std::string title;
    bool currentWindow = false;
    Command command = Command::Maximize;
    friend bool operator==(const Window&, const Window&) = default;
};

// Commands 16 and 17.
struct WindowGeometry {
    enum class Kind { Resize = 0, Reposition = 1 };
    std::string title;
    bool currentWindow = false;
    Kind kind = Kind::Resize;
    int first = 0;   // width or left
    int second = 0;  // height or top
    friend bool operator==(const WindowGeometry&, const WindowGeometry&) = default;
};

// Commands 24-28.
struct Mouse {
    enum class Action {
        Move = 0,
        LeftDown = 1,
        LeftUp = 2,
        LeftClick = 3,
        LeftDoubleClick = 4,
        RightDown = 5,
        RightUp = 6,
        RightClick = 7,
        RightDoubleClick = 8,
        MiddleDown = 9,
        MiddleUp = 10,
        MiddleClick = 11,
        MiddleDoubleClick = 12,
        WheelForward = 13,
        WheelBackward = 14,
    };
    enum class MoveMode { Screen = 0, Window = 1, Position = 2, Caret = 3 };
    int x = 0;
    int y = 0;
    int clicks = 0;
    Action action = Action::Move;
    MoveMode mode = MoveMode::Screen;
    friend bool operator==(const Mouse&, const Mouse&) = default;
};

// Commands 30, 31, 35-37, 71 and 84.
struct Clipboard {
    enum class Kind { Copy = 0, Paste = 1, StartCopy = 2, EndCopy = 3, FileCopy = 4, TypeText = 5, BitmapCopy = 6 };
    Kind kind = Kind::Copy;
    std::string path;
    bool typeTextVariant = false;  // "<CLIPTYPEI>" rather than "<CLIPTYPE>"
    friend bool operator==(const Clipboard&, const Clipboard&) = default;
};

// Commands 51 and 95-97.
struct MacroCommand {
    enum class Kind { Run = 0, Delete = 1, Activate = 2, Deactivate = 3 };
    Kind kind = Kind::Run;
    std::string nickname;
    friend bool operator==(const MacroCommand&, const MacroCommand&) = default;
};

// Commands 14, 15, 29, 43, 44, 66 and 72: a path, address, remark or printer name.
struct SingleText {
    std::string text;
    friend bool operator==(const SingleText&, const SingleText&) = default;
};

// Commands 46-49 and 98.
struct FileOp {
    enum class Kind { ChangeFolder = 0, Copy = 1, Rename = 2, Delete = 3, CreateFolder = 4 };
    Kind kind = Kind::ChangeFolder;
    std::string first;
    std::string second;
    friend bool operator==(const FileOp&, const FileOp&) = default;
};

// Commands 52, 53 and 83. The password is kept in its stored (substituted) form.
struct Network {
    std::string drivePath;
    std::string user;
    std::string password;
    bool permanent = false;
    bool force = false;
    bool showStatus = false;
    friend bool operator==(const Network&, const Network&) = default;
};

// Command 54.
struct TextBox {
    std::string header;
    std::string content;
    friend bool operator==(const TextBox&, const TextBox&) = default;
};

// Command 55: "<AVI:", "<AVII:" and "<AVIE:".
struct Video {
    enum class Kind { Open = 0, PlayAtOnce = 1, PlayAndClose = 2 };
    std::string path;
    Kind kind = Kind::Open;
    friend bool operator==(const Video&, const Video&) = default;
};

// Commands 12 and 13.
struct Sound {
    enum class Kind { Beep = 0, WaveFile = 1 };
    Kind kind = Kind::Beep;
    std::string path;
    bool wait = false;  // "<WAV1:"
    friend bool operator==(const Sound&, const Sound&) = default;
};

// Commands 56-65.
struct Cd {
    enum class Kind {
        Play = 0,
        Stop = 1,
        Pause = 2,
        Next = 3,
        Previous = 4,
        GoTo = 5,
        Step = 6,
        Back = 7,
        Eject = 8,
        Close = 9
    };
    Kind kind = Kind::Play;
    int number = 0;  // track or seconds
    friend bool operator==(const Cd&, const Cd&) = default;
};

// Commands 39-42, 67-70, 74-77, 85-92 and 106-109: a tag without parameters, named by its
// position in the macro-language catalogue (kCommandCatalogue).
struct CodeOnly {
    int code = 0;
    friend bool operator==(const CodeOnly&, const CodeOnly&) = default;
};

// Command 73.
struct Screen {
    int number = 0;
    friend bool operator==(const Screen&, const Screen&) = default;
};

// Commands 78-82.
struct SystemSetting {
    enum class Kind {
        SaverOn = 0,
        SaverOff = 1,
        SaverTimer = 2,
        KeyDelay = 3,
        KeySpeed = 4,
        Wallpaper = 5,
        SizingBorder = 6
    };
    enum class Style { Tile = 0, Center = 1, Stretch = 2, Position = 3 };
    Kind kind = Kind::SaverOn;
    std::string path;
    int number = 0;
    int x = 0;
    int y = 0;
    Style style = Style::Tile;
    friend bool operator==(const SystemSetting&, const SystemSetting&) = default;
};

// Commands 93, 99-105, 110 and 111.
struct Wait {
    enum class Kind {
        WindowTitle = 0,
        LoseFocus = 1,
        ProgramEnd = 2,
        KeyPress = 3,
        Text = 4,
        LeftClick = 5,
        RightClick = 6,
        MiddleClick = 7,
        Playback = 8,
        TimeElapse = 9,
    };
    Kind kind = Kind::WindowTitle;
    std::string text;    // title, awaited text or key number
    int number = 0;      // minutes (0: wait indefinitely); seconds for a time to elapse
    bool yFlag = false;  // "<WAITTXTY:" (case-sensitive)
    friend bool operator==(const Wait&, const Wait&) = default;
};

// Command 94. The password is kept in its stored (substituted) form.
struct DialUp {
    enum class Kind { Dial = 0, HangUp = 1 };
    Kind kind = Kind::Dial;
    std::string connection;
    std::string user;
    std::string password;
    friend bool operator==(const DialUp&, const DialUp&) = default;
};

using Payload = std::variant<TextRun, DateTime, Delay, Pause, Repeat, Speed, Program, Window, WindowGeometry, Mouse,
                             Clipboard, MacroCommand, SingleText, FileOp, Network, TextBox, Video, Sound, Cd, CodeOnly,
                             Screen, SystemSetting, Wait, DialUp>;

}  // namespace orv::script
