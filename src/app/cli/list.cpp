#include "app/cli/commands.h"

namespace orv::cli {

int cmdList(const Args&) { return fail("not yet"); }
int cmdShow(const Args&) { return fail("not yet"); }
int cmdHotkeys(const Args&) { return fail("not yet"); }
int cmdNew(const Args&) { return fail("not yet"); }

}  // namespace orv::cli
