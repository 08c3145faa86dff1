#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <variant>
#include <vector>

#include "capture/capture_defaults.h"
#include "capture/capture_file.h"
#include "store/macro_record.h"

namespace orv::capture {

// The macro a "Capture Macro" dialog captures into: an existing macro of the open file
// (Recapture), or a new one whose activation Add Macro has just set up and which is appended
// when the capture ends.
struct CaptureTarget {
    int macro = 0;           // the existing macro; 0 for a new one
    TMacroRecord record;     // the new macro as set up so far
    bool exclusive = false;  // a Global, Popup Menu or System macro has its hotkey: no "&Global"
    // The caller holds the shared-file lock: it keeps it when the capture is cancelled before it
    // starts, and hands it to the capture, which releases it at its end, once it runs.
    bool lockHeld = false;
};

// What "Capture Macro" shows for one macro.
struct CaptureMacroRequest {
    std::string stopKeyName;  // the "Start / Stop Capture" hot key
    std::string ownKeyName;   // the macro's own hot key, empty when it has none (a ShortKey)
    std::string activation;   // the macro's activation as the list shows it
    std::string nickname;     // of an existing macro; empty for a new one
    bool refuseGlobal = false;
    std::vector<std::string> windowTitles;  // the visible top-level windows
};

// "&Start Capture": the options of this capture, the nickname and where to start.
struct CaptureMacroChoice {
    CaptureChoices choices;
    std::string nickname;
    std::string window;  // the title to start capturing in; empty for the last active window
};

// A keyboard-only recording made for a caller rather than for a macro: its text (a
// "<TFILE:...>" reference when longer than the caller's limit), or why the capture file could
// not be turned into text.
using RecordedText = std::variant<std::string, CaptureFileError>;
using RecordingDone = std::function<void(RecordedText)>;

}  // namespace orv::capture
