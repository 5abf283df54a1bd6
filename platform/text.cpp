#include "text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace plat {

int32_t LenB(std::string_view s) { return static_cast<int32_t>(s.size()); }

Bytes LeftB(std::string_view s, int32_t n)
{
    if (n <= 0) return {};
    return Bytes(s.substr(0, static_cast<size_t>(n)));
}

Bytes RightB(std::string_view s, int32_t n)
{
    if (n <= 0) return {};
    size_t k = std::min(s.size(), static_cast<size_t>(n));
    return Bytes(s.substr(s.size() - k));
}

Bytes MidB(std::string_view s, int32_t start)
{
    if (start < 1) start = 1;
    if (static_cast<size_t>(start) > s.size()) return {};
    return Bytes(s.substr(static_cast<size_t>(start) - 1));
}

Bytes MidB(std::string_view s, int32_t start, int32_t count)
{
    if (count <= 0) return {};
    if (start < 1) start = 1;
    if (static_cast<size_t>(start) > s.size()) return {};
    return Bytes(s.substr(static_cast<size_t>(start) - 1, static_cast<size_t>(count)));
}

int32_t InStrB(int32_t start, std::string_view s, std::string_view find)
{
    if (start < 1) start = 1;
    if (static_cast<size_t>(start) > s.size() + 1) return 0;
    size_t p = s.find(find, static_cast<size_t>(start) - 1);
    return p == std::string_view::npos ? 0 : static_cast<int32_t>(p) + 1;
}

int32_t InStrB(std::string_view s, std::string_view find) { return InStrB(1, s, find); }

Bytes ChrB(int code) { return Bytes(1, static_cast<char>(code & 0xFF)); }

int AscB(std::string_view s) { return s.empty() ? 0 : static_cast<unsigned char>(s[0]); }

static bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

Bytes Trim(std::string_view s)
{
    size_t a = 0, b = s.size();
    while (a < b && isBlank(s[a])) ++a;
    while (b > a && isBlank(s[b - 1])) --b;
    return Bytes(s.substr(a, b - a));
}

std::vector<Bytes> Split(std::string_view s, std::string_view sep)
{
    std::vector<Bytes> out;
    if (s.empty()) return out;
    if (sep.empty()) {
        out.emplace_back(s);
        return out;
    }
    size_t from = 0;
    for (;;) {
        size_t p = s.find(sep, from);
        if (p == std::string_view::npos) {
            out.emplace_back(s.substr(from));
            return out;
        }
        out.emplace_back(s.substr(from, p - from));
        from = p + sep.size();
    }
}

Bytes ReplaceAllB(std::string_view s, std::string_view find, std::string_view repl)
{
    if (find.empty()) return Bytes(s);
    Bytes out;
    out.reserve(s.size());
    size_t from = 0;
    for (;;) {
        size_t p = s.find(find, from);
        if (p == std::string_view::npos) break;
        out.append(s.substr(from, p - from));
        out.append(repl);
        from = p + find.size();
    }
    out.append(s.substr(from));
    return out;
}

Bytes Lowercase(std::string_view s)
{
    Bytes r(s);
    for (char& c : r)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return r;
}

Bytes Uppercase(std::string_view s)
{
    Bytes r(s);
    for (char& c : r)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return r;
}

Bytes Str(int32_t v) { return std::to_string(v); }
Bytes Str(int64_t v) { return std::to_string(v); }

Bytes Str(double v)
{
    if (std::isnan(v)) return "NaN";
    if (std::isinf(v)) return v > 0 ? "INF" : "-INF";
    char buf[64];
    auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general);
    Bytes s(buf, r.ptr);
    // general format may switch to exponent form for large whole numbers;
    // keep plain digits for anything that fits in 64 bits.
    if (s.find('e') != Bytes::npos && v == std::floor(v) && std::fabs(v) < 9.2e18)
        return std::to_string(static_cast<int64_t>(v));
    return s;
}

// End of the sign, digits and decimal part from i; digits tells whether any digit was seen.
static size_t scanDecimal(std::string_view s, size_t i, bool& digits)
{
    digits = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9') { ++i; digits = true; }
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && s[i] >= '0' && s[i] <= '9') { ++i; digits = true; }
    }
    return i;
}

bool StartsWithNumber(std::string_view s)
{
    bool digits = false;
    scanDecimal(s, 0, digits);
    return digits;
}

double Val(std::string_view s)
{
    size_t i = 0;
    while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i;
    size_t start = i;
    bool digits = false;
    i = scanDecimal(s, i, digits);
    if (!digits) return 0.0;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        size_t j = i + 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
        if (j < s.size() && s[j] >= '0' && s[j] <= '9') {
            while (j < s.size() && s[j] >= '0' && s[j] <= '9') ++j;
            i = j;
        }
    }
    std::string num(s.substr(start, i - start));
    if (!num.empty() && num[0] == '+') num.erase(0, 1);
    double v = 0.0;
    auto r = std::from_chars(num.data(), num.data() + num.size(), v);
    if (r.ec == std::errc::result_out_of_range)
        return (!num.empty() && num[0] == '-') ? -std::numeric_limits<double>::infinity()
                                               : std::numeric_limits<double>::infinity();
    return v;
}

double Round(double v) { return std::round(v); }


}  // namespace plat
