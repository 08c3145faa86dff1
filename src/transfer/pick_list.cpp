#include "transfer/pick_list.h"

#include <algorithm>

#include "activation/popup_menu.h"
#include "mainwin/list_texts.h"
#include "platform/activation_table.h"

namespace orv {

PickRow pickRowOf(const TMacroRecord& record) {
    return {activationLabel(record.HotKeyCode, record.ShortKeyText), record.NickName,
            scopeText(record.Scope, record.WindowTitle.substr(0, TActivationTable::kTitleChars))};
}

std::size_t PickList::pickedCount() const {
    return static_cast<std::size_t>(std::count(picked_.begin(), picked_.end(), true));
}

void PickList::setRows(std::vector<PickRow> rows) {
    rows_ = std::move(rows);
    picked_.assign(rows_.size(), false);
}

}  // namespace orv
