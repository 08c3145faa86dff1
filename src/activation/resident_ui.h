#pragma once

#include <cstdint>
#include <string>

#include "store/macro_record.h"

namespace orv {

// What the resident program asks of its window layer: only the window can show itself, menus
// and the pause window, run the timers and play sounds.
class IResidentUi {
public:
    virtual ~IResidentUi() = default;
    // Shows the main window and brings it to the foreground.
    virtual void bringUpMainWindow() = 0;
    // Shows a popup-menu macro's menu; the chosen macro index, or -1.
    virtual int showPopupMenu(const TMacroRecord& menu) = 0;
    // Closes the pause window as its "&Resume" button would.
    virtual void resumePause() = 0;
    // The tray icon and tooltip of a running or idle program.
    virtual void setRunning(bool running) = 0;
    virtual void startClearTimer() = 0;
    virtual void setScheduleTimer(bool enabled) = 0;
    virtual void setHeartbeatTimer(bool running) = 0;
    virtual void setSyncTimer(bool running) = 0;
    // The macro index changed: refill the list, caption and commands.
    virtual void macrosChanged() = 0;
    virtual void playWaveFile(const std::string& file, bool wait) = 0;
    // A hotkey pressed while a dialog's hotkey field holds the picker: `code` for the field
    // whose window is `window`.
    virtual void pickerHotKey(std::int32_t window, int code) = 0;
    // The recording tray icon ("Macro Is Recording") while a capture runs, the usual one after.
    virtual void setRecording(bool recording) = 0;
    // "Capture Complete" after a capture started with the hotkey: the user gives the captured
    // macro its activation, nickname and scope in `record`. `foregroundProgram` owned the
    // foreground window when the capture ended (the macro's program for "&Program").
    virtual void completeCapture(TMacroRecord& record, const std::string& foregroundProgram) = 0;
    // A capture was saved as macro j: the main window comes up with that macro selected.
    virtual void captureSaved(int j) = 0;
};

}  // namespace orv
