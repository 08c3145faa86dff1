// Helper programs run directly: what they inherit from this process.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <string>

#include "platform/x11/run_program.h"

namespace orv::x11 {
namespace {

TEST(RunProgramDescriptors, AHelperGetsNoDescriptorAboveStandardError) {
    const int devNull = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
    ASSERT_GE(devNull, 0);
    const int leaked = ::fcntl(devNull, F_DUPFD, 40);  // a copy without close-on-exec
    ::close(devNull);
    ASSERT_GE(leaked, 40);
    const ProgramOutcome out = runProgram(
        {"sh", "-c", "if [ -e /proc/$$/fd/$0 ]; then echo open; else echo closed; fi", std::to_string(leaked)});
    ::close(leaked);
    EXPECT_TRUE(out.started && out.finished);
    EXPECT_EQ(out.output, "closed\n");  // its standard output, the pipe, still reaches us
}

}  // namespace
}  // namespace orv::x11
