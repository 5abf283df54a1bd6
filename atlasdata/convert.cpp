#include "atlasdata/convert.h"

#include <cmath>

#include "platform/text.h"

namespace quil2a {

int32_t intval(std::string_view s)
{
    const plat::Bytes t = plat::Trim(s);
    uint32_t sign = 1;
    size_t first = 0;
    if (!t.empty() && t[0] == '-') {
        sign = static_cast<uint32_t>(-1);
        first = 1;
    }
    // Unsigned arithmetic wraps modulo 2^32 without overflow.
    uint32_t value = 0, place = 1;
    for (size_t i = t.size(); i > first; --i) {
        uint32_t digit = static_cast<uint32_t>(static_cast<int32_t>(static_cast<unsigned char>(t[i - 1])) - 48);
        value += place * digit;
        place *= 10u;
    }
    return static_cast<int32_t>(sign * value);
}

plat::Color RGBgamma(int32_t r, int32_t g, int32_t b, double gamma)
{
    if (std::fabs(gamma - 1.0) > 0.001) {
        auto corr = [gamma](int32_t c) {
            return plat::Int(255.0 * std::pow(static_cast<double>(c) / 255.0, 1.0 / gamma));
        };
        r = corr(r);
        g = corr(g);
        b = corr(b);
    }
    return plat::RGB(r, g, b);
}

}  // namespace quil2a
