// The change index: for every tenth of a year from 1000.0 to 2100.0 the text
// of change tokens that take effect then, each token followed by one blank.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "atlasdata/atlas.h"

namespace quil2a {

// First and last date10 that have a change record.
constexpr int32_t kFirstChangeDate = 10000;
constexpr int32_t kLastChangeDate = 21000;

// Element of DChanges for a date10; -1 when the index has no record for it.
int32_t changeSlot(int64_t date10);

// Appends the token and one blank to the record of date10. A date without a
// record writes nothing and gives false.
bool appendChange(Atlas& a, int64_t date10, std::string_view token);

// The seventeen kinds of change token, named by their first two bytes.
enum class ChangeKind : uint8_t {
    None,  // not one of the seventeen kinds: the step skips it
    bi,    // border n in (drawn thin)
    bo,    // border n out
    bs,    // border n in strong (drawn thick: its active entry is -n)
    bk,    // strong border n out
    bu,    // border n up: thin becomes strong
    bd,    // border n down: strong becomes thin
    pi,    // fill point id:a,b in, coloured b
    po,    // fill point id out
    pc,    // fill point id's colour index a becomes b
    ei,    // colour index n joins the membership (the European Communities and Union)
    eo,    // colour index n leaves it
    cc,    // a city appears or goes: the text layer is drawn again
    zc,    // click name of colour index id: record a becomes b (places from 1, people -1 and below)
    ni,    // place label n in
    no,    // place label n out
    hd,    // headline n shown in the strip
    ha,    // narrative anchor: page n at this date, shown when the narrative follows
};

// The kind named by the first two bytes of a piece.
ChangeKind changeKindOf(std::string_view piece);
// The two bytes of a kind ("" for None).
const char* changeKindText(ChangeKind k);
// The kind a backward step applies instead: bi/bo, bs/bk, bu/bd, pi/po,
// ni/no and ei/eo trade places; every other kind stays itself.
ChangeKind reverseKind(ChangeKind k);

// One change token read as the date step reads it.
struct ChangeToken {
    ChangeKind kind = ChangeKind::None;
    int32_t number = 0;            // b kinds, ei, eo, cc, ni, no, hd
    int32_t id = 0, a = 0, b = 0;  // pi, po, pc, zc
    Bytes page;                    // ha, as written
};

// Reads one piece of a record: kind from its first 2 bytes, the argument from
// byte 3 on. A pi/po/pc/zc piece without its ":" and a "," after it reads as None.
ChangeToken readChangeToken(std::string_view piece);

// The tokens a step applies from one record, in stored order: the walk ends at
// the first blank-separated piece shorter than 3 bytes; None kinds are left out.
std::vector<ChangeToken> readChangeRecord(std::string_view record);

// Whether every index the token names lies within the atlas's tables: a border
// or fill point with a record slot (from 1), colour indexes (point colours from
// 0, memberships and click names from 1), a city or place from 1, click values
// naming a place (from 1) or a person (-1 and below; 0 names nothing), a
// headline from 0, and an "ha" page without blanks. None kinds pass.
bool withinAtlasLimits(const Atlas& a, const ChangeToken& t);

}  // namespace quil2a
