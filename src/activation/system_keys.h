#pragma once

#include <array>
#include <optional>
#include <string>

#include "platform/activation_table.h"
#include "store/app_settings.h"

namespace orv {

class MacroStore;

// The System Hot Keys dialog without its form: the four system macros' hotkeys and what the
// menu of macros for the top-most window shows.
class SystemKeysModel {
public:
    // Field order: Activate Program, Start/Stop Capture, Resume Pause, Display Menu.
    static constexpr int kFields = 4;

    SystemKeysModel(const TActivationTable& table, const TAppSettings& settings);

    int hotKey(int field) const { return codes_[static_cast<std::size_t>(field)]; }
    int systemMenu() const { return systemMenu_; }
    void setSystemMenu(int choice) { systemMenu_ = choice; }

    // A hotkey pressed into a field. Refused (the message is returned and the field keeps its
    // value) when a Global, Popup Menu or System macro already has it.
    std::optional<std::string> offerHotKey(int field, int code);

    // "&Ok": the message when two fields hold the same hotkey, otherwise rewrites each system
    // macro whose hotkey changed, stores the menu choice and returns no message. An empty message
    // when a write failed (the store has shown why; the menu choice is not stored).
    [[nodiscard]] std::optional<std::string> apply(MacroStore& store, TAppSettings& settings) const;

private:
    const TActivationTable& table_;
    std::array<int, kFields> codes_{};
    std::array<int, kFields> macros_{};  // the system macro of each field, 0 when missing
    int systemMenu_ = 1;
};

}  // namespace orv
