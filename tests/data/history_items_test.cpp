// The committed political history items, loaded and drawn by the real loaders
// and engine: limits of the data model, token order and ranges, border grades,
// names of every coloured territory, memberships, and the map at twenty dates.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <map>
#include <optional>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "atlasdata/atlas.h"
#include "support/atlas_loader.h"
#include "support/inner_engine.h"
#include "engine/host.h"
#include "engine/mapdraw.h"
#include "engine/mapstate.h"
#include "engine/view.h"
#include "support/projection.h"
#include "support/stored_atlas.h"
#include "support/viewed_map.h"
#include "data/text_items.h"

namespace {

using quil2a::Atlas;

const double kDates[] = {1000, 1100, 1200, 1300, 1400, 1453, 1500, 1600, 1648, 1700,
                         1750, 1789, 1812, 1815, 1871, 1914, 1920, 1939, 1950, 2003};

std::vector<std::string> tokens(const std::string& s)
{
    std::vector<std::string> out;
    std::istringstream in(s);
    std::string t;
    while (in >> t) out.push_back(t);
    return out;
}

// A box of pixels, both ends included.
struct Box {
    int x1, y1, x2, y2;
};

// The box of a label's lines at a text size, about its label point.
Box nameBox(plat::Graphics& g, const quil2a::placetype& pl, int size, double sx, double sy)
{
    g.SetTextSize(size);
    plat::Bytes name = pl.name;
    if (const int32_t k = plat::InStrB(2, name, "^"); k > 0) name = plat::LeftB(name, k - 1);
    if (plat::LeftB(name, 1) == "^") name = plat::MidB(name, 2);
    const auto lines = plat::Split(name, "]");
    int w = 0;
    for (const auto& l : lines) w = std::max(w, g.StringWidth(l));
    const double h = g.TextHeight(), n = lines.size() - 1.0;
    return Box{int(sx - w / 2.0), int(sy - n * h / 2 - 0.85 * size), int(sx + w / 2.0), int(sy + n * h / 2 + 0.2 * size)};
}

// Whether a box of bw x bh pixels fits inside the extent e of a picture w
// pixels wide, on territory c: every pixel of it c's or a river's, and one
// that `within` takes (by its index); its middle c's.
template <class Within>
bool roomIn(const std::vector<int>& at, int w, int c, const Box& e, int bw, int bh, Within within)
{
    const int W = e.x2 - e.x1 + 1, H = e.y2 - e.y1 + 1;
    if (W < bw || H < bh) return false;
    auto in = [&](int x, int y) {
        const int k = (e.y1 + y) * w + e.x1 + x;
        return (at[k] == c || at[k] == -1) && within(k);
    };
    std::vector<int> sum((W + 1) * (H + 1), 0);
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x)
            sum[(y + 1) * (W + 1) + x + 1] = in(x, y) + sum[y * (W + 1) + x + 1] + sum[(y + 1) * (W + 1) + x] - sum[y * (W + 1) + x];
    for (int y = 0; y + bh <= H; ++y)
        for (int x = 0; x + bw <= W; ++x)
            if (sum[(y + bh) * (W + 1) + x + bw] - sum[y * (W + 1) + x + bw] - sum[(y + bh) * (W + 1) + x] + sum[y * (W + 1) + x] ==
                    bw * bh &&
                at[(e.y1 + y + bh / 2) * w + e.x1 + x + bw / 2] == c)
                return true;
    return false;
}

// The territory of each pixel of the political layer: its colour index, -1
// for a river, 0 for anything else.
std::vector<int> territories(const quil2a::Atlas& atlas, const quil2a::MapState& m)
{
    std::map<quil2a::Color, int> indexOf;
    for (int k = 1; k <= m.NActivePts; ++k) indexOf[atlas.clrlist[atlas.ActiveClr[k]]] = atlas.ActiveClr[k];
    const QImage& img = m.p1->image();
    std::vector<int> at(img.width() * img.height(), 0);
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const quil2a::Color c = img.pixel(x, y) & 0xffffff;
            const auto it = indexOf.find(c);
            at[y * img.width() + x] = c == atlas.rivercolor ? -1 : it != indexOf.end() ? it->second : 0;
        }
    return at;
}

class HistoryItems : public testsupport::StoredAtlasSuite<HistoryItems> {
protected:
    static int placeCount()
    {
        int n = 0;
        while (n + 1 <= 1200 && a().place[n + 1]) ++n;
        return n;
    }

    // A view of the whole map, or of Europe at the default zoom.
    struct Map : testsupport::ViewedMap {
        // The active lists live in the atlas: two maps that must not share them take two atlases.
        Map(int w, int h, double x0, double y0, double scale, quil2a::Atlas& atlas = a())
            : ViewedMap(atlas, w, h, x0, y0, scale)
        {
        }
        quil2a::Color px(const plat::Picture& p, int x, int y) const { return p.image().pixel(x, y) & 0xffffff; }
    };

