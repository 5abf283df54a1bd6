// The map at 1920 x 1080 on the stored atlas: a full render for the default
// view and for the closest zoom, and the animation walk from 1000.0 to 2003.0
// one tenth at a time, with its peak memory. A note at exit sets the figures
// against their targets.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <memory>
#include <vector>

#include "atlasdata/atlas.h"
#include "atlasdata/content.h"
#include "atlasdata/loaders.h"
#include "data/stored_items.h"
#include "tests/support/inner_engine.h"
#include "engine/host.h"
#include "engine/mapstate.h"

namespace {

constexpr int kW = 1920, kH = 1080;

// The stored atlas, loaded once as the program loads it.
quil2a::Atlas& storedAtlas()
{
    static std::unique_ptr<quil2a::Atlas> a = [] {
        quillmere_data::installStoredItems();
        return quil2a::loadServedAtlas(quil2a::Language::English);
    }();
    return *a;
}

struct Map {
    quil2a::MapState m;
    quil2a::NullHost host{kW, kH};
    testsupport::InnerEngine e;

    Map(int zoom, double date) : e(storedAtlas(), m, host)
    {
        m.makePictures(kW, kH);
        m.xc = kW / 2.0;
        m.yc = kH / 2.0;
        m.scale = std::pow(0.8, zoom);
        m.maindate = date;
        e.jumptodate();
        e.displaymap(*m.p, true);
    }
};

double median(std::vector<double> v)
{
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

struct Figures {
    double renderDefaultMs = -1, renderClosestMs = -1;
    double stepMedianMs = -1, redrawStepMedianMs = -1, stepMaxMs = -1, walkS = -1, peakMB = -1;
    int steps = 0, redrawSteps = 0;

    ~Figures()
    {
        if (renderDefaultMs < 0 && stepMedianMs < 0) return;
        std::printf("\nEngine alone, without windows, at %d x %d on the stored atlas (the program's own\n"
                    "figures come from quillmere-app-bench):\n", kW, kH);
        std::printf("  full render, default view:  %8.2f ms median\n", renderDefaultMs);
        std::printf("  full render, closest zoom:  %8.2f ms median\n", renderClosestMs);
        std::printf("  animation step:             %8.4f ms median of %d steps, %.3f ms median of the %d that\n"
                    "                              redrew the map, %.2f ms at most\n",
                    stepMedianMs, steps, redrawStepMedianMs, redrawSteps, stepMaxMs);
        std::printf("  walk 1000.0 to 2003.0:      %8.2f s\n", walkS);
        std::printf("  peak memory of the run:     %8.1f MB\n", peakMB);
    }
};
Figures figures;

void renderBench(benchmark::State& state, int zoom, double& out)
{
    Map map(zoom, 1805.0);
    std::vector<double> ms;
    for (auto _ : state) {
        const auto t0 = std::chrono::steady_clock::now();
        map.e.displaymap(*map.m.p, true);
        ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count());
    }
    out = median(ms);
    state.counters["median_ms"] = out;
}

// A new view each time, as a pan renders: the geography layer drawn again.
void BM_DisplayMapNewView(benchmark::State& state)
{
    Map map(13, 1805.0);
    const double x0 = map.m.x0;
    int i = 0;
    for (auto _ : state) {
        map.m.x0 = x0 + (++i % 2);
        map.e.displaymap(*map.m.p, true);
    }
}
BENCHMARK(BM_DisplayMapNewView)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The view of a starting program: 10500, 12000 at zoom index 13.
void BM_DisplayMapDefaultView(benchmark::State& state) { renderBench(state, 13, figures.renderDefaultMs); }
BENCHMARK(BM_DisplayMapDefaultView)->Unit(benchmark::kMillisecond)->MinTime(1.0);

// Zoom index 7 (scale 0.21): the closest the zoom control goes, with border ends extended.
void BM_DisplayMapClosestZoom(benchmark::State& state) { renderBench(state, 7, figures.renderClosestMs); }
BENCHMARK(BM_DisplayMapClosestZoom)->Unit(benchmark::kMillisecond)->MinTime(1.0);

// Every tenth from 1000.0 to 2003.0 as the animation makes them: the date
// moved, then one date step with its refresh, text layer and canvas copy.
void BM_AnimationWalk(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        Map map(13, 1000.0);
        state.ResumeTiming();
        std::vector<double> all, redraw;
        all.reserve(10100);
        const auto w0 = std::chrono::steady_clock::now();
        while (map.m.maindate < map.m.maxdate) {
            map.m.timeforward = true;
            map.m.maindate = std::min(map.m.maindate + 0.1, map.m.maxdate);
            const int draws = map.host.canvasDraws;
            const auto t0 = std::chrono::steady_clock::now();
            map.e.gotodate();
            const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
            all.push_back(ms);
            if (map.host.canvasDraws != draws) redraw.push_back(ms);
        }
        figures.walkS = std::chrono::duration<double>(std::chrono::steady_clock::now() - w0).count();
        figures.steps = static_cast<int>(all.size());
        figures.redrawSteps = static_cast<int>(redraw.size());
        figures.stepMedianMs = median(all);
        figures.redrawStepMedianMs = median(redraw);
        figures.stepMaxMs = all.empty() ? 0 : *std::max_element(all.begin(), all.end());
    }
    rusage ru{};
    getrusage(RUSAGE_SELF, &ru);
    figures.peakMB = ru.ru_maxrss / 1024.0;
    state.counters["steps"] = figures.steps;
    state.counters["step_median_ms"] = figures.stepMedianMs;
    state.counters["redraw_step_median_ms"] = figures.redrawStepMedianMs;
    state.counters["walk_s"] = figures.walkS;
    state.counters["peak_rss_MB"] = figures.peakMB;
}
BENCHMARK(BM_AnimationWalk)->Unit(benchmark::kSecond)->Iterations(1);

}  // namespace
