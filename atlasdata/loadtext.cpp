#include "atlasdata/changes.h"
#include "atlasdata/content.h"
#include "atlasdata/convert.h"
#include "atlasdata/loaders.h"

namespace quil2a {

using namespace plat;
using loading::appendChecked;
using loading::field;
using loading::ItemProblems;
using loading::ItemLines;

namespace {

// Coordinates of places and cities are coarse unless their line begins with ":".
constexpr double kCoarse = 7.291666666666667;

bool isShort(const Bytes& line) { return LenB(line) < 2; }

// The text after the first occurrence of sep, trimmed; the whole line without one.
Bytes after(const Bytes& line, const char* sep) { return Trim(MidB(line, InStrB(line, sep) + 1)); }

// Drops a leading ":" and gives the factor of the line's coordinates.
double coordinateFactor(Bytes& line)
{
    if (LeftB(line, 1) != ":") return kCoarse;
    line = MidB(line, 2);
    return 1.0;
}

double coordinate(double factor, const Bytes& text) { return factor * static_cast<double>(intval(text)); }

Bytes squeeze(const Bytes& line) { return ReplaceAllB(line, "  ", " "); }

void stringFile(Atlas& a)
{
    ItemLines item(a, "quilstr.mit", true, true);
    int32_t k = 1;
    do {
        Bytes line = item.line();
        const int32_t p = InStrB(line, "@");
        if (p > 0) line = MidB(line, p + 1);
        if (a.quilstring.valid(k))
            a.quilstring[k] = MidB(line, 2, LenB(line) - 2);
        else
            item.problems.skipped();
        ++k;
    } while (item.more());
}

void placeFile(Atlas& a)
{
    ItemLines item(a, "places.mit", true, true);
    item.numbered(3, 1, a.place.ubound(), [&](int32_t k, std::vector<Bytes>& lines) {
        auto p = std::make_unique<placetype>();
        p->name = after(lines[0], ":");
        const double factor = coordinateFactor(lines[1]);
        const std::vector<Bytes> f = Split(lines[1], " ");
        ItemProblems& pr = item.problems;
        p->xlab = coordinate(factor, field(f, 0, pr));
        p->ylab = coordinate(factor, field(f, 1, pr));
        p->xseed = coordinate(factor, field(f, 2, pr));
        p->yseed = coordinate(factor, field(f, 3, pr));
        p->x1 = coordinate(factor, field(f, 4, pr));
        p->y1 = coordinate(factor, field(f, 5, pr));
        p->x2 = coordinate(factor, field(f, 6, pr));
        p->y2 = coordinate(factor, field(f, 7, pr));
        p->fontsize = intval(field(f, 8, pr));
        p->date1 = intval(field(f, 9, pr));
        p->date2 = intval(field(f, 10, pr));
        p->descriptor = lines[2];
        a.place[k] = std::move(p);
    });
}

void peopleFile(Atlas& a)
{
    ItemLines item(a, "people.mit", true, true);
    item.numbered(3, 1, a.people.ubound(), [&](int32_t k, std::vector<Bytes>& lines) {
        auto p = std::make_unique<peopletype>();
        p->name = after(lines[0], ":");
        const std::vector<Bytes> f = Split(squeeze(lines[1]), " ");
        p->placeID = intval(field(f, 0, item.problems));
        p->date1 = intval(field(f, 1, item.problems));
        p->date2 = intval(field(f, 2, item.problems));
        p->descriptor = lines[2];
        a.people[k] = std::move(p);
    });
}

void eventFile(Atlas& a)
{
    ItemLines item(a, "events.mit", true, true);
    item.numbered(3, 1, a.events.ubound(), [&](int32_t k, std::vector<Bytes>& lines) {
        auto e = std::make_unique<eventtype>();
        const std::vector<Bytes> f = Split(squeeze(lines[0]), " ");
        e->placeID = intval(field(f, 0, item.problems));
        e->date1 = intval(field(f, 1, item.problems));
        e->date2 = intval(field(f, 2, item.problems));
        e->name = lines[1];
        e->descriptor = lines[2];
        a.events[k] = std::move(e);
    });
}

void headlineFile(Atlas& a)
{
    ItemLines item(a, "headstr.mit", true, true);
    item.numbered(1, 1, a.headline.ubound(), [&](int32_t k, std::vector<Bytes>& lines) {
        a.headline[k] = Trim(Mid(lines[0], InStr(lines[0], ":") + 1));
    });
}

void cityFile(Atlas& a)
{
    ItemLines item(a, "cities.mit", true, true);
    item.numbered(3, 1, a.city.ubound(), [&](int32_t k, std::vector<Bytes>& lines) {
        auto c = std::make_unique<citiestype>();
        const double factor = coordinateFactor(lines[0]);
        const std::vector<Bytes> f = Split(lines[0], " ");
        c->x = coordinate(factor, field(f, 0, item.problems));
        c->y = coordinate(factor, field(f, 1, item.problems));
        c->date1 = intval(field(f, 2, item.problems));
        c->date2 = intval(field(f, 3, item.problems));
        c->name = lines[1];
        c->descriptor = lines[2];
        const Bytes token = "cc" + Str(k);
        // A city is shown from date1 to date2: it changes at date1 and after date2.
        if (c->date1 > 10000 && c->date1 < 20100) appendChecked(a, c->date1, token, item.problems);
        if (c->date2 > 10000 && c->date2 < 20100) appendChecked(a, int64_t(c->date2) + 1, token, item.problems);
        a.city[k] = std::move(c);
    });
}

void viewRegionFile(Atlas& a)
{
    ItemLines item(a, "vreg.mit", true, true);
    item.numbered(2, 0, a.vregname.ubound(), [&](int32_t k, std::vector<Bytes>& lines) {
        a.vregname[k] = lines[0];
        a.vregxy[k] = lines[1];
    });
}

void clickNameFile(Atlas& a)
{
    ItemLines item(a, "cnam1.txt", false, true);
    item.numbered(1, 1, a.clicknames.ubound(), [&](int32_t k, std::vector<Bytes>& lines) {
        auto c = std::make_unique<clicknametype>();
        c->evodata = after(lines[0], ":");
        const Bytes head = "zc" + Str(k) + ":";
        Bytes prev = "0";
        for (const Bytes& t : Split(c->evodata, " ")) {
            const int32_t comma = InStrB(t, ",");
            const int32_t date = intval(LeftB(t, comma - 1));
            const Bytes value = MidB(t, comma + 2);  // past the type byte
            appendChecked(a, date, head + prev + "," + value, item.problems);
            prev = value;
        }
        a.clicknames[k] = std::move(c);
    });
}

void labelDateFile(Atlas& a)
{
    ItemLines item(a, "dnam1.txt", false, true);
    do {
        const Bytes line = item.line();
        if (isShort(line)) break;
        const int32_t p = InStrB(line, ":");
        const int32_t id = intval(LeftB(line, p - 1));
        // Only a loaded place can take label dates.
        if (!a.place.valid(id) || !a.place[id]) {
            item.problems.skipped();
            continue;
        }
        placetype& place = *a.place[id];
        place.evodata = Trim(MidB(line, p + 1));
        const Bytes sid = Str(id);
        for (const Bytes& t : Split(place.evodata, " "))
            appendChecked(a, intval(MidB(t, 2)), (LeftB(t, 1) == "i" ? "ni" : "no") + sid, item.problems);
    } while (item.more());
}

void headlineDateFile(Atlas& a)
{
    ItemLines item(a, "head1.txt", false, true);
    do {
        const Bytes line = item.line();
        if (isShort(line)) break;
        const int32_t p = InStrB(line, ":");
        const int32_t date = intval(LeftB(line, p - 1));
        // The file's numbers run 299 above the headline numbers (32-bit wrap).
        const int32_t n = static_cast<int32_t>(uint32_t(intval(MidB(line, p + 1))) - 299u);
        appendChecked(a, date, "hd" + Str(n), item.problems);
    } while (item.more());
}

void anchorFile(Atlas& a)
{
    ItemLines item(a, "hta1.txt", false, true);
    int32_t k = 0;
    do {
        const Bytes line = item.line();
        if (isShort(line)) break;
        if (k == a.anchorinfo.ubound()) {
            item.problems.skipped();
            continue;
        }
        a.anchorinfo[++k] = line;
        const int32_t c = InStrB(line, ",");
        appendChecked(a, intval(LeftB(line, c - 1)), "ha" + Trim(MidB(line, c + 1)), item.problems);
    } while (item.more());
    a.maxanchorinfo = k;
}

}  // namespace

void loadtextdata(Atlas& a)
{
    stringFile(a);
    placeFile(a);
    peopleFile(a);
    eventFile(a);
    headlineFile(a);
    cityFile(a);
    viewRegionFile(a);
    clickNameFile(a);
    labelDateFile(a);
    headlineDateFile(a);
    anchorFile(a);
}

}  // namespace quil2a