    // The nation named at a map point on the political layer, as the click
    // names it: the commonest territory within r pixels (a river or border may
    // cross the point). The view around it is wide enough to hold the seeds of
    // the territory.
    static std::string nationAt(double date, double x, double y, double scale, int r)
    {
        const int c = 120;
        Map map(2 * c + 1, 2 * c + 1, x, y, scale);
        map.jump(date);
        std::map<int, int> seen;
        for (int dy = -r; dy <= r; ++dy)
            for (int dx = -r; dx <= r; ++dx)
                if (const int i = map.engine.territoryIndex(*map.m.p1, c + dx, c + dy)) ++seen[i];
        int best = 0;
        for (const auto& [i, n] : seen)
            if (!best || n > seen[best]) best = i;
        return best && a().clicknames[best] ? std::string(a().clicknames[best]->name) : std::string("none");
    }
};


TEST_F(HistoryItems, LoadsWithinTheTablesAndTheLimits)
{
    EXPECT_EQ(testsupport::outsideAccesses(a()), 0);
    const int places = placeCount();
    EXPECT_GE(places, 200);
    EXPECT_LE(places, 1200);
    int borders = 0, points = 0;
    for (int id = 1; id <= 10000; ++id) borders += !a().bdract[id].empty();
    for (int id = 1; id <= 33000; ++id) points += !a().ptact[id].empty();
    EXPECT_GT(borders, 100);
    EXPECT_GT(points, 100);
    // Index 7 is the background and no territory's colour.
    for (int id = 1; id <= 33000; ++id)
        for (const auto& t : tokens(a().ptact[id])) EXPECT_NE(t.substr(t.find(',') + 1), "7") << "point " << id;
}

// Every border's grade stays within 0..2, its tokens in date order within the
// change index; the active borders and points never exceed their tables.
TEST_F(HistoryItems, BorderAndPointTokensStayInRangeAndOrder)
{
    std::map<int, int> borderDelta, pointDelta;
    for (int id = 1; id <= 10000; ++id) {
        int grade = 0, last = 0;
        for (const auto& t : tokens(a().bdract[id])) {
            const char k = t[0];
            const int d = std::stoi(t.substr(1));
            ASSERT_GE(d, 10000) << "border " << id;
            ASSERT_LE(d, 21000) << "border " << id;
            ASSERT_GE(d, last) << "border " << id;
            last = d;
            const int was = grade;
            grade += k == 'i' || k == 'u' ? 1 : k == 's' ? 2 : k == 'o' || k == 'd' ? -1 : k == 'k' ? -2 : 99;
            ASSERT_GE(grade, 0) << "border " << id << " at " << t;
            ASSERT_LE(grade, 2) << "border " << id << " at " << t;
            if (was == 0 && grade > 0) ++borderDelta[d];
            if (was > 0 && grade == 0) --borderDelta[d];
        }
        EXPECT_EQ(a().bdract[id].empty(), a().bdrdata[id].empty()) << "border " << id;
    }
    for (int id = 1; id <= 33000; ++id) {
        int last = 0;
        bool on = false;
        for (const auto& t : tokens(a().ptact[id])) {
            const auto c = t.find(',');
            ASSERT_NE(c, std::string::npos);
            const int d = std::stoi(t.substr(0, c));
            const int ci = std::stoi(t.substr(c + 1));
            ASSERT_GE(d, 10000);
            ASSERT_LE(d, 21000);
            ASSERT_GE(d, last) << "point " << id;
            ASSERT_GE(ci, 0);
            ASSERT_LE(ci, 256);
            last = d;
            if (!on && ci > 0) ++pointDelta[d];
            if (on && ci == 0) --pointDelta[d];
            on = ci > 0;
        }
    }
    int active = 0;
    for (const auto& [d, n] : borderDelta) {
        active += n;
        EXPECT_LE(active, 2500) << "active borders at " << d;
    }
    active = 0;
    for (const auto& [d, n] : pointDelta) {
        active += n;
        EXPECT_LE(active, 6000) << "active points at " << d;
    }
}

// Label and click-name tokens name loaded places; labels come in and go out in turn.
TEST_F(HistoryItems, LabelsAndClickNamesNameLoadedPlaces)
{
    const int places = placeCount();
    for (int i = 1; i <= places; ++i) {
        const auto& p = *a().place[i];
        EXPECT_FALSE(p.name.empty()) << "place " << i;
        EXPECT_LT(p.x1, p.x2);
        EXPECT_LT(p.y1, p.y2);
        EXPECT_GE(p.xlab, p.x1);
        EXPECT_LE(p.xlab, p.x2);
        char expect = 'i';
        int last = 0;
        for (const auto& t : tokens(p.evodata)) {
            EXPECT_EQ(t[0], expect) << "place " << i;
            const int d = std::stoi(t.substr(1));
            EXPECT_GT(d, last);
            EXPECT_LE(d, 21000);
            last = d;
            expect = expect == 'i' ? 'o' : 'i';
        }
        EXPECT_FALSE(tokens(p.evodata).empty()) << "place " << i << " never shown";
    }
    for (int c = 1; c <= 256 && a().clicknames[c]; ++c)
        for (const auto& t : tokens(a().clicknames[c]->evodata)) {
            const int id = std::stoi(t.substr(t.find(',') + 2));
            EXPECT_GE(id, 1) << "colour " << c;
            EXPECT_LE(id, places) << "colour " << c;
        }
}

