#include "activation/capture_control.h"

#include <unistd.h>

#include "activation/resident_ui.h"
#include "activation/window_macros.h"
#include "platform/clock.h"
#include "platform/hook_library.h"
#include "platform/hotkey_codes.h"
#include "platform/user_prompt.h"
#include "platform/window_system.h"
#include "store/macro_store.h"
#include "store/shared_file_lock.h"

namespace orv {
namespace {

using capture::CaptureFile;
using capture::CaptureFileError;

constexpr const char* kErrorTitle = "Error";
constexpr const char* kCaptureTitle = "Capture";
constexpr int kDefaultStopKey = 263;  // Ctrl+Alt+Shift+X, the system macro's own default

bool realHotKey(int code) { return code >= 0 && code < kHotKeyCount; }

// How "Capture Macro" names a macro's activation.
std::string activationText(const TMacroRecord& r) {
    switch (r.HotKeyCode) {
        case kCodeShortKey:
            return "ShortKey: " + r.ShortKeyText;
        case kCodeTimed:
            return "Timed Macro";
        case kCodeWindowTitle:
            return "Window Title: " + r.WindowTitle;
        case kCodeNone:
            return "None (use later)";
        default:
            return realHotKey(r.HotKeyCode) ? hotKeyName(r.HotKeyCode) : std::string();
    }
}

bool blank(const std::string& text) { return text.find_first_not_of(" \t") == std::string::npos; }

// Whether a Global, Popup Menu or System macro other than j has j's hotkey: then j may not be
// Global itself.
bool hotKeyTakenByOther(const TActivationTable& table, int j, int code) {
    if (!realHotKey(code)) return false;
    for (int k = 1; k <= table.MacroCount(); ++k) {
        const int scope = table.Scope(k);
        if (k != j && table.HotKeyCode(k) == code &&
            (scope == kScopeGlobal || scope == kScopePopupMenu || scope == kScopeSystem))
            return true;
    }
    return false;
}

}  // namespace

int CaptureControl::stopKeyCode() const {
    const TActivationTable& t = s_.table;
    for (int j = 1; j <= t.MacroCount(); ++j)
        if (t.Scope(j) == kScopeSystem && t.WindowTitle(j) == "2" && realHotKey(t.HotKeyCode(j)))
            return t.HotKeyCode(j);
    return kDefaultStopKey;
}

void CaptureControl::startQuick(BrowseMode browse) {
    if (const char* refusal = capture::quickCaptureRefusal(browse != BrowseMode::Off, busy(), s_.table.MacroCount())) {
        s_.prompt.messageBox(kErrorTitle, refusal);
        return;
    }
    if (s_.store.refuseWhenReadOnly() || s_.lock.FileInUse()) return;
    lockHeld_ = false;
    TMacroRecord placeholder = capture::capturePlaceholder();
    placeholder.LastModified = toDateSerial(s_.clock.now());
    if (!s_.store.AppendMacroRecord(placeholder)) {
        release(false);
        return;
    }
    s_.ui.macrosChanged();
    record_ = placeholder;
    macro_ = s_.table.MacroCount();
    newMacro_ = false;
    quick_ = true;

    const capture::CaptureChoices choices = capture::choicesFromSettings(s_.settings);
    if (const std::optional<CaptureFileError> error =
            run({folder_, choices.options, choices.speed, macro_, true, false}, choices.windowSize, std::nullopt)) {
        s_.prompt.messageBox(kErrorTitle, error->message);
        // Nothing can be recorded into the placeholder: it goes again. A removal that fails has
        // been shown by the store; the placeholder then stays for the user to remove.
        static_cast<void>(s_.store.DeleteMacroRecord(macro_));
        s_.ui.macrosChanged();
        release(true);
        return;
    }
    if (choices.prompt) s_.prompt.messageBox("Start Capture", capture::startCaptureNotice(hotKeyName(stopKeyCode())));
    recordingOn();
}

std::optional<capture::CaptureMacroRequest> CaptureControl::begin(const capture::CaptureTarget& target) {
    if (busy()) {
        s_.prompt.messageBox(kErrorTitle, capture::kCaptureRunningRefusal);
        return std::nullopt;
    }
    if (!target.lockHeld && (s_.store.refuseWhenReadOnly() || s_.lock.FileInUse())) return std::nullopt;
    lockHeld_ = target.lockHeld;
    newMacro_ = target.macro == 0;
    if (newMacro_) {
        if (s_.table.MacroCount() >= capture::kMaxMacros) {
            s_.prompt.messageBox(kErrorTitle, capture::kMacroLimitRefusal);
            release(false);
            return std::nullopt;
        }
        record_ = target.record;
        macro_ = s_.table.MacroCount() + 1;
    } else if (!s_.store.ReadMacroRecord(target.macro, record_)) {
        s_.prompt.messageBox(kErrorTitle, "The macro could not be read from the macro file.");
        release(false);
        return std::nullopt;
    } else {
        macro_ = target.macro;
    }
    quick_ = false;
    phase_ = Phase::Asking;
    const bool refuseGlobal = newMacro_ ? target.exclusive : hotKeyTakenByOther(s_.table, macro_, record_.HotKeyCode);
    return requestFor(record_, refuseGlobal);
}

capture::CaptureMacroRequest CaptureControl::requestFor(const TMacroRecord& record, bool refuseGlobal) {
    capture::CaptureMacroRequest request;
    request.stopKeyName = hotKeyName(stopKeyCode());
    if (realHotKey(record.HotKeyCode)) request.ownKeyName = hotKeyName(record.HotKeyCode);
    request.activation = activationText(record);
    if (!newMacro_) request.nickname = record.NickName;
    request.refuseGlobal = refuseGlobal;
    // The program's own windows are no place to capture in.
    const std::int32_t self = static_cast<std::int32_t>(::getpid());
    for (const WindowId w : s_.windows.topLevelWindows()) {
        std::string title = s_.windows.windowTitle(w);
        if (!blank(title) && !s_.windows.isMinimized(w) && s_.windows.windowProcess(w) != self)
            request.windowTitles.push_back(std::move(title));
    }
    return request;
}

Outcome CaptureControl::start(const capture::CaptureMacroChoice& choice) {
    if (phase_ != Phase::Asking) return Outcome::error("There is no capture waiting to start.");
    record_.NickName = choice.nickname.substr(0, TMacroRecord::kNickName);
    record_.Scope = kScopeGlobal;
    record_.WindowTitle.clear();
    record_.TopMostOnly = 0;
    if (newMacro_) record_.Active = 1;
    const capture::CaptureChoices& c = choice.choices;
    // A macro with a hotkey of its own also ends the capture with it.
    const std::optional<int> ownKey =
        realHotKey(record_.HotKeyCode) ? std::optional<int>(record_.HotKeyCode) : std::nullopt;
    if (const std::optional<CaptureFileError> error =
            run({folder_, c.options, c.speed, macro_, false, !c.global}, c.windowSize, ownKey))
        return Outcome::error(error->message);
    // Running, the capture owns the shared-file lock whoever took it: it gives it back when it
    // ends, since the caller that handed it over has long returned by then.
    lockHeld_ = false;
    focusForCapture(choice.window);
    recordingOn();
    return Outcome::ok();
}

void CaptureControl::cancel() {
    if (done_ && phase_ == Phase::Running) {
        recordingOff();
        session_.discard();
        done_ = nullptr;
        lockHeld_ = false;
        phase_ = Phase::Idle;
        return;
    }
    if (phase_ != Phase::Asking) return;
    phase_ = Phase::Idle;
    release(false);
}

Outcome CaptureControl::recordKeys(std::uintmax_t inlineLimit, capture::RecordingDone done) {
    if (busy()) return Outcome::error(capture::kCaptureRunningRefusal);
    capture::CaptureOptions keysOnly;
    keysOnly.mouse = false;
    keysOnly.timing = false;
    keysOnly.doubleAlt = false;
    capture::CaptureSession::Settings settings{folder_, keysOnly, 1, 0, false, false, inlineLimit};
    if (const std::optional<CaptureFileError> error = run(settings, false, std::nullopt))
        return Outcome::error(error->message);
    lockHeld_ = true;
    done_ = std::move(done);
    recordingOn();
    return Outcome::ok();
}

std::string CaptureControl::stopKeyName() const { return hotKeyName(stopKeyCode()); }

std::optional<CaptureFileError> CaptureControl::run(const capture::CaptureSession::Settings& settings, bool windowSize,
                                                    std::optional<int> ownKey) {
    if (std::optional<CaptureFileError> error = session_.start(settings)) return error;
    capture::writeCaptureOptions(s_.table, settings.options, windowSize, settings.macroIndex, stopKeyCode(), ownKey);
    s_.hook.OrvUpCapture(s_.table);
    phase_ = Phase::Running;
    return std::nullopt;
}

void CaptureControl::focusForCapture(const std::string& title) {
    const WindowId w = title.empty() ? s_.windowMacros.lastOtherProgramWindow() : s_.windows.findWindowByTitle(title);
    if (w != 0) s_.windows.setForegroundWindow(w);
}

void CaptureControl::recordingOn() {
    s_.ui.setRecording(true);
    s_.table.setCaptureOn(true);
    s_.hook.OrvUpCaptureOn(s_.table);
}

void CaptureControl::recordingOff() {
    s_.table.setCaptureOn(false);
    s_.hook.OrvUpCaptureOn(s_.table);
    s_.ui.setRecording(false);
}

void CaptureControl::recorded(int, char character) {
    if (phase_ != Phase::Running || character == 0) return;
    const std::optional<CaptureFileError> error = session_.record(std::string_view(&character, 1));
    if (!error) return;
    // A full disk: the capture ends here and keeps what reached the file.
    phase_ = Phase::Ending;
    recordingOff();
    s_.prompt.messageBox(kErrorTitle, error->message + (error->diskFull ? " The disk is full." : "") +
                                          "\n\nThe capture has ended. What was captured up to here is kept.");
    if (std::optional<capture::CaptureSession::Ended> ended = session_.end(macro_)) concluded(std::move(*ended));
}

void CaptureControl::ended(int) {
    if (phase_ != Phase::Running) return;
    phase_ = Phase::Ending;
    recordingOff();
    if (std::optional<capture::CaptureSession::Ended> ended = session_.end(macro_)) concluded(std::move(*ended));
}

// A recording for a caller hands its text over; a capture becomes its macro.
void CaptureControl::concluded(capture::CaptureSession::Ended ended) {
    if (!done_) {
        finish(ended);
        return;
    }
    session_.reset();
    phase_ = Phase::Idle;
    lockHeld_ = false;
    const capture::RecordingDone done = std::move(done_);
    done_ = nullptr;
    done(std::move(ended.text));
}

void CaptureControl::endNow() { ended(macro_); }

void CaptureControl::stopForExit() {
    if (done_) {
        cancel();  // a recording for a caller is no macro to offer at the next start
        return;
    }
    if (phase_ == Phase::Running) recordingOff();
    if (phase_ != Phase::Idle) release(false);
    phase_ = Phase::Idle;
}

void CaptureControl::finish(const capture::CaptureSession::Ended& ended) {
    const std::string program = s_.windowMacros.GetTopProgram();
    session_.reset();
    if (const auto* error = std::get_if<CaptureFileError>(&ended.text)) {
        s_.prompt.messageBox(kErrorTitle, error->message + "\n\nWhat was captured stays in \"" +
                                              CaptureFile::pathIn(folder_) +
                                              "\" and is offered again at the next start.");
        phase_ = Phase::Idle;
        release(quick_);
        return;
    }
    const std::string& text = std::get<std::string>(ended.text);
    TMacroRecord record = record_;
    record.MacroText = text;
    record.LastModified = toDateSerial(s_.clock.now());
    if (quick_) {
        s_.ui.completeCapture(record, program);
    } else if (ended.programScope) {
        capture::applyProgramScope(record, program);
    }
    const bool saved = save(record);
    if (!saved) keepForNextStart(text, "The captured macro could not be saved.");
    phase_ = Phase::Idle;
    if (saved) s_.indexChanged();
    release(saved || quick_);
    if (!saved) return;
    if (!quick_) s_.prompt.messageBox(kCaptureTitle, capture::completionMessage(record));
    s_.ui.captureSaved(macro_);
}

bool CaptureControl::save(TMacroRecord& record) {
    if (!newMacro_) return s_.store.WriteMacroRecord(macro_, record);
    if (!s_.store.AppendMacroRecord(record)) return false;
    macro_ = s_.table.MacroCount();
    return true;
}

void CaptureControl::keepForNextStart(const std::string& text, const std::string& why) {
    auto created = CaptureFile::create(folder_);
    std::string problem;
    if (auto* file = std::get_if<CaptureFile>(&created)) {
        auto written = file->append(text);
        if (auto* error = std::get_if<CaptureFileError>(&written)) problem = error->message;
    } else {
        problem = std::get<CaptureFileError>(created).message;
    }
    if (problem.empty()) {
        s_.prompt.messageBox(kErrorTitle, why + " What was captured is kept in \"" + CaptureFile::pathIn(folder_) +
                                              "\" and is offered again at the next start.");
    } else {
        s_.prompt.messageBox(kErrorTitle, why + " What was captured could not be kept either: " + problem);
    }
}

void CaptureControl::release(bool changed) {
    if (!lockHeld_) s_.lock.ReleaseSyncFile(changed);
    lockHeld_ = false;
}

void CaptureControl::offerLeftover() {
    const auto read = [this](int j) -> std::optional<TMacroRecord> {
        TMacroRecord r;
        if (!s_.store.ReadMacroRecord(j, r)) return std::nullopt;
        return r;
    };
    const std::optional<capture::LeftoverCapture> leftover =
        capture::findLeftoverCapture(folder_, s_.table.MacroCount(), read);
    if (!leftover) return;
    if (const auto* error = std::get_if<CaptureFileError>(&leftover->text)) {
        s_.prompt.messageBox(kErrorTitle, "A capture that did not end was found, but " + error->message);
        return;
    }
    const std::string& text = std::get<std::string>(leftover->text);
    if (text.empty() && leftover->placeholder == 0) return;  // nothing was captured
    const std::string question =
        leftover->placeholder != 0
            ? "A capture did not end before Orvanta 99 stopped. Keep what it captured as the text of macro " +
                  std::to_string(leftover->placeholder) +
                  " \"Capture\"?\n\nNo removes that macro and what was captured."
            : "A capture did not end before Orvanta 99 stopped. Keep what it captured as a new macro \"Capture\" "
              "without an activation?\n\nNo discards what was captured.";
    if (s_.prompt.messageBox(kCaptureTitle, question, PromptButtons::YesNo) != PromptAnswer::Yes) {
        if (leftover->placeholder != 0 && !s_.store.refuseWhenReadOnly() && !s_.lock.FileInUse()) {
            const bool removed = s_.store.DeleteMacroRecord(leftover->placeholder);
            s_.lock.ReleaseSyncFile(removed);
        }
        return;
    }
    if (s_.store.refuseWhenReadOnly() || s_.lock.FileInUse()) {
        keepForNextStart(text, "The macro file cannot be changed now.");
        return;
    }
    const bool saved = saveLeftover(*leftover, text);
    if (!saved) keepForNextStart(text, "The captured macro could not be saved.");
    s_.lock.ReleaseSyncFile(saved);
}

bool CaptureControl::saveLeftover(const capture::LeftoverCapture& leftover, const std::string& text) {
    TMacroRecord record;
    if (leftover.placeholder != 0) {
        if (!s_.store.ReadMacroRecord(leftover.placeholder, record)) return false;
    } else {
        record.NickName = "Capture";
        record.Scope = kScopeGlobal;
        record.TopMostOnly = 1;
        record.HotKeyCode = kCodeNone;
        record.Active = 1;
    }
    record.MacroText = text;
    record.LastModified = toDateSerial(s_.clock.now());
    if (leftover.placeholder != 0) return s_.store.WriteMacroRecord(leftover.placeholder, record);
    if (s_.table.MacroCount() >= capture::kMaxMacros) {
        s_.prompt.messageBox(kErrorTitle, capture::kMacroLimitRefusal);
        return false;
    }
    return s_.store.AppendMacroRecord(record);
}

}  // namespace orv
