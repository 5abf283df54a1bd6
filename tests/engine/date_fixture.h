// An engine over a hand-filled atlas, for the rebuild and step tests.
#pragma once

#include <algorithm>
#include <memory>
#include <utility>
#include <vector>

#include "atlasdata/atlas.h"
#include "support/inner_engine.h"

namespace datetest {

using quil2a::Atlas;
using MapEngine = testsupport::InnerEngine;
using quil2a::MapState;
using quil2a::NullHost;

struct Rig {
    std::unique_ptr<Atlas> a = std::make_unique<Atlas>();
    MapState m;
    NullHost host;
    MapEngine e{*a, m, host};

    // The records the map loader makes, and small pictures.
    Rig()
    {
        m.makePictures(64, 48);
        for (int i = 1; i <= 256; ++i) a->EUmem[i] = std::make_unique<quil2a::EUmemtype>();
        for (int i = 0; i <= 500; ++i) a->zone[i] = std::make_unique<quil2a::zonetype>();
        for (int i = 0; i <= 2500; ++i) a->ActiveBzone[i] = std::make_unique<quil2a::zonetype>();
        m.xc = 400;
        m.yc = 300;
        m.scale = 0.25;
    }

    void place(int i, const char* name, const char* evodata = "", double xlab = 10500, double ylab = 12000)
    {
        a->place[i] = std::make_unique<quil2a::placetype>();
        a->place[i]->name = name;
        a->place[i]->evodata = evodata;
        a->place[i]->xlab = xlab;
        a->place[i]->ylab = ylab;
    }
    void person(int i, const char* name)
    {
        a->people[i] = std::make_unique<quil2a::peopletype>();
        a->people[i]->name = name;
    }
    void clickname(int i, const char* evodata, const char* name = "")
    {
        a->clicknames[i] = std::make_unique<quil2a::clicknametype>();
        a->clicknames[i]->evodata = evodata;
        a->clicknames[i]->name = name;
    }

    void jump(double date)
    {
        m.maindate = date;
        e.jumptodate();
    }
    // One press of the step control: moves, clamps, steps.
    void step(bool forward)
    {
        m.maindate += forward ? 0.1 : -0.1;
        m.maindate = std::clamp(m.maindate, m.mindate, m.maxdate);
        m.timeforward = forward;
        e.gotodate();
    }
    // The change record of a date10.
    quil2a::Bytes& record(int date10) { return a->DChanges[date10 - 10000]; }

    // Active borders as signed ids, active points as (id, colour index), sorted.
    std::vector<int> borders() const
    {
        std::vector<int> v;
        for (int k = 1; k <= m.NActiveBdrs; ++k) v.push_back(a->ActiveBdr[k]);
        std::sort(v.begin(), v.end());
        return v;
    }
    // Reads and writes outside the active-list tables.
    int64_t outsideActiveTables() const
    {
        return a->ActiveBdr.outsideCount() + a->ActiveBzone.outsideCount() + a->ActiveBdrawnow.outsideCount() +
               a->ActivePt.outsideCount() + a->ActiveClr.outsideCount() + a->ActivePtnow.outsideCount();
    }
    std::vector<std::pair<int, int>> points() const
    {
        std::vector<std::pair<int, int>> v;
        for (int k = 1; k <= m.NActivePts; ++k) v.emplace_back(a->ActivePt[k], a->ActiveClr[k]);
        std::sort(v.begin(), v.end());
        return v;
    }
};

}  // namespace datetest
