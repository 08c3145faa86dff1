#include "app/cli/commands.h"

namespace orv::cli {

int cmdScript(const Args&) { return fail("the script command is not available in this build"); }

}  // namespace orv::cli
