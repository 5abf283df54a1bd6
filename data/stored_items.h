// The resources embedded in the program (TEXT items as stored: scrambled).
#pragma once

#include <string>

#include "platform/text.h"

namespace quillmere_data {

struct StoredResource {
    const char* type;
    int number;
    const char* begin;
    const char* end;
};

extern const StoredResource kStoredResources[];
extern const int kStoredResourceCount;

// The stored bytes of a resource; empty when there is none.
plat::Bytes storedResource(const std::string& type, int number);
// Makes the embedded resources the program's resources.
void installStoredItems();

}  // namespace quillmere_data
