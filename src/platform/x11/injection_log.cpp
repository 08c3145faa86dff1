#include "platform/x11/injection_log.h"

#include <algorithm>

namespace orv::x11 {

void InjectionLog::sent(InjectedKind kind, unsigned detail, Clock::time_point now) {
    std::lock_guard lock(mutex_);
    if (entries_.size() == kCapacity) entries_.pop_front();
    entries_.push_back(Entry{kind, detail, now});
}

bool InjectionLog::claim(InjectedKind kind, unsigned detail, Clock::time_point now) {
    std::lock_guard lock(mutex_);
    while (!entries_.empty() && now - entries_.front().at > kStale) entries_.pop_front();
    const auto it = std::find_if(entries_.begin(), entries_.end(),
                                 [&](const Entry& e) { return e.kind == kind && e.detail == detail; });
    if (it == entries_.end()) return false;
    entries_.erase(entries_.begin(), it + 1);
    return true;
}

std::size_t InjectionLog::pending() const {
    std::lock_guard lock(mutex_);
    return entries_.size();
}

}  // namespace orv::x11
