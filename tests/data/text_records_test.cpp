// The people, events, headlines and cities the program carries: loaded whole in
// both language sets, the same records in both, each naming a loaded place and
// dated within the atlas.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

#include "atlasdata/changes.h"
#include "data/text_items.h"
#include "platform/codepage.h"
#include "platform/text.h"

using namespace quil2a;
using texttest::atlas;
using texttest::recordCount;
using texttest::setName;

namespace {

constexpr int32_t kFirst = 10000, kLast = 20030, kOpen = 20099;

// At least one Greek letter (Windows-1253 0xC1..0xFE, final sigma included).
bool hasGreekLetter(const std::string& s)
{
    return std::any_of(s.begin(), s.end(), [](char c) {
        const auto b = static_cast<unsigned char>(c);
        return b >= 0xC1 && b <= 0xFE && b != 0xD2;
    });
}

// A record's dates: in order, and meeting the range that the dialog's query
// list keeps.
void expectListedSpan(int32_t d1, int32_t d2, const std::string& what)
{
    EXPECT_LE(d1, d2) << what;
    EXPECT_GT(d2, kFirst) << what << ": ends before the atlas begins, never listed";
    EXPECT_LT(d1, kLast) << what << ": begins after the atlas ends, never listed";
    EXPECT_LE(d2, kOpen) << what;
}

}  // namespace

TEST(TextRecords, BothSetsLoadSilentlyWithinTheTablesAndInFull)
{
    for (bool greek : {false, true}) {
        SCOPED_TRACE(setName(greek));
        const auto& s = texttest::stored(greek);
        EXPECT_TRUE(s.messages.empty()) << s.messages.front();
        EXPECT_EQ(testsupport::outsideAccesses(*s.atlas), 0);
        const Atlas& a = *s.atlas;
        EXPECT_GE(recordCount(a.people), 300);
        EXPECT_GE(recordCount(a.events), 300);
        EXPECT_GE(recordCount(a.city), 200);
        // No record is cut off by a table bound: the last slot stays free.
        EXPECT_LT(recordCount(a.people), a.people.ubound());
        EXPECT_LT(recordCount(a.events), a.events.ubound());
        EXPECT_LT(recordCount(a.city), a.city.ubound());
        int headlines = 0;
        while (headlines < a.headline.ubound() && !a.headline[headlines + 1].empty()) ++headlines;
        EXPECT_GE(headlines, 150);
        EXPECT_LT(headlines, a.headline.ubound());
    }
}

TEST(TextRecords, BothSetsHoldTheSameRecordsInTheSameOrder)
{
    const Atlas& en = atlas(false);
    const Atlas& el = atlas(true);
    ASSERT_EQ(recordCount(en.people), recordCount(el.people));
    ASSERT_EQ(recordCount(en.events), recordCount(el.events));
    ASSERT_EQ(recordCount(en.city), recordCount(el.city));
    for (int i = 1; i <= recordCount(en.people); ++i) {
        const peopletype &e = *en.people[i], &g = *el.people[i];
        EXPECT_EQ(e.placeID, g.placeID) << "person " << i << " " << e.name;
        EXPECT_EQ(e.date1, g.date1) << "person " << i << " " << e.name;
        EXPECT_EQ(e.date2, g.date2) << "person " << i << " " << e.name;
        EXPECT_TRUE(hasGreekLetter(g.name) && hasGreekLetter(g.descriptor)) << "person " << i << " " << e.name;
    }
    for (int i = 1; i <= recordCount(en.events); ++i) {
        const eventtype &e = *en.events[i], &g = *el.events[i];
        EXPECT_EQ(e.placeID, g.placeID) << "event " << i << " " << e.name;
        EXPECT_EQ(e.date1, g.date1) << "event " << i << " " << e.name;
        EXPECT_EQ(e.date2, g.date2) << "event " << i << " " << e.name;
        EXPECT_TRUE(hasGreekLetter(g.name) && hasGreekLetter(g.descriptor)) << "event " << i << " " << e.name;
    }
    for (int i = 1; i <= recordCount(en.city); ++i) {
        const citiestype &e = *en.city[i], &g = *el.city[i];
        EXPECT_EQ(e.x, g.x) << "city " << i << " " << e.name;
        EXPECT_EQ(e.y, g.y) << "city " << i << " " << e.name;
        EXPECT_EQ(e.date1, g.date1) << "city " << i << " " << e.name;
        EXPECT_EQ(e.date2, g.date2) << "city " << i << " " << e.name;
        EXPECT_TRUE(hasGreekLetter(g.name) && hasGreekLetter(g.descriptor)) << "city " << i << " " << e.name;
    }
    for (int k = 0; k <= en.headline.ubound(); ++k) {
        EXPECT_EQ(en.headline[k].empty(), el.headline[k].empty()) << "headline " << k;
        if (!el.headline[k].empty()) EXPECT_TRUE(hasGreekLetter(el.headline[k])) << "headline " << k;
    }
    for (int k = 0; k <= en.vregxy.ubound(); ++k) {
        EXPECT_EQ(en.vregxy[k], el.vregxy[k]) << "region " << k;
        EXPECT_EQ(en.vregname[k].empty(), el.vregname[k].empty()) << "region " << k;
    }
}

