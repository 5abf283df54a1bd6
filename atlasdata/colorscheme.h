// The colour schemes, one row each: which palette fills the territories, which
// line colours go with it, how the dialog shows it and whether a double click
// pales a territory. Adding a scheme is a row here, its thumbnail and its tests.
#pragma once

#include <cstdint>

namespace quil2a {

enum class ColorScheme : int32_t {
    Colour = 0,
    Grey = 1,
    GreyPale = 2,       // grey, a double click pales a territory
    NearWhite = 3,
    NearWhitePale = 4,  // near white, a double click pales a territory
    Membership = 5,     // members in colour, the rest near white
};

// Where clrlist comes from: clrlist0, clrlist1, clrlist2, or by membership.
enum class PaletteRule { Colour, Grey, NearWhite, Members };
// Line colour set: 0 (blue water) or 1 (grey water).
enum class LineSet { Set0, Set1 };

struct SchemeInfo {
    ColorScheme scheme;
    PaletteRule palette;
    LineSet lines;
    bool edgeAsWater;    // "E" geography lines drawn in the water colour
    bool pale;           // a double click toggles a territory to its palette's colour
    int dialogRow;       // row of the dialog's scheme popup
    int openThumbnail;   // dialog thumbnail when the dialog opens on this scheme
};

// Stored thumbnails of the whole map.
constexpr int kVuReg1 = 182, kVuReg2 = 179, kVuReg3 = 180, kVuReg4 = 181;

inline constexpr SchemeInfo kColorSchemes[] = {
    {ColorScheme::Colour, PaletteRule::Colour, LineSet::Set0, true, false, 0, kVuReg1},
    {ColorScheme::Grey, PaletteRule::Grey, LineSet::Set1, false, false, 1, kVuReg2},
    {ColorScheme::GreyPale, PaletteRule::Grey, LineSet::Set1, false, true, 1, kVuReg2},
    {ColorScheme::NearWhite, PaletteRule::NearWhite, LineSet::Set1, false, false, 2, kVuReg2},
    {ColorScheme::NearWhitePale, PaletteRule::NearWhite, LineSet::Set1, false, true, 2, kVuReg2},
    {ColorScheme::Membership, PaletteRule::Members, LineSet::Set1, false, false, 3, kVuReg3},
};

// The popup's rows: the scheme each chooses, its caption (interface string)
// and its thumbnail.
struct SchemeRow {
    ColorScheme scheme;
    int caption;
    int thumbnail;
};
inline constexpr SchemeRow kSchemeRows[] = {
    {ColorScheme::Colour, 42, kVuReg1},
    {ColorScheme::GreyPale, 43, kVuReg2},
    {ColorScheme::NearWhitePale, 44, kVuReg3},
    {ColorScheme::Membership, 45, kVuReg4},
};
constexpr int kSchemeRowCount = static_cast<int>(sizeof kSchemeRows / sizeof kSchemeRows[0]);

// The row of a scheme; null for a number no row has (a command link may set one).
constexpr const SchemeInfo* schemeInfo(ColorScheme s)
{
    for (const SchemeInfo& r : kColorSchemes)
        if (r.scheme == s) return &r;
    return nullptr;
}

// Line set of a scheme; a number without a row takes set 0 below 1, else set 1.
constexpr LineSet lineSet(ColorScheme s)
{
    if (const SchemeInfo* r = schemeInfo(s)) return r->lines;
    return static_cast<int32_t>(s) < 1 ? LineSet::Set0 : LineSet::Set1;
}
constexpr bool membershipView(ColorScheme s)
{
    const SchemeInfo* r = schemeInfo(s);
    return r && r->palette == PaletteRule::Members;
}
constexpr bool edgeAsWater(ColorScheme s)
{
    const SchemeInfo* r = schemeInfo(s);
    return r && r->edgeAsWater;
}

}  // namespace quil2a
