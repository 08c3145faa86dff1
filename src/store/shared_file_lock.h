#pragma once

#include <cstdint>
#include <string>

#include "platform/clock.h"
#include "platform/user_prompt.h"
#include "store/app_settings.h"
#include "store/sync_file.h"

namespace orv {

inline constexpr const char* kMsgFileInUse = "Macro File in use by another user.  Please try again later.";
// Network mode with a macro file whose sync file would be the file itself.
std::string unsharableFileMessage(const std::string& macroFile);
inline constexpr const char* kMsgFileChanged =
    "Macro File has changed by another user.  Changed macro file will be reloaded after clicking \"ok\".";

// What the shared-file lock needs from the main window.
class ISharedFileHost {
public:
    virtual ~ISharedFileHost() = default;
    // Reload after another user changed the file: menu tray icons, macro index, key remapping,
    // list (keeping the selected row), hotkeys, macro commands, schedule, menu tray icons.
    virtual void reloadSharedMacroFile() = 0;
    // Starts or stops the heartbeat timer (every kHeartbeatMs, calls onHeartbeatTimer).
    virtual void setHeartbeatTimer(bool running) = 0;
    // Starts or stops the synchronisation timer (every kSyncTimerMs, calls onSyncTimer).
    virtual void setSyncTimer(bool running) = 0;
};

// Guards changes of a macro file shared by several programs, through the sync file beside it.
// In network mode every change is bracketed by FileInUse / ReleaseSyncFile; the change counter
// in the sync file tells the others to reload. Outside network mode nothing here touches the
// disk.
//
// The lock's test-and-set is one read-modify-write under an exclusive record lock of the sync
// file (see SyncFile), so two programs never both take it. The one-minute takeover of a holder
// whose heartbeat stopped is measured on the monotonic tick count, so clock changes (daylight
// saving, a user setting the time) neither shorten nor stretch it; a heartbeat that is no moment
// at all (NaN, out of range) counts as stopped. A program writes the state "free" only over its
// own lock, never over one that another program took over meanwhile.
//
// A macro file that would be its own sync file (see syncFilePath) is never shared: in network
// mode opening it says so, and every change of it is refused.
class SharedFileLock {
public:
    static constexpr int kHeartbeatMs = 30000;
    static constexpr int kSyncTimerMs = 60000;
    static constexpr std::uint64_t kTakeoverMs = 60000;

    SharedFileLock(TAppSettings& settings, const IClock& clock, IUserPrompt& prompt, ISharedFileHost& host);

    // A macro file was opened or created (or another one loaded by a macro): in network mode,
    // derives its sync file and reads it, taking its counter as seen.
    void macroFileOpened(const std::string& macroFile);

    // Before a change of the macro file. True when the change must not go ahead (the user has
    // been told why); false after taking the lock, or at once outside network mode.
    bool FileInUse();
    // After the command, whether it changed the file (`changed`) or was cancelled.
    void ReleaseSyncFile(bool changed);
    // The heartbeat timer's tick: renews the heartbeat of the lock this program holds. False when
    // there is nothing to renew (not holding, the lock was taken over, the file unwritable).
    bool onHeartbeatTimer();

    // Before a hotkey runs: true when another program changed the file since this one last saw
    // it (the caller reloads); the new counter is then taken as seen.
    bool MacroFileChanged();

    // Start-up: starts the synchronisation timer when network mode and automatic
    // synchronisation are on with a non-zero interval, counting from 0.
    void startAutoSync();
    // The synchronisation timer's tick (every minute); reloads every "Sync Minutes" ticks.
    void onSyncTimer();
    // The network settings dialog was closed: stores the values (an interval of 0 switches
    // synchronisation off), starts or stops the synchronisation timer and, when network mode
    // was switched on, reads the sync file.
    void applyNetworkSettings(bool networkMode, bool autoSync, int syncMinutes);

    bool holding() const { return held_; }
    bool syncTimerRunning() const { return syncTimerOn_; }
    std::int32_t lastSeenCounter() const { return lastSeenCounter_; }
    const SyncRecord& record() const { return record_; }
    std::string syncPath() const;

private:
    enum class TakeOutcome { Take, InUse, Changed };
    // What the sync record `r` allows: taking the lock (then `r` holds it), another program's
    // lock in use (`newHolderSeen` when its heartbeat is new) or a change to reload first.
    TakeOutcome decideTake(SyncRecord& r, std::uint64_t ticks, double now, bool& newHolderSeen) const;
    // Tells the user and updates the state after the sync file was read as `record_`; true when
    // the change must not go ahead.
    bool actOnTake(TakeOutcome outcome, std::uint64_t ticks, bool newHolderSeen);
    void setSyncTimer(bool on);
    void fileError(const SyncFile::Result& result);

    TAppSettings& settings_;
    const IClock& clock_;
    IUserPrompt& prompt_;
    ISharedFileHost& host_;

    std::string macroFile_;
    SyncRecord record_;  // as last read or written
    std::int32_t lastSeenCounter_ = 0;
    bool otherSeen_ = false;
    double otherHeartbeat_ = 0;      // another holder's heartbeat as last seen
    std::uint64_t otherSeenAt_ = 0;  // tick count when that heartbeat was first seen
    bool held_ = false;
    double ownHeartbeat_ = 0;  // the heartbeat this program last wrote as holder
    std::int32_t counterAtTake_ = 0;
    int syncMinutesCounted_ = 0;
    bool syncTimerOn_ = false;
};

// The "Network Considerations" dialog as fields: "&File Locking of Macro Files",
// "&Automatic Synchronization Updating" and "Synchronize every" N "minutes".
struct NetworkOptionsModel {
    bool fileLocking = false;
    bool autoSync = true;
    std::string minutes;  // the field's text, at most 2 digits

    static NetworkOptionsModel fromSettings(const TAppSettings& settings);
    // The synchronisation choices are enabled only with file locking on.
    bool syncEnabled() const { return fileLocking; }
    // The interval the field holds: its digits, 0 when it holds none.
    int syncMinutes() const;
    // However the dialog is closed, the three values are stored through the lock (which starts
    // or stops the synchronisation timer and reads the sync file when locking was switched on).
    void close(SharedFileLock& lock) const { lock.applyNetworkSettings(fileLocking, autoSync, syncMinutes()); }
};

}  // namespace orv