TEST(TextRecords, EveryPersonAndEventNamesALoadedPlace)
{
    for (bool greek : {false, true}) {
        SCOPED_TRACE(setName(greek));
        const Atlas& a = atlas(greek);
        const int places = recordCount(a.place);
        ASSERT_GT(places, 0);
        auto check = [&](int32_t id, const std::string& who) {
            ASSERT_TRUE(id >= 1 && id <= places) << who << " names place " << id << " of " << places;
            const placetype& p = *a.place[id];
            // The dialog moves the map to this box.
            EXPECT_LT(p.x1, p.x2) << who;
            EXPECT_LT(p.y1, p.y2) << who;
        };
        for (int i = 1; i <= recordCount(a.people); ++i) check(a.people[i]->placeID, a.people[i]->name);
        for (int i = 1; i <= recordCount(a.events); ++i) check(a.events[i]->placeID, a.events[i]->name);
    }
}

// Places are addressed by their position in places.mit, so a record built
// against another list of places names some unrelated place: most records
// must name a place whose label is shown at some time within their dates.
TEST(TextRecords, MostRecordsNameAPlaceOfTheirTime)
{
    const Atlas& a = atlas(false);
    auto share = [&](auto& table) {
        int n = 0, ofTheirTime = 0;
        for (int i = 1; i <= recordCount(table); ++i, ++n) {
            const auto& r = *table[i];
            if (!a.place.valid(r.placeID) || !a.place[r.placeID]) continue;
            const placetype& p = *a.place[r.placeID];
            const int32_t d1 = std::max(r.date1, kFirst), d2 = std::min(r.date2, kLast);
            if (p.date1 <= d2 && d1 <= p.date2) ++ofTheirTime;
        }
        return double(ofTheirTime) / n;
    };
    EXPECT_GE(share(a.people), 0.85);
    EXPECT_GE(share(a.events), 0.85);
}

TEST(TextRecords, RecordsAreDatedWithinTheAtlas)
{
    const Atlas& a = atlas(false);
    for (int i = 1; i <= recordCount(a.people); ++i)
        expectListedSpan(a.people[i]->date1, a.people[i]->date2, a.people[i]->name);
    for (int i = 1; i <= recordCount(a.events); ++i)
        expectListedSpan(a.events[i]->date1, a.events[i]->date2, a.events[i]->name);
    for (int i = 1; i <= recordCount(a.city); ++i) {
        const citiestype& c = *a.city[i];
        EXPECT_LE(c.date1, c.date2) << c.name;
        EXPECT_GE(c.date1, kFirst) << c.name;
        EXPECT_LE(c.date2, kOpen) << c.name;
        // A city that exists at some date of the atlas.
        EXPECT_LT(c.date1, kLast) << c.name;
        EXPECT_GT(c.date2, kFirst) << c.name;
    }
}

// The dialog's date order has no empty stretch: every decade of the atlas
// holds at least two events that begin in it, and the strip its headlines.
TEST(TextRecords, EveryDecadeHasItsEvents)
{
    const Atlas& a = atlas(false);
    std::map<int32_t, int> begun;
    for (int i = 1; i <= recordCount(a.events); ++i) ++begun[a.events[i]->date1 / 100];
    for (int32_t decade = kFirst / 100; decade * 100 < kLast; ++decade)
        EXPECT_GE(begun[decade], 2) << "events begun in the " << decade * 10 << "s";
    EXPECT_GE(recordCount(a.events), 500);
    int headlines = 0;
    while (headlines < a.headline.ubound() && !a.headline[headlines + 1].empty()) ++headlines;
    EXPECT_GE(headlines, 400);
}

// No century of the atlas goes thin on people: each person counts in the
// century that holds the middle of their dates within the atlas.
TEST(TextRecords, EveryCenturyHasItsPeople)
{
    const Atlas& a = atlas(false);
    std::map<int, int> perCentury;
    for (int i = 1; i <= recordCount(a.people); ++i) {
        const peopletype& p = *a.people[i];
        const int32_t middle = (std::max(p.date1, kFirst) + std::min(p.date2, kLast)) / 2;
        ++perCentury[std::min(middle / 1000, 19)];
    }
    for (int century = 10; century <= 19; ++century)
        EXPECT_GE(perCentury[century], 35) << "people whose middle falls in " << century * 100 << "-" << century * 100 + 99;
    EXPECT_GE(recordCount(a.people), 450);
}

