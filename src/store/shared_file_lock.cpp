#include "store/shared_file_lock.h"

namespace orv {

namespace {

constexpr const char* kErrorTitle = "Error";
constexpr const char* kNoticeTitle = "Notice";

}  // namespace

SharedFileLock::SharedFileLock(TAppSettings& settings, const IClock& clock, IUserPrompt& prompt, ISharedFileHost& host)
    : settings_(settings), clock_(clock), prompt_(prompt), host_(host) {}

std::string unsharableFileMessage(const std::string& macroFile) {
    const std::size_t slash = macroFile.rfind('/');
    const std::string name = slash == std::string::npos ? macroFile : macroFile.substr(slash + 1);
    return "The macro file \"" + name +
           "\" cannot be shared in network mode: its lock file would be the macro file itself. Give the file a name "
           "ending in \".ORV\" to share it.";
}

std::string SharedFileLock::syncPath() const {
    return syncFilePath(macroFile_.empty() ? settings_.CurrentFile : macroFile_);
}

void SharedFileLock::fileError(const SyncFile::Result& result) {
    const char* what = result.status == SyncFile::Status::NoAccess ? "opened" : "written";
    prompt_.messageBox(kErrorTitle,
                       "The sync file \"" + syncPath() + "\" could not be " + what + ": " + result.error + ".");
}

void SharedFileLock::macroFileOpened(const std::string& macroFile) {
    macroFile_ = macroFile;
    if (!settings_.NetworkMode) return;
    if (syncPath().empty()) {
        prompt_.messageBox(kErrorTitle, unsharableFileMessage(macroFile));
        return;
    }
    // A brand-new sync file starts at counter 1, free, with the heartbeat in memory.
    SyncRecord initial{1, SyncRecord::kFree, record_.heartbeat};
    SyncFile(syncPath()).read(record_, initial);
    lastSeenCounter_ = record_.counter;
}

SharedFileLock::TakeOutcome SharedFileLock::decideTake(SyncRecord& r, std::uint64_t ticks, double now,
                                                       bool& newHolderSeen) const {
    if (r.state == SyncRecord::kHeld && readableHeartbeat(r.heartbeat)) {
        if (!otherSeen_ || r.heartbeat != otherHeartbeat_) {
            newHolderSeen = true;
            return TakeOutcome::InUse;
        }
        // The same heartbeat as before: the holder is alive until it has stood still for a
        // minute; then its lock is ignored.
        if (ticks - otherSeenAt_ < kTakeoverMs) return TakeOutcome::InUse;
    } else if (r.counter != lastSeenCounter_) {
        return TakeOutcome::Changed;
    }
    r.state = SyncRecord::kHeld;
    r.heartbeat = now;
    return TakeOutcome::Take;
}

bool SharedFileLock::FileInUse() {
    if (!settings_.NetworkMode) return false;
    const std::string path = syncPath();
    if (path.empty()) {
        prompt_.messageBox(kErrorTitle, unsharableFileMessage(macroFile_.empty() ? settings_.CurrentFile : macroFile_));
        return true;
    }

    TakeOutcome outcome = TakeOutcome::Take;
    const std::uint64_t ticks = clock_.tickCount();
    const double now = toDateSerial(clock_.now());
    bool newHolderSeen = false;
    const SyncRecord initial{1, SyncRecord::kFree, record_.heartbeat};
    SyncRecord after = record_;
    const SyncFile::Result result = SyncFile(path).update(
        initial,
        [&](SyncRecord& r, bool) {
            outcome = decideTake(r, ticks, now, newHolderSeen);
            return outcome == TakeOutcome::Take;
        },
        after);
    if (!result.ok()) {
        fileError(result);
        return true;
    }
    record_ = after;
    return actOnTake(outcome, ticks, newHolderSeen);
}

bool SharedFileLock::actOnTake(TakeOutcome outcome, std::uint64_t ticks, bool newHolderSeen) {
    switch (outcome) {
        case TakeOutcome::InUse:
            if (newHolderSeen) {
                otherSeen_ = true;
                otherHeartbeat_ = record_.heartbeat;
                otherSeenAt_ = ticks;
            }
            prompt_.messageBox(kErrorTitle, kMsgFileInUse);
            return true;
        case TakeOutcome::Changed:
            prompt_.messageBox(kNoticeTitle, kMsgFileChanged);
            lastSeenCounter_ = record_.counter;
            host_.reloadSharedMacroFile();
            return true;
        case TakeOutcome::Take:
            break;
    }
    held_ = true;
    ownHeartbeat_ = record_.heartbeat;
    counterAtTake_ = record_.counter;
    host_.setHeartbeatTimer(true);
    return false;
}

void SharedFileLock::ReleaseSyncFile(bool changed) {
    if (!settings_.NetworkMode) return;
    const bool wasHeld = held_;
    held_ = false;
    host_.setHeartbeatTimer(false);
    // Without a lock of its own and without a change there is nothing to tell the others;
    // writing "free" here could release the lock another program holds.
    if (!wasHeld && !changed) return;
    const std::string path = syncPath();
    if (path.empty()) return;

    const int delta = changed ? 1 : 0;
    bool othersChangedToo = false;
    const SyncRecord initial{1, SyncRecord::kFree, record_.heartbeat};
    SyncRecord after = record_;
    const SyncFile::Result result = SyncFile(path).update(
        initial,
        [&](SyncRecord& r, bool created) {
            othersChangedToo = created || r.counter != counterAtTake_;
            r.counter = advanceCounter(r.counter, delta);
            const bool takenOver = r.state == SyncRecord::kHeld && r.heartbeat != ownHeartbeat_;
            if (wasHeld && !takenOver) r.state = SyncRecord::kFree;
            return true;
        },
        after);
    if (!result.ok()) {
        // The lock stays marked as held in the file until the others take it over.
        fileError(result);
        return;
    }
    record_ = after;
    // When someone else also raised the counter (they took over a lock thought stale), leave the
    // seen counter behind so that the next command reloads their change.
    lastSeenCounter_ = othersChangedToo ? advanceCounter(counterAtTake_, delta) : after.counter;
}

bool SharedFileLock::onHeartbeatTimer() {
    if (!settings_.NetworkMode || !held_ || syncPath().empty()) return false;
    const double now = toDateSerial(clock_.now());
    bool renewed = false;
    SyncRecord after = record_;
    const SyncRecord initial{1, SyncRecord::kFree, record_.heartbeat};
    const SyncFile::Result result =
        SyncFile(syncPath())
            .update(
                initial,
                [&](SyncRecord& r, bool created) {
                    if (created || r.state != SyncRecord::kHeld || r.heartbeat != ownHeartbeat_) return false;
                    r.heartbeat = now;
                    renewed = true;
                    return true;
                },
                after);
    if (!result.ok()) return false;
    if (renewed) {
        record_ = after;
        ownHeartbeat_ = after.heartbeat;
    }
    return renewed;
}

bool SharedFileLock::MacroFileChanged() {
    if (!settings_.NetworkMode || syncPath().empty()) return false;
    const SyncRecord initial{1, SyncRecord::kFree, record_.heartbeat};
    SyncFile(syncPath()).read(record_, initial);
    if (record_.counter == lastSeenCounter_) return false;
    lastSeenCounter_ = record_.counter;
    return true;
}

void SharedFileLock::setSyncTimer(bool on) {
    if (on) syncMinutesCounted_ = 0;
    if (on == syncTimerOn_) return;
    syncTimerOn_ = on;
    host_.setSyncTimer(on);
}

void SharedFileLock::startAutoSync() {
    setSyncTimer(settings_.NetworkMode && settings_.AutoSync && settings_.SyncMinutes > 0);
}

void SharedFileLock::onSyncTimer() {
    if (!settings_.NetworkMode || !settings_.AutoSync || settings_.SyncMinutes <= 0) {
        setSyncTimer(false);
        return;
    }
    if (++syncMinutesCounted_ < settings_.SyncMinutes) return;
    syncMinutesCounted_ = 0;
    host_.reloadSharedMacroFile();
}

void SharedFileLock::applyNetworkSettings(bool networkMode, bool autoSync, int syncMinutes) {
    const bool switchedOn = networkMode && !settings_.NetworkMode;
    // Leaving network mode while holding the lock gives it back, so that the others need not
    // wait a minute for it.
    if (!networkMode && held_) ReleaseSyncFile(false);
    settings_.NetworkMode = networkMode;
    settings_.SyncMinutes = syncMinutes;
    settings_.AutoSync = autoSync && syncMinutes > 0;
    const bool wanted = networkMode && settings_.AutoSync;
    if (wanted != syncTimerOn_) setSyncTimer(wanted);
    // The current file may have changed while network mode was off.
    if (switchedOn) macroFileOpened(settings_.CurrentFile);
}

NetworkOptionsModel NetworkOptionsModel::fromSettings(const TAppSettings& settings) {
    NetworkOptionsModel m;
    m.fileLocking = settings.NetworkMode;
    m.autoSync = settings.AutoSync;
    m.minutes = std::to_string(settings.SyncMinutes);
    return m;
}

int NetworkOptionsModel::syncMinutes() const {
    int value = 0;
    for (std::size_t k = 0; k < minutes.size() && k < 2; ++k) {
        if (minutes[k] < '0' || minutes[k] > '9') return 0;
        value = value * 10 + (minutes[k] - '0');
    }
    return minutes.size() > 2 ? 0 : value;
}

}  // namespace orv
