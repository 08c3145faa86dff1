#pragma once

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

// Little-endian fields and length-prefixed strings inside fixed byte blocks.
namespace orv::bytes {

static_assert(std::endian::native == std::endian::little, "stored layouts are little-endian");

template <typename T>
T get(const std::uint8_t* block, std::size_t offset) {
    T value;
    std::memcpy(&value, block + offset, sizeof value);
    return value;
}

template <typename T>
void put(std::uint8_t* block, std::size_t offset, T value) {
    std::memcpy(block + offset, &value, sizeof value);
}

// A string[N] field: one length byte then N bytes. A length byte above N is read as N.
inline std::string getShortString(const std::uint8_t* block, std::size_t offset, std::size_t capacity) {
    const std::size_t length = std::min<std::size_t>(block[offset], capacity);
    return std::string(reinterpret_cast<const char*>(block + offset + 1), length);
}

// Stores at most N characters and zeroes the bytes past the length.
inline void putShortString(std::uint8_t* block, std::size_t offset, std::size_t capacity, std::string_view text) {
    const std::size_t length = std::min(text.size(), capacity);
    block[offset] = static_cast<std::uint8_t>(length);
    std::memcpy(block + offset + 1, text.data(), length);
    std::memset(block + offset + 1 + length, 0, capacity - length);
}

}  // namespace orv::bytes
