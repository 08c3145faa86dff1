#pragma once

#include <unistd.h>

// Tests of what another local user can do: as root they make files of, and run code as, a
// second account. Without root they skip with this reason.
namespace orv::test {

inline constexpr uid_t kOtherUid = 65534;  // nobody
inline constexpr gid_t kOtherGid = 65534;
inline constexpr const char* kNeedsRoot = "needs root to act as a second user (uid 65534)";

inline bool canActAsOtherUser() { return ::geteuid() == 0; }

}  // namespace orv::test
