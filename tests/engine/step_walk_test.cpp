// Random walks over generated atlases: whatever mix of steps forward and back
// and jumps brought the map to a date, its active lists are those the full
// rebuild makes for that date (as sets: slot order may differ).
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "support/inner_engine.h"
#include "platform/msgbox.h"
#include "support/atlas_loader.h"
#include "support/items.h"

namespace {

using plat::Bytes;

struct Gen {
    std::mt19937 rng;
    explicit Gen(uint32_t seed) : rng(seed) {}
    int in(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); }
    bool chance(double p) { return std::uniform_real_distribution<double>(0, 1)(rng) < p; }
    // n distinct values from lo..hi.
    std::vector<int> distinct(int n, int lo, int hi)
    {
        std::set<int> s;
        while (static_cast<int>(s.size()) < n) s.insert(in(lo, hi));
        std::vector<int> v(s.begin(), s.end());
        std::shuffle(v.begin(), v.end(), rng);
        return v;
    }
    // n strictly increasing date10 values from lo..hi: no item has two tokens
    // in one record. The ends of the date range come up often.
    std::vector<int> dates(int n, int lo, int hi)
    {
        std::set<int> s;
        while (static_cast<int>(s.size()) < std::min(n, hi - lo + 1)) {
            const int ends[] = {10000, 10001, 20029, 20030};
            const int d = chance(0.1) ? ends[in(0, 3)] : in(lo, hi);
            if (d >= lo && d <= hi) s.insert(d);
        }
        return {s.begin(), s.end()};
    }
};

// A generated atlas as the item texts the loaders read, and the window of
// dates its changes fall in.
struct GeneratedAtlas {
    std::map<std::string, Bytes> items;
    int lo = 0, hi = 0;
};

Bytes S(int v) { return std::to_string(v); }
Bytes lines(const std::vector<Bytes>& ls)
{
    Bytes out;
    for (const Bytes& l : ls) out += l + "\r\n";
    return out;
}
// Ends a text item: a short line stops its reading.
const Bytes kTextEnd = "          \r\n";

