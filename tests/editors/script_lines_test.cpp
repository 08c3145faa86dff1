// Reading macro text into script lines, what the lines show, and what they are saved as.
#include "editors/script_lines.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <string>
#include <vector>

#include "editors/script_sample_tags.h"

namespace orv::script {
namespace {

std::vector<std::string> displays(std::string_view text) {
    std::vector<std::string> out;
    for (const ScriptLine& line : readScriptLines(text)) out.push_back(line.text);
    return out;
}

std::string saved(std::string_view text) { return scriptTextOf(readScriptLines(text)); }

struct Case {
    const char* name;
    std::string text;
    std::vector<std::string> lines;
    std::string savedAs;  // empty: saved unchanged
};

class ReadAndSave : public ::testing::TestWithParam<Case> {};

TEST_P(ReadAndSave, ShowsTheLinesAndSavesTheWrittenForm) {
    const Case& c = GetParam();
    EXPECT_EQ(displays(c.text), c.lines);
    EXPECT_EQ(saved(c.text), c.savedAs.empty() ? c.text : c.savedAs);
}

const std::string k53(53, 'x');
const std::string k54(54, 'y');
const std::string kKnownToPlayback =
    "<WPOS2:00010,00020Calc><SCRLOCK><PAUSEKEY><CAPLOCK><NUMLOCK><HIDETASK><SHOWTASK><EMPTYBIN><TEST>"
    "<RIGHT MOUSE><MIDDLE MOUSE>";
const std::string kNotNumbers = "<KEYDEL:2x><SSTIME:5><MSD:12a4><MMS:+0100,00200><WFW:1 3>";

void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }

INSTANTIATE_TEST_SUITE_P(
    Tags, ReadAndSave,
    ::testing::Values(
        Case{"KeyTagsStayInTheRun",
             "Dear Sir,<ENTER><TAB>thanks<F12><KEYP+><ALT:233>",
             {"Text: Dear Sir,<ENTER><TAB>thanks<F12><KEYP+><ALT:233>"},
             ""},
        Case{"RepeatBlockOlderForm",
             "ab<REPEAT:0005>cd<ENDREP>",
             {"Text: ab", "Repeat Start: 5", "Text: cd", "Repeat End"},
             "ab<REP:0005:000001:000001>cd<ENDREP>"},
        Case{"RepeatLongForm",
             "<REP:0003;000010/000005>",
             {"Repeat Start: 3 Times, Starting at 10 Stepping by 5"},
             "<REP:0003:000010:000005>"},
        Case{"RepeatOtherWidthIsText", "<REPEAT:005>x", {"Text: <REPEAT:005>x"}, ""},
        Case{"UnknownTagIsText", "<FOO>bar<tab>", {"Text: <FOO>bar<tab>"}, ""},
        Case{"TagsPlaybackKnowsStayText", kKnownToPlayback, {"Text: " + kKnownToPlayback.substr(0, 50) + "..."}, ""},
        Case{"RunOf53HasNoDots", k53, {"Text: " + k53.substr(0, 50)}, ""},
        Case{"RunOf54HasDots", k54, {"Text: " + k54.substr(0, 50) + "..."}, ""},
        Case{"RunTagSwallowsWhatLooksLikeATag", "<ALT:<I>>", {"Text: <ALT:<I>>"}, ""},
        Case{"BrokenRunTagLeavesTheCommand", "<ALT:<I>x", {"Text: <ALT:", "Repeat Counter: Width 1", "Text: x"}, ""},
        Case{"CurrentWindow",
             "<WMAX:\"CURRENT\"><WMAX:CURRENT>",
             {"Window Maximize - Current Win", "Window Maximize - Window Title: CURRENT"},
             ""},
        Case{"WindowCommands",
             "<WHIDE:a><WSHOW:b><WMIN:c><WCLS:d><WRES:e><WSHUT:f>",
             {"Window Hide - Window Title: a", "Window Show - Window Title: b", "Window Minimize - Window Title: c",
              "Window Close - Window Title: d", "Window Restore - Window Title: e",
              "Program Shut Down - Window Title: f"},
             ""},
        Case{"WindowGeometry",
             "<WSIZE:0640x0480Notepad><WPOS:-005,0010\"CURRENT\">",
             {"Window Resize - \"Notepad\" (Width: 640 Height: 480)",
              "Window Reposition - Current Win (Left: -5 Top: 10)"},
             "<WSIZE:0640,0480Notepad><WPOS:-005,0010\"CURRENT\">"},
        Case{
            "MouseMoves",
            "<MMS:00100,00200><MMW:-0010;00020><MMP:00005,00006><MMC>",
            {"Mouse Move Screen 100,200", "Mouse Move Window -10,20", "Mouse Move Position 5,6", "Mouse Move To Caret"},
            "<MMS:00100,00200><MMW:-0010,00020><MMP:00005,00006><MMC>"},
        Case{"MouseButtonsAndWheel",
             "<LDCLK><RUP><MCLK><MDN><WFW:003><WBW:001>",
             {"Mouse Left Button Double Click", "Mouse Right Button Up", "Mouse Middle Button Click",
              "Mouse Middle Button Down", "Mouse Wheel 3 Clicks Forward", "Mouse Wheel 1 Clicks Backward"},
             ""},
        Case{"WaitTime", "<WAITTIME:00000125>", {"Wait Time Elapse: 2 Minutes 5 Seconds"}, ""},
        Case{"SpeedTexts",
             "<SPEED:00.50><SPEED:01.00><SPEED:00000><SPEED:02.50><SPEED:00.30><SPEED:00.80><SPEED:3>",
             {"Macro Playback Speed: 2 Times Faster Than Normal", "Macro Playback Speed: Normal Speed",
              "Macro Playback Speed: No Speed", "Macro Playback Speed: 2.5 Times Slower Than Normal",
              "Macro Playback Speed: 3.33 Times Faster Than Normal",
              "Macro Playback Speed: 1.25 Times Faster Than Normal", "Text: <SPEED:3>"},
             "<SPEED:00.50><SPEED:01.00><SPEED:00.00><SPEED:02.50><SPEED:00.30><SPEED:00.80><SPEED:3>"},
        Case{"Delays",
             "<DELAY:05.00><DELAY:1.234><DELAY:100.5><MSD:0250>",
             {"Delay 5.00 Seconds", "Delay 1.23 Seconds", "Delay 100.50 Seconds", "Delay 250 Milliseconds"},
             "<DELAY:05.00><DELAY:01.23><DELAY:100.5><MSD:0250>"},
        Case{"Pauses",
             "<PAUSE:010x020Hello there><PAUSE>",
             {"Pause: Complex", "Pause: Basic"},
             "<PAUSE:010,020Hello there><PAUSE>"},
        Case{"Counters",
             "<IIII><III><II><I>",
             {"Repeat Counter: Width 4", "Repeat Counter: Width 3", "Repeat Counter: Width 2",
              "Repeat Counter: Width 1"},
             ""},
        Case{
            "PromptedRepeat", "<PROMPTREP>", {"Repeat Prompt Start: (prompt for repeat count at macro play time)"}, ""},
        Case{"SystemSettings",
             "<SSON><SSOFF><SSTIME:05><KEYDEL:2><KEYSPD:31><WBSIZE:03>",
             {"Screen Saver On", "Screen Saver Off", "Screen Saver Timer Set To 5 Minutes", "Keyboard Delay",
              "Keyboard Repeat Speed", "Windows Sizing Border"},
             ""},
        Case{"Wallpapers",
             "<WALLT:C:\\Windows\\clouds.bmp><WALLP:0010;0020/usr/share/bg.png><WALLS:plain.bmp>",
             {"Wallpaper: clouds.bmp", "Wallpaper: bg.png", "Wallpaper: plain.bmp"},
             "<WALLT:C:\\Windows\\clouds.bmp><WALLP:0010,0020/usr/share/bg.png><WALLS:plain.bmp>"},
        Case{"Clipboard",
             "<CLIPTYPE><CLIPTYPEI><BEGCLIP><ENDCLIP><CLIPC><CLIPP><CLIPF:C:\\a\\b.txt><CLIPB:pic.bmp>",
             {"Clipboard Type Text", "Clipboard Type Text", "Clipboard Start Copy", "Clipboard End Copy",
              "Clipboard Copy", "Clipboard Paste", "Clipboard File Copy: b.txt", "Clipboard Bitmap Copy: pic.bmp"},
             ""},
        Case{"Cd",
             "<CDPLAY><CDGOTO:05><CDSTEP:10><CDBACK:03><CDEJECT><CDCLOSE>",
             {"CD-Rom Play", "CD-Rom Go To Track 5", "CD-Rom Step Forward 10 Seconds", "CD-Rom Back Up 3 Seconds",
              "CD-Rom Eject", "CD-Rom Close Tray"},
             ""},
        Case{"Media",
             "<AVIE:D:\\clip.avi><WAV1:C:\\ding.wav><WAV2:x/y.wav><BEEP>",
             {"Video Clip Play: clip.avi", "Sound Wave File: ding.wav", "Sound Wave File: y.wav", "Sound Beep"},
             ""},
        Case{"TagsWithoutParameters",
             "<AUDON><AUDCENTER><MIDIMUTE><BASSDOWN><CTLD><SHFU><TILHDESK><RUNFF><EXPRB><SUSPEND><POWEROFF>",
             {"Audio Volume On Full", "Audio Balance Centered", "MIDI Mute Toggle", "Audio Bass Down",
              "Control Key Down", "Shift Key Up", "DeskTop Tile Horizontally", "Run Dialog Window: Find Files",
              "Open Explorer To: Recycle Bin", "Suspend Computer", "Power Off"},
             ""},
        Case{"Speeds",
             "<SPKEY:0050><SPMSE:0100>",
             {"Keystroke Speed: 50 Milliseconds", "Mouse Speed: 100 Milliseconds"},
             ""},
        Case{"Files",
             "<CHDIR:C:\\Temp><MKDIR:C:\\New><DELFILE:C:\\x\\old.txt><COPYFILE:C:\\a\\src.txt;D:\\dst.txt>"
             "<RENFILE:C:\\b\\o.txt;n.txt>",
             {"Change Directory/Folder: C:\\Temp", "Create Directory/Folder: C:\\New", "Delete File: old.txt",
              "Copy File: src.txt", "Rename File: o.txt"},
             ""},
        Case{"CopyWithoutSemicolonIsText", "<COPYFILE:a.txt>", {"Text: <COPYFILE:a.txt>"}, ""},
        Case{"SingleTexts",
             "<SWAP:C:\\M\\work.orv><EXPLORE:C:\\Docs><DEFPRT:Laser Jet><SCREEN:004><SCREEN:4>",
             {"Load New Macro File: work.orv", "Open Folder In Explorer: C:\\Docs", "Default Printer: Laser Jet",
              "Default Display Size", "Text: <SCREEN:4>"},
             ""},
        Case{"Macros",
             "<MACRUN:Sign off><MACDEL:a><MACACT:b><MACDEACT:c>",
             {"Macro Run: Sign off", "Macro Delete: a", "Macro Activate: b", "Macro Deactivate: c"},
             ""},
        Case{"TextBox", "<TBOX:<HEAD:Note>Remember the milk>", {"Window of Text: Remember the milk"}, ""},
        Case{"DialUp",
             "<DIAL:<NAME:bob><PASS:xyz>Office><HANG>",
             {"Dial-Up Networking: Dial Office", "Dial-Up Networking: Hang Up"},
             ""},
        Case{"Network",
             "<NWCPS:<NAME:><PASS:>F:\\\\server\\share><NWT:<NAME:u><PASS:p>G:\\\\s\\x><NWDPFS:F:><NWDS:G:>",
             {"Network Connect: F: to \\\\server\\share", "Network Toggle: G: to \\\\s\\x",
              "Network Disconnect: F:", "Network Disconnect: G:"},
             ""},
        Case{"WebAndRemarks",
             "<HTTP:www.example.com><FTP:ftp.example.com/f.zip><REM:" + std::string(43, 'r') +
                 "><REM:" + std::string(44, 's') + ">",
             {"Web Site: www.example.com", "Web FTP: ftp.example.com/f.zip", "Remark: " + std::string(43, 'r'),
              "Remark: " + std::string(40, 's') + "..."},
             ""},
        Case{"Waits",
             "<WAITWIN:005:Notepad><WAITWLF:000:Calc><WAITPROG:001:edit><WAITTXTY:002;abc><WAITTXTN:002:abc>"
             "<WAITPB><WAITKEY:000 50><WAITLM:001><WAITRM:002><WAITMM:003>",
             {"Wait For Window Title: Notepad", "Wait Window Lose Focus: Calc", "Wait Program Terminate: edit",
              "Wait For Text: abc", "Wait For Text: abc", "Wait Text Playback", "Wait For Key Press",
              "Wait Left Mouse Click", "Wait Right Mouse Click", "Wait Middle Mouse Click"},
             "<WAITWIN:005:Notepad><WAITWLF:000:Calc><WAITPROG:001:edit><WAITTXTY:002:abc><WAITTXTN:002:abc>"
             "<WAITPB><WAITKEY:000:50><WAITLM:001><WAITRM:002><WAITMM:003>"},
        Case{"TextFile", "<TFILE:C:\\t\\notes.txt>", {"Load Text File: notes.txt"}, ""},
        Case{"ActivateAndLaunch",
             "<ACTIVATE:Untitled - Notepad><LAUNCH:C:\\Win\\notepad.exe<PARAM>a.txt><LAUNCHDEL:05calc.exe>",
             {"Window Activate: \"Untitled - Notepad\"", "Program Launch: notepad.exe", "Program Launch: calc.exe"},
             "<ACTIVATE:Untitled - Notepad><LAUNCHDEL:00C:\\Win\\notepad.exe<PARAM>a.txt><LAUNCHDEL:05calc.exe>"},
        Case{"LaunchAndActivateForms",
             "<LAUNCHNO:03Calc<LAUNCH:calc.exe><LAUNCHYES:07Ed<LAUNCH:/bin/ed<PARAM>-p><LAUNCHYES2:0120Calc<LAUNCH:x>",
             {"Launch and Activate: calc.exe", "Activate or Launch: ed", "Activate or Launch: x"},
             "<LAUNCHNO2:0312Calc<LAUNCH:calc.exe><LAUNCHYES2:0712Ed<LAUNCH:/bin/ed<PARAM>-p>"
             "<LAUNCHYES2:0120Calc<LAUNCH:x>"},
        Case{"LaunchTitleNeedsItsLaunchTag", "<LAUNCHNO:03Calc<X>", {"Text: <LAUNCHNO:03Calc<X>"}, ""},
        Case{"Dates",
             "<MM/DD/YY{N}><Mmmmm DD, YYYY{YF001}><YYYYMMDD{NP007}><Day of Week 4{Y}>",
             {"Date: MM/DD/YY  (03/30/98)", "Date (1 day in future): Mmmmm DD, YYYY  (March 30, 1998)",
              "Date (7 days in past): YYYYMMDD  (19980330)", "Date: Day of Week 4  (MONDAY)"},
             "<MM/DD/YY{NF000}><Mmmmm DD, YYYY{YF001}><YYYYMMDD{NP007}><Day of Week 4{YF000}>"},
        Case{"Times",
             "<hh:mm{Y}><hh,mm,ss{N}><hh:mm am{Y}><hh:mm:ss AM{N}><hh:mma{N}><hh:mm{X}>",
             {"Time: hh:mm  (15:04)", "Time: hh,mm,ss  (15,04,23)", "Time: hh:mm am  (3:04 pm)",
              "Time: hh:mm:ss AM  (3:04:23 PM)", "Time: hh:mma  (3:04p)", "Text: <hh:mm{X}>"},
             ""},
        Case{"FixedWidthFieldsMustHoldNumbers", kNotNumbers, {"Text: " + kNotNumbers.substr(0, 50) + "..."}, ""},
        Case{"NegativeZeroIsWrittenAsZero", "<MSD:-000>", {"Delay 0 Milliseconds"}, "<MSD:0000>"},
        Case{"FieldRunningToTheEndStaysOpen", "x<REM:no end", {"Text: x", "Remark: no end"}, ""},
        Case{"SeparatorsAreNotTagDelimiters",
             "<PAUSE:001>002m><REP:0001<000001:000001>",
             {"Text: <PAUSE:001>002m><REP:0001<000001:000001>"},
             ""},
        Case{
            "EmptyParametersAreKept", "<LAUNCH:a.exe<PARAM>>", {"Program Launch: a.exe"}, "<LAUNCHDEL:00a.exe<PARAM>>"},
        Case{"Empty", "", {}, ""}),
    [](const ::testing::TestParamInfo<Case>& param) { return std::string(param.param.name); });

TEST(ScriptLines, EveryCommandIsReadAndItsWrittenFormComesBack) {
    std::set<int> seen;
    for (std::string_view tag : test::kWrittenTags) {
        const std::vector<ScriptLine> lines = readScriptLines(tag);
        ASSERT_EQ(lines.size(), 1u) << tag;
        const int command = commandOfLine(lines[0].text);
        seen.insert(command);
        EXPECT_NE(command, cmd::Text) << tag;
        EXPECT_EQ(writtenForm(command, lines[0].payload), tag);
    }
    seen.insert(cmd::Text);
    EXPECT_EQ(seen.size(), kCommandCount);
}

TEST(ScriptLines, LineCommandIsFoundByItsLabel) {
    for (int k = 1; k <= static_cast<int>(kCommandCount); ++k) {
        const std::string label(commandLabel(k));
        EXPECT_EQ(commandOfLine(label), k);
        EXPECT_EQ(commandOfLine("      " + label + ": something  "), k) << label;
    }
    EXPECT_EQ(commandOfLine("Nothing of the sort"), 0);
    EXPECT_EQ(commandOfLine(""), 0);
}

TEST(ScriptLines, ArbitraryBytesBecomeText) {
    const std::string bytes("\x00\xff<\x01>\r\n<<>", 10);
    const std::vector<ScriptLine> lines = readScriptLines(bytes);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(std::get<TextRun>(lines[0].payload).text, bytes);
}

// Values that come from a dialog rather than from text.
TEST(WrittenForm, NumbersAreZeroPaddedAfterTheSign) {
    struct Row {
        long long value;
        int width;
        const char* text;
    } rows[] = {{5, 4, "0005"}, {-5, 4, "-005"}, {-999, 4, "-999"}, {12345, 4, "12345"}, {0, 1, "0"}, {-1, 5, "-0001"}};
    for (const Row& r : rows) EXPECT_EQ(text::padded(r.value, r.width), r.text) << r.value;
}

TEST(WrittenForm, RealsFillTheirFiveCharacters) {
    struct Row {
        double value;
        const char* field;
        const char* shortForm;
    } rows[] = {{5, "05.00", "5"},         {0.5, "00.50", "0.5"},   {1.25, "01.25", "1.25"}, {60, "60.00", "60"},
                {123.4, "123.4", "123.4"}, {9999, "09999", "9999"}, {-1, "-1.00", "-1"},     {-12.3, "-12.3", "-12.3"}};
    for (const Row& r : rows) {
        EXPECT_EQ(text::fieldReal(r.value), r.field) << r.value;
        EXPECT_EQ(text::shortReal(r.value), r.shortForm) << r.value;
    }
}

TEST(WrittenForm, NewerShapesOfLinesMadeByDialogs) {
    EXPECT_EQ(writtenForm(cmd::RepeatStart, Repeat{Repeat::Kind::Counted, 10, 1, 1, false}),
              "<REP:0010:000001:000001>");
    Program launch{Program::Kind::Launch, "", "C:\\x.exe", "", 0, 12};
    EXPECT_EQ(writtenForm(cmd::ProgramLaunch, launch), "<LAUNCHDEL:00C:\\x.exe>");
    Program both{Program::Kind::ActivateOrLaunch, "X", "x.exe", "-a", 2, 12};
    EXPECT_EQ(writtenForm(cmd::ActivateOrLaunch, both), "<LAUNCHYES2:0212X<LAUNCH:x.exe<PARAM>-a>");
    EXPECT_EQ(writtenForm(cmd::Date, DateTime{true, 1, false, false, -7}), "<MM/DD/YY{NP-07}>");
    EXPECT_EQ(writtenForm(cmd::Time, DateTime{false, 26, true, true, 0}), "<hh,mma{Y}>");
}

TEST(WrittenForm, RepositionBeyondFourCharactersUsesTheWideForm) {
    WindowGeometry far{"Calc", false, WindowGeometry::Kind::Reposition, -1200, 30};
    EXPECT_EQ(writtenForm(cmd::WindowReposition, far), "<WPOS2:-1200,00030Calc>");
    WindowGeometry near{"", true, WindowGeometry::Kind::Reposition, -999, 9999};
    EXPECT_EQ(writtenForm(cmd::WindowReposition, near), "<WPOS:-999,9999\"CURRENT\">");
}

TEST(MakeLine, RefusesParametersOfAnotherCommand) {
    EXPECT_THROW(makeLine(cmd::Remark, Mouse{}), std::invalid_argument);
    EXPECT_THROW(makeLine(cmd::RepeatEnd, Repeat{Repeat::Kind::Counted, 1, 1, 1, false}), std::invalid_argument);
    // A tag past the catalogue's end, and a tag without parameters of another command.
    EXPECT_THROW(makeLine(cmd::AudioVolume, CodeOnly{static_cast<int>(kCommandCatalogue.size())}),
                 std::invalid_argument);
    EXPECT_THROW(makeLine(cmd::AudioVolume, CodeOnly{0}), std::invalid_argument);
    EXPECT_THROW(makeLine(cmd::RepeatCounter, Repeat{Repeat::Kind::Counter, 5, 1, 1, false}), std::invalid_argument);
    EXPECT_THROW(makeLine(cmd::Date, DateTime{true, 52, false, true, 0}), std::invalid_argument);
    EXPECT_THROW(makeLine(cmd::Delay, Delay{Delay::Unit::Milliseconds, std::nan("")}), std::invalid_argument);
    EXPECT_THROW(makeLine(cmd::PlaybackSpeed, Speed{Speed::Kind::Playback, 0, HUGE_VAL}), std::invalid_argument);
    EXPECT_EQ(makeLine(cmd::WebFtp, SingleText{"ftp.x"}).text, "Web FTP: ftp.x");
}

}  // namespace
}  // namespace orv::script
