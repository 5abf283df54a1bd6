// Number and colour conversions shared by the loaders and the engine.
#pragma once

#include <cstdint>
#include <string_view>

#include "platform/picture.h"

namespace quil2a {

// Decimal text to a 32-bit integer: trimmed, a leading "-" negates, every
// other byte counts as a digit worth its code minus 48; wraps modulo 2^32.
int32_t intval(std::string_view s);

// A colour from three channels, corrected by gamma unless it is within 0.001 of 1.
plat::Color RGBgamma(int32_t r, int32_t g, int32_t b, double gamma);

}  // namespace quil2a
