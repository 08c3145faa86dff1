#pragma once

#include <filesystem>
#include <istream>
#include <vector>

#include "platform/dialog_queries.h"

namespace orv::x11 {

// The network file systems of a mount table in the format of /proc/self/mounts and /etc/fstab
// (source, mount point, type, options ...; blanks inside a field written as octal escapes): each
// as its mount point (the "drive") and its source (the network name). With `atBoot` only the
// ones mounted when the system starts (no "noauto" among the options), for /etc/fstab.
std::vector<NetworkConnection> networkMounts(std::istream& table, bool atBoot);

// The network shares the desktop's file manager has mounted through GVfs: each folder of
// `gvfsDir` ($XDG_RUNTIME_DIR/gvfs) is one, named like "smb-share:server=srv,share=docs". The
// drive is the folder; the network name "//srv/docs" for Windows shares, else "scheme://host".
std::vector<NetworkConnection> gvfsMounts(const std::filesystem::path& gvfsDir);

}  // namespace orv::x11
