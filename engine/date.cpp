// The date shown and the full rebuild of every date-dependent list.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "atlasdata/convert.h"
#include "engine/engine.h"
#include "platform/msgbox.h"
#include "platform/text.h"

namespace quil2a {

namespace {

// Calls f with each blank-separated piece of s, as Split(s, " ") gives them
// (an empty text gives none, two blanks an empty piece); f returns false to stop.
template <class F>
void forEachPiece(std::string_view s, F f)
{
    if (s.empty()) return;
    size_t from = 0;
    for (;;) {
        size_t q = s.find(' ', from);
        std::string_view piece = s.substr(from, q == std::string_view::npos ? std::string_view::npos : q - from);
        if (!f(piece) || q == std::string_view::npos) return;
        from = q + 1;
    }
}

// The piece before the first "," and the piece from `skip` bytes after it;
// without a comma, nothing before and the whole token after.
std::string_view beforeComma(std::string_view t)
{
    size_t c = t.find(',');
    return c == std::string_view::npos ? std::string_view{} : t.substr(0, c);
}
std::string_view afterComma(std::string_view t, size_t skip)
{
    size_t c = t.find(',');
    size_t from = c == std::string_view::npos ? 0 : c + skip;
    return from >= t.size() ? std::string_view{} : t.substr(from);
}

int32_t borderWeight(char kind)
{
    switch (kind) {
    case 'i': return 1;
    case 'o': return -1;
    case 's': return 2;
    case 'k': return -2;
    case 'u': return 1;
    case 'd': return -1;
    default: return 0;
    }
}

double dateOf(std::string_view stateToken) { return static_cast<double>(intval(stateToken.substr(std::min<size_t>(1, stateToken.size())))) / 10.0; }

}  // namespace

void MapEngine::jumpTo(double date)
{
    m.maindate = date;
    jumpdate();
}

void MapEngine::rebuildAt(double date)
{
    m.maindate = date;
    jumptodate();
}

bool MapEngine::step(int dir)
{
    m.timeforward = dir > 0;
    const int32_t next = plat::Int(plat::Round(m.maindate * 10)) + dir;
    if (next > plat::Int(plat::Round(m.maxdate * 10)) || next < plat::Int(plat::Round(m.mindate * 10))) return false;
    m.maindate = next / 10.0;
    gotodate();
    return true;
}

void MapEngine::showdate()
{
    m.maindate = plat::Round(m.maindate * 10) / 10.0;
    plat::Bytes s = plat::Str(m.maindate);
    if (plat::InStrB(s, ".") == 0) s += ".0";
    host.setDateFieldText(s);
}

void MapEngine::jumptodate()
{
    if (!(m.maindate >= m.mindate)) m.maindate = m.mindate;  // also a date that is no number
    if (m.maindate > m.maxdate) m.maindate = m.maxdate;
    showdate();
    const double date = m.maindate;

    // Borders: the grade summed over the tokens up to the date.
    m.NActiveBdrs = 0;
    const int32_t bdrSlots = a.ActiveBdr.ubound();
    for (int32_t id = 0; id <= a.bdract.ubound(); ++id) {
        int32_t sum = 0;
        forEachPiece(a.bdract[id], [&](std::string_view t) {
            if (dateOf(t) > date) return false;
            sum += borderWeight(t.empty() ? '\0' : t[0]);
            return true;
        });
        if (sum <= 0) continue;
        if (m.NActiveBdrs >= bdrSlots) {
            plat::MsgBox("Error: too many active borders.");
            continue;
        }
        ++m.NActiveBdrs;
        a.ActiveBdr[m.NActiveBdrs] = id;
        setActiveB(m.NActiveBdrs, id);
        if (sum > 1) a.ActiveBdr[m.NActiveBdrs] = -id;
    }

    // Fill points: the last value up to the date; "0" is absent.
    m.NActivePts = 0;
    const int32_t ptSlots = a.ActivePt.ubound();
    for (int32_t id = 0; id <= a.ptact.ubound(); ++id) {
        std::string_view last = "0";
        forEachPiece(a.ptact[id], [&](std::string_view t) {
            if (static_cast<double>(intval(beforeComma(t))) / 10.0 > date) return false;
            last = afterComma(t, 1);
            return true;
        });
        if (last == "0") continue;
        if (m.NActivePts >= ptSlots) {
            plat::MsgBox("Error: too many active points.");
            continue;
        }
        ++m.NActivePts;
        a.ActivePt[m.NActivePts] = id;
        a.ActiveClr[m.NActivePts] = intval(last);
    }

    // Place labels.
    for (int32_t i = 1; i <= a.place.ubound(); ++i) {
        placetype* pl = a.place[i].get();
        if (!pl) break;
        pl->active = false;
        forEachPiece(pl->evodata, [&](std::string_view t) {
            if (dateOf(t) > date) return false;
            if (t.starts_with('i')) pl->active = true;
            else if (t.starts_with('o')) pl->active = false;
            return true;
        });
    }

    // Click names: the record named by the last value up to the date.
    for (int32_t i = 1; i <= a.clicknames.ubound(); ++i) {
        clicknametype* cn = a.clicknames[i].get();
        if (!cn) break;
        std::string_view last = "0";
        forEachPiece(cn->evodata, [&](std::string_view t) {
            if (date * 10 < plat::Val(beforeComma(t))) return false;
            last = afterComma(t, 2);
            return true;
        });
        setclickname(i, intval(last));
    }

    // Memberships; an entry without tokens keeps its status.
    for (int32_t i = 1; i <= a.EUmem.ubound(); ++i) {
        EUmemtype* eu = a.EUmem[i].get();
        if (!eu || eu->evodata.size() <= 1) continue;
        eu->status = false;
        forEachPiece(eu->evodata, [&](std::string_view t) {
            if (date * 10 < plat::Val(t.substr(std::min<size_t>(1, t.size())))) return false;
            if (t.starts_with('i')) eu->status = true;
            else if (t.starts_with('o')) eu->status = false;
            return true;
        });
    }

    if (membershipView(a.colorscheme)) {
        for (int32_t i = 1; i <= 256; ++i) {
            const EUmemtype* eu = a.EUmem[i].get();
            a.clrlist[i] = eu && eu->status ? a.clrlist0[i] : a.clrlist2[i];
        }
    }

    // The lists now describe this date: a date step continues from here.
    m.lastAppliedDate10 = plat::Int(plat::Round(m.maindate * 10));
    host.narrWinJump();
}

void MapEngine::jumpdate()
{
    jumptodate();
    if (m.p) displaymap(*m.p, true);
    host.refreshMainWindow();
}

void MapEngine::setActiveB(int32_t slot, int32_t id)
{
    if (!a.ActiveBzone.valid(slot) || !a.ActiveBzone[slot]) return;
    const int64_t bid = std::llabs(static_cast<int64_t>(id));
    if (!a.bdrzone.valid(bid)) return;
    double v[4] = {0, 0, 0, 0};
    int n = 0;
    forEachPiece(a.bdrzone[bid], [&](std::string_view t) {
        v[n++] = static_cast<double>(intval(t));
        return n < 4;
    });
    zonetype& z = *a.ActiveBzone[slot];
    z.x1 = v[0];
    z.y1 = v[1];
    z.x2 = v[2];
    z.y2 = v[3];
}

void MapEngine::setclickname(int32_t index, int32_t id)
{
    const std::string* source = nullptr;
    if (id >= 1) {
        if (a.place.valid(id) && a.place[id]) source = &a.place[id]->name;
    } else {
        const int64_t person = -static_cast<int64_t>(id);
        if (a.people.valid(person) && a.people[person]) source = &a.people[person]->name;
    }
    if (!source || !a.clicknames.valid(index) || !a.clicknames[index]) return;

    plat::Bytes name = *source;
    int32_t k = plat::InStrB(2, name, "^");
    if (k > 0) name = plat::LeftB(name, k - 1);
    if (plat::LeftB(name, 1) == "^") name = plat::MidB(name, 2);
    name = plat::ReplaceAllB(name, "]", " ");
    a.clicknames[index]->name = name;
}

}  // namespace quil2a
