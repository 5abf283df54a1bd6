// A fresh atlas loaded from a fixture folder, as the program loads it at start.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "atlasdata/atlas.h"

namespace testsupport {

// Serves the folder's items, fills the content list, sets the language,
// seeds grandom, then runs both loaders.
std::unique_ptr<quil2a::Atlas> loadAtlas(const std::string& folder, bool greek = false, uint32_t seed = 1);

}  // namespace testsupport
