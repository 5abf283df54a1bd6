#include "support/atlas_loader.h"

#include "atlasdata/content.h"
#include "atlasdata/loaders.h"
#include "support/items.h"

namespace testsupport {

std::unique_ptr<quil2a::Atlas> loadAtlas(const std::string& folder, bool greek, uint32_t seed)
{
    auto a = std::make_unique<quil2a::Atlas>();
    TestItems items(folder);  // the content list keeps its own copies
    quil2a::Fillcfilelist(*a);
    a->GreekText = greek;
    a->grandom.Seed(seed);
    quil2a::loadmapdata(*a);
    quil2a::loadtextdata(*a);
    return a;
}

}  // namespace testsupport
