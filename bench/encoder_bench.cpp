// Speed of the generation command on texts that fill the symbol, with a mask
// given and with the best one chosen; of scoring the eight masks; of planning
// the segments of a long mixed Japanese text; and of drawing the largest
// symbol. Each case also counts the heap allocations of an iteration.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <quirvane/encoder.h>

#include "bench/alloc_counter.h"
#include "encode/encoder_state.h"
#include "encode/symbol_access.h"
#include "render/symbol_image.h"

namespace {

using quirvane::EncoderState;

// Runs `body` once an iteration and reports its allocations per iteration;
// `body` returns false, after calling SkipWithError, when the case fails.
template <typename Body>
void Measure(benchmark::State& bench, Body body) {
    std::uint64_t allocations = 0;
    for (auto _ : bench) {
        const std::uint64_t before = quirvane::bench::AllocationCount();
        const bool ok = body();
        allocations += quirvane::bench::AllocationCount() - before;
        if (!ok) {
            return;
        }
    }
    bench.counters["allocs"] =
        benchmark::Counter(static_cast<double>(allocations), benchmark::Counter::kAvgIterations);
}

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

// The public call with the window's fixed choices: byte mode, the version
// and level given, the preset mask 3.
void CreateData(benchmark::State& bench, int version, int level, int mask) {
    const std::string text = FillingText(*StateFor(version, level));
    quirvane::Encoder encoder;
    const quirvane::Request request{.mode = quirvane::Mode::Byte,
                                    .level = static_cast<quirvane::Level>(level - 1),
                                    .version = version,
                                    .mask = mask};
    Measure(bench, [&] {
        const quirvane::Result result = encoder.Encode(text, request);
        benchmark::DoNotOptimize(result);
        if (!result) {
            bench.SkipWithError("refused");
        }
        return static_cast<bool>(result);
    });
}

// Japanese with an address, numbers and an e-mail address, repeated to
// `length` characters, as the encoder reads it.
std::vector<quirvane::TextCharacter> MixedJapaneseText(int length) {
    constexpr std::string_view kSample =
        "東京都港区芝公園4丁目2-8 お問い合わせは info@example.jp または 03-3433-5111 "
        "まで。注文番号 20240611-0042、ポイント 1500 点。";
    std::vector<quirvane::TextCharacter> text;
    for (std::size_t at = 0; static_cast<int>(text.size()) < length;) {
        quirvane::TextCharacter c{};
        const int bytes = quirvane::ReadTextCharacter(kSample, at, quirvane::Fnc1::None, c);
        text.push_back(c);
        at = (at + static_cast<std::size_t>(bytes)) % kSample.size();
    }
    return text;
}

void PlanMixedSegments(benchmark::State& bench, int length, int version) {
    const std::vector<quirvane::TextCharacter> text = MixedJapaneseText(length);
    auto scratch = std::make_unique<quirvane::SegmentScratch>();
    auto plan = std::make_unique<quirvane::SegmentPlan>();
    Measure(bench, [&] {
        const bool planned = quirvane::PlanSegments(text.data(), length, version,
                                                    quirvane::Family::Either, *scratch, *plan);
        benchmark::DoNotOptimize(plan->bits);
        if (!planned) {
            bench.SkipWithError("the text is too long to plan");
        }
        return planned;
    });
}

// Scoring all eight masks on a filled symbol; the planes are placed once,
// the way the generation command places them, and only the scoring is timed.
void EvaluateMasks(benchmark::State& bench, int version, int level) {
    auto state = StateFor(version, level);
    if (!state->CreateData(FillingText(*state)).Created()) {
        bench.SkipWithError("no symbol");
        return;
    }
    state->BuildDataCodewords(
        std::string_view(state->dataText, static_cast<std::size_t>(state->dataCharacterCount)),
        version, state->symbolParameters.dataCodewords);
    state->EncodeBlocks(version, level);
    state->MarkFunctionAreas(version, 1, quirvane::kFunctionMark);
    state->InterleaveBlocks(version, level);
    state->BuildFunctionPatterns(version);
    auto scratch = std::make_unique<quirvane::MaskEvaluation>();
    Measure(bench, [&] {
        benchmark::DoNotOptimize(quirvane::EvaluateMasks(state->dataPlane, state->patternPlane,
                                                         version, level, *scratch));
        return true;
    });
}

// One public stage alone, run over and over on a record that has just made a
// filled version 40-L symbol: where CreateData's time goes, stage by stage.
// Each stage is repeatable on its own output (placement and masking write the
// same cells again), so the record stays a valid symbol throughout.
void Stage(benchmark::State& bench, void (*run)(EncoderState&)) {
    auto state = StateFor(40, quirvane::kLevelL);
    if (const auto made = state->CreateData(FillingText(*state)); !made.Created()) {
        bench.SkipWithError("no symbol");
        return;
    }
    for (auto _ : bench) {
        run(*state);
        benchmark::DoNotOptimize(state->dataPlane);
    }
}

void RenderSymbol(benchmark::State& bench, int version, int moduleWidth) {
    auto state = StateFor(version, quirvane::kLevelL);
    if (const auto made = state->CreateData(FillingText(*state)); !made.Created()) {
        bench.SkipWithError("no symbol");
        return;
    }
    Measure(bench, [&] {
        QImage image = quirvane::RenderSymbolImage(quirvane::SymbolOf(*state), moduleWidth,
                                                   quirvane::SymbolColour{0, 0, 0});
        benchmark::DoNotOptimize(image.constBits());
        return true;
    });
}

}  // namespace

