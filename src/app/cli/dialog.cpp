#include "app/cli/commands.h"

namespace orv::cli {

int cmdDialog(const Args&) { return fail("the dialog command is not available in this build"); }

}  // namespace orv::cli
