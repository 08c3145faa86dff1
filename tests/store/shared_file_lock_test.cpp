#include "store/shared_file_lock.h"

#include <gtest/gtest.h>

#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <limits>
#include <memory>

#include "platform/fake/fake_clock.h"
#include "platform/fake/fake_user_prompt.h"
#include "support/temp_dir.h"

namespace orv {
namespace {

// The main window's side of the lock: counts reloads and remembers the timers' states.
struct HostRecorder final : ISharedFileHost {
    int reloads = 0;
    bool heartbeatTimer = false;
    bool syncTimer = false;
    void reloadSharedMacroFile() override { ++reloads; }
    void setHeartbeatTimer(bool running) override { heartbeatTimer = running; }
    void setSyncTimer(bool running) override { syncTimer = running; }
};

// One program sharing the macro file: its settings, message boxes and lock.
struct Program {
    Program(const std::string& macroFile, const IClock& clock) {
        settings = std::make_unique<TAppSettings>();
        settings->NetworkMode = true;
        settings->CurrentFile = macroFile;
        lock = std::make_unique<SharedFileLock>(*settings, clock, prompt, host);
        lock->macroFileOpened(macroFile);
    }
    std::string lastMessage() const {
        return prompt.shown().empty() ? "" : prompt.shown().back().title + ": " + prompt.shown().back().text;
    }
    std::unique_ptr<TAppSettings> settings;
    fake::FakeUserPrompt prompt;
    HostRecorder host;
    std::unique_ptr<SharedFileLock> lock;
};

class SharedFileLockTest : public ::testing::Test {
protected:
    SyncRecord onDisk() const {
        const std::string raw = test::readFile(syncFile);
        EXPECT_EQ(raw.size(), SyncRecord::kSize);
        SyncBytes bytes{};
        std::copy_n(raw.begin(), std::min(raw.size(), bytes.size()), bytes.begin());
        return decodeSyncRecord(bytes);
    }