// At each of the twenty dates every coloured territory has a name and a shown label.
TEST_F(HistoryItems, EveryColourShownHasANameAtTheTwentyDates)
{
    Map map(64, 48, 14000, 14000, 0.002);
    for (double d : kDates) {
        map.m.maindate = d;
        map.engine.jumptodate();
        std::set<int> colours;
        for (int k = 1; k <= map.m.NActivePts; ++k) colours.insert(a().ActiveClr[k]);
        for (int c : colours) {
            ASSERT_TRUE(a().clicknames[c]) << "colour " << c << " at " << d;
            EXPECT_FALSE(a().clicknames[c]->name.empty()) << "colour " << c << " at " << d;
        }
        int shown = 0;
        for (int i = 1; i <= placeCount(); ++i) shown += a().place[i]->active;
        EXPECT_GE(shown, 25) << d;
    }
}

// The six founders in 1958; the nine of 1981; reunified Germany stays a member.
TEST_F(HistoryItems, MembershipFollowsTheCommunities)
{
    Map map(64, 48, 14000, 14000, 0.002);
    auto members = [&](double d) {
        map.m.maindate = d;
        map.engine.jumptodate();
        std::set<std::string> out;
        for (int c = 1; c <= 256; ++c)
            if (a().EUmem[c]->status && a().clicknames[c]) out.insert(a().clicknames[c]->name);
        return out;
    };
    EXPECT_TRUE(members(1957.9).empty());
    const auto six = members(1960);
    EXPECT_EQ(six.size(), 6u);
    EXPECT_TRUE(six.count("France"));
    EXPECT_TRUE(six.count("West Germany"));
    EXPECT_EQ(members(1973.5).size(), 9u);
    EXPECT_EQ(members(1986.5).size(), 12u);
    EXPECT_EQ(members(1995.5).size(), 15u);
    // Cyprus joined in 2004 and Bulgaria in 2007, after the map's last date.
    EXPECT_EQ(members(2003.0).size(), 15u);
    // After reunification no territory keeps a colour that is not a member
    // where West or East Germany lay before.
    map.m.maindate = 1991.0;
    map.engine.jumptodate();
    std::set<int> colours;
    for (int k = 1; k <= map.m.NActivePts; ++k) colours.insert(a().ActiveClr[k]);
    int germany = 0;
    for (int c : colours)
        if (a().clicknames[c]->name == "Germany") {
            ++germany;
            EXPECT_TRUE(a().EUmem[c]->status);
        }
    EXPECT_EQ(germany, 1);
    EXPECT_FALSE(std::any_of(colours.begin(), colours.end(),
                             [&](int c) { return a().clicknames[c]->name == "East Germany"; }));
}

