#include "remap/swap_keys.h"

namespace orv::remap {

LoadResult SwapKeys::GetSwapFile(const std::string& macroFile) {
    const RemapTables before = tables_;
    const LoadResult result = remap::GetSwapFile(macroFile, tables_, path_);
    if (running_ && (tables_ != before || remapped_ != tables_.SwapsInUse())) follow();
    return result;
}

void SwapKeys::start() {
    running_ = true;
    follow();
}

bool SwapKeys::setTables(const RemapTables& tables) {
    tables_ = tables;
    const bool saved = path_.empty() || SaveSwapKeys(path_, tables_);
    if (running_) follow();
    return saved;
}

void SwapKeys::reapply() {
    if (running_ && remapped_) follow();
}

void SwapKeys::stop() {
    if (remapped_ && remapper_ != nullptr) remapper_->restoreKeys();
    remapped_ = false;
    running_ = false;
}

void SwapKeys::follow() {
    const bool wanted = tables_.SwapsInUse();
    if (remapper_ != nullptr) {
        if (wanted)
            remapper_->remapKeys(tables_.remappings());
        else if (remapped_)
            remapper_->restoreKeys();
    }
    remapped_ = wanted;
}

}  // namespace orv::remap
