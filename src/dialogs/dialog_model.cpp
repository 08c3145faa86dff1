#include "dialogs/dialog_model.h"

#include <algorithm>

#include "dialogs/dialog_text.h"

namespace orv::dialogs {

namespace {

const std::string kEmpty;

}  // namespace

DialogModel::DialogModel(std::vector<FieldDef> defs) : defs_(std::move(defs)) {
    values_.resize(defs_.size());
    for (std::size_t i = 0; i < defs_.size(); ++i) values_[i] = defs_[i].defaultValue;
}

const FieldDef* DialogModel::field(std::string_view name) const {
    for (const FieldDef& d : defs_) {
        if (d.name == name) return &d;
    }
    return nullptr;
}

bool DialogModel::set(std::string_view name, std::string_view value) {
    for (std::size_t i = 0; i < defs_.size(); ++i) {
        const FieldDef& d = defs_[i];
        if (d.name != name) continue;
        switch (d.kind) {
            case FieldKind::Text:
                values_[i] = std::string(value.substr(0, d.maxLength));
                break;
            case FieldKind::Check:
                if (value != "0" && value != "1") return false;
                values_[i] = std::string(value);
                break;
            case FieldKind::Choice:
                if (std::find(d.choices.begin(), d.choices.end(), value) == d.choices.end()) return false;
                values_[i] = std::string(value);
                break;
        }
        fieldChanged(name);
        return true;
    }
    return false;
}

const std::string& DialogModel::get(std::string_view name) const {
    for (std::size_t i = 0; i < defs_.size(); ++i) {
        if (defs_[i].name == name) return values_[i];
    }
    return kEmpty;
}

void DialogModel::reset() {
    for (std::size_t i = 0; i < defs_.size(); ++i) values_[i] = defs_[i].defaultValue;
    accepted_ = false;
    output_.clear();
}

Outcome DialogModel::check(const DialogEnv& env) {
    accepted_ = false;
    output_.clear();
    Outcome outcome = doCheck(env);
    if (outcome.accepted && !unlimitedOutput_ && outcome.output.size() > kMaxOutput) {
        return Outcome::fail(overflowField_, "The command is longer than 255 characters.  Please shorten it.");
    }
    if (outcome.accepted) {
        accepted_ = true;
        output_ = outcome.output;
    }
    return outcome;
}

std::string DialogModel::text(std::string_view name) const { return trimText(get(name)); }

int DialogModel::choiceIndex(std::string_view name) const {
    const FieldDef* d = field(name);
    if (d == nullptr) return -1;
    const std::string& v = get(name);
    if (v.empty()) return -1;
    const auto it = std::find(d->choices.begin(), d->choices.end(), v);
    return it == d->choices.end() ? -1 : static_cast<int>(it - d->choices.begin());
}

}  // namespace orv::dialogs
