// The atlas text the program carries: both language sets loaded once from the
// embedded items, as the program loads them, and the plain bytes of any item.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "atlasdata/atlas.h"
#include "atlasdata/content.h"
#include "data/stored_items.h"
#include "platform/msgbox.h"
#include "platform/resources.h"
#include "support/atlas_loader.h"

namespace texttest {

struct LoadedSet {
    std::unique_ptr<quil2a::Atlas> atlas;
    std::vector<plat::Bytes> messages;  // shown while loading
};

inline LoadedSet loadSet(bool greek)
{
    plat::ResourceProvider previous = plat::setResourceProvider(quillmere_data::storedResource);
    LoadedSet s;
    {
        plat::MsgBoxRecorder rec;
        s.atlas = testsupport::loadServedAtlas(greek);
        s.messages = rec.messages();
    }
    plat::setResourceProvider(std::move(previous));
    return s;
}

// English (index 0) and Greek (index 1), loaded on first use.
inline const LoadedSet& stored(bool greek)
{
    static const LoadedSet sets[2] = {loadSet(false), loadSet(true)};
    return sets[greek ? 1 : 0];
}

inline const quil2a::Atlas& atlas(bool greek) { return *stored(greek).atlas; }

// The plain bytes of a content item ("en\\people.mit", "head1.txt").
inline plat::Bytes plainItem(const std::string& key)
{
    for (const auto& it : quil2a::contentItems())
        if (key == it.key) return quil2a::scrambleBytes(quillmere_data::storedResource("TEXT", it.resource));
    return {};
}

// The records of a table from index 1 up to the first empty slot.
template <class R>
int recordCount(const quil2a::Table<std::unique_ptr<R>>& t)
{
    int n = 0;
    while (n < t.ubound() && t[n + 1]) ++n;
    return n;
}

inline const char* setName(bool greek) { return greek ? "el" : "en"; }

}  // namespace texttest