    test::TempDir dir;
    std::string macroFile = dir.file("TEAM.ORV");
    std::string syncFile = dir.file("TEAM.MAS");
    fake::FakeClock clock;
    const std::string inUse = std::string("Error: ") + kMsgFileInUse;
    const std::string changed = std::string("Notice: ") + kMsgFileChanged;
};

TEST_F(SharedFileLockTest, NetworkModeOffNeverTouchesTheDisk) {
    TAppSettings settings;
    settings.CurrentFile = macroFile;
    fake::FakeUserPrompt prompt;
    HostRecorder host;
    SharedFileLock lock(settings, clock, prompt, host);
    lock.macroFileOpened(macroFile);
    EXPECT_FALSE(lock.FileInUse());
    lock.ReleaseSyncFile(true);
    EXPECT_FALSE(lock.MacroFileChanged());
    lock.startAutoSync();
    EXPECT_FALSE(host.syncTimer);
    EXPECT_FALSE(std::filesystem::exists(syncFile));
    EXPECT_TRUE(prompt.shown().empty());
}

TEST_F(SharedFileLockTest, OpeningCreatesAFreeFileAndTakingMarksItHeld) {
    Program a(macroFile, clock);
    EXPECT_EQ(onDisk(), (SyncRecord{1, SyncRecord::kFree, 0}));

    EXPECT_FALSE(a.lock->FileInUse());
    EXPECT_EQ(onDisk(), (SyncRecord{1, SyncRecord::kHeld, toDateSerial(clock.now())}));
    EXPECT_TRUE(a.host.heartbeatTimer);

    clock.advanceMs(SharedFileLock::kHeartbeatMs);
    EXPECT_TRUE(a.lock->onHeartbeatTimer());
    EXPECT_EQ(onDisk().heartbeat, toDateSerial(clock.now()));

    a.lock->ReleaseSyncFile(true);
    EXPECT_EQ(onDisk(), (SyncRecord{2, SyncRecord::kFree, toDateSerial(clock.now())}));
    EXPECT_FALSE(a.host.heartbeatTimer);
    EXPECT_FALSE(a.lock->onHeartbeatTimer());
    EXPECT_TRUE(a.prompt.shown().empty());
}

TEST_F(SharedFileLockTest, HolderIsRespectedWhileBeatingAndTakenOverAfterAMinuteOfSilence) {
    Program a(macroFile, clock);
    Program b(macroFile, clock);
    ASSERT_FALSE(a.lock->FileInUse());

    EXPECT_TRUE(b.lock->FileInUse());
    EXPECT_EQ(b.lastMessage(), inUse);
    // A keeps beating: every new heartbeat restarts B's minute.
    for (int i = 0; i < 4; ++i) {
        clock.advanceMs(30000);
        ASSERT_TRUE(a.lock->onHeartbeatTimer());
        EXPECT_TRUE(b.lock->FileInUse());
    }
    // A dies holding the lock. Within the minute after B first saw the last beat: refused.
    clock.advanceMs(59999);
    EXPECT_TRUE(b.lock->FileInUse());
    EXPECT_EQ(b.prompt.shown().size(), 6u);
    clock.advanceMs(1);
    EXPECT_FALSE(b.lock->FileInUse());
    EXPECT_EQ(onDisk(), (SyncRecord{1, SyncRecord::kHeld, toDateSerial(clock.now())}));

    // A comes back: its heartbeat and its release must not disturb B's lock, though its change
    // is still counted.
    EXPECT_FALSE(a.lock->onHeartbeatTimer());
    a.lock->ReleaseSyncFile(true);
    EXPECT_EQ(onDisk().state, SyncRecord::kHeld);
    EXPECT_EQ(onDisk().counter, 2);
    b.lock->ReleaseSyncFile(true);
    EXPECT_EQ(onDisk(), (SyncRecord{3, SyncRecord::kFree, toDateSerial(clock.now())}));
    // Both saw someone else's change: each reloads before its next command.
    EXPECT_TRUE(a.lock->FileInUse());
    EXPECT_EQ(a.lastMessage(), changed);
    EXPECT_TRUE(b.lock->FileInUse());
    EXPECT_EQ(b.lastMessage(), changed);
}

TEST_F(SharedFileLockTest, ChangeByAnotherUserReloadsOnceAndLeavesTheFileUntouched) {
    Program a(macroFile, clock);
    Program b(macroFile, clock);
    ASSERT_FALSE(a.lock->FileInUse());
    a.lock->ReleaseSyncFile(true);

    const std::string before = test::readFile(syncFile);
    EXPECT_TRUE(b.lock->FileInUse());
    EXPECT_EQ(b.lastMessage(), changed);
    EXPECT_EQ(b.host.reloads, 1);
    EXPECT_EQ(test::readFile(syncFile), before);

    // The repeated command goes ahead.
    EXPECT_FALSE(b.lock->FileInUse());
    EXPECT_EQ(b.host.reloads, 1);
    EXPECT_EQ(b.prompt.shown().size(), 1u);
}

TEST_F(SharedFileLockTest, CancelledEditDoesNotMakeOthersReload) {
    Program a(macroFile, clock);
    Program b(macroFile, clock);
    ASSERT_FALSE(a.lock->FileInUse());
    a.lock->ReleaseSyncFile(false);
    EXPECT_EQ(onDisk().counter, 1);
    EXPECT_FALSE(b.lock->MacroFileChanged());
    EXPECT_FALSE(b.lock->FileInUse());
    EXPECT_TRUE(b.prompt.shown().empty());
}

TEST_F(SharedFileLockTest, ReleaseWithoutHoldingNeverFreesAnotherProgramsLock) {
    Program a(macroFile, clock);
    Program b(macroFile, clock);
    ASSERT_FALSE(a.lock->FileInUse());
    ASSERT_TRUE(b.lock->FileInUse());
    b.lock->ReleaseSyncFile(false);
    EXPECT_EQ(onDisk().state, SyncRecord::kHeld);
    EXPECT_EQ(onDisk().counter, 1);
}

TEST_F(SharedFileLockTest, HotkeyDispatchSeesEachChangeOnce) {
    Program a(macroFile, clock);
    Program b(macroFile, clock);
    EXPECT_FALSE(b.lock->MacroFileChanged());
    ASSERT_FALSE(a.lock->FileInUse());
    a.lock->ReleaseSyncFile(true);
    EXPECT_TRUE(b.lock->MacroFileChanged());
    EXPECT_FALSE(b.lock->MacroFileChanged());
    EXPECT_FALSE(b.lock->FileInUse());
}

TEST_F(SharedFileLockTest, AFileThatWouldBeItsOwnSyncFileIsNeverShared) {
    const std::string content(2 * 5165, 'm');
    test::writeFile(dir.file("other.ORV"), content);
    std::filesystem::create_symlink("other.ORV", dir.file("other.MAS"));
    for (const std::string name : {"XMAS", "notes.MAS", "notes.mas", "other.ORV"}) {
        SCOPED_TRACE(name);
        const std::string file = dir.file(name);
        if (name != "other.ORV") test::writeFile(file, content);
        Program a(file, clock);
        ASSERT_EQ(a.prompt.shown().size(), 1u);
        EXPECT_EQ(a.lastMessage(), "Error: " + unsharableFileMessage(file));
        EXPECT_NE(a.lastMessage().find("cannot be shared in network mode"), std::string::npos);
        EXPECT_TRUE(a.lock->FileInUse());
        EXPECT_EQ(a.prompt.shown().size(), 2u);
        a.lock->ReleaseSyncFile(true);
        EXPECT_FALSE(a.lock->MacroFileChanged());
        EXPECT_FALSE(a.lock->holding());
        EXPECT_EQ(test::readFile(file), content);
    }
    EXPECT_EQ(syncFilePath(dir.file("TEAM.ORV")), dir.file("TEAM.MAS"));
}

TEST_F(SharedFileLockTest, AHeldLockWithAnUnreadableHeartbeatIsTakenAtOnce) {
    const double cases[] = {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(), -1.0,
                            1e300};
    for (const double heartbeat : cases) {
        SCOPED_TRACE(heartbeat);
        const SyncBytes raw = encodeSyncRecord({7, SyncRecord::kHeld, heartbeat});
        test::writeFile(syncFile, std::string(raw.begin(), raw.end()));
        Program b(macroFile, clock);
        EXPECT_FALSE(b.lock->FileInUse());
        EXPECT_EQ(onDisk(), (SyncRecord{7, SyncRecord::kHeld, toDateSerial(clock.now())}));
        b.lock->ReleaseSyncFile(false);
        EXPECT_TRUE(b.prompt.shown().empty());
    }
}

TEST_F(SharedFileLockTest, TheCounterWrapsAtItsLargestValueAndTheLockIsReleased) {
    const SyncBytes raw = encodeSyncRecord({std::numeric_limits<std::int32_t>::max(), SyncRecord::kFree, 0});
    test::writeFile(syncFile, std::string(raw.begin(), raw.end()));
    Program a(macroFile, clock);
    Program b(macroFile, clock);
    ASSERT_FALSE(a.lock->FileInUse());
    a.lock->ReleaseSyncFile(true);
    EXPECT_EQ(onDisk().state, SyncRecord::kFree);
    EXPECT_EQ(onDisk().counter, std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(a.lock->lastSeenCounter(), std::numeric_limits<std::int32_t>::min());
    EXPECT_TRUE(b.lock->MacroFileChanged());
    EXPECT_FALSE(b.lock->FileInUse());
}

TEST_F(SharedFileLockTest, UnwritableSyncFileStopsTheCommandWithAMessage) {
    Program a(dir.file("gone/TEAM.ORV"), clock);
    EXPECT_TRUE(a.lock->FileInUse());
    ASSERT_EQ(a.prompt.shown().size(), 1u);
    EXPECT_EQ(a.prompt.shown()[0].title, "Error");
    EXPECT_NE(a.prompt.shown()[0].text.find("gone/TEAM.MAS"), std::string::npos);
    EXPECT_FALSE(a.lock->holding());
    EXPECT_FALSE(a.host.heartbeatTimer);
}

TEST_F(SharedFileLockTest, AutomaticSynchronisationReloadsEveryIntervalAndZeroSwitchesItOff) {
    Program a(macroFile, clock);
    a.settings->SyncMinutes = 3;
    a.lock->startAutoSync();
    ASSERT_TRUE(a.host.syncTimer);
    for (int minute = 1; minute <= 7; ++minute) a.lock->onSyncTimer();
    EXPECT_EQ(a.host.reloads, 2);

    a.lock->applyNetworkSettings(true, true, 0);
    EXPECT_FALSE(a.settings->AutoSync);
    EXPECT_FALSE(a.host.syncTimer);

    // Switching it on again counts from zero.
    a.lock->applyNetworkSettings(true, true, 2);
    EXPECT_TRUE(a.host.syncTimer);
    a.lock->onSyncTimer();
    EXPECT_EQ(a.host.reloads, 2);
    a.lock->onSyncTimer();
    EXPECT_EQ(a.host.reloads, 3);
}

TEST_F(SharedFileLockTest, SwitchingNetworkModeOnReadsTheSyncFile) {
    TAppSettings settings;
    settings.CurrentFile = macroFile;
    fake::FakeUserPrompt prompt;
    HostRecorder host;
    SharedFileLock lock(settings, clock, prompt, host);
    lock.macroFileOpened(macroFile);
    const SyncBytes raw = encodeSyncRecord(SyncRecord{41, SyncRecord::kFree, 0});
    test::writeFile(syncFile, std::string(raw.begin(), raw.end()));

    // Another file became current while network mode was off: its sync file is the one read.
    lock.macroFileOpened(dir.file("OLD.ORV"));
    settings.CurrentFile = macroFile;
    lock.applyNetworkSettings(true, false, 10);
    EXPECT_EQ(lock.syncPath(), syncFile);
    EXPECT_EQ(lock.lastSeenCounter(), 41);
    EXPECT_FALSE(host.syncTimer);
    EXPECT_FALSE(lock.FileInUse());
    EXPECT_TRUE(prompt.shown().empty());
}

TEST_F(SharedFileLockTest, LeavingNetworkModeWhileHoldingGivesTheLockBack) {
    Program a(macroFile, clock);
    Program b(macroFile, clock);
    ASSERT_FALSE(a.lock->FileInUse());
    a.lock->applyNetworkSettings(false, true, 10);
    EXPECT_FALSE(a.lock->holding());
    EXPECT_FALSE(a.host.heartbeatTimer);
    EXPECT_EQ(onDisk().state, SyncRecord::kFree);
    EXPECT_EQ(onDisk().counter, 1);
    EXPECT_FALSE(b.lock->FileInUse());
}

TEST_F(SharedFileLockTest, NetworkDialogStoresItsValuesHoweverItCloses) {
    Program a(macroFile, clock);
    NetworkOptionsModel model = NetworkOptionsModel::fromSettings(*a.settings);
    EXPECT_TRUE(model.syncEnabled());
    EXPECT_EQ(model.minutes, "10");
    const std::pair<const char*, int> fields[] = {{"15", 15}, {"7", 7}, {"", 0}, {"x", 0}, {"123", 0}};
    for (const auto& [text, minutes] : fields) {
        model.minutes = text;
        EXPECT_EQ(model.syncMinutes(), minutes) << text;
    }
    model.minutes = "";
    model.close(*a.lock);
    EXPECT_EQ(a.settings->SyncMinutes, 0);
    EXPECT_FALSE(a.settings->AutoSync);
    EXPECT_FALSE(a.host.syncTimer);
    model.minutes = "5";
    model.fileLocking = false;
    model.close(*a.lock);
    EXPECT_FALSE(a.settings->NetworkMode);
    EXPECT_FALSE(NetworkOptionsModel::fromSettings(*a.settings).syncEnabled());
    EXPECT_FALSE(a.lock->FileInUse());
    EXPECT_FALSE(a.host.syncTimer);
}

// Several processes hammer the lock at once. Each one that takes it checks that nobody else
// holds it, then releases it as changed: no two holders may ever overlap and no change may be
// lost from the counter.
TEST_F(SharedFileLockTest, RacingProcessesNeverBothHoldTheLock) {
    struct Shared {
        std::atomic<int> holders;
        std::atomic<int> overlaps;
        std::atomic<int> taken;
    };
    void* mem = ::mmap(nullptr, sizeof(Shared), PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0);
    ASSERT_NE(mem, MAP_FAILED);
    auto* shared = new (mem) Shared{};

    { Program creator(macroFile, clock); }
    constexpr int kProcesses = 4;
    constexpr int kTakesEach = 40;
    std::vector<pid_t> children;
    for (int p = 0; p < kProcesses; ++p) {
        const pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            SystemClock realClock;
            Program me(macroFile, realClock);
            int takes = 0;
            const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
            while (takes < kTakesEach && std::chrono::steady_clock::now() < deadline) {
                if (me.lock->FileInUse()) {
                    ::usleep(50);  // let the holder and the others run
                    continue;
                }
                if (shared->holders.fetch_add(1) != 0) shared->overlaps.fetch_add(1);
                ::usleep(100);
                shared->holders.fetch_sub(1);
                ++takes;
                shared->taken.fetch_add(1);
                me.lock->ReleaseSyncFile(true);
            }
            ::_exit(takes == kTakesEach ? 0 : 1);
        }
        children.push_back(pid);
    }
    for (pid_t pid : children) {
        int status = 0;
        ASSERT_EQ(::waitpid(pid, &status, 0), pid);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    EXPECT_EQ(shared->overlaps.load(), 0);
    EXPECT_EQ(shared->taken.load(), kProcesses * kTakesEach);
    EXPECT_EQ(onDisk().counter, 1 + shared->taken.load());
    EXPECT_EQ(onDisk().state, SyncRecord::kFree);
    ::munmap(mem, sizeof(Shared));
}

}  // namespace
}  // namespace orv