// At the widest, the default and the closest zoom no territory floods another,
// and little land is left in the background colour. A patch of it every pixel
// of which has line pixels on two opposite sides (left and right, above and
// below, or across a diagonal) lies between lines a pixel or two apart, where no
// seed can be drawn safely: those are the lines' own. The other patches, at
// the default and the widest zoom, are small lakes the water seeds leave dry
// (a lake under about 40 pixels there cannot hold a seed drawn at that zoom,
// which must lie two pixels from every line): no land is left bare.
TEST_F(HistoryItems, LandIsFilledAndSealedAtTheTwentyDates)
{
    struct View {
        int w, h;
        double x0, y0;
        int zoom, largest, open, oneIn;
    };
    for (const View v : {View{440, 440, 17950, 17950, 21, 15, 48, 360}, View{1150, 860, 10500, 12000, 13, 33, 340, 660},
                         View{480, 360, 10500, 12000, 7, 3, 3, 15000}}) {
        Map map(v.w, v.h, v.x0, v.y0, std::pow(0.8, v.zoom));
        map.m.countrynameson = map.m.citieson = map.m.citynameson = map.m.headlineson = false;
        for (double d : kDates) {
            map.jump(d);
            const plat::Picture& p1 = *map.m.p1;
            // Background patches inside the map's frame, in the part the canvas shows.
            std::vector<char> seen(v.w * v.h, 0);
            int land = 0, bare = 0, open = 0, largest = 0;
            double atX = 0, atY = 0;
            // Columns and rows inside: a map x depends on the column only, a map y on the row.
            std::vector<char> colIn(v.w), rowIn(v.h);
            const double edge = 2 / map.m.scale;
            for (int x = 0; x < v.w; ++x) {
                const double mx = map.engine.mapx(x);
                colIn[x] = x >= 20 && x < v.w - 20 && mx > 1 + edge && mx < 35900 - edge;
            }
            for (int y = 0; y < v.h; ++y) {
                const double my = map.engine.mapy(y);
                rowIn[y] = y >= 20 && y < v.h - 20 && my > 1 + edge && my < 35900 - edge;
            }
            auto inside = [&](int x, int y) { return x >= 0 && y >= 0 && x < v.w && y < v.h && colIn[x] && rowIn[y]; };
            const QImage& img = p1.image();
            auto px = [&](int x, int y) { return reinterpret_cast<const quil2a::Color*>(img.constScanLine(y))[x] & 0xffffff; };
            auto line = [&](int x, int y) {
                return x >= 0 && y >= 0 && x < v.w && y < v.h && quil2a::mapdraw::isLineColor(a(), px(x, y));
            };
            for (int y = 0; y < v.h; ++y)
                for (int x = 0; x < v.w; ++x) {
                    if (!inside(x, y)) continue;
                    const auto c = px(x, y);
                    land += !quil2a::mapdraw::isLineColor(a(), c);
                    if (c != a().blankgrey || seen[y * v.w + x]) continue;
                    int n = 0;
                    bool between = true;
                    std::vector<std::pair<int, int>> todo{{x, y}};
                    seen[y * v.w + x] = 1;
                    while (!todo.empty()) {
                        const auto [qx, qy] = todo.back();
                        todo.pop_back();
                        ++n;
                        between = between && ((line(qx - 1, qy) && line(qx + 1, qy)) || (line(qx, qy - 1) && line(qx, qy + 1)) ||
                                              (line(qx - 1, qy - 1) && line(qx + 1, qy + 1)) ||
                                              (line(qx - 1, qy + 1) && line(qx + 1, qy - 1)));
                        for (const auto& [nx, ny] : {std::pair{qx + 1, qy}, {qx - 1, qy}, {qx, qy + 1}, {qx, qy - 1}})
                            if (inside(nx, ny) && !seen[ny * v.w + nx] && px(nx, ny) == a().blankgrey) {
                                seen[ny * v.w + nx] = 1;
                                todo.push_back({nx, ny});
                            }
                    }
                    bare += n;
                    if (between) continue;
                    open += n;
                    if (n > largest) {
                        largest = n;
                        atX = map.engine.mapx(x);
                        atY = map.engine.mapy(y);
                    }
                }
            // No territory floods another: every seed drawn shows its own colour.
            for (int k = 1; k <= map.m.NActivePts; ++k) {
                const auto own = a().clrlist[a().ActiveClr[k]];
                const int32_t id = a().ActivePt[k];
                for (const auto& s : a().coords.fill(static_cast<size_t>(id), a().ptinfo[id])) {
                    double sx, sy;
                    if (!quil2a::mapdraw::seedDrawn(map.engine, s, v.w - 1, v.h - 1, sx, sy)) continue;
                    const auto c = map.px(p1, int(sx), int(sy));
                    EXPECT_TRUE(c == own || quil2a::mapdraw::isLineColor(a(), c))
                        << "zoom " << v.zoom << " at " << d << ": seed " << s.x << "," << s.y << " of " << a().clicknames[a().ActiveClr[k]]->name;
                }
            }
            EXPECT_LE(largest, v.largest) << "zoom " << v.zoom << " at " << d << ": a patch of " << largest
                                          << " pixels at " << int(atX) << "," << int(atY);
            EXPECT_LE(open, v.open) << "zoom " << v.zoom << " at " << d;
            EXPECT_LT(bare, land / v.oneIn) << "zoom " << v.zoom << " at " << d << ": " << bare << " of " << land;
        }
    }
}

// Who holds a place at a date, read off the drawn map: faults once seen, and
// turning points a reader checks first.
TEST_F(HistoryItems, NationsAtKnownPlacesAndDates)
{
    struct Case {
        const char* where;
        double date, x, y;
        const char* name;
    };
    const Case cases[] = {
        {"Moscow", 1250, 17054, 8282, "Vladimir-Suzdal"},
        {"Moscow", 1453, 17054, 8282, "Grand Duchy of Moscow"},
        {"Wiesbaden", 1810, 9566, 10973, "Confederation of the Rhine"},
        {"Wiesbaden", 1815, 9566, 10973, "German states"},
        {"Wiesbaden", 1816, 9566, 10973, "German Confederation"},
        {"Kassel", 1810, 9980, 10501, "Kingdom of Westphalia"},
        {"Karlsruhe", 1800, 9538, 11434, "Baden"},
        {"Stuttgart", 1800, 9742, 11565, "W\xfcrttemberg"},
        {"Munich", 1810, 10386, 11927, "Bavaria"},
        {"Vienna", 1700, 11761, 12009, "Austria"},
        {"Constantinople", 1400, 15755, 14965, "Byzantine Empire"},
        {"Constantinople", 1453.5, 15755, 14965, "Ottoman Empire"},
        {"Granada", 1400, 4635, 15504, "Emirate of Granada"},
        {"Granada", 1500, 4635, 15504, "Castile"},
        {"Simferopol", 1950, 17098, 13027, "Soviet Union"},
        {"Simferopol", 2003, 17098, 13027, "Ukraine"},
        {"Astrakhan", 2003, 20964, 11268, "Russia"},
        {"Volgograd", 2003, 19648, 10679, "Russia"},
    };
    for (const auto& c : cases) EXPECT_EQ(nationAt(c.date, c.x, c.y, 0.05, 3), c.name) << c.where << " at " << c.date;
    // The small states, at the widest point of each, at the closest zoom.
    EXPECT_EQ(nationAt(2003, 9743, 12293, 0.25, 0), "Liechtenstein");
    EXPECT_EQ(nationAt(2003, 10448, 13757, 0.25, 0), "San Marino");
    EXPECT_EQ(nationAt(2003, 8876, 13624, 0.25, 0), "Monaco");
}

