#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "capture/capture_file.h"
#include "capture/capture_text.h"
#include "platform/activation_table.h"
#include "store/macro_record.h"

namespace orv::capture {

inline constexpr int kMaxMacros = 500;
inline constexpr std::int16_t kShortKeyCode = 20000;
inline constexpr std::int16_t kNoActivationCode = 30000;

inline constexpr const char* kBrowseModeRefusal = "Capture not allowed in Browse Mode.";
inline constexpr const char* kCaptureRunningRefusal = "A capture is currently in progress.  Capture not allowed.";
inline constexpr const char* kMacroLimitRefusal = "Maximum number of macros has been reached.  Capture not allowed.";
inline constexpr const char* kLastActiveWindow = "***Last Active Window***";

// Why a quick capture may not start (shown with the title "Error"), or nullptr when it may.
const char* quickCaptureRefusal(bool browseMode, bool captureRunning, int macroCount);

// The macro a quick capture appends before it starts; it holds the text once the capture ends.
TMacroRecord capturePlaceholder();
// Whether a record is such a placeholder still without text (a capture that never ended).
bool isUnfinishedPlaceholder(const TMacroRecord& record);

// What a capture that never saw its end (the program stopped or crashed) left behind: the capture
// file's text, ready to be the macro text (or why not), and the last placeholder macro still
// without text (0 when none). Nothing when no capture file is left.
struct LeftoverCapture {
    int placeholder = 0;
    std::variant<std::string, CaptureFileError> text;
};
std::optional<LeftoverCapture> findLeftoverCapture(const std::string& folder, int macroCount,
                                                   const std::function<std::optional<TMacroRecord>(int)>& read);

// The notice of a keyboard-started capture (title "Start Capture").
std::string startCaptureNotice(const std::string& stopKeyName);

// The capture options, the stop key and the macro's own key as the hook library reads them.
// `ownKey` is the captured macro's hotkey code when it may end the capture, else nothing.
void writeCaptureOptions(TActivationTable& table, const CaptureOptions& options, bool windowSize, int macroIndex,
                         int stopKeyCode, std::optional<int> ownKeyCode);

// A macro given Program scope: the program that had the foreground at the end of the capture.
void applyProgramScope(TMacroRecord& record, const std::string& program);

// One capture from its start to its end notice. Only the first end notice counts; text that
// arrives after it, or after a failed write, is dropped.
class CaptureSession {
public:
    enum class State { Idle, Running, Ended };

    struct Settings {
        std::string folder;  // where "TempCap.Txt" and the overflow files live
        CaptureOptions options;
        int speed = 1;
        int macroIndex = 0;
        bool quick = false;                              // started from the keyboard: ends in "Capture Complete"
        bool programScope = false;                       // "&Program" chosen in "Capture Macro"
        std::uintmax_t inlineLimit = kMaxInlineCapture;  // longer text goes to an overflow file
    };

    struct Ended {
        int macroIndex = 0;
        bool quick = false;
        bool programScope = false;
        // The macro text, or why the capture file could not be turned into it (the file is kept).
        std::variant<std::string, CaptureFileError> text;
    };

    // Creates the capture file and, for a timed capture, writes the speed tag.
    std::optional<CaptureFileError> start(const Settings& settings);
    // Appends recorded text. A failure (a full disk) is returned once; the caller ends the
    // capture, and what was written before stays.
    std::optional<CaptureFileError> record(std::string_view text);
    // The end notice: nothing when the capture already ended or never started.
    std::optional<Ended> end(int macroIndex);
    // Back to idle once the end has been handled.
    void reset() { state_ = State::Idle; }
    // Stops without making text: the capture file goes, and the session is idle again.
    void discard();

    State state() const { return state_; }
    const Settings& settings() const { return settings_; }

private:
    State state_ = State::Idle;
    Settings settings_;
    std::optional<CaptureFile> file_;
    bool writeFailed_ = false;
};

// The "Capture Complete" dialog's choice of activation.
enum class MacroType { HotKey, ShortKey, None };

struct Completion {
    MacroType type = MacroType::HotKey;
    int hotKeyCode = -1;  // the selected list entry, -1 none
    std::string shortKeyName;
    std::string nickname;
    bool global = true;
    std::string foregroundProgram;
    bool reservedConfirmed = false;  // the user said Yes to the reserved-hotkey question
};

struct CompletionCheck {
    enum class Kind { Done, Error, AskReserved };
    Kind kind = Kind::Done;
    std::string message;
};

// Checks the dialog's choice and, when it is acceptable, writes it into `record`. `exclusive`
// tells whether a Global, Popup Menu or System macro already uses a hotkey code.
CompletionCheck completeCapture(const Completion& choice, const std::function<bool(int)>& exclusive,
                                TMacroRecord& record);

bool isReservedHotKey(int code);
// The hotkey list entry's use text: "  (Not in Use)", "  (1 macro in use)", "  (n macros in use)".
std::string hotKeyUseText(int count);
// How many macros of the table use each of the 721 hotkey codes.
std::array<int, kHotKeyCount> hotKeyUseCounts(const TActivationTable& table);
// Whether a Global, Popup Menu or System macro of the table uses `code`.
bool exclusiveHotKey(const TActivationTable& table, int code);

// The message after a capture from "Capture Macro" (title "Capture").
std::string completionMessage(const TMacroRecord& record);

}  // namespace orv::capture
