// Coordinates of the map texts, read once and kept beside them: the points of
// the geography and border polylines, and the seeds of the water and fill
// points. An entry is read again when its text's buffer or length changed.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quil2a {

struct MapPoint {
    int32_t x = 0, y = 0;
};

struct Seed {
    int32_t x = 0, y = 0, size = 0;
};

// The box around a list of seeds; x1 > x2 when there is none.
struct SeedBox {
    int32_t x1 = 1, y1 = 1, x2 = 0, y2 = 0;
};

// A polyline point "x,y", cut at its first ",".
MapPoint pointOf(std::string_view tok);
// A seed "x,y,size": fields 0, 1 and 2 of its pieces at ","; a missing field is 0.
Seed seedOf(std::string_view tok);
// The text after the first ":", or all of it when there is none.
std::string_view afterColon(std::string_view s);
// The type letter of a geography line's info text: the byte after its first
// "," (the first byte when there is none).
inline std::string_view geoLineType(std::string_view info)
{
    const size_t comma = info.find(',');
    const size_t at = comma == std::string_view::npos ? 0 : comma + 1;
    return at < info.size() ? info.substr(at, 1) : std::string_view();
}
// Water seed entries run from 1 up to the first missing or malformed one.
inline bool waterSeedEntry(std::string_view w) { return w.size() >= 2 && w.find(':') != std::string_view::npos; }

template <class T>
class ParsedTable {
public:
    // The parsed form of text, read on first use and whenever text changed.
    template <class Parse>
    const std::vector<T>& get(size_t i, const std::string& text, Parse&& parse)
    {
        if (i >= entries_.size()) entries_.resize(i + 1);
        Entry& e = entries_[i];
        if (!e.parsed || e.data != text.data() || e.size != text.size()) {
            e.items.clear();
            parse(std::string_view(text), e.items);
            e.items.shrink_to_fit();
            e.data = text.data();
            e.size = text.size();
            e.parsed = true;
        }
        return e.items;
    }

private:
    struct Entry {
        const char* data = nullptr;
        size_t size = 0;
        bool parsed = false;
        std::vector<T> items;
    };
    std::vector<Entry> entries_;
};

struct ParsedCoords {
    // Every piece of a polyline cut at " ", as a point.
    const std::vector<MapPoint>& polyline(ParsedTable<MapPoint>& t, size_t i, const std::string& text);
    // Every piece after the ":" cut at " ", as a seed.
    const std::vector<Seed>& seeds(ParsedTable<Seed>& t, size_t i, const std::string& text);

    const std::vector<MapPoint>& geo(size_t i, const std::string& text) { return polyline(geo_, i, text); }
    const std::vector<MapPoint>& border(size_t i, const std::string& text) { return polyline(bdr_, i, text); }
    const std::vector<Seed>& fill(size_t i, const std::string& text) { return seeds(pt_, i, text); }
    // The box around the seeds fill(i, text) gives.
    const SeedBox& fillBox(size_t i, const std::string& text);
    // A water seed: its one seed after the ":".
    const std::vector<Seed>& water(size_t i, const std::string& text);

private:
    ParsedTable<MapPoint> geo_, bdr_;
    ParsedTable<Seed> pt_, wt_;
    ParsedTable<SeedBox> ptBox_;
};

}  // namespace quil2a