// At the whole-atlas view (the map about a thousand pixels across) every state
// that has room for its name at the smallest label size shows it, and every
// label drawn lies inside its own territory, in both language sets.
TEST_F(HistoryItems, StatesWithRoomForTheirNameShowItInsideTheirLand)
{
    const int side = 1010;
    auto greek = quil2a::loadServedAtlas(quil2a::Language::Greek);
    for (quil2a::Atlas* atlas : {&a(), greek.get()}) {
        quil2a::MapState m;
        m.makePictures(side, side);
        m.x0 = m.y0 = 17950;
        m.xc = m.yc = side / 2.0;
        m.scale = std::pow(0.8, 16);
        quil2a::NullHost host(side, side);
        testsupport::InnerEngine engine(*atlas, m, host);
        plat::Graphics& g = m.p->graphics();
        g.SetTextFont(plat::kSerif);
        g.SetCodePage(atlas->textCodePage());
        const char* lang = atlas->lang().folder;
        for (double d : kDates) {
            m.maindate = d;
            engine.jumptodate();
            engine.displaymap(*m.p, true);
            const std::vector<int> at = territories(*atlas, m);
            std::map<int, Box> extent;
            for (int y = 0; y < side; ++y)
                for (int x = 0; x < side; ++x) {
                    const int i = at[y * side + x];
                    if (i <= 0) continue;
                    auto [e, fresh] = extent.try_emplace(i, Box{x, y, x, y});
                    if (fresh) continue;
                    Box& r = e->second;
                    r = {std::min(r.x1, x), std::min(r.y1, y), std::max(r.x2, x), std::max(r.y2, y)};
                }
            // Labels drawn: inside the territory of the nation they name.
            std::set<int> labelled;
            for (int i = 1; i <= 1200 && atlas->place[i]; ++i) {
                const quil2a::placetype& pl = *atlas->place[i];
                const int size = std::min(36, int(std::lround(18 * m.scale * pl.fontsize)));
                if (!pl.active || size <= 8) continue;
                const Box b = nameBox(g, pl, size, engine.screenx(pl.xlab), engine.screeny(pl.ylab));
                std::map<int, int> seen;
                int all = 0;
                for (int y = std::max(0, b.y1); y <= std::min(side - 1, b.y2); ++y)
                    for (int x = std::max(0, b.x1); x <= std::min(side - 1, b.x2); ++x, ++all) ++seen[at[y * side + x]];
                int c = 0;
                for (const auto& [k, n] : seen)
                    if (k > 0 && (!c || n > seen[c])) c = k;
                ASSERT_GT(c, 0) << lang << " " << pl.name << " at " << d;
                EXPECT_GE(seen[c] + seen[-1], all * 9 / 10) << lang << " " << pl.name << " at " << d << " leaves its land";
                labelled.insert(c);
            }
            // States with room: a box of their name at size 9, a quarter over, fits their land.
            for (const auto& [c, e] : extent) {
                if (labelled.count(c) || !atlas->clicknames[c]) continue;
                const quil2a::placetype* pl = nullptr;
                for (int i = 1; i <= 1200 && atlas->place[i]; ++i)
                    if (atlas->place[i]->active && plat::ReplaceAllB(atlas->place[i]->name, "]", " ") == atlas->clicknames[c]->name)
                        pl = atlas->place[i].get();
                if (!pl) continue;
                const Box b = nameBox(g, *pl, 9, 0, 0);
                const bool room = roomIn(at, side, c, e, (b.x2 - b.x1) * 5 / 4 + 2, (b.y2 - b.y1) * 5 / 4 + 2, [](int) { return true; });
                EXPECT_FALSE(room) << lang << " " << atlas->clicknames[c]->name << " has room but no label at " << d;
            }
        }
    }
}

// The capitals of the nations from the history source: by nation key, each
// with the date10 it holds from; none for a nation without one.
struct Capital {
    int from;
    std::optional<testsupport::MapPoint> at;
};