// Every headline is brought by exactly one "hd" token, on a tenth the map
// animates through, and no tenth brings two (the second would hide the first).
TEST(TextRecords, EveryHeadlineShowsOnceOnItsOwnTenth)
{
    const Atlas& a = atlas(false);
    std::map<int32_t, int> shown;
    for (int32_t slot = 0; slot <= a.DChanges.ubound(); ++slot) {
        int here = 0;
        for (const ChangeToken& t : readChangeRecord(a.DChanges[slot])) {
            if (t.kind != ChangeKind::hd) continue;
            ++here;
            ++shown[t.number];
            EXPECT_GT(slot, 0) << "headline " << t.number << " at 1000.0 is never reached by a step";
            EXPECT_LE(slot + kFirst, kLast) << "headline " << t.number << " after the atlas ends";
            ASSERT_TRUE(a.headline.valid(t.number)) << t.number;
            EXPECT_FALSE(a.headline[t.number].empty()) << "token names an empty headline " << t.number;
        }
        EXPECT_LE(here, 1) << "two headlines at " << slot + kFirst;
    }
    for (int k = 1; k <= a.headline.ubound() && !a.headline[k].empty(); ++k)
        EXPECT_EQ(shown[k], 1) << "headline " << k << " " << a.headline[k];
}

// The dialog shows descriptions from a string: only the viewer's plain style
// tags, closed again, and no entities (they are not translated there).
TEST(TextRecords, TextsHoldOnlyWhatTheViewerAndListShow)
{
    const std::set<std::string> tags = {"b", "/b", "i", "/i", "u", "/u", "big", "/big", "small", "/small",
                                        "sup", "/sup", "sx", "/sx", "br", "p", "hr"};
    auto checkDescriptor = [&](const std::string& d, const std::string& who) {
        EXPECT_EQ(d.find('&'), std::string::npos) << who;
        int open = 0;
        for (size_t p = d.find('<'); p != std::string::npos; p = d.find('<', p + 1)) {
            const size_t q = d.find('>', p);
            ASSERT_NE(q, std::string::npos) << who;
            const std::string tag = d.substr(p + 1, q - p - 1);
            EXPECT_TRUE(tags.count(tag)) << who << ": <" << tag << ">";
            if (tag == "b" || tag == "i" || tag == "u" || tag == "big" || tag == "small" || tag == "sup" || tag == "sx")
                ++open;
            else if (tag[0] == '/')
                --open;
        }
        EXPECT_EQ(open, 0) << who << ": a style left on";
    };
    // Names are listed as they stand: no markup, and never a leading "^",
    // which hides a record from the list.
    auto checkName = [&](const std::string& n, const std::string& who) {
        EXPECT_FALSE(n.empty()) << who;
        EXPECT_EQ(n.find_first_of("^]<>&"), std::string::npos) << who << ": " << n;
    };
    for (bool greek : {false, true}) {
        SCOPED_TRACE(setName(greek));
        const Atlas& a = atlas(greek);
        for (int i = 1; i <= recordCount(a.people); ++i) {
            checkName(a.people[i]->name, "person " + std::to_string(i));
            checkDescriptor(a.people[i]->descriptor, a.people[i]->name);
        }
        for (int i = 1; i <= recordCount(a.events); ++i) {
            checkName(a.events[i]->name, "event " + std::to_string(i));
            checkDescriptor(a.events[i]->descriptor, a.events[i]->name);
        }
        for (int i = 1; i <= recordCount(a.city); ++i) {
            checkName(a.city[i]->name, "city " + std::to_string(i));
            checkDescriptor(a.city[i]->descriptor, a.city[i]->name);
        }
    }
}

// Every line of every language item ends in CR LF and holds only characters of
// its set's code page.
TEST(TextRecords, ItemBytesAreValidInTheirCodePage)
{
    const char* items[] = {"quilstr.mit", "people.mit", "events.mit", "headstr.mit",
                           "cities.mit", "vreg.mit", "winstr.mit"};
    for (bool greek : {false, true}) {
        const plat::CodePage cp = greek ? plat::CodePage::Win1253 : plat::CodePage::Win1252;
        for (const char* name : items) {
            const std::string key = std::string(setName(greek)) + "\\" + name;
            const plat::Bytes b = texttest::plainItem(key);
            ASSERT_GE(b.size(), 10u) << key;
            ASSERT_EQ(b.substr(b.size() - 2), "\r\n") << key;
            int line = 1;
            for (size_t i = 0; i < b.size(); ++i) {
                const auto c = static_cast<unsigned char>(b[i]);
                if (c == '\r') {
                    ASSERT_TRUE(i + 1 < b.size() && b[i + 1] == '\n') << key << " line " << line << ": lone CR";
                    ++i, ++line;
                    continue;
                }
                ASSERT_GE(c, 0x20) << key << " line " << line << ": control byte";
                ASSERT_NE(plat::codePoint(c, cp), 0xFFFD) << key << " line " << line << ": byte " << int(c);
            }
        }
    }
    const plat::Bytes head = texttest::plainItem("head1.txt");
    ASSERT_FALSE(head.empty());
    EXPECT_EQ(head.find_first_not_of("0123456789:\r\n"), std::string::npos);
}
