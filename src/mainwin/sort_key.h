#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "store/app_settings.h"

namespace orv {

// The activation kinds as the activation sort order numbers them.
enum class ActivationKind { HotKey = 1, ShortKey = 2, Timed = 3, None = 4, WindowTitle = 5 };
// The scope kinds as the scope sort order numbers them; codes other than 1, 3, 4 and 5 are windows.
enum class ScopeKind { Global = 1, Window = 2, Program = 3, PopupMenu = 4, System = 5 };

ActivationKind activationKindOf(int hotKeyCode);
ScopeKind scopeKindOf(int scope);

// The three stored orders of the macro list ("Primary Sort", "Activation Sort", "Scope Sort").
struct SortOrders {
    std::string primary = "123";
    std::string activation = "12345";
    std::string scope = "12345";

    static SortOrders fromSettings(const TAppSettings& settings) {
        return {settings.PrimarySort, settings.ActivationSort, settings.ScopeSort};
    }
};

// What the sort key of one macro is built from. Texts are Windows-1252 as stored; the key
// upper-cases the nickname, the ShortKey text and the scope name itself.
struct SortFields {
    int hotKeyCode = 0;
    int scope = 1;
    std::string hotKeyName;  // the hotkey's display name (hotkeys only)
    std::string shortKeyText;
    std::string scopeName;  // the window title or program name of a window or program scope
    std::string nickName;
};

// The composite key of one macro: an activation piece, a scope piece and the nickname piece in
// the order the primary sort order chooses. Keys compare byte by byte as unsigned characters, so
// a kind placed earlier in an order ('A' prefixes) always sorts before a later one ('z').
std::string sortKey(const SortFields& fields, const SortOrders& orders);

// Sorts `keys` ascending and permutes `rows` alongside (both the same length). A quicksort
// around the middle element: equal keys end in no particular order, as they always have.
void quickSortRows(std::vector<std::string>& keys, std::vector<std::int32_t>& rows);

}  // namespace orv