std::map<std::string, std::vector<Capital>> readCapitals()
{
    std::map<std::string, std::vector<Capital>> out;
    std::ifstream in(QUILLMERE_HISTORY_SOURCES "/nations.txt");
    std::string raw, nation;
    while (std::getline(in, raw)) {
        std::istringstream line(raw.substr(0, raw.find('#')));
        std::vector<std::string> f;
        for (std::string w; line >> w;) f.push_back(w);
        if (f.size() >= 2 && f[0] == "nation") nation = f[1];
        if (f.empty() || f[0] != "capital") continue;
        Capital c{0, std::nullopt};
        if (f.size() == 3) {
            const auto dot = f[1].find('.');
            c.from = std::stoi(f[1].substr(0, dot)) * 10 + (dot == std::string::npos ? 0 : std::stoi(f[1].substr(dot + 1)));
        }
        double lon, lat;
        if (f.back() != "none" && std::sscanf(f.back().c_str(), "%lf,%lf", &lon, &lat) == 2) c.at = testsupport::toMap(lon, lat);
        out[nation].push_back(c);
    }
    return out;
}

// Every nation is named on its home, the piece of its land that holds its
// capital, where that piece has room for the name at the smallest size the
// engine draws, on its lines or (up to four words) a word a line: at the twenty
// dates (at the default zoom also at 1150 and 1850), at the widest, the default
// and the closest zoom, in both language sets. A far piece may carry a label too.
TEST_F(HistoryItems, NationsAreNamedOnTheirHomeWhereItHasRoom)
{
    const auto capitals = readCapitals();
    ASSERT_GT(capitals.size(), 200u);
    // Colour index to nation key: the labels of the colour file.
    std::map<int, std::string> nationOf;
    const auto colours = plat::Split(texttest::plainItem("clrs.txt"), "\r\n");
    for (size_t i = 0; i < colours.size(); ++i) nationOf[int(i) + 1] = colours[i].substr(0, colours[i].find(':'));
    auto greek = quil2a::loadServedAtlas(quil2a::Language::Greek);
    struct View {
        int w, h;
        double x0, y0;
        int zoom;
    };
    for (quil2a::Atlas* atlas : {&a(), greek.get()}) {
        const char* lang = atlas->lang().folder;
        for (const View v : {View{440, 440, 17950, 17950, 21}, View{1111, 779, 10500, 12000, 13}, View{480, 360, 10500, 12000, 7}}) {
            Map map(v.w, v.h, v.x0, v.y0, std::pow(0.8, v.zoom), *atlas);
            map.m.citieson = map.m.headlineson = false;
            plat::Graphics& g = map.m.p->graphics();
            g.SetTextFont("Times");
            g.SetCodePage(atlas->textCodePage());
            // Size factors run up to 40: at the widest zoom no label is drawn.
            const bool labelsDrawn = std::lround(18 * map.m.scale * 40) > 8;
            int homes = 0;
            std::vector<double> dates(std::begin(kDates), std::end(kDates));
            if (v.zoom == 13) dates.insert(dates.end(), {1150, 1850});
            for (double d : dates) {
                map.jump(d);
                // Each place drawn, and the box of its lines.
                std::map<int, Box> drawn;
                for (const quil2a::TextItem& it : map.m.textLayer.items) {
                    if (it.city) continue;
                    auto [b, fresh] = drawn.try_emplace(it.index, Box{it.x1, it.y1, it.x2 - 1, it.y2 - 1});
                    if (!fresh) b->second = {std::min(b->second.x1, it.x1), std::min(b->second.y1, it.y1),
                                             std::max(b->second.x2, it.x2 - 1), std::max(b->second.y2, it.y2 - 1)};
                }
                if (!labelsDrawn) {
                    EXPECT_TRUE(drawn.empty()) << lang << " zoom " << v.zoom << " at " << d;
                    continue;
                }
                const std::vector<int> at = territories(*atlas, map.m);
                const std::set<int> shown(at.begin(), at.end());
                // The pixels of a home: those marked with its number.
                std::vector<int> mark(at.size(), 0);
                int homeNo = 0;
                for (const int c : shown) {
                    if (c <= 0 || !atlas->clicknames[c]) continue;
                    const plat::Bytes& name = atlas->clicknames[c]->name;
                    const auto caps = capitals.find(nationOf[c]);
                    ASSERT_NE(caps, capitals.end()) << nationOf[c] << " has no capital";
                    const Capital* cap = nullptr;
                    for (const Capital& k : caps->second)
                        if (k.from <= d * 10 + 0.01) cap = &k;
                    if (!cap || !cap->at) continue;
                    // The capital's pixel, or the nearest of its territory within two pixels
                    // (a river or a border may cross it).
                    const int cx = int(std::lround(map.engine.screenx(cap->at->x))), cy = int(std::lround(map.engine.screeny(cap->at->y)));
                    int start = -1;
                    for (int r = 0; r <= 2 && start < 0; ++r)
                        for (int y = cy - r; y <= cy + r && start < 0; ++y)
                            for (int x = cx - r; x <= cx + r && start < 0; ++x)
                                if (x >= 0 && y >= 0 && x < v.w && y < v.h && at[y * v.w + x] == c) start = y * v.w + x;
                    if (start < 0) continue;
                    // The home: the territory's pixels, and the rivers over them, joined to the
                    // capital by land or by a crossing of 25 km (100 units each way: a strait
                    // the map draws over land, the Kerch or the Bosporus, parts its shores by
                    // a few pixels).
                    const int no = ++homeNo;
                    auto home = [&](int k) { return mark[k] == no; };
                    Box e{start % v.w, start / v.w, start % v.w, start / v.w};
                    auto flood = [&](int from) {
                        std::vector<int> todo{from};
                        mark[from] = no;
                        while (!todo.empty()) {
                            const int k = todo.back();
                            todo.pop_back();
                            const int x = k % v.w, y = k / v.w;
                            e = {std::min(e.x1, x), std::min(e.y1, y), std::max(e.x2, x), std::max(e.y2, y)};
                            for (const auto& [nx, ny] : {std::pair{x + 1, y}, {x - 1, y}, {x, y + 1}, {x, y - 1}}) {
                                const int n = ny * v.w + nx;
                                if (nx < 0 || ny < 0 || nx >= v.w || ny >= v.h || home(n) || (at[n] != c && at[n] != -1)) continue;
                                mark[n] = no;
                                todo.push_back(n);
                            }
                        }
                    };
                    flood(start);
                    const int reach = int(100 * map.m.scale);
                    for (bool grew = reach > 0; grew;) {
                        grew = false;
                        // The home widened by the reach each way, row by row and then column by column.
                        const Box n{std::max(0, e.x1 - reach), std::max(0, e.y1 - reach), std::min(v.w - 1, e.x2 + reach),
                                    std::min(v.h - 1, e.y2 + reach)};
                        const int W = n.x2 - n.x1 + 1, H = n.y2 - n.y1 + 1;
                        std::vector<char> across(W * H, 0), wide(W * H, 0);
                        for (int y = 0; y < H; ++y)
                            for (int x = 0, last = -reach - 1; x < W + reach; ++x) {
                                if (x < W && home((n.y1 + y) * v.w + n.x1 + x)) last = x;
                                if (x - reach >= 0 && x - reach < W) across[y * W + x - reach] = last >= x - 2 * reach;
                            }
                        for (int x = 0; x < W; ++x)
                            for (int y = 0, last = -reach - 1; y < H + reach; ++y) {
                                if (y < H && across[y * W + x]) last = y;
                                if (y - reach >= 0 && y - reach < H) wide[(y - reach) * W + x] = last >= y - 2 * reach;
                            }
                        for (int k = 0; k < W * H; ++k) {
                            const int i = (n.y1 + k / W) * v.w + n.x1 + k % W;
                            if (!wide[k] || at[i] != c || home(i)) continue;
                            flood(i);
                            grew = true;
                        }
                    }
                    // A home the view cuts may have its label beyond the view.
                    if (e.x1 == 0 || e.y1 == 0 || e.x2 == v.w - 1 || e.y2 == v.h - 1) continue;
                    // Room for the name at the smallest size drawn, a quarter over.
                    const quil2a::placetype* pl = nullptr;
                    for (int i = 1; i <= 1200 && atlas->place[i] && !pl; ++i)
                        if (atlas->place[i]->active && plat::ReplaceAllB(atlas->place[i]->name, "]", " ") == name) pl = atlas->place[i].get();
                    ASSERT_TRUE(pl) << lang << " " << name << " has no label at " << d;
                    auto room = [&](const quil2a::placetype& shape) {
                        const Box b = nameBox(g, shape, 9, 0, 0);
                        return roomIn(at, v.w, c, e, (b.x2 - b.x1) * 7 / 6 + 2, (b.y2 - b.y1) * 7 / 6 + 2, home);
                    };
                    quil2a::placetype stacked = *pl;
                    stacked.name = plat::ReplaceAllB(name, " ", "]");
                    if (!room(*pl) && (std::count(name.begin(), name.end(), ' ') > 3 || !room(stacked))) continue;
                    ++homes;
                    // A label of the nation with most of it on the home.
                    bool named = false;
                    for (const auto& [i, lb] : drawn) {
                        if (plat::ReplaceAllB(atlas->place[i]->name, "]", " ") != name) continue;
                        int on = 0, all = 0;
                        for (int y = std::max(0, lb.y1); y <= std::min(v.h - 1, lb.y2); ++y)
                            for (int x = std::max(0, lb.x1); x <= std::min(v.w - 1, lb.x2); ++x, ++all) on += home(y * v.w + x);
                        named = named || (all && 2 * on >= all);
                    }
                    EXPECT_TRUE(named) << lang << " zoom " << v.zoom << " at " << d << ": " << nationOf[c] << " (" << name << ") has room on its home but no label there";
                }
            }
            EXPECT_TRUE(!labelsDrawn || homes > 20) << lang << " zoom " << v.zoom << ": " << homes << " homes with room";
        }
    }
}

