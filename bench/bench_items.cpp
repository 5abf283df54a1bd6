#include <benchmark/benchmark.h>

#include "atlasdata/content.h"
#include "data/stored_items.h"

// Opening and reading every stored item line by line.
static void BM_ReadAllItems(benchmark::State& state)
{
    quillmere_data::installStoredItems();
    auto atlas = std::make_unique<quil2a::Atlas>();
    quil2a::Fillcfilelist(*atlas);
    for (auto _ : state) {
        size_t lines = 0;
        for (const auto& it : quil2a::contentItems()) {
            std::string key = it.key;
            auto slash = key.find('\\');
            std::string folder = slash == std::string::npos ? "" : key.substr(0, slash);
            std::string name = slash == std::string::npos ? key : key.substr(slash + 1);
            quil2a::OpenThisFile(*atlas, name, folder, false, true);
            do {
                benchmark::DoNotOptimize(quil2a::GetLine(*atlas));
                ++lines;
            } while (!quil2a::fileEOF(*atlas));
            quil2a::fileClose(*atlas);
        }
        benchmark::DoNotOptimize(lines);
    }
}
BENCHMARK(BM_ReadAllItems)->Unit(benchmark::kMillisecond);
