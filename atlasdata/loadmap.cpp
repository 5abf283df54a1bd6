#include "atlasdata/changes.h"
#include "atlasdata/content.h"
#include "atlasdata/convert.h"
#include "atlasdata/loaders.h"
#include "platform/msgbox.h"

namespace quil2a {

using namespace plat;

namespace loading {

void ItemProblems::report() const
{
    if (skipped_) MsgBox("Error: " + name_ + " has lines outside the atlas's limits; they were skipped.");
    if (missing_) MsgBox("Error: " + name_ + " has lines with missing numbers; they were read as 0.");
}

const Bytes& field(const std::vector<Bytes>& fields, size_t i, ItemProblems& problems)
{
    static const Bytes empty;
    if (i < fields.size()) return fields[i];
    problems.missingFields();
    return empty;
}

ItemLines::ItemLines(Atlas& a, const char* name, bool language, bool trim) : problems(name), a_(a), trim_(trim)
{
    if (language)
        OpenThisFile(a, name, a.lang().folder, true, true);
    else
        OpenThisFile(a, name, "", false, true);
}

ItemLines::~ItemLines()
{
    fileClose(a_);
    problems.report();
}

Bytes ItemLines::line() { return trim_ ? Trim(GetLine(a_)) : GetLine(a_); }

bool ItemLines::more() const { return !fileEOF(a_); }

bool ItemLines::record(std::vector<Bytes>& lines, int count, bool stopAtShort)
{
    lines.assign(1, line());
    if (stopAtShort && LenB(lines[0]) < 2) return false;
    for (int i = 1; i < count; ++i) {
        if (fileEOF(a_)) {
            // An item the reader could not find has already been reported by it.
            if (!a_.reader.filestring.bytes.empty()) problems.skipped();
            return false;
        }
        lines.push_back(line());
    }
    return true;
}

bool appendChecked(Atlas& a, int64_t date10, std::string_view token, ItemProblems& problems)
{
    if (changeSlot(date10) < 0 || !withinAtlasLimits(a, readChangeToken(token))) {
        problems.skipped();
        return false;
    }
    appendChange(a, date10, token);
    return true;
}

}  // namespace loading

using loading::appendChecked;
using loading::field;
using loading::ItemProblems;
using loading::ItemLines;

namespace {

constexpr Color kWhite = 0xFFFFFF;

int32_t clampChannel(int64_t c) { return static_cast<int32_t>(c < 0 ? 0 : (c > 255 ? 255 : c)); }

void lineColours(Atlas& a)
{
    const double g = a.gamma;
    a.watercolor1 = RGBgamma(187, 187, 192, g);
    a.coastcolor1 = RGBgamma(92, 92, 93, g);
    a.rivercolor1 = RGBgamma(92, 92, 93, g);
    a.bordercolor1 = 0;
    a.watercolor0 = RGBgamma(48, 112, 160, g);
    a.coastcolor0 = RGBgamma(32, 64, 128, g);
    a.rivercolor0 = RGBgamma(32, 80, 160, g);
    a.bordercolor0 = 0;
    const bool set0 = lineSet(a.colorscheme) == LineSet::Set0;
    a.watercolor = set0 ? a.watercolor0 : a.watercolor1;
    a.coastcolor = set0 ? a.coastcolor0 : a.coastcolor1;
    a.rivercolor = set0 ? a.rivercolor0 : a.rivercolor1;
    a.bordercolor = set0 ? a.bordercolor0 : a.bordercolor1;
}

// The colour file gives the colour palette and, jittered, the grey one. It is
// read without an end test: a file without a closing line starts over.
void colourFile(Atlas& a)
{
    ItemLines item(a, "clrs.txt", false, false);
    ItemProblems& problems = item.problems;
    for (int i = 1; i <= 256; ++i) {
        a.clrlist0[i] = kWhite;
        a.clrlist1[i] = kWhite;
        Bytes line = item.line();
        if (InStrB(line, ",") == 0) break;
        const int32_t p = InStrB(line, ":");
        if (p > 0) line = MidB(line, p + 1);
        const std::vector<Bytes> f = Split(line, ",");
        const int32_t r = intval(field(f, 0, problems));
        const int32_t g = intval(field(f, 1, problems));
        const int32_t b = intval(field(f, 2, problems));
        a.clrlist0[i] = RGBgamma(r, g, b, a.gamma);
        if (r == 255 && g == 255 && b == 255) continue;
        // The sum wraps as 32-bit integers do; the draws may leave 0..255.
        const int32_t sum = static_cast<int32_t>(uint32_t(r) + uint32_t(g) + uint32_t(b));
        const int64_t v = sum / 3 + a.grandom.InRange(-3, 3);
        const int64_t g2 = v + a.grandom.InRange(-3, 3);
        const int64_t b2 = v + a.grandom.InRange(-3, 3);
        a.clrlist1[i] = RGBgamma(clampChannel(v), clampChannel(g2), clampChannel(b2), a.gamma);
    }
}

void separateGreys(Atlas& a)
{
    for (int pass = 1; pass <= 6; ++pass) {
        bool changed = false;
        for (int i = 1; i <= 256; ++i) {
            for (int j = i + 1; j <= 256; ++j) {
                const Color c = a.clrlist1[j];
                if (c == kWhite || c != a.clrlist1[i]) continue;
                const int32_t r = clampChannel(Red(c) + a.grandom.InRange(-3, 3));
                const int32_t g = clampChannel(Green(c) + a.grandom.InRange(-3, 3));
                const int32_t b = clampChannel(Blue(c) + a.grandom.InRange(-3, 3));
                a.clrlist1[j] = RGB(r, g, b);
                changed = true;
            }
        }
        if (!changed) break;
    }
}

void nearWhitePalette(Atlas& a)
{
    int n = 0;
    for (int r = -3; r <= 3; ++r)
        for (int g = -3; g <= 3; ++g)
            for (int b = -3; b <= 3; ++b) {
                if (n == 256) return;
                a.clrlist2[++n] = RGB(232 + r, 232 + g, 232 + b);
            }
}

void membershipFile(Atlas& a)
{
    for (int i = 1; i <= 256; ++i) a.EUmem[i] = std::make_unique<EUmemtype>();
    ItemLines item(a, "eus.txt", false, false);
    ItemProblems& problems = item.problems;
    do {
        const Bytes line = item.line();
        const int32_t p = InStrB(line, ":");
        if (p == 0) break;
        const int32_t ci = Int(Val(LeftB(line, p - 1)));
        const Bytes token = Trim(MidB(line, p + 1));
        if (ci < 1 || ci > a.EUmem.ubound()) {
            problems.skipped();
            continue;
        }
        a.EUmem[ci]->evodata = token;
        appendChecked(a, intval(MidB(token, 2)), "e" + LeftB(token, 1) + Str(ci), problems);
    } while (item.more());
}

void geographyFile(Atlas& a)
{
    ItemLines item(a, "geo2.txt", false, false);
    std::vector<Bytes> lines;
    do {
        if (!item.record(lines, 3, false)) break;
        const int32_t id = intval(LeftB(lines[0], InStrB(lines[0], ",") - 1));
        if (!a.geoinfo.valid(id)) {
            item.problems.skipped();
            continue;
        }
        a.geoinfo[id] = lines[0];
        a.geozone[id] = lines[1];
        a.geodata[id] = lines[2];
    } while (item.more());
}

void borderFile(Atlas& a)
{
    ItemLines item(a, "bdr2.txt", false, false);
    ItemProblems& problems = item.problems;
    std::vector<Bytes> lines;
    do {
        if (!item.record(lines, 4, false)) break;
        const int32_t id = intval(LeftB(lines[0], InStrB(lines[0], ":") - 1));
        if (id < 1) continue;  // read and dropped
        if (id > a.bdrinfo.ubound()) {
            problems.skipped();
            continue;
        }
        if (id > a.maxbdrID) a.maxbdrID = id;
        a.bdrinfo[id] = lines[0];
        a.bdrzone[id] = lines[1];
        a.bdrdata[id] = lines[2];
        a.bdract[id] = lines[3];
    } while (item.more());

    for (int32_t b = 0; b <= a.maxbdrID; ++b)
        for (const Bytes& t : Split(a.bdract[b], " "))
            appendChecked(a, intval(MidB(t, 2)), "b" + LeftB(t, 1) + Str(b), problems);
}

void waterSeedFile(Atlas& a)
{
    ItemLines item(a, "wt1.txt", false, false);
    do {
        const Bytes line = item.line();
        const int32_t id = intval(LeftB(line, InStrB(line, ":") - 1));
        if (a.wtinfo.valid(id))
            a.wtinfo[id] = line;
        else
            item.problems.skipped();
    } while (item.more());
}

void fillPointFile(Atlas& a)
{
    ItemLines item(a, "pt1.txt", false, false);
    ItemProblems& problems = item.problems;
    std::vector<Bytes> lines;
    do {
        if (!item.record(lines, 2, false)) break;
        const int32_t id = intval(LeftB(lines[0], InStrB(lines[0], ":") - 1));
        if (id < 1) continue;  // read and dropped
        if (id > a.ptinfo.ubound()) {
            problems.skipped();
            continue;
        }
        a.ptinfo[id] = lines[0];
        // The step's tokens chain each value to the one before it, and the
        // rebuild reads ptact: both take the values kept, and only those.
        const Bytes sid = Str(id);
        Bytes kept, prev = "0";
        int n = 0;
        for (const Bytes& t : Split(lines[1], " ")) {
            const int32_t c = InStrB(t, ",");
            const int32_t date = intval(LeftB(t, c - 1));
            const Bytes v = MidB(t, c + 1);
            // Absent after a value skipped, as before it: nothing changes.
            if (n++ > 0 && v == "0" && prev == "0") continue;
            Bytes token;
            if (n == 1)
                token = "pi" + sid + ":0," + v;
            else if (v == "0")
                token = "po" + sid + ":" + prev + ",0";
            else if (prev == "0")
                token = "pi" + sid + ":" + prev + "," + v;
            else
                token = "pc" + sid + ":" + prev + "," + v;
            if (!appendChecked(a, date, token, problems)) continue;
            kept += (kept.empty() ? "" : " ") + t;
            prev = v;
        }
        a.ptact[id] = kept;
    } while (item.more());
}

}  // namespace

void loadmapdata(Atlas& a)
{
    lineColours(a);

    colourFile(a);
    separateGreys(a);
    nearWhitePalette(a);
    for (int i = 1; i <= 256; ++i) a.clrlist[i] = lineSet(a.colorscheme) == LineSet::Set0 ? a.clrlist0[i] : a.clrlist1[i];
    a.blankgrey = a.clrlist[7];
    a.placenamecolor = 0;
    a.citynamecolor = RGBgamma(32, 32, 32, a.gamma);

    membershipFile(a);
    geographyFile(a);
    borderFile(a);
    waterSeedFile(a);
    fillPointFile(a);

    for (auto& z : a.zone) z = std::make_unique<zonetype>();
    for (auto& z : a.ActiveBzone) z = std::make_unique<zonetype>();
}

}  // namespace quil2a
