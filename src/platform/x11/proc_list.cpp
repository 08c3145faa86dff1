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

std::vector<std::int32_t> listAllPids() {
    std::vector<std::int32_t> pids;
    const std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir("/proc"), &::closedir);
    if (DIR* proc = dir.get()) {
        while (const dirent* entry = ::readdir(proc)) {
            char* end = nullptr;
            const long pid = std::strtol(entry->d_name, &end, 10);
            if (end != entry->d_name && *end == '\0' && pid > 0) pids.push_back(static_cast<std::int32_t>(pid));
        }
    }
    std::sort(pids.begin(), pids.end());
    return pids;
}

namespace {

bool isUsersProcess(std::int32_t pid) {
    struct stat st {};
    return ::stat(("/proc/" + std::to_string(pid)).c_str(), &st) == 0 && st.st_uid == ::getuid();
}

// A process's name is trusted once it has lived this long: by then a program started through a
// shell or launcher has replaced the one that started it.
constexpr auto kNameSettles = std::chrono::seconds(2);
// Names remembered longer than this since the last listing are read again: a process id seen
// then may since have ended and been given to another program.
constexpr auto kNamesKept = std::chrono::seconds(5);

}  // namespace

std::vector<ProcessInfo> listUserProcesses() {
    std::vector<ProcessInfo> list;
    for (std::int32_t pid : listAllPids()) {
        std::string name = processNameOf(pid);
        if (!name.empty()) list.push_back({pid, std::move(name)});
    }
    return list;
}

bool UserPidWatch::changed() {
    std::vector<std::int32_t> all = listAllPids();
    if (all == all_) return false;
    // Both lists are in order: one pass pairs the pids seen before with their answers.
    std::vector<bool> users(all.size());
    bool changed = false;
    std::size_t before = 0;
    for (std::size_t i = 0; i < all.size(); ++i) {
        for (; before < all_.size() && all_[before] < all[i]; ++before) changed = changed || users_[before];  // ended
        if (before < all_.size() && all_[before] == all[i]) {
            users[i] = users_[before++];
        } else {
            users[i] = isUsersProcess(all[i]);
            changed = changed || users[i];
        }
    }
    for (; before < all_.size(); ++before) changed = changed || users_[before];
    all_ = std::move(all);
    users_ = std::move(users);
    return changed;
}

std::vector<ProcessInfo> ProcProcessList::processes() {
    const auto now = std::chrono::steady_clock::now();
    if (now - lastListed_ > kNamesKept) known_.clear();
    lastListed_ = now;
    std::map<std::int32_t, Known> known;
    std::vector<ProcessInfo> list;
    for (std::int32_t pid : listAllPids()) {
        auto it = known_.find(pid);
        Known k = it != known_.end() ? std::move(it->second) : Known{{}, now};
        if (it == known_.end() || now - k.firstSeen < kNameSettles) k.name = processNameOf(pid);
        if (!k.name.empty()) list.push_back({pid, k.name});
        known.emplace(pid, std::move(k));
    }
    known_ = std::move(known);
    return list;
}

}  // namespace orv::x11
