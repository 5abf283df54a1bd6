#include <benchmark/benchmark.h>

#include "atlasdata/content.h"
#include "atlasdata/loaders.h"
#include "data/stored_items.h"

// A fresh atlas, its content list and both loaders over every stored item.
static void BM_LoadStoredAtlas(benchmark::State& state)
{
    quillmere_data::installStoredItems();
    for (auto _ : state) {
        auto atlas = quil2a::loadServedAtlas(quil2a::Language::English, 1);
        benchmark::DoNotOptimize(atlas->DChanges[0].data());
    }
}
BENCHMARK(BM_LoadStoredAtlas)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);
