// The content list of stored items and the item reader.
#pragma once

#include <string>
#include <vector>

#include "atlasdata/atlas.h"

namespace quil2a {

struct ContentItem {
    int n;           // item number
    const char* key; // content key, folder and backslash first
    int resource;    // number of the stored "TEXT" resource
};

// The content list, generated from data/items.list in its order.
extern const ContentItem kContentItems[];
extern const int kContentItemCount;
// Every item of the content list, in item number order.
const std::vector<ContentItem>& contentItems();

// The stored text of item n (fetched once, then kept).
const Bytes& cflist(Atlas& a, int n);
// Puts the key in place and adds every item to cfilelist.
void Fillcfilelist(Atlas& a);

void OpenThisFile(Atlas& a, const Bytes& name, const Bytes& folder, bool greek, bool scrambled);
Bytes GetLine(Atlas& a);
bool fileEOF(const Atlas& a);
void fileClose(Atlas& a);

// Applies the file scrambling to bytes (the same call undoes it).
Bytes scrambleBytes(const Bytes& in);

}  // namespace quil2a
