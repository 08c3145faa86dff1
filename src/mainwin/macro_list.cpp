#include "mainwin/macro_list.h"

#include <algorithm>
#include <numeric>

#include "activation/hotkey_table.h"
#include "engine/ansi_upper.h"
#include "mainwin/list_texts.h"
#include "mainwin/sort_key.h"
#include "platform/virtual_keys.h"

namespace orv {

namespace {

constexpr char kBackspace = 8;

SortFields sortFieldsOf(const TActivationTable& table, const TAppSettings& settings, int j) {
    SortFields f;
    f.hotKeyCode = table.HotKeyCode(j);
    f.scope = table.Scope(j);
    f.hotKeyName = hotKeyName(f.hotKeyCode);
    f.shortKeyText = settings.shortKeyText(j);
    f.scopeName = table.WindowTitle(j);
    f.nickName = settings.nickName(j);
    return f;
}

}  // namespace

void MacroList::FillList(const TActivationTable& table, const TAppSettings& settings) {
    const int count = std::clamp(table.MacroCount(), 0, kMaxMacros);
    rows_.resize(static_cast<std::size_t>(count));
    std::iota(rows_.begin(), rows_.end(), 1);
    if (count > 1) {
        const SortOrders orders = SortOrders::fromSettings(settings);
        std::vector<std::string> keys;
        keys.reserve(rows_.size());
        for (int j = 1; j <= count; ++j) keys.push_back(sortKey(sortFieldsOf(table, settings, j), orders));
        quickSortRows(keys, rows_);
    }
    findTexts_.clear();
    findTexts_.reserve(rows_.size());
    for (const std::int32_t j : rows_) findTexts_.push_back(activationFindText(table, settings, j));
    selected_ = count > 0 ? 1 : 0;
}

int MacroList::macroAt(int row) const {
    return row >= 1 && row <= rowCount() ? rows_[static_cast<std::size_t>(row - 1)] : 0;
}

int MacroList::ReverseSort(int macro) const {
    const auto it = std::find(rows_.begin(), rows_.end(), macro);
    return it == rows_.end() ? -1 : static_cast<int>(it - rows_.begin()) + 1;
}

void MacroList::select(int row) { selected_ = row >= 1 && row <= rowCount() ? row : 0; }

bool MacroList::keyPress(char c) {
    if (c == '\t' || c == '\n' || c == '\r' || c == '\x1b') {
        search_.clear();
        return false;
    }
    if (c == kBackspace) {
        if (!search_.empty()) search_.pop_back();
    } else if (search_.size() < kMaxSearch) {
        search_ += ansiUpperChar(c);
    }
    if (search_.empty()) return false;
    for (std::size_t i = 0; i < findTexts_.size(); ++i) {
        if (findTexts_[i].starts_with(search_)) {
            const int row = static_cast<int>(i) + 1;
            const bool moved = row != selected_;
            selected_ = row;
            return moved;
        }
    }
    return false;
}

void MacroList::keyDown(int virtualKey) {
    if (virtualKey == kVkControl || virtualKey == kVkMenu || (virtualKey >= kVkPrior && virtualKey <= kVkDown))
        search_.clear();
}

}  // namespace orv
