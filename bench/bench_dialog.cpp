// The options dialog on the stored atlas with a 1920 x 1080 map: a label
// switch (a text pass over the political layer) beside a colour-scheme choice
// (a full render), and refilling and sorting the query list.
#include <benchmark/benchmark.h>

#include <QCheckBox>
#include <QComboBox>
#include <cmath>
#include <memory>

#include "atlasdata/atlas.h"
#include "atlasdata/content.h"
#include "atlasdata/loaders.h"
#include "data/stored_items.h"
#include "dialog/maindlg.h"
#include "tests/support/inner_engine.h"
#include "engine/host.h"
#include "engine/mapstate.h"

namespace {

constexpr int kW = 1920, kH = 1080;

struct DialogOnMap {
    std::unique_ptr<quil2a::Atlas> atlas = (quillmere_data::installStoredItems(), quil2a::loadServedAtlas(quil2a::Language::English));
    quil2a::MapState m;
    quil2a::NullHost host{kW - 40, kH - 40};
    testsupport::InnerEngine e{*atlas, m, host};
    std::unique_ptr<quil2a::MainDlg> dlg;

    DialogOnMap()
    {
        m.makePictures(kW, kH);
        m.xc = (kW - 40) / 2.0;
        m.yc = (kH - 40) / 2.0;
        m.scale = std::pow(0.8, 13);
        m.maindate = 1805.0;
        e.jumptodate();
        e.displaymap(*m.p, true);
        dlg = std::make_unique<quil2a::MainDlg>(*atlas, m, e, host, quil2a::DialogLinks{});
    }
};

// Made once and kept to the end: widgets must not outlive the application object.
DialogOnMap& world()
{
    static DialogOnMap* w = new DialogOnMap;
    return *w;
}

void BM_DialogLabelSwitch(benchmark::State& state)
{
    quil2a::MainDlg& d = *world().dlg;
    for (auto _ : state) d.CountryNamesBox->click();
    if (!d.CountryNamesBox->isChecked()) d.CountryNamesBox->click();
}
BENCHMARK(BM_DialogLabelSwitch)->Unit(benchmark::kMillisecond);

void BM_DialogSchemeChoice(benchmark::State& state)
{
    quil2a::MainDlg& d = *world().dlg;
    int row = 0;
    for (auto _ : state) {
        row = (row + 1) % 4;
        d.SelectCS->setCurrentIndex(row);
        d.SelectCS_Change();
    }
    d.SelectCS->setCurrentIndex(0);
    d.SelectCS_Change();
}
BENCHMARK(BM_DialogSchemeChoice)->Unit(benchmark::kMillisecond);

void BM_DialogQueryKind(benchmark::State& state)
{
    quil2a::MainDlg& d = *world().dlg;
    int kind = 0;
    for (auto _ : state) {
        kind = (kind + 1) % 3;
        d.Qtype->setCurrentIndex(kind);
        d.Qtype_Change();
    }
}
BENCHMARK(BM_DialogQueryKind)->Unit(benchmark::kMillisecond);

}  // namespace
