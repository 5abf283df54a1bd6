// Byte strings and the text functions the atlas code is written against.
// Positions count bytes from 1; strings hold raw Windows-1252/1253 bytes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace plat {

using Bytes = std::string;

// Code page a byte string is tagged with; only used when text is shown.
enum class CodePage { Win1252, Win1253 };

// Text with its code-page mark.
struct MarkedText {
    Bytes bytes;
    CodePage codePage = CodePage::Win1252;
};

int32_t LenB(std::string_view s);
Bytes LeftB(std::string_view s, int32_t n);
Bytes RightB(std::string_view s, int32_t n);
// Bytes from start (1-based) to the end; empty past the end.
Bytes MidB(std::string_view s, int32_t start);
// count bytes from start; a negative count gives the empty text.
Bytes MidB(std::string_view s, int32_t start, int32_t count);
// First match at or after start (start < 1 counts as 1); 0 when none.
int32_t InStrB(std::string_view s, std::string_view find);
int32_t InStrB(int32_t start, std::string_view s, std::string_view find);
// Character forms: the same as the byte forms on single-byte code pages.
inline int32_t Len(std::string_view s) { return LenB(s); }
inline Bytes Mid(std::string_view s, int32_t start) { return MidB(s, start); }
inline Bytes Mid(std::string_view s, int32_t start, int32_t count) { return MidB(s, start, count); }
inline int32_t InStr(std::string_view s, std::string_view find) { return InStrB(s, find); }
inline int32_t InStr(int32_t start, std::string_view s, std::string_view find) { return InStrB(start, s, find); }
Bytes ChrB(int code);
int AscB(std::string_view s);  // first byte, 0 for the empty text

// Drops leading and trailing blanks, tabs, CR and LF.
Bytes Trim(std::string_view s);
// Pieces 0..n where n is the number of separators; the empty text gives none.
std::vector<Bytes> Split(std::string_view s, std::string_view sep);
// One left-to-right pass over non-overlapping matches.
Bytes ReplaceAllB(std::string_view s, std::string_view find, std::string_view repl);
Bytes Lowercase(std::string_view s);  // ASCII letters only
Bytes Uppercase(std::string_view s);  // ASCII letters only

Bytes Str(int32_t v);
Bytes Str(int64_t v);
// Shortest round-trip decimal; a whole number has no decimal point.
Bytes Str(double v);
// The leading number of the text as a double (0 when there is none).
double Val(std::string_view s);
// Whether the text begins with a number that Val reads (a sign, digits, a decimal part).
bool StartsWithNumber(std::string_view s);
// Nearest whole number, halves away from zero.
double Round(double v);
// Drops the fraction; NaN gives 0 and values beyond the 32-bit range saturate.
inline int32_t Int(double v)
{
    if (!(v == v)) return 0;
    if (v >= 2147483647.0) return INT32_MAX;
    if (v <= -2147483648.0) return INT32_MIN;
    return static_cast<int32_t>(v);
}

}  // namespace plat
