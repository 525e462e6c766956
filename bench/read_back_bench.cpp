// What reading a symbol back costs, the scan check's price per symbol, at
// versions 1, 10 and 40, each filled with printable bytes, level M, drawn 2
// pixels a module: ReadBack (two scans, text and bytes) and ReadsBackAs (one).
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include <quirvane/encoder.h>

#include "check/read_back.h"
#include "render/symbol_image.h"

namespace {

template <bool kBytesOnly>
void TimeReading(benchmark::State& bench, int version) {
    std::string text;
    for (int i = 0; i < 3000; ++i) {
        text += static_cast<char>('!' + i % 90);
    }
    // The text cut to what the version holds.
    quirvane::Encoder encoder;
    const quirvane::Result made = encoder.Encode(text, {.mode = quirvane::Mode::Byte,
                                                        .level = quirvane::Level::M,
                                                        .version = version,
                                                        .cutToFit = true});
    if (!made) {
        bench.SkipWithError("refused");
        return;
    }
    text.resize(text.size() - static_cast<std::size_t>(made.charactersLeftOut));
    const QImage image =
        quirvane::RenderSymbolImage(made.symbol, {.moduleWidth = 2, .quietZoneModules = 4});
    const auto readsBack = [&] {
        if (kBytesOnly) {
            return quirvane::ReadsBackAs(image, text);
        }
        const std::vector<quirvane::ScannedSymbol> found = quirvane::ReadBack(image);
        return found.size() == 1 && found[0].bytes == text;
    };
    for (auto _ : bench) {
        if (!readsBack()) {
            bench.SkipWithError("zbar did not read the symbol back");
            return;
        }
    }
    bench.counters["pixels"] = image.width() * image.height();
}

constexpr auto ReadBack = TimeReading<false>;
constexpr auto ReadsBackAs = TimeReading<true>;
BENCHMARK_CAPTURE(ReadBack, v1, 1)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(ReadBack, v10, 10)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(ReadBack, v40, 40)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(ReadsBackAs, v1, 1)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(ReadsBackAs, v10, 10)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(ReadsBackAs, v40, 40)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
