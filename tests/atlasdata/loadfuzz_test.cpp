#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <map>
#include <random>

#include "atlasdata/changes.h"
#include "atlasdata/content.h"
#include "data/stored_items.h"
#include "platform/msgbox.h"
#include "platform/resources.h"
#include "support/atlas_loader.h"
#include "support/items.h"

using namespace quil2a;

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr int kDamagedLoads = 600;
#else
constexpr int kDamagedLoads = 3000;
#endif

// The items the two loaders read.
const char* const kLoaderItems[] = {
    "clrs.txt", "eus.txt", "geo2.txt", "bdr2.txt", "wt1.txt", "pt1.txt", "cnam1.txt", "dnam1.txt", "head1.txt",
    "hta1.txt", "en\\quilstr.mit", "en\\places.mit", "en\\people.mit", "en\\events.mit", "en\\headstr.mit",
    "en\\cities.mit", "en\\vreg.mit", "el\\quilstr.mit", "el\\places.mit", "el\\people.mit", "el\\events.mit",
    "el\\headstr.mit", "el\\cities.mit", "el\\vreg.mit",
};

std::map<std::string, Bytes> miniItems()
{
    std::map<std::string, Bytes> out;
    for (const char* key : kLoaderItems) {
        std::string rel = key;
        for (char& c : rel)
            if (c == '\\') c = '/';
        std::ifstream in(testsupport::miniAtlasFolder() + "/" + rel, std::ios::binary);
        out[key] = Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    }
    return out;
}

class Damage {
public:
    explicit Damage(uint32_t seed) : rng_(seed) {}

    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }

    Bytes apply(Bytes s)
    {
        static const char* const numbers[] = {"99999999999", "2147483647", "-2147483648", "4294967296", "-1", "0",
                                              "20100", "10000", "21001", "9999", "257", "33001", "1201"};
        static const char pieces[] = "\r\n:, -@0123456789iosk^\t";
        const int kind = pick(9);
        const size_t at = s.empty() ? 0 : static_cast<size_t>(pick(static_cast<int>(s.size()) + 1));
        switch (kind) {
        case 0:  // truncated
            s.resize(at);
            break;
        case 1:  // bytes flipped
            for (int n = 1 + pick(4); n > 0 && !s.empty(); --n)
                s[static_cast<size_t>(pick(static_cast<int>(s.size())))] =
                    pick(2) ? pieces[pick(sizeof pieces - 1)] : static_cast<char>(pick(256));
            break;
        case 2:  // a line duplicated
        case 3: {  // a line dropped
            const size_t b = s.rfind("\r\n", at);
            const size_t begin = b == Bytes::npos ? 0 : b + 2;
            size_t end = s.find("\r\n", at);
            end = end == Bytes::npos ? s.size() : end + 2;
            if (begin > end) break;
            const Bytes line = s.substr(begin, end - begin);
            if (kind == 2)
                s.insert(begin, line);
            else
                s.erase(begin, end - begin);
            break;
        }
        case 4:  // a huge or edge number
            s.insert(at, numbers[pick(sizeof numbers / sizeof *numbers)]);
            break;
        case 5: {  // a field emptied
            const size_t end = s.find_first_of(" ,:\r", at);
            if (end != Bytes::npos) s.erase(at, end - at);
            break;
        }
        case 6:  // a separator inserted
            s.insert(at, 1, pieces[pick(sizeof pieces - 1)]);
            break;
        case 7:  // a whole record repeated many times
            for (int n = pick(300); n > 0; --n) s += s.substr(0, std::min<size_t>(s.size(), 40));
            break;
        default:  // empty or too short to be accepted
            s = s.substr(0, static_cast<size_t>(pick(12)));
            break;
        }
        return s;
    }

private:
    std::mt19937 rng_;
};

// The change index holds only tokens the date step can apply within the tables.
void expectSoundChangeIndex(const Atlas& a, int seed)
{
    for (int slot = 0; slot <= a.DChanges.ubound(); ++slot) {
        const Bytes& r = a.DChanges[slot];
        if (r.empty()) continue;
        ASSERT_EQ(r.back(), ' ') << seed << " slot " << slot;
        ASSERT_NE(r.front(), ' ') << seed << " slot " << slot;
        ASSERT_EQ(r.find("  "), Bytes::npos) << seed << " slot " << slot;
        for (const Bytes& piece : plat::Split(r, " "))
            ASSERT_TRUE(withinAtlasLimits(a, readChangeToken(piece))) << seed << " slot " << slot << ": " << piece;
    }
}

bool expectedMessage(const Bytes& m)
{
    if (m == "Error 1") return true;
    const Bytes head = "Error: ";
    for (const Bytes tail : {" has lines outside the atlas's limits; they were skipped.",
                             " has lines with missing numbers; they were read as 0."})
        if (m.size() > head.size() + tail.size() && m.compare(0, head.size(), head) == 0 &&
            m.compare(m.size() - tail.size(), tail.size(), tail) == 0)
            return true;
    return false;
}

}  // namespace

TEST(LoaderRobustness, DamagedItemsAlwaysLoadWithinTheTables)
{
    const std::map<std::string, Bytes> base = miniItems();
    for (int seed = 1; seed <= kDamagedLoads; ++seed) {
        Damage damage(static_cast<uint32_t>(seed));
        testsupport::TestItems items;
        std::map<std::string, Bytes> texts = base;
        for (int n = 1 + damage.pick(3); n > 0; --n) {
            Bytes& t = texts[kLoaderItems[damage.pick(sizeof kLoaderItems / sizeof *kLoaderItems)]];
            for (int k = 1 + damage.pick(3); k > 0; --k) t = damage.apply(t);
        }
        for (const auto& [key, text] : texts) items.set(key, text);
        plat::MsgBoxRecorder messages;
        auto a = testsupport::loadServedAtlas(seed % 2 == 0, static_cast<uint32_t>(seed));
        ASSERT_EQ(testsupport::outsideAccesses(*a), 0) << seed;
        ASSERT_GE(a->maxanchorinfo, 0);
        ASSERT_LE(a->maxanchorinfo, a->anchorinfo.ubound());
        ASSERT_LE(a->maxbdrID, a->bdract.ubound());
        expectSoundChangeIndex(*a, seed);
        for (const Bytes& m : messages.messages()) {
            ASSERT_TRUE(expectedMessage(m)) << seed << ": " << m;
            if (m != "Error 1") {
                ASSERT_EQ(messages.count(m), 1) << seed << ": " << m;
            }
        }
    }
}

// The atlas the program carries stays within the tables and says nothing.
TEST(LoaderRobustness, TheStoredAtlasLoadsCleanly)
{
    plat::ResourceProvider previous = plat::setResourceProvider(quillmere_data::storedResource);
    for (bool greek : {false, true}) {
        plat::MsgBoxRecorder messages;
        auto a = testsupport::loadServedAtlas(greek);
        EXPECT_TRUE(messages.messages().empty()) << (messages.messages().empty() ? "" : messages.messages()[0]);
        EXPECT_EQ(testsupport::outsideAccesses(*a), 0);
        EXPECT_NE(a->place[1], nullptr);
        expectSoundChangeIndex(*a, 0);
    }
    plat::setResourceProvider(std::move(previous));
}
