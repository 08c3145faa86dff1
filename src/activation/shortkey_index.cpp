#include "activation/shortkey_index.h"

#include <algorithm>

#include "engine/ansi_upper.h"

namespace orv {

bool isShortKeyWordChar(char c) {
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) return true;
    constexpr std::string_view kPunctuation = "!#$%&*+,-./;<=>?^_@";
    return kPunctuation.find(c) != std::string_view::npos;
}

bool ThereAreShortKeys(const TActivationTable& table) {
    for (int j = 1; j <= table.MacroCount() && j <= kMaxMacros; ++j)
        if (table.HotKeyCode(j) == kCodeShortKey) return true;
    return false;
}

ShortKeyMatchOptions ShortKeyMatchOptions::from(const TAppSettings& settings) {
    ShortKeyMatchOptions o;
    o.caseSensitive = settings.CaseSensitive;
    o.suffix = settings.UseSuffix;
    o.exact = settings.UseSuffix || settings.SolitaryUsage;
    if (!settings.UseSuffix) o.prefix = settings.PrefixKeys.substr(0, kPrefixKeyChars);
    return o;
}

int ShortKeyIndex::child(int node, char c) const {
    for (int k = nodes_[static_cast<std::size_t>(node)].firstChild; k >= 0;
         k = nodes_[static_cast<std::size_t>(k)].nextSibling)
        if (nodes_[static_cast<std::size_t>(k)].ch == c) return k;
    return -1;
}

int ShortKeyIndex::addChild(int node, char c) {
    const int existing = child(node, c);
    if (existing >= 0) return existing;
    Node n;
    n.ch = c;
    n.nextSibling = nodes_[static_cast<std::size_t>(node)].firstChild;
    nodes_.push_back(std::move(n));
    const int index = static_cast<int>(nodes_.size() - 1);
    nodes_[static_cast<std::size_t>(node)].firstChild = index;
    return index;
}

void ShortKeyIndex::rebuild(const TActivationTable& table, const TAppSettings& settings,
                            const ShortKeyMatchOptions& options) {
    options_ = options;
    root_.fill(-1);
    nodes_.clear();
    for (int j = 1; j <= table.MacroCount() && j <= kMaxMacros; ++j) {
        if (!table.Active(j) || table.HotKeyCode(j) != kCodeShortKey) continue;
        const std::string& text = settings.shortKeyText(j);
        // A ShortKey without text would match every word (or every empty one): never match it.
        if (text.empty()) continue;
        std::string pattern = options.prefix + text.substr(0, kShortKeyChars);
        if (!options.caseSensitive) pattern = ansiUpper(pattern);
        const auto first = static_cast<unsigned char>(pattern[0]);
        if (root_[first] < 0) {
            Node n;
            n.ch = pattern[0];
            nodes_.push_back(std::move(n));
            root_[first] = static_cast<int>(nodes_.size() - 1);
        }
        int node = root_[first];
        for (std::size_t k = 1; k < pattern.size(); ++k) node = addChild(node, pattern[k]);
        nodes_[static_cast<std::size_t>(node)].macros.push_back(static_cast<std::int16_t>(j));
    }
}

void ShortKeyIndex::match(std::string_view subject, std::vector<int>& out) const {
    out.clear();
    const bool upper = !options_.caseSensitive;
    auto at = [&](std::size_t k) { return upper ? ansiUpperChar(subject[k]) : subject[k]; };
    const std::size_t n = subject.size();
    const std::size_t starts = options_.exact ? std::min<std::size_t>(n, 1) : n;
    for (std::size_t start = 0; start < starts; ++start) {
        int node = root_[static_cast<unsigned char>(at(start))];
        for (std::size_t k = start; node >= 0; ++k) {
            const auto& macros = nodes_[static_cast<std::size_t>(node)].macros;
            if (!macros.empty() && (!options_.exact || k + 1 == n)) out.insert(out.end(), macros.begin(), macros.end());
            if (k + 1 == n) break;
            node = child(node, at(k + 1));
        }
    }
    if (out.size() > 1) {
        std::sort(out.begin(), out.end());
        out.erase(std::unique(out.begin(), out.end()), out.end());
    }
    if (out.size() > kMaxShortKeyMatches) out.resize(kMaxShortKeyMatches);
}

// ---- ShortKeys ----

}  // namespace orv
