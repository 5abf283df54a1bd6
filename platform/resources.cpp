#include "resources.h"

namespace plat {

namespace {
ResourceProvider& provider()
{
    static ResourceProvider p;
    return p;
}
}  // namespace

Bytes GetResource(const std::string& type, int n)
{
    if (!provider()) return {};
    return provider()(type, n);
}

ResourceProvider setResourceProvider(ResourceProvider p)
{
    ResourceProvider old = std::move(provider());
    provider() = std::move(p);
    return old;
}

}  // namespace plat