int main(int argc, char** argv) {
    struct SymbolSize {
        const char* name;
        int version;
        int level;
    };
    constexpr SymbolSize kSymbols[] = {
        {"v1-L", 1, quirvane::kLevelL},   {"v1-H", 1, quirvane::kLevelH},
        {"v10-H", 10, quirvane::kLevelH}, {"v20-H", 20, quirvane::kLevelH},
        {"v40-L", 40, quirvane::kLevelL}, {"v40-M", 40, quirvane::kLevelM},
        {"v40-Q", 40, quirvane::kLevelQ}, {"v40-H", 40, quirvane::kLevelH},
    };
    for (const SymbolSize& s : kSymbols) {
        benchmark::RegisterBenchmark(("CreateData/" + std::string(s.name)).c_str(), CreateData,
                                     s.version, s.level, 3);
    }
    for (const SymbolSize& s : {kSymbols[0], kSymbols[4]}) {
        benchmark::RegisterBenchmark(("CreateDataAutoMask/" + std::string(s.name)).c_str(),
                                     CreateData, s.version, s.level, quirvane::kMaskAuto);
        benchmark::RegisterBenchmark(("EvaluateMasks/" + std::string(s.name)).c_str(),
                                     EvaluateMasks, s.version, s.level);
    }
    constexpr int kL = quirvane::kLevelL;
    const std::pair<const char*, void (*)(EncoderState&)> kStages[] = {
        {"Stage/BuildDataCodewords/v40-L",
         [](EncoderState& s) {
             s.BuildDataCodewords(std::string_view(s.dataText, 2953), 40, 2956);
         }},
        {"Stage/EncodeBlocks/v40-L", [](EncoderState& s) { s.EncodeBlocks(40, kL); }},
        {"Stage/MarkFunctionAreas/v40-L",
         [](EncoderState& s) { s.MarkFunctionAreas(40, 1, quirvane::kFunctionMark); }},
        {"Stage/InterleaveBlocks/v40-L", [](EncoderState& s) { s.InterleaveBlocks(40, kL); }},
        {"Stage/PlaceCodewords/v40-L", [](EncoderState& s) { s.PlaceCodewords(40); }},
        {"Stage/ApplyMask/v40-L", [](EncoderState& s) { s.ApplyMask(40, 3); }},
        {"Stage/UnmarkFunctionAreas/v40-L",
         [](EncoderState& s) { s.MarkFunctionAreas(40, 0, '0'); }},
        {"Stage/WriteFormatAndVersionInfo/v40-L",
         [](EncoderState& s) { s.WriteFormatAndVersionInfo(40, kL, 3); }},
        {"Stage/BuildFunctionPatterns/v40-L", [](EncoderState& s) { s.BuildFunctionPatterns(40); }},
    };
    for (const auto& [name, run] : kStages) {
        benchmark::RegisterBenchmark(name, Stage, run);
    }
    benchmark::RegisterBenchmark("Segment/mixed-1000", PlanMixedSegments, 1000, 40)
        ->Unit(benchmark::kMicrosecond);
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
