// The atlas text against the map: every person and event names a place whose
// label the map shows at the record's date, every city stands, at its first
// date, in a territory that names a shown place, and a headline, its narrative
// anchor and a change on the map of one day fall in one tenth.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <set>
#include <sstream>
#include <string>

#include "atlasdata/changes.h"
#include "support/inner_engine.h"
#include "engine/host.h"
#include "engine/mapstate.h"
#include "platform/text.h"
#include "support/stored_atlas.h"

namespace {

using quil2a::Atlas;

constexpr int32_t kFirst = 10000, kLast = 20030;

int32_t clampDate(int32_t d) { return std::clamp(d, kFirst, kLast); }

// Records whose place is not shown at their date, each with its reason.
const char* const kBulgaria = "the Bulgaria they rose for, drawn from 1878";
const std::map<std::string, const char*> kPlaceExceptions = {
    {"Theodoros Kolokotronis", "the Greece he fought for, drawn from the rising of 1821"},
    {"April Uprising", kBulgaria},
    {"Vasil Levski", kBulgaria},
    {"Giuseppe Verdi", "the Italy his operas called for, drawn from 1860; his Parma has no place of its own"},
    {"David Ben-Gurion", "the Israel he founded in 1948; the British mandate has no place of its own"},
};

// Cities that stand, at their first date, outside any shown place's territory.
const std::map<std::string, const char*> kCityExceptions = {};

class TextPlaces : public testsupport::StoredAtlasSuite<TextPlaces> {
protected:
    template <class R>
    static int count(const quil2a::Table<std::unique_ptr<R>>& t)
    {
        int n = 0;
        while (n < t.ubound() && t[n + 1]) ++n;
        return n;
    }

    // The label state of a place at a date: its last "i" or "o" token up to it.
    static bool shown(int32_t id, int32_t d10)
    {
        if (!a().place.valid(id) || !a().place[id]) return false;
        bool on = false;
        std::istringstream in(a().place[id]->evodata);
        for (std::string t; in >> t;) {
            if (std::stoi(t.substr(1)) > d10) break;
            on = t[0] == 'i';
        }
        return on;
    }

    // A place of that name, in any of its versions, is shown at a date: the
    // colour of a territory names one version of its place for its whole time.
    static bool shownByName(const std::string& name, int32_t d10)
    {
        for (int i = 1; i <= count(a().place); ++i)
            if (a().place[i]->name == name && shown(i, d10)) return true;
        return false;
    }

    // The record a colour index names at a date (a place when positive).
    static int32_t clickId(int c, int32_t d10)
    {
        if (!a().clicknames.valid(c) || !a().clicknames[c]) return 0;
        int32_t id = 0;
        std::istringstream in(a().clicknames[c]->evodata);
        for (std::string t; in >> t;) {
            const auto comma = t.find(',');
            if (std::stoi(t.substr(0, comma)) > d10) break;
            id = std::stoi(t.substr(comma + 2));
        }
        return id;
    }

