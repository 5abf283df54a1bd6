#include "data/stored_items.h"

#include "platform/resources.h"

namespace quillmere_data {

plat::Bytes storedResource(const std::string& type, int number)
{
    for (int i = 0; i < kStoredResourceCount; ++i) {
        const StoredResource& r = kStoredResources[i];
        if (r.number == number && type == r.type) return plat::Bytes(r.begin, r.end);
    }
    return {};
}

void installStoredItems() { plat::setResourceProvider(storedResource); }

}  // namespace quillmere_data
