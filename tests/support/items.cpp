#include "support/items.h"

#include <fstream>
#include <iterator>
#include <stdexcept>

#include "atlasdata/content.h"

namespace testsupport {

namespace {
int resourceOf(const std::string& key)
{
    for (const auto& it : quil2a::contentItems())
        if (key == it.key) return it.resource;
    throw std::invalid_argument("no content item " + key);
}
}  // namespace

TestItems::TestItems(const std::string& folder)
{
    previous_ = plat::setResourceProvider([this](const std::string& type, int n) -> plat::Bytes {
        if (type != "TEXT") return {};
        ++fetches_[n];
        auto it = stored_.find(n);
        return it == stored_.end() ? plat::Bytes() : it->second;
    });
    if (folder.empty()) return;
    for (const auto& it : quil2a::contentItems()) {
        std::string rel = it.key;
        for (char& c : rel)
            if (c == '\\') c = '/';
        std::ifstream in(folder + "/" + rel, std::ios::binary);
        if (!in) continue;
        set(it.key, plat::Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>()));
    }
}

TestItems::~TestItems() { plat::setResourceProvider(std::move(previous_)); }

void TestItems::set(const std::string& key, const plat::Bytes& plain)
{
    stored_[resourceOf(key)] = quil2a::scrambleBytes(plain);
}

void TestItems::setStored(const std::string& key, const plat::Bytes& stored) { stored_[resourceOf(key)] = stored; }

void TestItems::remove(const std::string& key) { stored_.erase(resourceOf(key)); }

int TestItems::fetches(int resource) const
{
    auto it = fetches_.find(resource);
    return it == fetches_.end() ? 0 : it->second;
}

std::string miniAtlasFolder() { return QUILLMERE_FIXTURES "/mini"; }

plat::Bytes crlf(std::initializer_list<const char*> lines)
{
    plat::Bytes out;
    for (const char* l : lines) {
        out += l;
        out += "\r\n";
    }
    return out;
}

}  // namespace testsupport
