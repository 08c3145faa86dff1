#pragma once

#include <array>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "dialogs/dialog_model.h"
#include "platform/outcome.h"
#include "store/macro_record.h"
#include "wizards/wizard_table.h"

namespace orv::wiz {

// How the finished macro is activated (the choices of the activation screen, in its order).
enum Activation { kHotKey = 0, kShortKey = 1, kSchedule = 2, kNone = 3, kWindowTitle = 4 };
// Where it plays back (the choices of the scope screen, in its order).
enum PlayScope { kAllPrograms = 0, kOneProgram = 1, kOneWindow = 2 };

// The answers given on the screens, by field name, as the controls hold them: text as typed, a
// check box "0"/"1", a radio group or a list the position of its choice ("" for no choice).
// A field never set reads as its default.
class WizardAnswers {
public:
    const std::string& get(std::string_view name) const;
    void set(std::string_view name, std::string value);
    // The field as a number; -1 when it holds none.
    int index(std::string_view name) const;
    bool flag(std::string_view name) const { return get(name) == "1"; }
    // The field's text without leading and trailing blanks.
    std::string trimmed(std::string_view name) const;

private:
    std::map<std::string, std::string, std::less<>> values_;
};

// What the wizards ask of the file being added to: every macro of the open file, in order.
struct WizardFile {
    std::vector<TMacroRecord> macros;
};

// What one wizard's run produced: the record to append (absent for the first-time set-up), and
// whether the tray's popup menus must be rebuilt.
// The capture wizard's recording options, handed to the capture that records the macro.
struct CaptureSetup {
    bool keystrokes = true;
    bool mouse = true;
    int relativeTo = 1;  // 1 screen, 2 top-most window, 3 last mouse position
    bool clicksOnly = true;
    bool timing = true;
    bool doubleAlt = false;
    int speed = 1;            // 1 same, 2 half, 3 twice, 4 four times, 5 ten times
    std::string windowTitle;  // the window to record in, by its exact title
    bool programOnly = false;

    friend bool operator==(const CaptureSetup&, const CaptureSetup&) = default;
};

// What one wizard's run produced: the record to append (absent for the first-time set-up);
// whether the tray's popup menus must be rebuilt; the popup menu (by macro number) the new macro
// joins; the recording to start (capture wizard); the wizards that make the chosen sample macros
// (first-time set-up).
struct WizardResult {
    std::optional<TMacroRecord> record;
    bool rebuildTrayMenus = false;
    int joinMenu = 0;
    std::optional<CaptureSetup> capture;
    std::vector<int> sampleWizards;
};

// One wizard's run: the step through its screens (skipping those that do not apply, in both
// directions), each screen's checks on "&Next >", and the finished record.
class WizardFlow {
public:
    // `env` gives the files, the user's questions, the clock and the settings (the Bypass
    // setting decides the first step). Everything it points to outlives the flow.
    WizardFlow(int number, const WizardFile& file, const dialogs::DialogEnv& env);

    int number() const { return number_; }
    const std::vector<int>& screens() const { return screens_; }
    int step() const { return step_; }  // 1-based
    int screen() const { return screens_[static_cast<std::size_t>(step_ - 1)]; }
    bool atLast() const;
    bool atFirst() const;

    WizardAnswers& answers() { return answers_; }
    const WizardAnswers& answers() const { return answers_; }

    // Whether the screen is shown with the answers as they are.
    bool applies(int screen) const;
    // "&Next >": the current screen's checks; on success the next screen that applies, or, on
    // the last one, the finished macro (see finished()). A refusal names the field for the focus
    // and its message; a declined question has an empty message.
    Outcome next();
    // "< &Back": the previous screen that applies; false on the first.
    bool back();
    bool finished() const { return result_.has_value(); }
    const WizardResult& result() const { return *result_; }

    // The Bypass check box of screen 1: changes the setting at once.
    void setBypass(bool on);
    bool bypass() const;

    // The hotkey list of screen 3: each name with how many macros of the file use it.
    std::vector<std::string> hotKeyList() const;
    // Whether a Global, popup-menu or System macro of the file uses the hotkey code.
    bool globalUses(int code) const;
    // False after the user chose to go on with a hotkey that a Global macro uses.
    bool globalAllowed() const { return globalAllowed_; }
    // The file's popup-menu macros (screen 9) and every macro but System ones (screen 50), by
    // macro number.
    std::vector<int> popupMenus() const;
    std::vector<int> menuCandidates() const;

    // The single-command wizard's command chosen on screens 53-57, or nullptr; the text its
    // dialog made for it (shown on screen 58 and written as the macro).
    const WizardCommand* chosenCommand() const;
    void setCommandText(std::string text);

    // The sweepstakes wizard: "&Next >" on this screen first records the user's typing, which
    // setRecording() hands in (the text, or the overflow file's "<TFILE:...>" reference).
    bool recordsKeys() const { return number_ == kSweepstakes && screen() == kRecordingScreen; }
    void setRecording(std::string text) { answers_.set("recorded", std::move(text)); }

private:
    // What showing a screen sets: the activation a screen implies, the starting nickname of a
    // reminder, the permanent-disconnection default.
    void enterScreen();
    bool moveTo(int direction);
    Outcome check(int screen);
    Outcome checkHotKey();
    Outcome finish();
    Outcome finishSetUp();
    void fillActivation(TMacroRecord& r) const;
    void fillScope(TMacroRecord& r) const;
    CaptureSetup captureSetup() const;
    bool ask(const std::string& text) const;
    void loadDefaults();

    int number_;
    const WizardFile& file_;
    dialogs::DialogEnv env_;
    std::vector<int> screens_;
    int step_ = 1;
    WizardAnswers answers_;
    std::array<bool, 721> globalUse_{};
    bool globalAllowed_ = true;
    std::optional<WizardResult> result_;
    std::vector<int> seen_;
};

// The screen checks that need no state beyond the answers and the environment (all but the
// activation details). Exposed for the command-line and tests: the current screen's refusal or ok.
Outcome checkScreen(int wizard, int screen, const WizardAnswers& answers, const dialogs::DialogEnv& env);

// The timed-schedule details of screen 3 (the schedule kind and its fields) against today.
Outcome checkSchedule(const WizardAnswers& answers, const LocalTime& today);

// The macro text a wizard writes from its answers (wizards 7, 25, 27 and 28 have none of their
// own: see the flow). `files` gives short paths; it may be null (paths are then kept as typed).
std::string macroText(int wizard, const WizardAnswers& answers, IDialogFiles* files);

// The hotkey codes that the desktop may keep for itself; finishing with one asks first.
bool isReservedHotKey(int code);
std::string reservedHotKeyQuestion(int code);

// A sweepstakes recording stays in the macro text up to this many bytes; a longer one goes to a
// file whose "<TFILE:...>" reference takes its place. The sweepstakes macro: the key speed, the
// recording (or the reference) and a closing space.
inline constexpr std::size_t kInlineRecordingLimit = 4980;
std::string sweepstakesText(const std::string& recorded);

}  // namespace orv::wiz
