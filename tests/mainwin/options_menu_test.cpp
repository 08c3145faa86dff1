#include "mainwin/options_menu.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <utility>
#include <vector>

#include "dialogs/dialog_model.h"
#include "platform/fake/fake_clock.h"
#include "platform/fake/fake_dialog_queries.h"
#include "platform/fake/fake_user_prompt.h"
#include "store/settings.h"
#include "store/sync_file.h"
#include "support/temp_dir.h"

namespace orv {
namespace {

using Fields = std::vector<std::pair<std::string, std::string>>;

// The main window as the user drives it: the edits made in "Network Considerations", and for a
// model's dialog the fields typed before each "&Ok" (the dialog is cancelled once they run out).
struct UserAtWindow final : IOptionsWindow {
    std::function<void(NetworkOptionsModel&)> networkEdits = [](NetworkOptionsModel&) {};
    std::vector<Fields> oks;

    NetworkOptionsModel networkShown;
    Fields dialogShown;  // the dialog's fields as it opened
    std::string caption;
    std::vector<std::string> messages;
    std::vector<int> intervals;
    int captionRedraws = 0;

    void showNetworkDialog(NetworkOptionsModel& model) override {
        networkShown = model;
        networkEdits(model);
    }
    bool showDialog(dialogs::DialogModel& model, const dialogs::DialogEnv& env) override {
        caption = model.caption();
        for (const auto& def : model.fields()) dialogShown.emplace_back(def.name, model.get(def.name));
        for (const Fields& typed : oks) {
            for (const auto& [name, value] : typed) EXPECT_TRUE(model.set(name, value)) << name << "=" << value;
            const dialogs::Outcome outcome = model.check(env);
            if (outcome.accepted) return true;
            messages.push_back(outcome.failure.title + ": " + outcome.failure.message);
        }
        return false;
    }
    void setScheduleInterval(int seconds) override { intervals.push_back(seconds); }
    void showDateChanged() override { ++captionRedraws; }

    std::string shown(const std::string& name) const {
        for (const auto& [n, v] : dialogShown)
            if (n == name) return v;
        return "<missing>";
    }
};

struct SyncTimerRecorder final : ISharedFileHost {
    int reloads = 0;
    bool syncTimer = false;
    void reloadSharedMacroFile() override { ++reloads; }
    void setHeartbeatTimer(bool) override {}
    void setSyncTimer(bool running) override { syncTimer = running; }
};

// The program's side: the configuration file in `paths` and the real shared-file lock.
struct ProgramSettings final : IProgramSettings {
    ProgramSettings(TAppSettings& s, ProgramPaths& p, SharedFileLock& l) : settings(s), paths(p), lock(l) {}
    void saveSettings() override { EXPECT_TRUE(SaveSettings(settings, paths)); }
    void applyNetworkOptions(const NetworkOptionsModel& model) override { model.close(lock); }
    TAppSettings& settings;
    ProgramPaths& paths;
    SharedFileLock& lock;
};

class OptionsMenuTest : public ::testing::Test {
protected:
    OptionsMenuTest() {
        settings.CurrentFile = dir.file("TEAM.ORV");
        test::writeFile(settings.CurrentFile, "");
        files.addFile("/sounds/ding.wav");
        files.addFile("/sounds/gong.wav");
    }
    // The configuration as the next start of the program reads it.
    TAppSettings saved() const {
        TAppSettings s;
        LoadSettings(s, paths);
        return s;
    }
    bool configWritten() const { return std::filesystem::exists(paths.iniFile()); }

