#include "mainwin/sort_key.h"

#include <algorithm>
#include <string_view>
#include <utility>

#include "engine/ansi_upper.h"
#include "platform/activation_table.h"

namespace orv {

namespace {

// Rank prefixes by the position (1-based) of a kind in its order.
constexpr std::string_view kActivationRanks[] = {"AAAAA", "AAAAz", "AAAz", "AAz", "Az"};
constexpr std::string_view kScopeRanks[] = {"AAAAAA", "AAAAAz", "AAAAz", "AAAz", "AAz"};

// The longest activation piece with a ShortKey and with a hotkey name, and the longest scope piece.
constexpr std::size_t kShortKeyPiece = 20;
constexpr std::size_t kHotKeyPiece = 34;
constexpr std::size_t kScopePiece = 32;

// The pivot is compared on at most this many characters.
constexpr std::size_t kPivotChars = 140;

// Position 1..count of `digit` among the first `count` characters of `order`; `count` + 1 when
// it is not there (a damaged order puts the kind last).
std::size_t positionIn(const std::string& order, int digit, std::size_t count) {
    const std::size_t at = std::string_view(order).substr(0, count).find(static_cast<char>('0' + digit));
    return at == std::string_view::npos ? count + 1 : at + 1;
}

std::string withText(std::string_view prefix, std::string_view text, std::size_t limit) {
    std::string piece(prefix);
    piece += text.substr(0, limit > prefix.size() ? limit - prefix.size() : 0);
    return piece;
}

std::string activationPiece(const SortFields& f, const std::string& order) {
    const ActivationKind kind = activationKindOf(f.hotKeyCode);
    const std::size_t position = std::min<std::size_t>(positionIn(order, static_cast<int>(kind), 5), 5);
    const std::string_view prefix = kActivationRanks[position - 1];
    if (kind == ActivationKind::ShortKey) return withText(prefix, ansiUpper(f.shortKeyText), kShortKeyPiece);
    if (kind == ActivationKind::HotKey) return withText(prefix, f.hotKeyName, kHotKeyPiece);
    return std::string(prefix);
}

std::string scopePiece(const SortFields& f, const std::string& order) {
    const ScopeKind kind = scopeKindOf(f.scope);
    // Only the first four positions are told apart; a kind not among them ranks fifth.
    const std::size_t position = positionIn(order, static_cast<int>(kind), 4);
    const std::string_view prefix = kScopeRanks[position - 1];
    if (kind == ScopeKind::Window || kind == ScopeKind::Program)
        return withText(prefix, ansiUpper(f.scopeName), kScopePiece);
    return std::string(prefix);
}

void quickSort(std::vector<std::string>& keys, std::vector<std::int32_t>& rows, std::ptrdiff_t lo, std::ptrdiff_t hi) {
    std::ptrdiff_t i = lo;
    std::ptrdiff_t j = hi;
    const std::string pivot = keys[static_cast<std::size_t>((lo + hi) / 2)].substr(0, kPivotChars);
    do {
        // The bounds only matter for keys longer than the pivot's 140 characters, which the
        // pieces never make; they keep the scans inside the range whatever the keys are.
        while (i < hi && keys[static_cast<std::size_t>(i)] < pivot) ++i;
        while (j > lo && pivot < keys[static_cast<std::size_t>(j)]) --j;
        if (i <= j) {
            std::swap(keys[static_cast<std::size_t>(i)], keys[static_cast<std::size_t>(j)]);
            std::swap(rows[static_cast<std::size_t>(i)], rows[static_cast<std::size_t>(j)]);
            ++i;
            --j;
        }
    } while (i <= j);
    if (lo < j) quickSort(keys, rows, lo, j);
    if (i < hi) quickSort(keys, rows, i, hi);
}

}  // namespace

ActivationKind activationKindOf(int hotKeyCode) {
    switch (hotKeyCode) {
        case kCodeTimed:
            return ActivationKind::Timed;
        case kCodeShortKey:
            return ActivationKind::ShortKey;
        case kCodeNone:
            return ActivationKind::None;
        case kCodeWindowTitle:
            return ActivationKind::WindowTitle;
        default:
            return ActivationKind::HotKey;
    }
}

ScopeKind scopeKindOf(int scope) {
    switch (scope) {
        case kScopeGlobal:
            return ScopeKind::Global;
        case kScopeProgram:
            return ScopeKind::Program;
        case kScopePopupMenu:
            return ScopeKind::PopupMenu;
        case kScopeSystem:
            return ScopeKind::System;
        default:
            return ScopeKind::Window;
    }
}

std::string sortKey(const SortFields& fields, const SortOrders& orders) {
    const std::string activation = activationPiece(fields, orders.activation);
    const std::string scope = scopePiece(fields, orders.scope);
    const std::string nick = ansiUpper(fields.nickName);
    const char first = orders.primary.empty() ? '3' : orders.primary[0];
    const char second = orders.primary.size() < 2 ? '\0' : orders.primary[1];
    if (first == '1') return second == '2' ? activation + nick + scope : activation + scope + nick;
    if (first == '2') return second == '1' ? nick + activation + scope : nick + scope + activation;
    return second == '2' ? scope + nick + activation : scope + activation + nick;
}

void quickSortRows(std::vector<std::string>& keys, std::vector<std::int32_t>& rows) {
    if (keys.size() < 2) return;
    quickSort(keys, rows, 0, static_cast<std::ptrdiff_t>(keys.size()) - 1);
}

}  // namespace orv