GeneratedAtlas generate(uint32_t seed)
{
    Gen g(seed);
    GeneratedAtlas at;
    // A window of about 30 years, sometimes at either end of the date range.
    const int pick = g.in(0, 3);
    at.lo = pick == 0 ? 10000 : pick == 1 ? 20030 - 250 : g.in(10000, 19700);
    at.hi = std::min(at.lo + 300, 20100);
    auto date = [&] { return g.in(at.lo, at.hi); };
    auto box = [&] { return S(g.in(0, 20000)) + " " + S(g.in(0, 20000)) + " " + S(g.in(0, 36000)) + " " + S(g.in(0, 36000)); };

    // Colours and memberships (one "i" token per colour index).
    std::vector<Bytes> clrs;
    for (int i = 1; i <= 256; ++i) clrs.push_back(S(g.in(0, 255)) + "," + S(g.in(0, 255)) + "," + S(g.in(0, 255)));
    at.items["clrs.txt"] = lines(clrs);
    std::vector<Bytes> eus;
    for (int c : g.distinct(g.in(0, 12), 1, 256)) eus.push_back(S(c) + ":i" + S(date()));
    eus.push_back("no more memberships");
    at.items["eus.txt"] = lines(eus);
    at.items["geo2.txt"] = lines({"0,C sea", "0 0 36000 36000", "0,0 36000,0 36000,36000 0,0"});
    at.items["wt1.txt"] = lines({"0:100,100,10"});

    // Borders: each token moves the grade 0 (absent), 1 (thin), 2 (thick) to another.
    std::vector<Bytes> bdr;
    for (int id : g.distinct(g.in(0, 45), 1, 10000)) {
        Bytes tokens;
        int grade = 0;
        for (int d : g.dates(g.in(0, 6), at.lo, at.hi)) {
            struct Move { char letter; int grade; };
            static constexpr Move moves[3][2] = {{{'i', 1}, {'s', 2}}, {{'o', 0}, {'u', 2}}, {{'d', 1}, {'k', 0}}};
            const Move mv = moves[grade][g.in(0, 1)];
            grade = mv.grade;
            tokens += (tokens.empty() ? "" : " ") + Bytes(1, mv.letter) + S(d);
        }
        bdr.insert(bdr.end(), {S(id) + ":border " + S(id), box(), "1,1 2,2", tokens});
    }
    bdr.insert(bdr.end(), {"0:no more borders", "0 0 0 0", "0,0", ""});
    at.items["bdr2.txt"] = lines(bdr);

    // Fill points: a colour index, or 0 (absent) between two colour indexes;
    // a point never starts absent nor goes twice.
    std::vector<Bytes> pts;
    for (int id : g.distinct(g.in(0, 60), 1, 33000)) {
        Bytes tokens;
        int prev = 0;
        for (int d : g.dates(g.in(0, 5), at.lo, at.hi)) {
            const int v = prev != 0 && g.chance(0.35) ? 0 : g.in(1, 256);
            tokens += (tokens.empty() ? "" : " ") + S(d) + "," + S(v);
            prev = v;
        }
        pts.insert(pts.end(), {S(id) + ":p " + S(g.in(0, 36000)) + "," + S(g.in(0, 36000)) + ",50", tokens});
    }
    pts.insert(pts.end(), {"0:no more points", ""});
    at.items["pt1.txt"] = lines(pts);

    // Places, people and the labels that come and go.
    static const char* names[] = {"Aland", "^Old]Be^land", "Ce]land", "^Dee", "Eland^x", "F"};
    const int nPlaces = g.in(1, 25), nPeople = g.in(0, 8);
    std::vector<Bytes> places, people, dnam;
    for (int k = 1; k <= nPlaces; ++k) {
        const bool coarse = g.chance(0.5);
        const int x = coarse ? g.in(0, 5000) : g.in(0, 36000), y = coarse ? g.in(0, 5000) : g.in(0, 36000);
        places.insert(places.end(), {S(k) + ":" + names[g.in(0, 5)] + S(k),
                                     Bytes(coarse ? "" : ":") + S(x) + " " + S(y) + " " + S(x) + " " + S(y) + " " + box() + " 2 " +
                                         S(at.lo) + " " + S(at.hi),
                                     "About place " + S(k) + "."});
    }
    for (int k = 1; k <= nPeople; ++k)
        people.insert(people.end(), {S(k) + ":Per]son^" + S(k), S(g.in(1, nPlaces)) + " " + S(at.lo) + " " + S(at.hi), "A person."});
    for (int id : g.distinct(g.in(0, nPlaces), 1, nPlaces)) {
        Bytes tokens;
        int n = 0;
        for (int d : g.dates(g.in(1, 5), at.lo, at.hi)) {
            tokens += (n ? " " : "") + Bytes(n % 2 ? "o" : "i") + S(d);
            ++n;
        }
        dnam.push_back(S(id) + ":" + tokens);
    }
    at.items["en\\places.mit"] = lines(places) + kTextEnd;
    at.items["en\\people.mit"] = lines(people) + kTextEnd;
    at.items["dnam1.txt"] = lines(dnam) + kTextEnd;

    // Click names: mostly loaded places and people, sometimes none.
    std::vector<Bytes> cnam;
    for (int k = 1, n = g.in(0, 20); k <= n; ++k) {
        Bytes tokens;
        for (int d : g.dates(g.in(0, 4), at.lo, at.hi)) {
            int id = g.chance(0.7) ? g.in(1, nPlaces) : nPeople > 0 && g.chance(0.8) ? -g.in(1, nPeople) : g.in(nPlaces + 1, 1200);
            tokens += (tokens.empty() ? "" : " ") + S(d) + (id > 0 ? ",p" : ",h") + S(id);
        }
        cnam.push_back(S(k) + ":" + tokens);
    }
    at.items["cnam1.txt"] = lines(cnam) + kTextEnd;

    // Cities, headlines and narrative anchors: no lists, but their tokens share the records.
    std::vector<Bytes> cities, heads, headstr, hta;
    for (int k = 1, n = g.in(0, 6); k <= n; ++k) {
        std::vector<int> d = g.dates(2, at.lo, at.hi);
        cities.insert(cities.end(), {":" + S(g.in(0, 36000)) + " " + S(g.in(0, 36000)) + " " + S(d[0]) + " " + S(d.back()), "City" + S(k), "A city."});
    }
    for (int k = 0; k < 5; ++k) headstr.push_back(S(300 + k) + ":Headline " + S(k + 1));
    for (int d : g.dates(g.in(0, 4), at.lo, at.hi)) heads.push_back(S(d) + ":" + S(g.in(300, 304)));
    for (int d : g.dates(g.in(0, 3), at.lo, at.hi)) hta.push_back(S(d) + "," + S(g.in(150, 152)));
    at.items["en\\cities.mit"] = lines(cities) + kTextEnd;
    at.items["en\\headstr.mit"] = lines(headstr) + kTextEnd;
    at.items["head1.txt"] = lines(heads) + kTextEnd;
    at.items["hta1.txt"] = lines(hta) + kTextEnd;
    at.items["en\\quilstr.mit"] = lines({"1@\"Nation: \"", "2@\"Show:\""});
    at.items["en\\events.mit"] = lines({"1 " + S(at.lo) + " " + S(at.hi), "An event", "Of note."}) + kTextEnd;
    at.items["en\\vreg.mit"] = lines({"View regions", "0 0 0 0", "All", "0 0 36000 36000"}) + kTextEnd;
    return at;
}