    test::TempDir dir;
    ProgramPaths paths{dir.file("prog"), dir.path().string()};
    TAppSettings settings;
    fake::FakeClock clock;
    fake::FakeUserPrompt prompt;
    fake::FakeDialogFiles files;
    SyncTimerRecorder host;
    SharedFileLock lock{settings, clock, prompt, host};
    ProgramSettings program{settings, paths, lock};
    UserAtWindow window;
    OptionsMenu menu{settings, program, files, window};
};

TEST_F(OptionsMenuTest, NetworkDialogStoresStartsAndSavesHoweverItIsLeft) {
    struct Case {
        const char* name;
        bool networkBefore, autoSyncBefore;
        bool locking, autoSync;
        const char* minutes;
        bool networkAfter, autoSyncAfter;
        int minutesAfter;
        bool timer;
    };
    const Case cases[] = {
        {"switched on", false, true, true, true, "5", true, true, 5, true},
        {"interval 0 switches sync off", true, true, true, true, "0", true, false, 0, false},
        {"empty interval is 0", true, true, true, true, "", true, false, 0, false},
        {"sync unticked", true, true, true, false, "15", true, false, 15, false},
        {"locking off stops sync", true, true, false, true, "10", false, true, 10, false},
        {"left as it was", true, false, true, false, "10", true, false, 10, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        settings.NetworkMode = c.networkBefore;
        settings.AutoSync = c.autoSyncBefore;
        settings.SyncMinutes = 10;
        lock.startAutoSync();
        window.networkEdits = [&c](NetworkOptionsModel& m) {
            m.fileLocking = c.locking;
            m.autoSync = c.autoSync;
            m.minutes = c.minutes;
        };
        menu.MenuNetworkClick();
        EXPECT_EQ(window.networkShown.fileLocking, c.networkBefore);
        EXPECT_EQ(window.networkShown.autoSync, c.autoSyncBefore);
        EXPECT_EQ(window.networkShown.minutes, "10");
        EXPECT_EQ(settings.NetworkMode, c.networkAfter);
        EXPECT_EQ(settings.AutoSync, c.autoSyncAfter);
        EXPECT_EQ(settings.SyncMinutes, c.minutesAfter);
        EXPECT_EQ(host.syncTimer, c.timer);
        EXPECT_EQ(lock.syncTimerRunning(), c.timer);
        const TAppSettings s = saved();
        EXPECT_EQ(s.NetworkMode, c.networkAfter);
        EXPECT_EQ(s.AutoSync, c.autoSyncAfter);
        EXPECT_EQ(s.SyncMinutes, c.minutesAfter);
    }
}

TEST_F(OptionsMenuTest, SwitchingNetworkModeOnTakesTheSyncFilesCounterAsSeen) {
    const SyncBytes raw = encodeSyncRecord(SyncRecord{17, SyncRecord::kFree, 0});
    test::writeFile(dir.file("TEAM.MAS"), std::string(raw.begin(), raw.end()));
    window.networkEdits = [](NetworkOptionsModel& m) { m.fileLocking = true; };
    menu.MenuNetworkClick();
    EXPECT_EQ(lock.syncPath(), dir.file("TEAM.MAS"));
    EXPECT_EQ(lock.lastSeenCounter(), 17);
    // Having seen the counter, the next change goes ahead without a reload.
    EXPECT_FALSE(lock.FileInUse());
    EXPECT_EQ(host.reloads, 0);
    EXPECT_TRUE(prompt.shown().empty());
    lock.ReleaseSyncFile(false);
}

TEST_F(OptionsMenuTest, TimerIntervalEditsTimerSecondsInTheDelayDialogsTimerMode) {
    settings.TimerSeconds = 25;
    window.oks = {{{"frequency", "0"}}, {{"frequency", "61"}}, {{"frequency", "45"}}};
    menu.timerInterval();
    EXPECT_EQ(window.caption, "Set Delay");
    EXPECT_EQ(window.shown("mode"), "timer");
    EXPECT_EQ(window.shown("frequency"), "25");
    EXPECT_EQ(window.messages, (std::vector<std::string>{"Error: Value must be between 1 and 60.",
                                                         "Error: Value must be between 1 and 60."}));
    EXPECT_EQ(settings.TimerSeconds, 45);
    EXPECT_EQ(window.intervals, std::vector<int>{45});
    EXPECT_EQ(saved().TimerSeconds, 45);
}

TEST_F(OptionsMenuTest, CancelledDialogsChangeAndSaveNothing) {
    settings.TimerSeconds = 25;
    settings.UseWaveFile = true;
    settings.WaveFile = "/sounds/ding.wav";
    window.oks = {{{"frequency", "99"}}};
    menu.timerInterval();
    window.oks = {{{"kind", "wave"}, {"file", "/sounds/none.wav"}}};
    menu.alarm();
    window.oks = {};
    menu.alarm();
    EXPECT_EQ(settings.TimerSeconds, 25);
    EXPECT_TRUE(settings.UseWaveFile);
    EXPECT_EQ(settings.WaveFile, "/sounds/ding.wav");
    EXPECT_TRUE(window.intervals.empty());
    EXPECT_FALSE(configWritten());
}

TEST_F(OptionsMenuTest, AlarmEditsTheSchedulersSoundInTheSoundDialogsAlarmMode) {
    settings.UseWaveFile = true;
    settings.WaveFile = "/sounds/ding.wav";
    settings.WaveFileWait = true;

    window.oks = {{{"file", "/sounds/missing.wav"}}, {{"file", "/sounds/gong.wav"}, {"wait", "0"}}};
    menu.alarm();
    EXPECT_EQ(window.caption, "Set Sound");
    EXPECT_EQ(window.shown("mode"), "alarm");
    EXPECT_EQ(window.shown("kind"), "wave");
    EXPECT_EQ(window.shown("file"), "/sounds/ding.wav");
    EXPECT_EQ(window.shown("wait"), "1");
    EXPECT_EQ(window.messages, std::vector<std::string>{"Error: Specified WAV File does not exist.  Please correct."});
    TAppSettings s = saved();
    EXPECT_TRUE(s.UseWaveFile);
    EXPECT_EQ(s.WaveFile, "/sounds/gong.wav");
    EXPECT_FALSE(s.WaveFileWait);

    // A beep as the alarm plays no wave file before timed macros.
    window = UserAtWindow{};
    window.oks = {{{"kind", "beep"}}};
    menu.alarm();
    EXPECT_EQ(window.shown("file"), "/sounds/gong.wav");
    s = saved();
    EXPECT_FALSE(s.UseWaveFile);
    EXPECT_FALSE(settings.UseWaveFile);
}

TEST_F(OptionsMenuTest, TogglesFlipTheirSettingAndSaveIt) {
    settings.ShowDate = false;
    settings.DisableScreenSaver = true;
    for (const bool expected : {true, false}) {
        EXPECT_EQ(menu.toggleShowDate(), expected);
        EXPECT_EQ(settings.ShowDate, expected);
        EXPECT_EQ(saved().ShowDate, expected);
    }
    EXPECT_EQ(window.captionRedraws, 2);
    for (const bool expected : {false, true}) {
        EXPECT_EQ(menu.toggleDisableScreenSaver(), expected);
        EXPECT_EQ(saved().DisableScreenSaver, expected);
    }
    EXPECT_EQ(window.captionRedraws, 2);
    EXPECT_TRUE(window.intervals.empty());
}

}  // namespace
}  // namespace orv
