// The command text each dialog makes from its fields, and the first failing check, as one table.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "dialog_env.h"
#include "dialogs/dialog_registry.h"

namespace orv::dialogs {
namespace {

struct Case {
    const char* dialog;
    std::vector<std::pair<std::string, std::string>> fields;
    // The command text, or "field: message" for a refusal.
    std::string expected;
};

void PrintTo(const Case& c, std::ostream* os) { *os << c.dialog << " -> " << c.expected; }

class CommandDialogs : public ::testing::TestWithParam<Case> {};

TEST_P(CommandDialogs, MakesCommandOrNamesFirstFailure) {
    const Case& c = GetParam();
    test::DialogFixture fx;
    auto model = makeDialog(c.dialog);
    ASSERT_NE(model, nullptr);
    model->show(fx.env);
    for (const auto& [name, value] : c.fields) ASSERT_TRUE(model->set(name, value)) << name << "=" << value;
    const Outcome o = model->check(fx.env);
    if (o.accepted) {
        EXPECT_EQ(o.output, c.expected);
        EXPECT_EQ(model->output(), c.expected);
    } else {
        EXPECT_EQ(o.failure.field + ": " + o.failure.message, c.expected);
        EXPECT_TRUE(model->output().empty());
        EXPECT_NE(model->field(o.failure.field), nullptr) << "failure names no field of the dialog";
    }
}

const Case kCases[] = {
    // Waits: the time part is the limit in 3 digits, "000" without a limit.
    {"TDoWaitWin", {{"title", "calc"}, {"limit", "indefinite"}}, "<WAITWIN:000:calc>"},
    {"TDoWaitWin", {{"kind", "time"}, {"minutes", "2"}, {"seconds", "5"}}, "<WAITTIME:00000125>"},
    {"TDoWaitWin", {{"kind", "time"}, {"minutes", "9999"}, {"seconds", "59"}}, "<WAITTIME:00599999>"},
    {"TDoWaitWin", {{"kind", "time"}, {"minutes", "-1"}}, "minutes: Invalid Minutes specified."},
    {"TDoWaitWin", {{"kind", "time"}, {"seconds", "60"}}, "seconds: Invalid Seconds specified."},
    {"TDoWaitWin", {{"kind", "key"}, {"key", "H"}}, "<WAITKEY:010:07>"},
    {"TDoWaitWin", {{"kind", "key"}}, "<WAITKEY:010:50>"},
    {"TDoWaitWin", {{"kind", "key"}, {"key", ""}}, "key: No key selected.  Please correct."},
    {"TDoWaitWin", {{"kind", "losefocus"}, {"title", "Ed"}, {"limitminutes", "999"}}, "<WAITWLF:999:Ed>"},
    {"TDoWaitWin", {{"title", "Ed"}, {"limitminutes", "0"}}, "limitminutes: Value must be greater than zero."},
    {"TDoWaitWin", {{"title", ""}}, "title: No entry made for Window Title.  Please correct."},
    {"TDoWaitWin", {{"kind", "program"}}, "program: No entry made for program name.  Please correct."},
    {"TDoWaitWin", {{"kind", "program"}, {"program", "gedit"}, {"limitminutes", "5"}}, "<WAITPROG:005:gedit>"},
    {"TDoWaitWin", {{"kind", "text"}}, "text: No text entered.  Please correct."},
    {"TDoWaitWin", {{"kind", "text"}, {"text", "Abc"}, {"casesensitive", "1"}}, "<WAITTXTY:010:Abc>"},
    {"TDoWaitWin", {{"kind", "text"}, {"text", "Abc"}}, "<WAITTXTN:010:Abc>"},
    {"TDoWaitWin", {{"kind", "middle"}, {"limit", "indefinite"}}, "<WAITMM:000>"},
    {"TDoWaitWin", {{"kind", "playback"}, {"limitminutes", "x"}}, "<WAITPB>"},
    // Delays: two decimals with a leading zero; 60 is the most, 0 and 60.01 are refused.
    {"TDoDelay2", {{"seconds", "1.5"}}, "<DELAY:01.50>"},
    {"TDoDelay2", {{"seconds", "60"}}, "<DELAY:60.00>"},
    {"TDoDelay2", {{"seconds", "60.01"}}, "seconds: Value must be greater than zero and no larger than 60."},
    {"TDoDelay2", {{"seconds", "0"}}, "seconds: Value must be greater than zero and no larger than 60."},
    {"TDoDelay2", {{"seconds", "1e1"}}, "seconds: Value must be greater than zero and no larger than 60."},
    {"TDoDelay2", {{"unit", "milliseconds"}, {"milliseconds", "5"}}, "<MSD:0005>"},
    {"TDoDelay2", {{"unit", "milliseconds"}, {"milliseconds", "9999"}}, "<MSD:9999>"},
    {"TDoDelay2", {{"unit", "milliseconds"}, {"milliseconds", "10000"}}, "milliseconds: Value must be less than 9999."},
    {"TDoDelay2", {{"unit", "milliseconds"}, {"milliseconds", "0"}}, "milliseconds: Value must be greater than zero."},
    {"TDoDelay", {{"mode", "keypad"}, {"keypad", "65"}}, "<ALT:065>"},
    {"TDoDelay", {{"mode", "keypad"}, {"keypad", "0169"}}, "<ALT4:0169>"},
    {"TDoDelay", {{"mode", "keypad"}, {"keypad", "-5"}}, "keypad: Value must be numeric."},
    {"TDoDelay", {{"mode", "timer"}, {"frequency", "61"}}, "frequency: Value must be between 1 and 60."},
    {"TDoDelay", {{"mode", "timer"}, {"frequency", "30"}}, ""},
    // Speeds fill their fields: 4 digits and 00.00-99.99.
    {"TDoSpeed", {{"milliseconds", "25"}}, "<SPKEY:0025>"},
    {"TDoSpeed", {{"kind", "mouse"}, {"milliseconds", "-1"}}, "milliseconds: Value must be zero or greater."},
    {"TDoSpeed", {{"kind", "macro"}, {"factor", "0.5"}}, "<SPEED:00.50>"},
    {"TDoSpeed", {{"kind", "macro"}, {"factor", "100"}}, "factor: Value must be zero or greater."},
    // Repeats.
    {"TDoRepeat", {{"count", "3"}, {"start", "10"}, {"step", "5"}}, "<REP:0003:000010:000005>"},
    {"TDoRepeat", {{"count", "0"}}, "count: Value must be greater than zero."},
    {"TDoRepeat", {{"start", "x"}}, "start: Invalid start counter specified.  Please Correct."},
    {"TDoRepeat", {{"step", "-1"}}, "step: Invalid step counter specified.  Please Correct."},
    {"TDoRepeat", {{"kind", "counter"}, {"width", "3"}}, "<III>"},
    {"TDoRepeat", {{"kind", "counter"}, {"width", "5"}}, "width: Width must be between 1 and 4."},
    {"TDoRepeat", {{"kind", "prompt"}, {"count", "junk"}}, "<PROMPTREP>"},
    {"TDoRepeat", {{"kind", "end"}}, "<ENDREP>"},
    // Pause.
    {"TDoPausePos", {}, "<PAUSE>"},
    {"TDoPausePos",
     {{"kind", "complex"}, {"top", "5"}, {"left", "40"}, {"message", " Go on "}},
     "<PAUSE:005,040Go on>"},
    {"TDoPausePos",
     {{"kind", "complex"}, {"top", "-1"}},
     "top: Invalid Top Window Coordinate entered.  Please correct."},
    {"TDoPausePos",
     {{"kind", "complex"}, {"left", "1x"}},
     "left: Invalid Left Window Coordinate entered.  Please correct."},
    // Activate and launch.
    {"TDoActive", {{"title", "Notepad"}}, "<ACTIVATE:Notepad>"},
    {"TDoActive", {{"title", " "}}, "title: No entry made for Window Title.  Please correct."},
    {"TDoActive",
     {{"kind", "launch"}, {"program", "/usr/bin/editor.EXE"}, {"delay", "3"}},
     "<LAUNCHDEL:03/usr/bin/editor.EXE>"},
    {"TDoActive",
     {{"kind", "launchactivate"}, {"title", "Ed"}, {"program", "/usr/bin/editor.EXE"}, {"parameters", "a.txt"}},
     "<LAUNCHNO2:0012Ed<LAUNCH:/usr/bin/editor.EXE<PARAM>a.txt>"},
    {"TDoActive",
     {{"kind", "activateorlaunch"}, {"title", "Ed"}, {"program", "/usr/bin/editor.EXE"}, {"wait", "5"}},
     "<LAUNCHYES2:0005Ed<LAUNCH:/usr/bin/editor.EXE>"},
    {"TDoActive",
     {{"kind", "launch"}, {"program", "/nowhere"}},
     "program: Specified Path and Program does not exist.  Please correct."},
    {"TDoActive",
     {{"kind", "launch"}, {"program", "/usr/bin/editor.EXE"}, {"delay", "-1"}},
     "delay: Delay must be greater or equal to zero."},
    {"TDoActive",
     {{"kind", "launchactivate"}, {"title", "Ed"}, {"program", "/usr/bin/editor.EXE"}, {"wait", "-2"}},
     "wait: Seconds must be greater or equal to zero."},
    {"TDoActive",
     {{"kind", "launchactivate"}, {"title", "a<b"}, {"program", "/usr/bin/editor.EXE"}},
     "title: The character < cannot be used in this field.  Please correct."},
    // Window controls, size and position.
    {"TDoSystemCommand", {}, "<WMAX:\"CURRENT\">"},
    {"TDoSystemCommand", {{"command", "shutdown"}, {"window", "specific"}, {"title", "Calc"}}, "<WSHUT:Calc>"},
    {"TDoSystemCommand", {{"window", "specific"}}, "title: No Window title specified.  Please correct"},
    {"TDoSizeIt", {{"width", "640"}, {"height", "480"}}, "<WSIZE:0640,0480\"CURRENT\">"},
    {"TDoSizeIt",
     {{"width", "9"}, {"height", "480"}},
     "width: Invalid width specified.  Width must be 10 or greater.  Please correct."},
    {"TDoSizeIt",
     {{"width", "10000"}, {"height", "480"}},
     "width: Invalid width specified.  Width must be 10 or greater.  Please correct."},
    {"TDoSizeIt",
     {{"width", "100"}, {"height", "29"}},
     "height: Invalid height specified.  Height must be 30 or greater.  Please correct."},
    {"TDoSizeIt",
     {{"kind", "position"}, {"left", "-12"}, {"top", "7"}, {"window", "specific"}, {"title", "Ed"}},
     "<WPOS2:-0012,00007Ed>"},
    {"TDoSizeIt",
     {{"kind", "position"}, {"left", "-10000"}, {"top", "7"}},
     "left: Invalid left position specified.  Please correct."},
    {"TDoSizeIt",
     {{"kind", "position"}, {"left", "0"}, {"top", "-1"}},
     "top: Invalid top position specified.  Please correct."},
    // Mouse: negative coordinates only relative to the last position.
    {"TDoMouse", {{"action", "ldclick"}}, "<LDCLK>"},
    {"TDoMouse", {{"action", "move"}, {"movemode", "position"}, {"x", "-12"}, {"y", "0"}}, "<MMP:-0012,00000>"},
    {"TDoMouse", {{"action", "move"}, {"x", "-12"}}, "x: Invalid X Position specified.  Please correct."},
    {"TDoMouse",
     {{"action", "move"}, {"movemode", "window"}, {"x", "10"}, {"y", "30001"}},
     "y: Invalid Y Position specified.  Please correct."},
    {"TDoMouse", {{"action", "move"}, {"movemode", "caret"}, {"x", "junk"}}, "<MMC>"},
    {"TDoMouse", {{"action", "wheelbackward"}, {"clicks", "3"}}, "<WBW:003>"},
    {"TDoMouse",
     {{"action", "wheelforward"}, {"clicks", "0"}},
     "clicks: Invalid number of wheel clicks specified.  Please correct."},
    {"TDoKeyUpDown", {{"key", "winup"}}, "<WINU>"},
    // Clipboard and files: paths must exist; short paths are written.
    {"TDoClipboard", {{"kind", "type"}, {"ignorecrlf", "1"}}, "<CLIPTYPEI>"},
    {"TDoClipboard", {{"kind", "textfile"}, {"file", "/data/notes.txt"}}, "<CLIPF:/data/notes.txt>"},
    {"TDoClipboard",
     {{"kind", "bitmap"}, {"file", "/data/none.bmp"}},
     "file: Specified Bitmap File does not exist.  Please correct."},
    {"TDoRemark", {{"remark", "  set up  "}}, "<REM:set up>"},
    {"TDoRemark", {{"remark", "a > b"}}, "remark: The character > cannot be used in this field.  Please correct."},
    {"TDoTBox", {{"header", "Note"}, {"content", "line 1\r\nline 2"}}, "<TBOX:<HEAD:Note>line 1\r\nline 2>"},
    {"TDoTBox", {{"content", "no header"}}, ""},
    {"TDoNick", {{"kind", "deactivate"}, {"nickname", "Daily"}}, "<MACDEACT:Daily>"},
    {"TDoNick", {}, "nickname: No nickname has been entered.  Please correct."},
    {"TDoSwap", {{"file", "/data/other.ORV"}}, "<SWAP:/data/other.ORV>"},
    {"TDoSwap", {{"file", "/data/x.ORV"}}, "file: Specified Macro File does not exist.  Please correct."},
    {"TDoWebStuff", {{"url", "www.example.org"}}, "<HTTP:http://www.example.org>"},
    {"TDoWebStuff", {{"url", ""}}, "<HTTP:>"},
    {"TDoWebStuff", {{"mode", "ftp"}}, "<FTP:ftp://>"},
    {"TDoWebStuff", {{"mode", "ftp"}, {"url", "www.x"}}, "<FTP:www.x>"},
    {"TDoDOSFiles", {{"path", "/data/"}}, "<CHDIR:/data>"},
    {"TDoDOSFiles", {{"path", "/nowhere"}}, "path: Specified directory/folder does not exist.  Please correct."},
    {"TDoDOSFiles",
     {{"kind", "copy"}, {"path", "/data/notes.txt"}, {"newname", "/tmp/n.txt"}},
     "<COPYFILE:/data/notes.txt;/tmp/n.txt>"},
    {"TDoDOSFiles",
     {{"kind", "rename"}, {"path", "/data/notes.txt"}},
     "newname: No new name specified.  Please correct."},
    {"TDoDOSFiles",
     {{"kind", "rename"}, {"path", "/data/x"}, {"newname", "y"}},
     "path: Specified Text File does not exist.  Please correct."},
    {"TDoDOSFiles", {{"kind", "delete"}, {"path", "/data/made-later.tmp"}}, "<DELFILE:/data/made-later.tmp>"},
    {"TDoDOSFiles", {{"kind", "mkdir"}, {"path", "/new/a/b"}}, "<MKDIR:/new/a/b>"},
    {"TDoExplore", {{"folder", "/data"}}, "<EXPLORE:/data>"},
    {"TDoExplore", {{"folder", "/none"}}, "folder: Specified folder does not exist.  Please correct."},
    // Network and dial-up; the password "abc" is stored substituted as "HIJ".
    {"TDoNetConn", {{"path", "\\\\srv\\share"}}, "<NWC:<NAME:><PASS:>B:\\\\srv\\share>"},
    {"TDoNetConn",
     {{"kind", "toggle"},
      {"drive", "F:"},
      {"path", "\\\\srv\\s"},
      {"usedefault", "0"},
      {"name", "bob"},
      {"password", "abc"},
      {"permanent", "1"},
      {"status", "1"}},
     "<NWTPS:<NAME:bob><PASS:HIJ>F:\\\\srv\\s>"},
    {"TDoNetConn",
     {{"kind", "disconnect"}, {"drive", "G:"}, {"permanent", "1"}, {"force", "1"}, {"status", "1"}},
     "<NWDPFS:G:>"},
    {"TDoNetConn", {{"path", " "}}, "path: No network path has been entered.  Please correct."},
    {"TDoNetConn",
     {{"path", "\\\\s\\t"}, {"usedefault", "0"}, {"password", "Wx"}},
     "password: The Logon Password cannot contain the letter W.  Please correct."},
    {"TDoDialup", {{"entry", "Home"}, {"name", "me"}, {"password", "abc"}}, "<DIAL:<NAME:me><PASS:HIJ>Home>"},
    {"TDoDialup", {{"entry", "Work"}}, "entry: No phone book entry has been selected."},
    {"TDoDialup", {{"kind", "hangup"}}, "<HANG>"},
    // Media.
    {"TDoSound", {}, "<BEEP>"},
    {"TDoSound", {{"kind", "wave"}, {"file", "/data/ding.wav"}, {"wait", "1"}}, "<WAV1:/data/ding.wav>"},
    {"TDoSound",
     {{"kind", "wave"}, {"file", "/data/no.wav"}},
     "file: Specified WAV File does not exist.  Please correct."},
    {"TDoAVI", {{"kind", "wait"}, {"file", "/data/clip.avi"}}, "<AVI:/data/clip.avi>"},
    {"TDoAVI", {{"file", ""}}, "file: Specified AVI File does not exist.  Please correct."},
    {"TDoCDRom", {{"kind", "goto"}, {"number", "7"}}, "<CDGOTO:07>"},
    {"TDoCDRom", {{"kind", "goto"}, {"number", "0"}}, "number: Invalid track number specified.  Please correct."},
    {"TDoCDRom", {{"kind", "back"}, {"number", "x"}}, "number: Invalid seconds specified.  Please correct."},
    {"TDoCDRom", {{"kind", "eject"}}, "<CDEJECT>"},
    {"TDoVolume", {{"command", "midicenter"}}, "<MIDICENTER>"},
    // Desktop and system.
    {"TDoRecycle", {{"command", "recyclebin"}}, "<EXPRB>"},
    {"TDoDefPrint", {{"printer", "Ink Jet"}}, "<DEFPRT:Ink Jet>"},
    {"TDoDefPrint", {{"printer", "Plotter"}}, "printer: No printer setting selected."},
    {"TDoScreen", {{"mode", "1"}}, "<SCREEN:001>"},
    {"TDoScreen", {{"mode", "2"}}, "mode: No display setting selected."},
    {"TDoReboot", {{"kind", "poweroff"}}, "<POWEROFF>"},
    {"TDoSysControls", {{"kind", "savertime"}, {"minutes", "5"}}, "<SSTIME:05>"},
    {"TDoSysControls",
     {{"kind", "savertime"}, {"minutes", "61"}},
     "minutes: Invalid minutes specified.  Valid values or 1 to 60.  Please correct."},
    {"TDoSysControls", {{"kind", "keydelay"}, {"delay", "3"}}, "<KEYDEL:3>"},
    {"TDoSysControls",
     {{"kind", "keydelay"}, {"delay", "4"}},
     "delay: Invalid factor specified.  Valid values or 0 to 3.  0 = shortest delay.  Please correct."},
    {"TDoSysControls",
     {{"kind", "keyspeed"}, {"speed", "32"}},
     "speed: Invalid factor specified.  Valid values or 0 to 31.  0 = slowest speed.  Please correct."},
    {"TDoSysControls",
     {{"kind", "border"}, {"border", "0"}},
     "border: Invalid value specified.  Valid values or 1 to 10.  Please correct."},
    {"TDoSysControls", {{"kind", "wallpaper"}, {"tile", "1"}, {"bitmap", "/data/pic.bmp"}}, "<WALLT:/data/pic.bmp>"},
    {"TDoSysControls",
     {{"kind", "wallpaper"}, {"style", "position"}, {"x", "5"}, {"y", "20"}, {"bitmap", "/data/pic.bmp"}},
     "<WALLP:0005,0020/data/pic.bmp>"},
    {"TDoSysControls",
     {{"kind", "wallpaper"}, {"style", "position"}, {"x", "-5"}},
     "x: Invalid X Coordinate specified. Please correct."},
    {"TDoSysControls",
     {{"kind", "wallpaper"}, {"style", "stretch"}, {"bitmap", "/data/no.bmp"}},
     "bitmap: Specified bitmap file does not exist.  Please correct."},
    {"TDoSpecial", {{"column", "2"}, {"row", "1"}}, "\x91"},
    {"TDoSpecial", {{"action", "keypad"}, {"keypad", "233"}}, "<ALT:233>"},
    {"TDoTextInsert", {{"file", " /data/notes.txt "}}, "<TFILE:/data/notes.txt>"},
    {"TRepeatPrompt", {{"count", " 12 "}}, ""},
    {"TRepeatPrompt", {{"count", "1 2"}}, "count: Invalid numeric value entered.  Please Correct"},
};

INSTANTIATE_TEST_SUITE_P(Table, CommandDialogs, ::testing::ValuesIn(kCases));

}  // namespace
}  // namespace orv::dialogs