std::unique_ptr<quil2a::Atlas> load(const GeneratedAtlas& at)
{
    testsupport::TestItems served;
    for (const auto& [key, text] : at.items) served.set(key, text);
    return testsupport::loadServedAtlas();
}

// Everything the rebuild derives from the date.
struct Lists {
    std::multiset<std::tuple<int, double, double, double, double>> borders;  // signed id and box
    std::multiset<std::pair<int, int>> points;
    std::vector<bool> labels, members;
    std::vector<Bytes> clicknames;
    std::vector<plat::Color> palette;
    bool operator==(const Lists&) const = default;
};

Lists snapshot(const quil2a::Atlas& a, const quil2a::MapState& m)
{
    Lists l;
    for (int k = 1; k <= m.NActiveBdrs; ++k) {
        const quil2a::zonetype& z = *a.ActiveBzone[k];
        l.borders.insert({a.ActiveBdr[k], z.x1, z.y1, z.x2, z.y2});
    }
    for (int k = 1; k <= m.NActivePts; ++k) l.points.insert({a.ActivePt[k], a.ActiveClr[k]});
    for (int i = 1; i <= a.place.ubound() && a.place[i]; ++i) l.labels.push_back(a.place[i]->active);
    for (int i = 1; i <= 256; ++i) l.members.push_back(a.EUmem[i] && a.EUmem[i]->status);
    for (int i = 1; i <= 256 && a.clicknames[i]; ++i) l.clicknames.push_back(a.clicknames[i]->name);
    if (a.colorscheme == quil2a::ColorScheme::Membership)
        for (int i = 1; i <= 256; ++i) l.palette.push_back(a.clrlist[i]);
    return l;
}

std::string describe(const Lists& l)
{
    std::string s = "borders:";
    for (const auto& b : l.borders) s += " " + std::to_string(std::get<0>(b));
    s += "\npoints:";
    for (const auto& [id, c] : l.points) s += " " + std::to_string(id) + "/" + std::to_string(c);
    s += "\nlabels:";
    for (bool b : l.labels) s += b ? "1" : "0";
    s += "\nmembers:";
    for (bool b : l.members) s += b ? "1" : "0";
    s += "\nclick names:";
    for (const Bytes& n : l.clicknames) s += " [" + n + "]";
    return s;
}

}  // namespace

