// The printer list of the command dialogs from a real print server: a private cupsd with two
// printers, started and stopped by scripts/cups-session.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "platform/x11/run_program.h"
#include "platform/x11/x11_desktop_queries.h"
#include "platform/x11/x11_desktop_settings.h"
#include "x11_test_support.h"

namespace orv::x11 {
namespace {

class CupsQueriesTest : public ::testing::Test {
protected:
    void SetUp() override {
        ORV_NEED_DISPLAY();
        dir_ = std::string(std::getenv("ORVANTA_HOME")) + "/cups";
        const ProgramOutcome started = session({"start", dir_, "Test_Laser", "Office_Ink"});
        if (started.exitCode == 77) GTEST_SKIP() << "no print server on this machine";
        ASSERT_EQ(started.exitCode, 0) << "the private print server did not start";
        running_ = true;
        ::setenv("CUPS_SERVER", (dir_ + "/cups.sock").c_str(), 1);
    }
    void TearDown() override { stop(); }
    void stop() {
        if (running_) {
            EXPECT_EQ(session({"stop", dir_}).exitCode, 0);
        }
        running_ = false;
    }
    static ProgramOutcome session(std::vector<std::string> args) {
        args.insert(args.begin(), {"bash", ORV_SCRIPTS_DIR "/cups-session"});
        return runProgram(args, std::chrono::seconds(30));
    }
    std::string dir_;
    bool running_ = false;
};

TEST_F(CupsQueriesTest, PrintersComeFromTheServerAndNoServerGivesNone) {
    auto settings = X11DesktopSettings::create();
    ASSERT_TRUE(settings);
    X11DesktopQueries::Sources sources;
    sources.settings = settings.get();
    X11DesktopQueries queries(sources);
    std::vector<std::string> printers = queries.printers();
    std::sort(printers.begin(), printers.end());
    EXPECT_EQ(printers, (std::vector<std::string>{"Office_Ink", "Test_Laser"}));

    // Without a server the list is empty at once, never a wait.
    stop();
    EXPECT_TRUE(queries.printers().empty());
}

}  // namespace
}  // namespace orv::x11
