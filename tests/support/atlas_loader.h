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

// The same from the items a live TestItems (or the program) serves now.
std::unique_ptr<quil2a::Atlas> loadServedAtlas(bool greek = false, uint32_t seed = 1);

// How often any of the atlas's tables was asked for an index outside it.
int64_t outsideAccesses(const quil2a::Atlas& a);

}  // namespace testsupport
