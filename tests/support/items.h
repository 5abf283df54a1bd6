// Stored items for tests: the files of a fixture folder, or texts set by a
// test, served as the program's resources (scrambled as the build stores them).
#pragma once

#include <map>
#include <string>

#include "platform/resources.h"
#include "platform/text.h"

namespace testsupport {

class TestItems {
public:
    // Starts empty; with a folder, every content item found there is served.
    explicit TestItems(const std::string& folder = "");
    ~TestItems();
    TestItems(const TestItems&) = delete;
    TestItems& operator=(const TestItems&) = delete;

    // Serves plain bytes under a content key ("bdr2.txt", "en\\help.htm").
    void set(const std::string& key, const plat::Bytes& plain);
    // Serves bytes as stored, without scrambling.
    void setStored(const std::string& key, const plat::Bytes& stored);
    void remove(const std::string& key);
    // How often resource n was fetched.
    int fetches(int resource) const;

private:
    std::map<int, plat::Bytes> stored_;
    mutable std::map<int, int> fetches_;
    plat::ResourceProvider previous_;
};

// The folder of the hand-made test atlas.
std::string miniAtlasFolder();
// Lines joined with CR LF, ending with CR LF.
plat::Bytes crlf(std::initializer_list<const char*> lines);

}  // namespace testsupport