// Each nation has a colour of its own, and in every colour scheme the click
// names the nation whose fill point coloured the territory under it.
// The map as it opens (the default view on the canvas of a full-HD screen)
// names Sweden, whose largest box lay in Lapland beyond the view's top.
TEST_F(HistoryItems, TheOpeningViewNamesSweden)
{
    auto greek = quil2a::loadServedAtlas(quil2a::Language::Greek);
    for (quil2a::Atlas* atlas : {&a(), greek.get()}) {
        Map map(1111, 779, 10500, 12000, std::pow(0.8, 13), *atlas);
        const plat::Bytes sweden = atlas == &a() ? "Sweden" : "\xD3\xEF\xF5\xE7\xE4\xDF\xE1";
        for (double d : {1400.0, 1500.0, 1600.0, 1650.0, 1700.0, 1775.0}) {
            map.jump(d);
            bool named = false;
            for (const quil2a::TextItem& it : map.m.textLayer.items)
                named = named || (!it.city && atlas->place[it.index]->name == sweden && it.x1 >= 0 && it.y1 >= 0);
            EXPECT_TRUE(named) << atlas->lang().folder << " " << d;
        }
    }
}

TEST_F(HistoryItems, TheClickNamesTheNationDrawnInEveryScheme)
{
    std::set<int> used;
    for (int id = 1; id <= 33000; ++id)
        for (const auto& t : tokens(a().ptact[id])) used.insert(std::stoi(t.substr(t.find(',') + 1)));
    used.erase(0);
    std::map<quil2a::Color, int> owner;
    for (int i : used) EXPECT_TRUE(owner.emplace(a().clrlist0[i], i).second) << i << " shares its colour with " << owner[a().clrlist0[i]];

    Map map(480, 360, 13000, 12500, std::pow(0.8, 15));
    for (int scheme : {0, 2, 4, 5}) {
        a().colorscheme = static_cast<quil2a::ColorScheme>(scheme);
        quil2a::applyColorScheme(a());
        for (double d : {1400.0, 1815.0, 1960.0, 2003.0}) {
            map.jump(d);
            int checked = 0;
            for (int k = 1; k <= map.m.NActivePts; ++k) {
                const int32_t id = a().ActivePt[k];
                for (const auto& s : a().coords.fill(static_cast<size_t>(id), a().ptinfo[id])) {
                    double sx, sy;
                    if (!quil2a::mapdraw::seedDrawn(map.engine, s, 479, 359, sx, sy)) continue;
                    if (quil2a::mapdraw::isLineColor(a(), map.px(*map.m.p1, int(sx), int(sy)))) continue;
                    ++checked;
                    EXPECT_EQ(map.engine.territoryIndex(*map.m.p1, int(sx), int(sy)), a().ActiveClr[k])
                        << "scheme " << scheme << " at " << d << ", seed " << s.x << "," << s.y;
                    break;
                }
            }
            EXPECT_GT(checked, 20) << "scheme " << scheme << " at " << d;
        }
    }
    a().colorscheme = quil2a::ColorScheme::Colour;
    quil2a::applyColorScheme(a());
}

