#include "atlasdata/coords.h"

#include <algorithm>

#include "atlasdata/convert.h"

namespace quil2a {

namespace {

// Calls f(piece) for the pieces of s cut at sep, as Split does: none for the
// empty text, otherwise one more piece than there are separators.
template <class F>
void eachPiece(std::string_view s, char sep, F&& f)
{
    if (s.empty()) return;
    size_t from = 0;
    for (;;) {
        const size_t at = s.find(sep, from);
        if (at == std::string_view::npos) {
            f(s.substr(from));
            return;
        }
        f(s.substr(from, at - from));
        from = at + 1;
    }
}

}  // namespace

MapPoint pointOf(std::string_view tok)
{
    const size_t c = tok.find(',');
    if (c == std::string_view::npos) return {0, intval(tok)};
    return {intval(tok.substr(0, c)), intval(tok.substr(c + 1))};
}

Seed seedOf(std::string_view tok)
{
    Seed s;
    int field = 0;
    eachPiece(tok, ',', [&](std::string_view f) {
        if (field == 0) s.x = intval(f);
        else if (field == 1) s.y = intval(f);
        else if (field == 2) s.size = intval(f);
        ++field;
    });
    return s;
}

std::string_view afterColon(std::string_view s)
{
    const size_t c = s.find(':');
    return c == std::string_view::npos ? s : s.substr(c + 1);
}

const std::vector<MapPoint>& ParsedCoords::polyline(ParsedTable<MapPoint>& t, size_t i, const std::string& text)
{
    return t.get(i, text, [](std::string_view s, std::vector<MapPoint>& out) {
        eachPiece(s, ' ', [&](std::string_view tok) { out.push_back(pointOf(tok)); });
    });
}

const std::vector<Seed>& ParsedCoords::seeds(ParsedTable<Seed>& t, size_t i, const std::string& text)
{
    return t.get(i, text, [](std::string_view s, std::vector<Seed>& out) {
        eachPiece(afterColon(s), ' ', [&](std::string_view tok) { out.push_back(seedOf(tok)); });
    });
}

const SeedBox& ParsedCoords::fillBox(size_t i, const std::string& text)
{
    return ptBox_.get(i, text, [&](std::string_view, std::vector<SeedBox>& out) {
        SeedBox b;
        for (const Seed& s : fill(i, text)) {
            const bool first = b.x1 > b.x2;
            b.x1 = first ? s.x : std::min(b.x1, s.x);
            b.y1 = first ? s.y : std::min(b.y1, s.y);
            b.x2 = first ? s.x : std::max(b.x2, s.x);
            b.y2 = first ? s.y : std::max(b.y2, s.y);
        }
        out.push_back(b);
    }).front();
}

const std::vector<Seed>& ParsedCoords::water(size_t i, const std::string& text)
{
    return wt_.get(i, text, [](std::string_view s, std::vector<Seed>& out) { out.push_back(seedOf(afterColon(s))); });
}

}  // namespace quil2a
