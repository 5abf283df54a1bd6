// Whether a map point lies on water, from the geography's shore lines: coasts,
// islands and lakes. A ray from the point to the map's left edge crosses them;
// the shores cut by that edge are closed along it by counting their ends
// below the point. Water is the parity the water seeds have.
#pragma once

#include <cstdint>
#include <vector>

#include "atlasdata/atlas.h"

namespace quil2a {

class Shores {
public:
    // Made again when the geography data's hash changed since the last call.
    void update(Atlas& a, uint64_t dataHash);
    // False without shore lines or water seeds.
    bool water(double x, double y) const;

private:
    struct Segment {
        int32_t x1, y1, x2, y2;
    };
    int parity(double x, double y) const;
    std::vector<Segment> segs_;
    // The segments reaching into each band of kBand map units of y.
    std::vector<std::vector<uint32_t>> bands_;
    std::vector<double> leftEnds_;
    int waterParity_ = -1;  // -1: no seed tells
    uint64_t key_ = 0;
    bool built_ = false;
};

}  // namespace quil2a
