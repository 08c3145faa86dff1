#pragma once

#include <string>

#include "store/activation_table.h"
#include "store/app_settings.h"

namespace orv {

// The texts the macro list shows for macro j of the index.
std::string activationText(const TActivationTable& table, const TAppSettings& settings, int j);
std::string scopeText(const TActivationTable& table, int j);

}  // namespace orv
