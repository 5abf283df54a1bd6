// The date step: one change record applied forward or backward.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "atlasdata/convert.h"
#include "engine/engine.h"
#include "platform/text.h"

namespace quil2a {

namespace {

enum class Role {
    None,
    ThinIn, ThinOut, ThickIn, ThickOut, Thickens, Thins,
    PointIn, PointOut, PointColour,
    LabelShown, LabelHidden,
    MemberIn, MemberOut,
    City, ClickName, Headline, Narrative,
};

// What a change kind does when the date moves forward (or backward).
Role roleOf(std::string_view kind, bool forward)
{
    struct Pair { const char* kind; Role fwd, back; };
    static constexpr Pair kinds[] = {
        {"bi", Role::ThinIn, Role::ThinOut},       {"bo", Role::ThinOut, Role::ThinIn},
        {"bs", Role::ThickIn, Role::ThickOut},     {"bk", Role::ThickOut, Role::ThickIn},
        {"bu", Role::Thickens, Role::Thins},       {"bd", Role::Thins, Role::Thickens},
        {"pi", Role::PointIn, Role::PointOut},     {"po", Role::PointOut, Role::PointIn},
        {"pc", Role::PointColour, Role::PointColour},
        {"ni", Role::LabelShown, Role::LabelHidden}, {"no", Role::LabelHidden, Role::LabelShown},
        {"ei", Role::MemberIn, Role::MemberOut},   {"eo", Role::MemberOut, Role::MemberIn},
        {"cc", Role::City, Role::City},            {"zc", Role::ClickName, Role::ClickName},
        {"hd", Role::Headline, Role::Headline},    {"ha", Role::Narrative, Role::Narrative},
    };
    for (const Pair& p : kinds)
        if (kind == p.kind) return forward ? p.fwd : p.back;
    return Role::None;
}

// -v without overflow: the lowest integer stays itself.
int32_t negate(int32_t v) { return static_cast<int32_t>(0u - static_cast<uint32_t>(v)); }

// id ":" a "," b
struct Triple {
    int32_t id, a, b;
};
Triple readTriple(const plat::Bytes& arg)
{
    const int32_t c = plat::InStrB(arg, ":");
    const int32_t m = plat::InStrB(arg, ",");
    return {intval(plat::LeftB(arg, c - 1)), intval(plat::MidB(arg, c + 1, m - c - 1)), intval(plat::MidB(arg, m + 1))};
}

}  // namespace

void MapEngine::gotodate()
{
    m.localrefchanges = false;
    const bool forward = m.timeforward;
    const int32_t date10 = plat::Int(plat::Round(m.maindate * 10));

    // One change token. Slots beyond the active tables and ids outside their
    // tables are skipped: nothing is written outside a table.
    auto apply = [&](Role role, const plat::Bytes& arg) {
        switch (role) {
        case Role::None:
            return;

        case Role::ThinIn:
        case Role::ThickIn: {
            if (m.NActiveBdrs >= a.ActiveBdr.ubound()) return;
            const int32_t id = intval(arg);
            const int32_t n = ++m.NActiveBdrs;
            a.ActiveBdr[n] = role == Role::ThickIn ? negate(id) : id;
            setActiveB(n, a.ActiveBdr[n]);
            a.ActiveBdrawnow[n] = true;
            m.somebdraw = true;
            return;
        }

        case Role::ThinOut:
        case Role::ThickOut: {
            const int32_t id = intval(arg);
            const int32_t want = role == Role::ThickOut ? negate(id) : id;
            for (int32_t k = m.NActiveBdrs; k >= 1; --k) {
                if (a.ActiveBdr[k] != want) continue;
                invalidatezone(k);
                const int32_t n = m.NActiveBdrs;
                a.ActiveBdr[k] = a.ActiveBdr[n];
                if (a.ActiveBzone[k] && a.ActiveBzone[n]) a.ActiveBzone[k]->set(*a.ActiveBzone[n]);
                a.ActiveBdrawnow[k] = a.ActiveBdrawnow[n];
                m.NActiveBdrs = n - 1;
                return;
            }
            return;
        }

        case Role::Thickens:
        case Role::Thins: {
            const int64_t id = intval(arg);
            for (int32_t k = m.NActiveBdrs; k >= 1; --k) {
                if (std::llabs(static_cast<int64_t>(a.ActiveBdr[k])) != id) continue;
                if (role == Role::Thins) {
                    invalidatezone(k);
                } else {
                    a.ActiveBdrawnow[k] = true;
                    m.somebdraw = true;
                }
                a.ActiveBdr[k] = negate(a.ActiveBdr[k]);
                return;
            }
            return;
        }

        case Role::PointIn: {
            if (m.NActivePts >= a.ActivePt.ubound()) return;
            const Triple t = readTriple(arg);
            const int32_t n = ++m.NActivePts;
            a.ActivePt[n] = t.id;
            a.ActiveClr[n] = forward ? t.b : t.a;
            a.ActivePtnow[n] = true;
            m.somepaint = true;
            return;
        }

        case Role::PointOut: {
            const Triple t = readTriple(arg);
            for (int32_t k = m.NActivePts; k >= 1; --k) {
                if (a.ActivePt[k] != t.id) continue;
                const int32_t n = m.NActivePts;
                a.ActivePt[k] = a.ActivePt[n];
                a.ActiveClr[k] = a.ActiveClr[n];
                a.ActivePtnow[k] = a.ActivePtnow[n];
                m.NActivePts = n - 1;
                return;
            }
            return;
        }

        case Role::PointColour: {
            const Triple t = readTriple(arg);
            for (int32_t k = m.NActivePts; k >= 1; --k) {
                if (a.ActivePt[k] != t.id) continue;
                a.ActiveClr[k] = forward ? t.b : t.a;
                a.ActivePtnow[k] = true;
                m.somepaint = true;
                return;
            }
            return;
        }

        case Role::LabelShown:
        case Role::LabelHidden: {
            const int32_t id = intval(arg);
            if (!a.place.valid(id) || !a.place[id]) return;
            placetype& pl = *a.place[id];
            pl.active = role == Role::LabelShown;
            const double w = m.p ? m.p->Width() : m.mapscreenwid;
            const double h = m.p ? m.p->Height() : m.mapscreenht;
            const double sx = screenx(pl.xlab), sy = screeny(pl.ylab);
            if (0 < sx && sx < w && 0 < sy && sy < h) m.localrefchanges = true;
            return;
        }

        case Role::City:
            m.localrefchanges = true;
            return;

        case Role::ClickName: {
            const Triple t = readTriple(arg);
            setclickname(t.id, forward ? t.b : t.a);
            return;
        }

        case Role::Headline: {
            const int32_t n = intval(arg);
            if (!a.headline.valid(n)) return;
            m.currenthead = a.headline[n];
            m.hfadeout = 0;
            if (m.headlineson) displayhead();
            return;
        }

        case Role::Narrative:
            if (m.NarrWinOpen)
                host.narrWinUpdate("t" + arg + ".htm#" + plat::Str(plat::Int(plat::Round(m.maindate * 10))));
            return;

        case Role::MemberIn:
        case Role::MemberOut: {
            const int32_t c = intval(arg);
            if (c < 1 || c > a.EUmem.ubound() || !a.EUmem[c]) return;
            const bool in = role == Role::MemberIn;
            a.EUmem[c]->status = in;
            if (a.colorscheme != 5) return;
            a.clrlist[c] = in ? a.clrlist0[c] : a.clrlist2[c];
            for (int32_t k = 1; k <= m.NActivePts; ++k) {
                if (a.ActiveClr[k] != c) continue;
                a.ActivePtnow[k] = true;
                m.somepaint = true;
            }
            return;
        }
        }
    };


    // A call at a range end leaves the date where it was: its record is
    // already applied (or undone), and applying it again would corrupt the lists.
    if (date10 != m.lastAppliedDate10) {
        const int64_t slot = static_cast<int64_t>(date10) + (forward ? 0 : 1) - 10000;
        const plat::Bytes record = a.DChanges.valid(slot) ? a.DChanges[slot] : plat::Bytes{};
        for (const plat::Bytes& piece : plat::Split(record, " ")) {
            if (plat::LenB(piece) < 3) break;
            apply(roleOf(plat::LeftB(piece, 2), forward), plat::MidB(piece, 3));
        }
        m.lastAppliedDate10 = date10;
    }

    localrefresh();

    if (m.localrefchanges && m.p && m.p1) {
        m.p->graphics().DrawPicture(*m.p1, 0, 0, m.mapscreenwid, m.mapscreenht);
        displaymaptext(*m.p, false);
        host.drawMapCanvas(*m.p);
    }

    showdate();
}

}  // namespace quil2a