    // A view of the map around a point at a date.
    struct View {
        static constexpr int kHalf = 120;
        quil2a::MapState m;
        bool drawn = false;
        quil2a::NullHost host{2 * kHalf + 1, 2 * kHalf + 1};
        testsupport::InnerEngine engine{a(), m, host};
        View()
        {
            m.makePictures(2 * kHalf + 1, 2 * kHalf + 1);
            m.xc = m.yc = kHalf;
            m.scale = 0.05;
            m.countrynameson = m.citieson = m.citynameson = false;
        }
        void date(int32_t d10)
        {
            m.maindate = d10 / 10.0;
            engine.jumptodate();
            drawn = false;
        }
        // Later dates by the date step, a tenth at a time (cheaper than a
        // rebuild for each).
        void stepTo(int32_t d10)
        {
            m.timeforward = true;
            while (int32_t(std::lround(m.maindate * 10)) < d10) {
                m.maindate = std::round(m.maindate * 10 + 1) / 10;
                engine.gotodate();
                drawn = false;
            }
        }
        // The colour index over the whole palette that fills most of the
        // pixels within r of the point, lines and water left out (a border or
        // river may cross it).
        // A view drawn for this date is used again for points near its middle.
        quil2a::Color colourAt(double x, double y, int r = 3)
        {
            double px = engine.screenx(x), py = engine.screeny(y);
            if (!drawn || std::fabs(px - kHalf) > kHalf / 2 || std::fabs(py - kHalf) > kHalf / 2) {
                m.x0 = x;
                m.y0 = y;
                engine.displaymap(*m.p, true);
                drawn = true;
                px = py = kHalf;
            }
            const Atlas& at = a();
            std::map<quil2a::Color, int> seen;
            for (int dy = -r; dy <= r; ++dy)
                for (int dx = -r; dx <= r; ++dx) {
                    const quil2a::Color c = m.p1->image().pixel(int(px) + dx, int(py) + dy) & 0xffffff;
                    if (c != at.bordercolor && c != at.coastcolor && c != at.rivercolor && c != at.watercolor) ++seen[c];
                }
            quil2a::Color best = 0;
            int bestN = 0;
            for (const auto& [colour, n] : seen)
                if (n > bestN) best = colour, bestN = n;
            return bestN ? best : quil2a::Color(-1);
        }
        // Every colour index that draws a colour: two nations far apart may
        // share one.
        static std::vector<int> indicesOf(quil2a::Color colour)
        {
            std::vector<int> out;
            for (int c = 1; c <= 256; ++c)
                if (c != 7 && a().clrlist[c] == colour) out.push_back(c);
            return out;
        }
    };
};

// A person (at the middle of the dates) or an event (on its day) names a
// place whose label is shown then: the dialog frames a place of that time.
TEST_F(TextPlaces, PeopleAndEventsNameAPlaceShownAtTheirDate)
{
    auto check = [&](const std::string& who, int32_t id, int32_t d10) {
        const bool ok = shown(id, d10);
        const auto ex = kPlaceExceptions.find(who);
        if (ex != kPlaceExceptions.end()) {
            EXPECT_FALSE(ok) << who << " agrees with the map now: drop its exception (" << ex->second << ")";
            return;
        }
        EXPECT_TRUE(ok) << who << " names place " << id << " ("
                        << (a().place.valid(id) && a().place[id] ? a().place[id]->name : std::string("none"))
                        << "), not shown at " << d10;
    };
    for (int i = 1; i <= count(a().events); ++i) {
        const auto& e = *a().events[i];
        // An event may end its place: the map turns on its day.
        const int32_t d10 = clampDate(e.date1);
        check(e.name, e.placeID, shown(e.placeID, d10 - 1) && !shown(e.placeID, d10) ? d10 - 1 : d10);
    }
    for (int i = 1; i <= count(a().people); ++i) {
        const auto& p = *a().people[i];
        check(p.name, p.placeID, (clampDate(p.date1) + clampDate(p.date2) + 1) / 2);
    }
}

// A city's point lies, at its first date, in a territory whose colour names
// a place shown then.
TEST_F(TextPlaces, CitiesStandInTheTerritoryOfAShownPlace)
{
    std::map<int32_t, std::vector<int>> byDate;
    for (int i = 1; i <= count(a().city); ++i) byDate[clampDate(a().city[i]->date1)].push_back(i);
    View v;
    v.date(kFirst);
    for (const auto& [d10, cities] : byDate) {
        v.stepTo(d10);
        for (int i : cities) {
            const auto& c = *a().city[i];
            const quil2a::Color colour = v.colourAt(c.x, c.y);
            std::string names;
            bool ok = false;
            for (int k : View::indicesOf(colour)) {
                const int32_t id = clickId(k, d10);
                if (id <= 0) continue;
                names += " " + a().place[id]->name;
                ok = ok || shownByName(a().place[id]->name, d10);
            }
            const auto ex = kCityExceptions.find(c.name);
            if (ex != kCityExceptions.end()) {
                EXPECT_FALSE(ok) << c.name << " agrees with the map now: drop its exception (" << ex->second << ")";
                continue;
            }
            EXPECT_TRUE(ok) << c.name << " at " << c.x << ", " << c.y << " in " << d10 << ": colour " << std::hex
                            << colour << std::dec << " names" << (names.empty() ? " no place" : names);
        }
    }
}

// Hastings: the headline and the narrative turn in one tenth. Gdansk: the
// city takes its Polish name in the tenth the map makes it Polish.
TEST_F(TextPlaces, AHeadlineItsAnchorAndTheMapTurnInOneTenth)
{
    int hastings = 0;
    for (int k = 1; k <= a().headline.ubound() && !a().headline[k].empty(); ++k)
        if (a().headline[k].find("Hastings") != std::string::npos) hastings = k;
    ASSERT_GT(hastings, 0);
    int32_t headlineAt = 0;
    std::set<int32_t> anchors;
    for (int32_t slot = 0; slot <= a().DChanges.ubound(); ++slot)
        for (const quil2a::ChangeToken& t : quil2a::readChangeRecord(a().DChanges[slot])) {
            if (t.kind == quil2a::ChangeKind::hd && t.number == hastings) headlineAt = slot + kFirst;
            if (t.kind == quil2a::ChangeKind::ha) anchors.insert(slot + kFirst);
        }
    EXPECT_EQ(headlineAt, 10668);
    EXPECT_TRUE(anchors.count(headlineAt)) << "no narrative anchor at " << headlineAt;

    const quil2a::citiestype* gdansk = nullptr;
    for (int i = 1; i <= count(a().city); ++i)
        if (a().city[i]->name == "Gdansk") gdansk = a().city[i].get();
    ASSERT_NE(gdansk, nullptr);
    View v;
    auto nation = [&](int32_t d10) {
        v.date(d10);
        std::string names;
        for (int k : View::indicesOf(v.colourAt(gdansk->x, gdansk->y)))
            if (const int32_t id = clickId(k, d10); id > 0) names += a().place[id]->name + " ";
        return names;
    };
    EXPECT_NE(nation(gdansk->date1 - 1).find("Germ"), std::string::npos);
    EXPECT_NE(nation(gdansk->date1).find("Poland"), std::string::npos);
}

}  // namespace
