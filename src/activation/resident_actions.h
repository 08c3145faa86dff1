#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "activation/keyboard_hooks.h"
#include "activation/scheduler.h"
#include "activation/system_keys.h"
#include "capture/capture_request.h"
#include "platform/activation_table.h"
#include "platform/outcome.h"
#include "remap/remapper_model.h"
#include "store/macro_record.h"
#include "store/popup_menu_removal.h"

namespace orv {

struct NetworkOptionsModel;
struct ShortKeyOptionsModel;

// Where a dialog's hotkey field takes the pressed hotkeys from.
class IHotkeyPickerHost {
public:
    virtual ~IHotkeyPickerHost() = default;
    // The field whose window is `window` takes (on) or gives back (off) the pressed hotkeys:
    // while it holds them they come to that window as codes instead of running macros.
    virtual void SetSecWind(std::int32_t window, bool on) = 0;
};

// The program's settings as the Options menu changes them.
class IProgramSettings {
public:
    virtual ~IProgramSettings() = default;
    // Writes the configuration file.
    virtual void saveSettings() = 0;
    // Stores the network options through the shared-file lock, which starts or stops the
    // synchronisation and reads the sync file when locking was switched on.
    virtual void applyNetworkOptions(const NetworkOptionsModel& model) = 0;
};

// The open macro file as the window's commands change it, record by record. A change is made
// between lockSharedFile() (false: another user has the shared file in use, nothing may change)
// and releaseSharedFile(), which tells the other users whether the file changed. The index is
// read-only here: it follows the records.
class IMacroFile {
public:
    virtual ~IMacroFile() = default;
    virtual const TActivationTable& index() const = 0;
    [[nodiscard]] virtual bool readMacroRecord(int j, TMacroRecord& record) const = 0;
    [[nodiscard]] virtual bool writeMacroRecord(int j, TMacroRecord& record) = 0;
    [[nodiscard]] virtual bool appendMacroRecord(TMacroRecord& record) = 0;
    // Appends `records` as new macros in one atomic replace of the file: afterwards the file
    // holds all of them or, when the write failed (said so), none.
    [[nodiscard]] virtual bool appendMacroRecords(std::vector<TMacroRecord>& records) = 0;
    [[nodiscard]] virtual bool setMacroActive(int j, bool active) = 0;
    // What removing macro j does to the popup menus, and the removal itself.
    virtual MacroRemovalPlan planRemoval(int j) const = 0;
    [[nodiscard]] virtual bool removeMacro(int j, const MacroRemovalPlan& plan) = 0;
    // True, after saying so, when the file is read-only and may not change.
    virtual bool refuseWhenReadOnly() = 0;
    [[nodiscard]] virtual bool lockSharedFile() = 0;
    virtual void releaseSharedFile(bool changed) = 0;
};

// What the main window may ask of the resident program. Each request is one whole user action
// with the refreshes it needs; the window hears of a changed index through
// IResidentUi::macrosChanged. The window never reaches the program's engine, store, table or
// shared-file lock: a new command of the window becomes a new request here.
class IResidentActions : public IHotkeyPickerHost, public IProgramSettings, public IKeyboardHooks {
public:
    // --- what the window shows ---
    virtual BrowseMode browseMode() const = 0;
    virtual bool macroPlaying() const = 0;
    virtual bool macroPaused() const = 0;
    virtual bool popupMenuShowing() const = 0;
    // The folder of the macros' icon files.
    virtual std::string iconsDir() const = 0;
    // The open file: its index and its records.
    virtual IMacroFile& macroFile() = 0;
    // Why the open macro file is kept read-only (damaged or unreadable), or empty.
    virtual const std::string& macroFileReadOnlyReason() const = 0;

    // --- the window's timers ---
    virtual void onScheduleTimer() = 0;
    virtual void onStartupTimer() = 0;
    virtual void onClearTimer() = 0;
    virtual void onHeartbeatTimer() = 0;
    virtual void onSyncTimer() = 0;

