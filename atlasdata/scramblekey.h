// The nine key bytes of the stored items' scrambling.
#pragma once

#include <array>
#include <cstdint>

namespace quil2a {
inline constexpr std::array<uint8_t, 9> kScrambleKey = {0x5A, 0xC3, 0x17, 0x8E, 0x61, 0xF4, 0x2B, 0x9D, 0x70};
}  // namespace quil2a
