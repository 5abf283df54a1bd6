// The mini atlas with some items replaced, loaded afresh, its messages recorded.
#pragma once

#include "platform/msgbox.h"
#include "support/atlas_loader.h"
#include "support/items.h"

namespace loadtest {

struct Served {
    testsupport::TestItems items{testsupport::miniAtlasFolder()};
    plat::MsgBoxRecorder messages;
    std::unique_ptr<quil2a::Atlas> load(bool greek = false, uint32_t seed = 1)
    {
        return testsupport::loadServedAtlas(greek, seed);
    }
};

}  // namespace loadtest
