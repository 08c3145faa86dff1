#pragma once

#include <functional>
#include <optional>
#include <string>

#include "activation/command_line.h"
#include "capture/capture_request.h"
#include "capture/capture_session.h"
#include "platform/activation_table.h"
#include "platform/outcome.h"
#include "store/app_settings.h"
#include "store/macro_record.h"

namespace orv {

class IClock;
class IHookLibrary;
class IResidentUi;
class IUserPrompt;
class IWindowSystem;
class MacroStore;
class SharedFileLock;
class WindowMacros;

// One capture of the resident program from its start to the saved macro: started with the
// "Start / Stop Capture" hotkey (a new macro, named in "Capture Complete") or from "Capture
// Macro" (an existing macro, or a new one Add Macro set up). The hook library records; this
// appends what it sends to the capture file, and at the end turns the file into the macro's
// text and writes the macro under the shared-file lock. A capture file left by a program that
// stopped during a capture is offered at the next start.
class CaptureControl {
public:
    struct Services {
        TActivationTable& table;
        TAppSettings& settings;
        MacroStore& store;
        SharedFileLock& lock;
        IHookLibrary& hook;
        IUserPrompt& prompt;
        IWindowSystem& windows;
        WindowMacros& windowMacros;
        const IClock& clock;
        IResidentUi& ui;
        // After a macro was saved: hotkeys, ShortKeys, the schedule and the window's list.
        std::function<void()> indexChanged;
    };

    // `folder`: the program folder, where the capture file and the overflow files live.
    CaptureControl(Services services, std::string folder) : s_(std::move(services)), folder_(std::move(folder)) {}

    // A capture runs, or its dialog or its end is being handled.
    bool busy() const { return phase_ != Phase::Idle; }

    // The "Start / Stop Capture" hotkey: a new placeholder macro, recorded until the stop key.
    void startQuick(BrowseMode browse);
    // "Capture Macro": what the dialog shows for `target`; nothing when it may not open.
    std::optional<capture::CaptureMacroRequest> begin(const capture::CaptureTarget& target);
    Outcome start(const capture::CaptureMacroChoice& choice);
    // Cancels a "Capture Macro" that has not started, or a keyboard recording without its text.
    void cancel();
    // A keyboard-only recording whose text goes to `done` instead of into a macro: no mouse, no
    // timing, ended by the stop key or the recording tray icon like any capture. The caller keeps
    // the shared-file lock. Refused while another capture runs or without a capture file.
    Outcome recordKeys(std::uintmax_t inlineLimit, capture::RecordingDone done);
    // The hot key that ends a capture, by name.
    std::string stopKeyName() const;

    // The hook library's recorded character and its end notice (only the first end counts).
    void recorded(int macro, char character);
    void ended(int macro);
    // The recording tray icon's right click: the end as the stop key gives it.
    void endNow();
    // The program ends during a capture: the recording stops, and the capture file and the
    // placeholder stay for the next start to offer.
    void stopForExit();

    // At start-up: a capture file left behind is offered to the user as the macro it was for.
    void offerLeftover();

private:
    enum class Phase { Idle, Asking, Running, Ending };

    int stopKeyCode() const;
    capture::CaptureMacroRequest requestFor(const TMacroRecord& record, bool refuseGlobal);
    // Creates the capture file and hands the options, the stop key and `ownKey` to the library.
    std::optional<capture::CaptureFileError> run(const capture::CaptureSession::Settings& settings, bool windowSize,
                                                 std::optional<int> ownKey);
    void focusForCapture(const std::string& title);
    void recordingOn();
    void recordingOff();
    void concluded(capture::CaptureSession::Ended ended);
    void finish(const capture::CaptureSession::Ended& ended);
    bool save(TMacroRecord& record);
    void keepForNextStart(const std::string& text, const std::string& why);
    void release(bool changed);
    bool saveLeftover(const capture::LeftoverCapture& leftover, const std::string& text);

    Services s_;
    std::string folder_;
    Phase phase_ = Phase::Idle;
    capture::CaptureSession session_;
    TMacroRecord record_;  // the macro being captured into
    int macro_ = 0;        // its number; for a new macro the number it will get
    bool newMacro_ = false;
    bool quick_ = false;
    bool lockHeld_ = false;        // the caller of begin() still owns the lock (until the capture starts)
    capture::RecordingDone done_;  // set while a keyboard recording for a caller runs
};

}  // namespace orv
