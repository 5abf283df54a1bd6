// The application's stored resources by type and number.
#pragma once

#include <functional>
#include <string>

#include "text.h"

namespace plat {

// Gives the bytes of resource n of a type ("TEXT"); empty when there is none.
using ResourceProvider = std::function<Bytes(const std::string& type, int n)>;

Bytes GetResource(const std::string& type, int n);
ResourceProvider setResourceProvider(ResourceProvider p);

}  // namespace plat