// Stepping a tenth at a time from 1000.0 to 2003.0 keeps the political layer
// that a rebuild draws: every five years, at the default and the closest zoom,
// at most 0.05% of the pixels differ (ends of borders drawn over by a refill).
TEST_F(HistoryItems, SteppedMapMatchesTheRebuildAllTheWay)
{
    struct View {
        double x0, y0;
        int zoom, oneIn;
    };
    const auto second = quil2a::loadServedAtlas(quil2a::Language::English);
    for (const View v : {View{10500, 12000, 13, 2000}, View{10500, 12000, 7, 2000}}) {
        const int w = 400, h = 300;
        Map stepped(w, h, v.x0, v.y0, std::pow(0.8, v.zoom));
        Map rebuilt(w, h, v.x0, v.y0, std::pow(0.8, v.zoom), *second);
        // Names and headlines go on p only, and cost the most under the sanitizers.
        for (quil2a::MapState* m : {&stepped.m, &rebuilt.m})
            m->countrynameson = m->citieson = m->citynameson = m->headlineson = false;
        stepped.jump(1000.0);
        for (int d10 = 10001; d10 <= 20030; ++d10) {
            stepped.m.timeforward = true;
            stepped.m.maindate = d10 / 10.0;
            stepped.engine.gotodate();
            if (d10 % 50 && d10 != 20030) continue;
            rebuilt.jump(d10 / 10.0);
            // The part the map canvas shows: p goes on it from (20, 20).
            int differ = 0;
            for (int y = 20; y < h - 20; ++y)
                for (int x = 20; x < w - 20; ++x)
                    differ += stepped.px(*stepped.m.p1, x, y) != rebuilt.px(*rebuilt.m.p1, x, y);
            EXPECT_LE(differ, (w - 40) * (h - 40) / v.oneIn) << "zoom " << v.zoom << " at " << d10 / 10.0;
        }
    }
}

}  // namespace
