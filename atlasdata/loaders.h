// Loading the atlas from the stored items into its tables.
#pragma once

#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "atlasdata/atlas.h"

namespace quil2a {

// Line colours, palettes, the six map items and their change tokens.
void loadmapdata(Atlas& a);
// The language items: quilstr, places, people, events, headlines, cities,
// view regions; then click names, label dates, headline dates and anchors,
// with their change tokens.
void loadtextdata(Atlas& a);

// A fresh atlas from the resources served now, loaded as the program's start-up
// does it: the content list, the language set, then both loaders. A seed makes
// the grey palette the same from run to run.
std::unique_ptr<Atlas> loadServedAtlas(Language language, std::optional<uint32_t> seed = std::nullopt);

// What the two loaders share.
namespace loading {

// Collects what one item held beyond the atlas's limits and reports it once,
// when the item is done.
class ItemProblems {
public:
    explicit ItemProblems(Bytes name) : name_(std::move(name)) {}
    // A record or token that would index outside a table, or a record the
    // item ends inside of, was left out.
    void skipped() { skipped_ = true; }
    // A number line held fewer fields than its record needs; the rest read as 0.
    void missingFields() { missing_ = true; }
    // Shows one message for each kind of problem met.
    void report() const;

private:
    Bytes name_;
    bool skipped_ = false, missing_ = false;
};

// Field i of a split line; an absent field reads as the empty text and is noted.
const Bytes& field(const std::vector<Bytes>& fields, size_t i, ItemProblems& problems);

// One stored item read line by line or record by record through the one
// reader: opened when made; closed when done, and its problems reported then.
// Every loader reads its records through it.
class ItemLines {
public:
    // A language item comes from the folder of the language set in force;
    // with trim each line is read trimmed.
    ItemLines(Atlas& a, const char* name, bool language, bool trim);
    ~ItemLines();
    ItemLines(const ItemLines&) = delete;
    ItemLines& operator=(const ItemLines&) = delete;

    Bytes line();
    bool more() const;
    // The next record of count lines into lines (emptied first). False, to end
    // the reading, when stopAtShort and its first line is shorter than 2
    // bytes, or when the item ends inside it: the reader would then start
    // again at the item's first line, so the record is left out and noted.
    bool record(std::vector<Bytes>& lines, int count, bool stopAtShort);
    // Numbered records of count lines, the first into slot `first`: each goes
    // to store(k, lines); one beyond slot `last` is noted as skipped. Ends at
    // a first line shorter than 2 bytes, at a record the item ends inside, or
    // at the item's end.
    template <class Store>
    void numbered(int count, int32_t first, int32_t last, Store store)
    {
        int32_t k = first;
        std::vector<Bytes> lines;
        do {
            if (!record(lines, count, true)) break;
            if (k <= last)
                store(k, lines);
            else
                problems.skipped();
            ++k;
        } while (more());
    }

    ItemProblems problems;

private:
    Atlas& a_;
    bool trim_;
};

// Appends a token after checking it as the date step will read it: a date
// outside the index or a token naming anything outside the tables is left out
// and noted. True when it was appended.
bool appendChecked(Atlas& a, int64_t date10, std::string_view token, ItemProblems& problems);

}  // namespace loading

}  // namespace quil2a
