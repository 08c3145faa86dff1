#include "app/cli/commands.h"

namespace orv::cli {

int cmdPlay(const Args&) { return fail("the play command is not available in this build"); }

}  // namespace orv::cli
