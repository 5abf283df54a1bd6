// A test suite that loads the program's own stored atlas once for its tests.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "atlasdata/loaders.h"
#include "data/stored_items.h"

namespace testsupport {

template <class Suite>
class StoredAtlasSuite : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        quillmere_data::installStoredItems();
        atlas_ = quil2a::loadServedAtlas(quil2a::Language::English);
    }
    static void TearDownTestSuite() { atlas_.reset(); }
    static quil2a::Atlas& a() { return *atlas_; }

private:
    static inline std::unique_ptr<quil2a::Atlas> atlas_;
};

}  // namespace testsupport
