#pragma once

#include <string>

#include "platform/outcome.h"
#include "store/app_settings.h"

namespace orv {

// The ShortKey Options dialog ("ShortKey Options") as fields and checks.
struct ShortKeyOptionsModel {
    bool solitaryUsage = false;
    bool usePrefixKeys = true;
    bool caseSensitive = true;
    std::string prefixKeys;  // the field's text as typed

    static ShortKeyOptionsModel fromSettings(const TAppSettings& settings);
    // The prefix field is enabled only while "Use &Prefix Keys" is checked.
    bool prefixEnabled() const { return usePrefixKeys; }
    // The message when the trimmed prefix holds a character that no ShortKey word can hold;
    // empty when it is valid. Shown (title "Error") on every change and on leaving the field.
    std::string checkPrefix() const;
    // "&Ok": refused with the message when the prefix is invalid; otherwise stores the options in
    // the settings, which the caller then saves.
    Outcome apply(TAppSettings& settings) const;
};

inline constexpr const char* kInvalidPrefixText =
    "The Prefix Keys has invalid characters in it.  Valid characters are A - Z, a - z, 0 - 9 and ' ! @ # $ % ^ & _ = < "
    "> ? . ; , * - / +";

}  // namespace orv
