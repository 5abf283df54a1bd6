// The pictures stored with the program, by resource number, each loaded once
// on first use and kept; a missing one is asked for again at the next use.
#pragma once

#include <map>
#include <memory>

#include "platform/picture.h"

namespace quil2a {

class StoredPictures {
public:
    // Resource numbers of the stored pictures ("PICT").
    static constexpr int kBtn7f = 168, kBtn8f = 169, kBtn0f = 170;  // roller frames; 1..6 follow 170
    static constexpr int kFlash1 = 177, kFlashgr = 178;              // splash, English and Greek
    static int rollerFrameNumber(int direction);

    // Null when the resource is missing or is no picture.
    const plat::Picture* picture(int resource);

    const plat::Picture* btnf(int direction) { return picture(rollerFrameNumber(direction)); }
    const plat::Picture* btn0f() { return btnf(0); }
    const plat::Picture* flash1() { return picture(kFlash1); }
    const plat::Picture* flashgr() { return picture(kFlashgr); }

private:
    std::map<int, std::unique_ptr<plat::Picture>> cache_;
};

}  // namespace quil2a
