#include "activation/shortkey_options.h"

#include <algorithm>

#include "activation/shortkey_index.h"

namespace orv {
namespace {

std::string trimBlanks(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(' ');
    return std::string(text.substr(first, last - first + 1));
}

}  // namespace

ShortKeyOptionsModel ShortKeyOptionsModel::fromSettings(const TAppSettings& settings) {
    ShortKeyOptionsModel m;
    m.solitaryUsage = settings.SolitaryUsage;
    m.usePrefixKeys = !settings.UseSuffix;
    m.caseSensitive = settings.CaseSensitive;
    m.prefixKeys = settings.PrefixKeys;
    return m;
}

std::string ShortKeyOptionsModel::checkPrefix() const {
    const std::string trimmed = trimBlanks(prefixKeys);
    return std::all_of(trimmed.begin(), trimmed.end(), isShortKeyWordChar) ? std::string()
                                                                           : std::string(kInvalidPrefixText);
}

Outcome ShortKeyOptionsModel::apply(TAppSettings& settings) const {
    if (std::string error = checkPrefix(); !error.empty()) return Outcome::fail("PrefixKeys", std::move(error));
    settings.SolitaryUsage = solitaryUsage;
    settings.CaseSensitive = caseSensitive;
    settings.UseSuffix = !usePrefixKeys;
    settings.PrefixKeys = trimBlanks(prefixKeys).substr(0, kPrefixKeyChars);
    return Outcome::ok();
}

}  // namespace orv
