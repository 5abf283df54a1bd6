#include "atlasdata/changes.h"

#include "atlasdata/convert.h"
#include "platform/text.h"

namespace quil2a {

namespace {

struct KindName {
    ChangeKind kind;
    const char* text;
};

constexpr KindName kKinds[] = {
    {ChangeKind::bi, "bi"}, {ChangeKind::bo, "bo"}, {ChangeKind::bs, "bs"}, {ChangeKind::bk, "bk"},
    {ChangeKind::bu, "bu"}, {ChangeKind::bd, "bd"}, {ChangeKind::pi, "pi"}, {ChangeKind::po, "po"},
    {ChangeKind::pc, "pc"}, {ChangeKind::ei, "ei"}, {ChangeKind::eo, "eo"}, {ChangeKind::cc, "cc"},
    {ChangeKind::zc, "zc"}, {ChangeKind::ni, "ni"}, {ChangeKind::no, "no"}, {ChangeKind::hd, "hd"},
    {ChangeKind::ha, "ha"},
};

bool hasIdAndValues(ChangeKind k)
{
    return k == ChangeKind::pi || k == ChangeKind::po || k == ChangeKind::pc || k == ChangeKind::zc;
}

bool within(int64_t v, int64_t lo, int64_t hi) { return v >= lo && v <= hi; }

// A click value of 1 or more names a place, one below 1 the person -value.
bool clickValueWithin(const Atlas& a, int32_t v)
{
    return v >= 1 ? v <= a.place.ubound() : -int64_t(v) <= a.people.ubound();
}

}  // namespace

int32_t changeSlot(int64_t date10)
{
    if (date10 < kFirstChangeDate || date10 > kLastChangeDate) return -1;
    return static_cast<int32_t>(date10 - kFirstChangeDate);
}

bool appendChange(Atlas& a, int64_t date10, std::string_view token)
{
    const int32_t slot = changeSlot(date10);
    if (slot < 0) return false;
    Bytes& record = a.DChanges[slot];
    record.append(token);
    record.push_back(' ');
    return true;
}

ChangeKind changeKindOf(std::string_view piece)
{
    if (piece.size() < 2) return ChangeKind::None;
    const std::string_view two = piece.substr(0, 2);
    for (const auto& k : kKinds)
        if (two == k.text) return k.kind;
    return ChangeKind::None;
}

const char* changeKindText(ChangeKind k)
{
    for (const auto& n : kKinds)
        if (n.kind == k) return n.text;
    return "";
}

ChangeKind reverseKind(ChangeKind k)
{
    switch (k) {
    case ChangeKind::bi: return ChangeKind::bo;
    case ChangeKind::bo: return ChangeKind::bi;
    case ChangeKind::bs: return ChangeKind::bk;
    case ChangeKind::bk: return ChangeKind::bs;
    case ChangeKind::bu: return ChangeKind::bd;
    case ChangeKind::bd: return ChangeKind::bu;
    case ChangeKind::pi: return ChangeKind::po;
    case ChangeKind::po: return ChangeKind::pi;
    case ChangeKind::ni: return ChangeKind::no;
    case ChangeKind::no: return ChangeKind::ni;
    case ChangeKind::ei: return ChangeKind::eo;
    case ChangeKind::eo: return ChangeKind::ei;
    default: return k;
    }
}

ChangeToken readChangeToken(std::string_view piece)
{
    ChangeToken t;
    t.kind = changeKindOf(piece);
    if (t.kind == ChangeKind::None) return t;
    const Bytes arg = plat::MidB(piece, 3);
    if (t.kind == ChangeKind::ha) {
        t.page = arg;
    } else if (hasIdAndValues(t.kind)) {
        const int32_t c = plat::InStrB(arg, ":");
        const int32_t m = plat::InStrB(arg, ",");
        if (c == 0 || m < c) {
            t.kind = ChangeKind::None;
            return t;
        }
        t.id = intval(plat::LeftB(arg, c - 1));
        t.a = intval(plat::MidB(arg, c + 1, m - c - 1));
        t.b = intval(plat::MidB(arg, m + 1));
    } else {
        t.number = intval(arg);
    }
    return t;
}

std::vector<ChangeToken> readChangeRecord(std::string_view record)
{
    std::vector<ChangeToken> out;
    for (const Bytes& piece : plat::Split(record, " ")) {
        if (piece.size() < 3) break;
        ChangeToken t = readChangeToken(piece);
        if (t.kind != ChangeKind::None) out.push_back(std::move(t));
    }
    return out;
}

bool withinAtlasLimits(const Atlas& a, const ChangeToken& t)
{
    const int32_t colours = a.clrlist.ubound();
    switch (t.kind) {
    case ChangeKind::None: return true;
    case ChangeKind::bi:
    case ChangeKind::bo:
    case ChangeKind::bs:
    case ChangeKind::bk:
    case ChangeKind::bu:
    case ChangeKind::bd: return within(t.number, 1, a.bdract.ubound());
    case ChangeKind::pi:
    case ChangeKind::po:
    case ChangeKind::pc: return within(t.id, 1, a.ptact.ubound()) && within(t.a, 0, colours) && within(t.b, 0, colours);
    case ChangeKind::ei:
    case ChangeKind::eo: return within(t.number, 1, a.EUmem.ubound());
    case ChangeKind::cc: return within(t.number, 1, a.city.ubound());
    case ChangeKind::zc:
        return within(t.id, 1, a.clicknames.ubound()) && clickValueWithin(a, t.a) && clickValueWithin(a, t.b);
    case ChangeKind::ni:
    case ChangeKind::no: return within(t.number, 1, a.place.ubound());
    case ChangeKind::hd: return within(t.number, 0, a.headline.ubound());
    case ChangeKind::ha: return t.page.find(' ') == Bytes::npos;
    }
    return true;
}

}  // namespace quil2a
