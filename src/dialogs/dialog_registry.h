#pragma once

#include <functional>
#include <memory>
#include <string_view>
#include <vector>

#include "dialogs/dialog_model.h"

namespace orv::dialogs {

// Every dialog model by its form class name, for callers that pick a dialog by name (the
// command line, tests). `summary` is the caption and what the dialog makes.
struct DialogInfo {
    std::string_view name;
    std::string_view summary;
    std::function<std::unique_ptr<DialogModel>()> make;
};

const std::vector<DialogInfo>& dialogRegistry();

// A new model of the named dialog (the name compared without regard to case), or null.
std::unique_ptr<DialogModel> makeDialog(std::string_view name);

}  // namespace orv::dialogs