    // --- user actions ---
    // Ends the playing macro (the tray icon's right click during playback).
    virtual void abortMacro() = 0;
    // Brings up the main window unless a pause, a popup menu or a recording is in the way.
    virtual void ActivateMe() = 0;
    // A right click on the tray icon of popup menu j: the menu opens as its hotkey would open it
    // (refused the same way while another menu or a capture is on), and the focus goes back to
    // the window that was in front before the click.
    virtual void openTrayMenu(int j) = 0;
    // Makes `path` the current macro file and loads it (open, new and recent files).
    virtual void openMacroFile(const std::string& path) = 0;
    // After the records or an activation setting changed: hotkeys, ShortKeys, the schedule and
    // the window's list.
    virtual void indexChanged() = 0;
    // "&Place On Desktop" for macro j: a desktop entry in `desktopDir` that runs `programPath`
    // with "/A" and the nickname. The output is the message to show.
    virtual Outcome placeOnDesktop(int j, const std::string& desktopDir, const std::string& programPath) = 0;
    // "&Ok" of ShortKey Options: stores and saves the options (the matcher takes them at once),
    // or refuses an invalid prefix.
    virtual Outcome applyShortKeyOptions(const ShortKeyOptionsModel& model) = 0;
    // "System Hot Keys": the dialog's model, and its "&Ok" (rewrites the system macros whose
    // hotkey changed, stores and saves the menu choice).
    virtual SystemKeysModel systemKeys() const = 0;
    virtual Outcome applySystemKeys(const SystemKeysModel& model) = 0;
    // "&Remap": the remapper over the current tables, read-only in the browse modes; nothing when
    // another user has the shared macro file in use (said so).
    virtual std::optional<remap::RemapperModel> beginRemap() = 0;
    // The remapper closed: changed tables are saved and the keys follow them at once; the shared
    // file is released, marked changed when they changed.
    virtual void endRemap(const remap::RemapperModel& model) = 0;
    // "Restore &Keyboard Hooks" and "Restore &Mouse Hooks": on Yes to their question, the hook is
    // installed again; the keyboard's also applies the remap again.
    virtual void restoreKeyboardHooks() = 0;
    virtual void restoreMouseHooks() = 0;

    // --- capture ---
    // A capture runs, or its "Capture Macro" dialog or its end is being handled.
    virtual bool captureRunning() const = 0;
    // "Capture Macro" for `target`: what the dialog shows, after taking the shared-file lock
    // (unless the caller holds it); nothing when the capture may not start (said so).
    virtual std::optional<capture::CaptureMacroRequest> beginCapture(const capture::CaptureTarget& target) = 0;
    // "&Start Capture": the capture runs from now on into the focused window; refused when the
    // capture file cannot be created.
    virtual Outcome startCapture(const capture::CaptureMacroChoice& choice) = 0;
    // The dialog closed without starting: the lock taken for it is given back. A keyboard
    // recording (below) stops without its text.
    virtual void cancelCapture() = 0;
    // Ends the running capture as its stop key does (the recording tray icon's right click).
    virtual void endCapture() = 0;
    // A keyboard-only recording whose text goes to `done` (the sweepstakes wizard's): ended by the
    // capture stop key or the recording tray icon; text longer than `inlineLimit` bytes goes to
    // an overflow file. The caller keeps the shared-file lock.
    virtual Outcome recordKeys(std::uintmax_t inlineLimit, capture::RecordingDone done) = 0;
    // The hot key that ends a capture or a recording, by name.
    virtual std::string captureStopKeyName() const = 0;
    // --- the editors (the keyboard hook is off while one is open: IKeyboardHooks) ---
    // After an editor saved: what was typed so far no longer counts towards a ShortKey.
    virtual void clearShortKeyBuffer() = 0;
    // The titles of the desktop's windows, topmost first, or the names of the running programs,
    // for the editors' "Select".
    virtual std::vector<std::string> windowTitleList() = 0;
    virtual std::vector<std::string> programNameList() = 0;
    // Whether dial-up networking exists on this machine.
    virtual bool dialUpAvailable() const = 0;
};

}  // namespace orv
