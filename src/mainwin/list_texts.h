#pragma once

#include <cstddef>
#include <functional>
#include <string>

#include "platform/activation_table.h"
#include "store/app_settings.h"

namespace orv {

// The texts the macro list shows for macro j of the index.
std::string activationText(const TActivationTable& table, const TAppSettings& settings, int j);
std::string scopeText(const TActivationTable& table, int j);
// The scope text from a macro's fields, for lists of macros that are not in the index
// (activationLabel gives the activation text).
std::string scopeText(int scope, const std::string& windowTitle);

// The Activation text upper-cased, as typing to find a macro compares it.
std::string activationFindText(const TActivationTable& table, const TAppSettings& settings, int j);

// How many characters of a cell's text are drawn: characters come off the end while the text is
// wider than `available` and not empty. No ellipsis is added. `widthOf(n)` measures the first n
// characters.
std::size_t fittedLength(std::size_t length, int available, const std::function<int(std::size_t)>& widthOf);

}  // namespace orv
