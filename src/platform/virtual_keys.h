#pragma once

#include <cstdint>

namespace orv {

// The virtual-key codes that the engine, the activation logic, the window and the desktop name:
// the modifier keys, the lock key, Backspace, the navigation keys and the marker key that tells
// the hook library where a macro's injected keys end.
inline constexpr std::uint8_t kVkBackspace = 8;
inline constexpr std::uint8_t kVkShift = 16;
inline constexpr std::uint8_t kVkControl = 17;
inline constexpr std::uint8_t kVkMenu = 18;  // Alt
inline constexpr std::uint8_t kVkCapital = 20;
inline constexpr std::uint8_t kVkPrior = 33;  // Page Up, the first of the navigation keys
inline constexpr std::uint8_t kVkDown = 40;   // Down Arrow, the last of them
inline constexpr std::uint8_t kVkExecute = 43;
inline constexpr std::uint8_t kVkLeftWin = 91;
inline constexpr std::uint8_t kVkRightWin = 92;

}  // namespace orv
