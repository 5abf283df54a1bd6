#include <benchmark/benchmark.h>

#include "platform/picture.h"

// One label drawn and measured, as the text layer does for every label line;
// argument 1 changes the size every time, as neighbouring labels do.
static void BM_DrawString(benchmark::State& state)
{
    plat::Picture pic(1920, 1080);
    auto& g = pic.graphics();
    g.SetTextFont(plat::kSerif);
    g.SetUseOldRenderer(false);
    int size = 9;
    for (auto _ : state) {
        g.SetTextSize(size);
        size = state.range(0) ? (size == 36 ? 9 : size + 1) : size;
        int w = g.StringWidth("Kingdom of Hungary");
        int h = g.TextHeight();
        g.DrawString("Kingdom of Hungary", 900 - w / 2, 500 + h / 2);
    }
}
BENCHMARK(BM_DrawString)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// The screen map copied from the political layer before the text is redrawn.
static void BM_CopyLayer(benchmark::State& state)
{
    plat::Picture a(1920, 1080), b(1920, 1080);
    for (auto _ : state) b.graphics().DrawPicture(a, 0, 0, 1920, 1080);
}
BENCHMARK(BM_CopyLayer)->Unit(benchmark::kMicrosecond);
