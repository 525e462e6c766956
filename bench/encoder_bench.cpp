// Speed of the generation command on texts that fill the symbol, and of
// drawing the largest symbol, with the heap allocations of each iteration.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include <quirvane/encoder.h>

#include "bench/alloc_counter.h"
#include "render/symbol_image.h"

namespace {

using quirvane::EncoderState;

std::unique_ptr<EncoderState> StateFor(int version, int level) {
    auto state = std::make_unique<EncoderState>();
    state->settings = quirvane::EncoderSettings{
        .characterMode = quirvane::kModeByte, .version = version, .errorCorrectionLevel = level};
    state->LoadSymbolParameters();
    return state;
}

// Printable bytes, exactly as many as the symbol holds in byte mode.
std::string FillingText(const EncoderState& state) {
    std::string text;
    for (int i = 0; i < state.symbolParameters.byteCapacity; ++i) {
        text += static_cast<char>('!' + i % 90);
    }
    return text;
}

void CreateData(benchmark::State& bench, int version, int level) {
    auto state = StateFor(version, level);
    const std::string text = FillingText(*state);
    std::uint64_t allocations = 0;
    for (auto _ : bench) {
        const std::uint64_t before = quirvane::bench::AllocationCount();
        auto result = state->CreateData(text);
        allocations += quirvane::bench::AllocationCount() - before;
        benchmark::DoNotOptimize(result);
        if (!result.Created()) {
            bench.SkipWithError(result.message);
            return;
        }
    }
    bench.counters["allocs"] =
        benchmark::Counter(static_cast<double>(allocations), benchmark::Counter::kAvgIterations);
}

void RenderSymbol(benchmark::State& bench, int version, int moduleWidth) {
    auto state = StateFor(version, quirvane::kLevelL);
    if (const auto made = state->CreateData(FillingText(*state)); !made.Created()) {
        bench.SkipWithError(made.message);
        return;
    }
    std::uint64_t allocations = 0;
    for (auto _ : bench) {
        const std::uint64_t before = quirvane::bench::AllocationCount();
        QImage image = quirvane::RenderSymbolImage(quirvane::ViewOf(*state), moduleWidth,
                                                   quirvane::SymbolColour{0, 0, 0});
        allocations += quirvane::bench::AllocationCount() - before;
        benchmark::DoNotOptimize(image.constBits());
    }
    bench.counters["allocs"] =
        benchmark::Counter(static_cast<double>(allocations), benchmark::Counter::kAvgIterations);
}

}  // namespace

int main(int argc, char** argv) {
    struct Symbol {
        const char* name;
        int version;
        int level;
    };
    constexpr Symbol kSymbols[] = {
        {"CreateData/v1-L", 1, quirvane::kLevelL},   {"CreateData/v1-H", 1, quirvane::kLevelH},
        {"CreateData/v10-H", 10, quirvane::kLevelH}, {"CreateData/v20-H", 20, quirvane::kLevelH},
        {"CreateData/v40-L", 40, quirvane::kLevelL}, {"CreateData/v40-M", 40, quirvane::kLevelM},
        {"CreateData/v40-Q", 40, quirvane::kLevelQ}, {"CreateData/v40-H", 40, quirvane::kLevelH},
    };
    for (const Symbol& symbol : kSymbols) {
        benchmark::RegisterBenchmark(symbol.name, CreateData, symbol.version, symbol.level);
    }
    for (int width : {1, 2}) {
        const std::string name = "RenderSymbol/v40-w" + std::to_string(width);
        benchmark::RegisterBenchmark(name.c_str(), RenderSymbol, 40, width)
            ->Unit(benchmark::kMicrosecond);
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
