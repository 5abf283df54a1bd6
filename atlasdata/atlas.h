// The atlas for the whole run: the atlas as loaded, the engine's working
// tables and the view's colours, kept apart as three parts of one Atlas.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "atlasdata/colorscheme.h"
#include "atlasdata/coords.h"
#include "atlasdata/language.h"
#include "atlasdata/records.h"
#include "atlasdata/table.h"
#include "platform/collection.h"
#include "platform/picture.h"
#include "platform/random.h"
#include "platform/text.h"

namespace quil2a {

using plat::Bytes;
using plat::Color;

template <class R>
using RecordTable = Table<std::unique_ptr<R>>;

// The highest item number of the content list (generated from data/items.list).
int contentItemMax();

// Stored items by content key, and the scrambling key.
struct ContentList {
    plat::Collection cfilelist;
    Table<int32_t> xmask{25};
    int32_t Nxmasks = 0;
    // Accessor state of each item N (index N; 0 unused).
    Table<bool> loaded{contentItemMax()};
    Table<Bytes> _permatext{contentItemMax()};
};

// The one item reader.
struct ItemReader {
    plat::MarkedText filestring;
    int32_t filereadpos = 0;
    Bytes crlf;
};

// The atlas as loaded: the content list, the reader, the language, the
// palettes and line colour sets, the map and text tables. Loaders write it.
// Afterwards the engine keeps the date-dependent fields current (a place's
// `active`, a click name's `name`, a membership's `status`) and sets the
// headline fade ramp `headcolor`; the reader and the content list keep their
// reading state (cursor, unscrambled items) as pages are read later.
struct LoadedAtlas {
    ContentList content;
    ItemReader reader;

    // The language set in force (see language.h).
    Language language = Language::English;
    bool GreekText() const { return language == Language::Greek; }
    const LanguageInfo& lang() const { return languageInfo(language); }
    // Code page of the language texts.
    plat::CodePage textCodePage() const { return lang().codePage; }

    double gamma = 0.7;
    plat::Random grandom;

    // Palettes by colour index 1..256, from which clrlist is made by scheme:
    Table<Color> clrlist0{256};  // the colour palette
    Table<Color> clrlist1{256};  // the grey palette (varied a little at each start)
    Table<Color> clrlist2{256};  // the near-white (pale) palette
    // The headline strip's fade ramp, 1 (darkest) to 10.
    Table<Color> headcolor{10};
    // Membership of the European Communities and Union by colour index.
    RecordTable<EUmemtype> EUmem{256};

    // Map data.
    Table<Bytes> geoinfo{400}, geozone{400}, geodata{400};
    Table<Bytes> bdrinfo{10000}, bdrzone{10000}, bdrdata{10000}, bdract{10000};
    Table<Bytes> wtinfo{2000};
    Table<Bytes> ptinfo{33000}, ptact{33000};
    Table<Bytes> DChanges{11000};
    // Their coordinates, read once.
    ParsedCoords coords;
    int32_t maxbdrID = 0;

    // Text data.
    Table<Bytes> quilstring{100};
    RecordTable<placetype> place{1200};
    RecordTable<peopletype> people{1000};
    RecordTable<eventtype> events{1000};
    RecordTable<citiestype> city{500};
    RecordTable<clicknametype> clicknames{256};
    Table<Bytes> headline{450};
    Table<Bytes> anchorinfo{2000};
    Table<Bytes> vregname{50}, vregxy{50};
    int32_t maxanchorinfo = 0;

    // Line colour sets 0 and 1, and the fixed colours.
    Color watercolor0 = 0, coastcolor0 = 0, rivercolor0 = 0, bordercolor0 = 0;
    Color watercolor1 = 0, coastcolor1 = 0, rivercolor1 = 0, bordercolor1 = 0;
    Color blankgrey = 0, placenamecolor = 0, citynamecolor = 0;
};

// The map engine's working tables for the date shown: active borders and fill
// points and the dirty zones. Only the engine writes them (the loader makes
// the zone records).
struct EngineTables {
    // The borders shown, slots 1..NActiveBdrs: a border id, negated (-id)
    // for a strong border, drawn thick.
    Table<int32_t> ActiveBdr{2500};
    RecordTable<zonetype> ActiveBzone{2500};
    Table<bool> ActiveBdrawnow{2500};
    Table<int32_t> ActivePt{6000}, ActiveClr{6000};
    Table<bool> ActivePtnow{6000};
    RecordTable<zonetype> zone{500};
};

// The view's colours: the scheme in force, the palette and line colours it
// gave. Only the engine changes them: its scheme operations, the pale toggle
// and the membership steps (engine/engine.h).
struct ViewColours {
    ColorScheme colorscheme = ColorScheme::Colour;
    // The fill colour in force of each colour index 1..256.
    Table<Color> clrlist{256};
    Color watercolor = 0, coastcolor = 0, rivercolor = 0, bordercolor = 0;
};

// The three together, as the program holds them for the whole run; every
// function takes the whole Atlas, the parts only group its fields for the
// reader. A test makes a fresh Atlas.
struct Atlas : LoadedAtlas, EngineTables, ViewColours {};

}  // namespace quil2a
