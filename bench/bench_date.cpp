// The full rebuild and the date step on the program's stored atlas. Nothing
// is shown: the host draws nothing, and the layer pictures are 64 x 48 so that
// whatever a step redraws costs next to nothing.
#include <benchmark/benchmark.h>

#include <memory>

#include "atlasdata/atlas.h"
#include "atlasdata/content.h"
#include "atlasdata/loaders.h"
#include "data/stored_items.h"
#include "tests/support/inner_engine.h"

namespace {

struct StoredAtlas {
    std::unique_ptr<quil2a::Atlas> a = (quillmere_data::installStoredItems(), quil2a::loadServedAtlas(quil2a::Language::English, 1));
    quil2a::MapState m;
    quil2a::NullHost host;
    testsupport::InnerEngine e{*a, m, host};

    StoredAtlas()
    {
        m.makePictures(64, 48);
        m.xc = 32;
        m.yc = 24;
    }
};

// One jumptodate, to dates spread over the range.
void BM_JumpToDate(benchmark::State& state)
{
    StoredAtlas s;
    const double dates[] = {1000.0, 1250.3, 1492.0, 1648.5, 1805.0, 1914.6, 1990.1, 2003.0};
    size_t i = 0;
    for (auto _ : state) {
        s.m.maindate = dates[i++ % std::size(dates)];
        s.e.jumptodate();
        benchmark::DoNotOptimize(s.m.NActivePts);
    }
    state.counters["borders"] = s.m.NActiveBdrs;
    state.counters["points"] = s.m.NActivePts;
}
BENCHMARK(BM_JumpToDate)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

// A walk from 1000.0 to 2003.0 and back by single steps, as the animation
// makes it; "per_step" is the time of one gotodate.
void BM_GotoDateWalk(benchmark::State& state)
{
    StoredAtlas s;
    int64_t steps = 0;
    for (auto _ : state) {
        state.PauseTiming();
        s.m.maindate = 1000.0;
        s.e.jumptodate();
        state.ResumeTiming();
        for (int pass = 0; pass < 2; ++pass) {
            const bool forward = pass == 0;
            const double target = forward ? 2003.0 : 1000.0;
            while (s.m.maindate != target) {
                s.m.maindate += forward ? 0.1 : -0.1;
                s.m.timeforward = forward;
                s.e.gotodate();
                ++steps;
            }
        }
    }
    state.counters["per_step"] = benchmark::Counter(static_cast<double>(steps), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.counters["steps"] = benchmark::Counter(static_cast<double>(steps), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_GotoDateWalk)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace
