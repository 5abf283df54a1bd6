#include "atlasdata/content.h"
#include "atlasdata/loaders.h"

namespace quil2a {

std::unique_ptr<Atlas> loadServedAtlas(Language language, std::optional<uint32_t> seed)
{
    auto a = std::make_unique<Atlas>();
    Fillcfilelist(*a);  // the content list keeps its own copies of the items
    a->language = language;
    if (seed) a->grandom.Seed(*seed);
    loadmapdata(*a);
    loadtextdata(*a);
    return a;
}

}  // namespace quil2a
