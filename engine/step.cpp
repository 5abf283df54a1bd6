// The date step: one change record applied forward or backward.
#include <cstdint>
#include <cstdlib>

#include "atlasdata/changes.h"
#include "engine/engine.h"
#include "platform/text.h"

namespace quil2a {

namespace {

// -v without overflow: the lowest integer stays itself.
int32_t negate(int32_t v) { return static_cast<int32_t>(0u - static_cast<uint32_t>(v)); }

}  // namespace

void MapEngine::gotodate()
{
    m.localrefchanges = false;
    const bool forward = m.timeforward;
    const int32_t date10 = plat::Int(plat::Round(m.maindate * 10));
    // A narrative anchor passed, either way: the passage in force changes.
    bool anchorPassed = false;

    // One change token, by the kind it plays in this direction (a backward step
    // plays the reverse kind). Slots beyond the active tables and ids outside
    // their tables are skipped: nothing is written outside a table.
    auto apply = [&](const ChangeToken& t) {
        const ChangeKind kind = forward ? t.kind : reverseKind(t.kind);
        switch (kind) {
        case ChangeKind::None:
            return;

        case ChangeKind::bi:
        case ChangeKind::bs: {
            if (m.NActiveBdrs >= a.ActiveBdr.ubound()) return;
            const int32_t id = t.number;
            const int32_t n = ++m.NActiveBdrs;
            a.ActiveBdr[n] = kind == ChangeKind::bs ? negate(id) : id;
            setActiveB(n, a.ActiveBdr[n]);
            a.ActiveBdrawnow[n] = true;
            m.somebdraw = true;
            return;
        }

        case ChangeKind::bo:
        case ChangeKind::bk: {
            const int32_t id = t.number;
            const int32_t want = kind == ChangeKind::bk ? negate(id) : id;
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

        case ChangeKind::bu:
        case ChangeKind::bd: {
            const int64_t id = t.number;
            for (int32_t k = m.NActiveBdrs; k >= 1; --k) {
                if (std::llabs(static_cast<int64_t>(a.ActiveBdr[k])) != id) continue;
                if (kind == ChangeKind::bd) {
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

        case ChangeKind::pi: {
            if (m.NActivePts >= a.ActivePt.ubound()) return;
            const int32_t n = ++m.NActivePts;
            a.ActivePt[n] = t.id;
            a.ActiveClr[n] = forward ? t.b : t.a;
            a.ActivePtnow[n] = true;
            m.somepaint = true;
            return;
        }

        case ChangeKind::po: {
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

        case ChangeKind::pc: {
            for (int32_t k = m.NActivePts; k >= 1; --k) {
                if (a.ActivePt[k] != t.id) continue;
                a.ActiveClr[k] = forward ? t.b : t.a;
                a.ActivePtnow[k] = true;
                m.somepaint = true;
                return;
            }
            return;
        }

        case ChangeKind::ni:
        case ChangeKind::no: {
            const int32_t id = t.number;
            if (!a.place.valid(id) || !a.place[id]) return;
            placetype& pl = *a.place[id];
            pl.active = kind == ChangeKind::ni;
            const double w = m.p ? m.p->Width() : m.mapscreenwid;
            const double h = m.p ? m.p->Height() : m.mapscreenht;
            const double sx = screenx(pl.xlab), sy = screeny(pl.ylab);
            if (0 < sx && sx < w && 0 < sy && sy < h) m.localrefchanges = true;
            return;
        }

        case ChangeKind::cc:
            m.localrefchanges = true;
            return;

        case ChangeKind::zc: {
            setclickname(t.id, forward ? t.b : t.a);
            return;
        }

        case ChangeKind::hd: {
            const int32_t n = t.number;
            if (!a.headline.valid(n)) return;
            m.currenthead = a.headline[n];
            m.hfadeout = 0;
            if (m.headlineson) displayhead();
            return;
        }

        case ChangeKind::ha:
            anchorPassed = true;
            return;

        case ChangeKind::ei:
        case ChangeKind::eo: {
            const int32_t c = t.number;
            if (c < 1 || c > a.EUmem.ubound() || !a.EUmem[c]) return;
            const bool in = kind == ChangeKind::ei;
            a.EUmem[c]->status = in;
            if (!membershipView(a.colorscheme)) return;
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
        for (const ChangeToken& t : readChangeRecord(record)) apply(t);
        m.lastAppliedDate10 = date10;
    }
    // The narrative shows the passage in force at the new date, as after a jump.
    if (anchorPassed && m.NarrWinOpen) host.narrWinJump();

    localrefresh();

    // Only what changed is restored from p1 and drawn again when p holds the
    // text layer last drawn; otherwise all of p1 and the whole layer.
    if (m.localrefchanges && m.p && m.p1 && !steptext()) {
        m.p->graphics().DrawPicture(*m.p1, 0, 0, m.mapscreenwid, m.mapscreenht);
        drawText(*m.p, false, true);
        host.drawMapCanvas(*m.p);
    }

    showdate();
}

}  // namespace quil2a