TEST(DateStepWalk, StepsAndJumpsAgreeWithTheRebuild)
{
    constexpr int kAtlases = 60, kWalksPerAtlas = 50;
    plat::MsgBoxRecorder box;
    int walks = 0, steps = 0, applied = 0;
    for (uint32_t seed = 1; seed <= kAtlases; ++seed) {
        const GeneratedAtlas at = generate(seed);
        auto a = load(at);
        ASSERT_TRUE(box.messages().empty()) << "seed " << seed << ": " << box.messages().front();
        int changes = 0;
        for (int i = 0; i <= a->DChanges.ubound(); ++i) changes += !a->DChanges[i].empty();
        applied += changes;
        if (seed % 2 == 0) a->colorscheme = quil2a::ColorScheme::Membership;

        quil2a::MapState m;
        m.makePictures(48, 32);
        m.xc = 24;
        m.yc = 16;
        m.scale = 0.8 * 0.8 * 0.8;
        quil2a::NullHost host;
        testsupport::InnerEngine e(*a, m, host);
        Gen g(seed * 7919u);
        auto jumpTo = [&](int date10) {
            m.maindate = date10 / 10.0;
            e.jumptodate();
        };

        for (int w = 0; w < kWalksPerAtlas; ++w, ++walks) {
            m.NarrWinOpen = g.chance(0.5);
            // Often from an end of the window, which may lie at an end of the date range.
            jumpTo(g.chance(0.3) ? (g.chance(0.5) ? at.lo : at.hi) : g.in(at.lo, at.hi));
            std::string path = std::to_string(plat::Int(plat::Round(m.maindate * 10)));
            for (int run = 0, runs = g.in(1, 12); run < runs; ++run) {
                if (g.chance(0.08)) {
                    jumpTo(g.in(at.lo, at.hi));
                    path += " jump " + std::to_string(plat::Int(plat::Round(m.maindate * 10)));
                    continue;
                }
                const bool forward = g.chance(0.5);
                const int n = g.in(1, 25);
                path += (forward ? " +" : " -") + std::to_string(n);
                for (int i = 0; i < n; ++i, ++steps) {
                    m.maindate = std::clamp(m.maindate + (forward ? 0.1 : -0.1), m.mindate, m.maxdate);
                    m.timeforward = forward;
                    e.gotodate();
                }
            }
            const Lists walked = snapshot(*a, m);
            e.jumptodate();
            const Lists rebuilt = snapshot(*a, m);
            ASSERT_TRUE(walked == rebuilt) << "atlas " << seed << ", walk " << w << ": " << path << "\nwalked\n"
                                           << describe(walked) << "\nrebuilt\n" << describe(rebuilt);
        }
        ASSERT_EQ(testsupport::outsideAccesses(*a), 0) << "atlas " << seed;
    }
    EXPECT_EQ(walks, kAtlases * kWalksPerAtlas);
    // The generated data really move the lists.
    EXPECT_GT(applied, kAtlases * 20);
    RecordProperty("steps", steps);
}

TEST(DateStepWalk, DamagedFillPointsStepAndRebuildAlike)
{
    GeneratedAtlas at = generate(1);
    // Colours outside the palette, dates outside the index, absent after a value skipped.
    at.items["pt1.txt"] = lines({"5:p 100,100,50", "16000,300 16010,4 16020,-1 16030,7 16040,0 16050,999 16060,3",
                                 "6:p 200,200,50", "9999,5 16005,0 16015,6 21500,8", "7:p 300,300,50",
                                 "16000,300 16010,0 16020,9", "0:no more points", ""});
    plat::MsgBoxRecorder box;
    auto a = load(at);
    EXPECT_FALSE(box.messages().empty());  // the damage is reported
    quil2a::MapState m;
    quil2a::NullHost host;
    testsupport::InnerEngine e(*a, m, host);
    auto points = [&] { return snapshot(*a, m).points; };
    for (int to = 15990; to <= 16080; ++to) {
        for (int from : {15990, 16080}) {
            m.maindate = from / 10.0;
            e.jumptodate();
            while (plat::Int(plat::Round(m.maindate * 10)) != to) e.step(to > from ? 1 : -1);
            const auto walked = points();
            e.jumptodate();
            ASSERT_EQ(walked, points()) << "from " << from << " to " << to;
        }
    }
}
