#include "platform/x11/proc_list.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <memory>
#include <cstdlib>
#include <fstream>

namespace orv::x11 {

std::string processNameOf(std::int32_t pid) {
    const std::string dir = "/proc/" + std::to_string(pid);
    struct stat st {};
    if (::stat(dir.c_str(), &st) != 0 || st.st_uid != ::getuid()) return {};
    char target[4096];
    const ssize_t n = ::readlink((dir + "/exe").c_str(), target, sizeof target - 1);
    if (n > 0) {
        std::string path(target, static_cast<std::size_t>(n));
        const std::string deleted = " (deleted)";
        if (path.size() > deleted.size() && path.compare(path.size() - deleted.size(), deleted.size(), deleted) == 0) {
            path.resize(path.size() - deleted.size());
        }
        return path.substr(path.find_last_of('/') + 1);
    }
    std::ifstream comm(dir + "/comm");
    std::string name;
    std::getline(comm, name);
    return name;
}

std::vector<std::int32_t> listUserPids() {
    std::vector<std::int32_t> pids;
    const uid_t uid = ::getuid();
    const std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir("/proc"), &::closedir);
    if (DIR* proc = dir.get()) {
        while (const dirent* entry = ::readdir(proc)) {
            char* end = nullptr;
            const long pid = std::strtol(entry->d_name, &end, 10);
            if (end == entry->d_name || *end != '\0' || pid <= 0) continue;
            struct stat st {};
            if (::fstatat(::dirfd(proc), entry->d_name, &st, 0) == 0 && st.st_uid == uid) {
                pids.push_back(static_cast<std::int32_t>(pid));
            }
        }
    }
    std::sort(pids.begin(), pids.end());
    return pids;
}

std::vector<ProcessInfo> listUserProcesses() {
    std::vector<ProcessInfo> list;
    for (std::int32_t pid : listUserPids()) {
        std::string name = processNameOf(pid);
        if (!name.empty()) list.push_back({pid, std::move(name)});
    }
    return list;
}

}  // namespace orv::x11
