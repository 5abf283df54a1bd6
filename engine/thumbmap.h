// The region thumbnail's mapping (the dialog shows it, quillmere-thumbnails
// draws its pictures): a thumbnail pixel is 205 map units on both
// axes and map coordinate 0 lies at pixel 11.
#pragma once

#include <cstdint>

#include "platform/text.h"

namespace quil2a {

constexpr int32_t kThumbUnit = 205;
constexpr int32_t kThumbOrigin = 11;
constexpr int32_t kThumbSize = 200;

// Map units to the thumbnail pixel (fraction dropped), and back.
inline int32_t vux(double x) { return plat::Int(x / kThumbUnit + kThumbOrigin); }
inline int32_t vuy(double y) { return vux(y); }
inline int32_t unvux(int32_t i) { return static_cast<int32_t>((int64_t(i) - kThumbOrigin) * kThumbUnit); }
inline int32_t unvuy(int32_t i) { return unvux(i); }

}  // namespace quil2a
