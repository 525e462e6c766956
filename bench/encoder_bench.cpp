// Speed of the generation command on texts that fill the symbol, of scoring
// the eight masks, of planning the segments of a long mixed text and of
// drawing the largest symbol, with the heap allocations of each iteration.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <quirvane/encoder.h>
#include <quirvane/mask_evaluation.h>
#include <quirvane/segmentation.h>

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

// Shift_JIS codes for the benchmark text: the real layout of kana and of the
// two punctuation marks, made-up level-1 codes for the kanji.
std::uint16_t PlausibleKanjiCode(char32_t code) {
    if (code >= U'ぁ' && code <= U'ん') {
        return static_cast<std::uint16_t>(0x829F + (code - U'ぁ'));
    }
    if (code >= U'ァ' && code <= U'ヶ') {
        const int offset = static_cast<int>(code - U'ァ');
        return static_cast<std::uint16_t>(0x8340 + offset + (offset >= 0x3F ? 1 : 0));
    }
    if (code == U'、' || code == U'。') {
        return code == U'、' ? 0x8141 : 0x8142;
    }
    if (code >= 0x4E00 && code <= 0x9FFF) {
        return static_cast<std::uint16_t>(0x889F + code % 94);
    }
    return 0;
}

// Japanese with addresses, numbers and an e-mail address, repeated to `length`.
std::vector<quirvane::TextCharacter> MixedJapaneseText(int length) {
    constexpr std::u32string_view kSample =
        U"東京都港区芝公園4丁目2-8 お問い合わせは info@example.jp または 03-3433-5111 "
        U"まで。注文番号 20240611-0042、ポイント 1500 点。";
    std::vector<quirvane::TextCharacter> text;
    for (int i = 0; i < length; ++i) {
        const char32_t code = kSample[i % kSample.size()];
        const int utf8Length = code < 0x80 ? 1 : (code < 0x800 ? 2 : 3);
        text.push_back({code, static_cast<std::uint8_t>(utf8Length),
                        code < 0x80 ? std::uint16_t{0} : PlausibleKanjiCode(code)});
    }
    return text;
}

void PlanMixedSegments(benchmark::State& bench, int length, int version) {
    const std::vector<quirvane::TextCharacter> text = MixedJapaneseText(length);
    auto scratch = std::make_unique<quirvane::SegmentScratch>();
    auto plan = std::make_unique<quirvane::SegmentPlan>();
    std::uint64_t allocations = 0;
    for (auto _ : bench) {
        const std::uint64_t before = quirvane::bench::AllocationCount();
        const bool planned = quirvane::PlanSegments(text.data(), length, version, *scratch, *plan);
        allocations += quirvane::bench::AllocationCount() - before;
        benchmark::DoNotOptimize(plan->bits);
        if (!planned) {
            bench.SkipWithError("the text is too long to plan");
            return;
        }
    }
    bench.counters["allocs"] =
        benchmark::Counter(static_cast<double>(allocations), benchmark::Counter::kAvgIterations);
}

// Scoring all eight masks on a filled symbol; the planes are placed once,
// the way the generation command places them, and only the scoring is timed.
void EvaluateMasks(benchmark::State& bench, int version, int level) {
    auto state = StateFor(version, level);
    if (!state->CreateData(FillingText(*state)).Created()) {
        bench.SkipWithError("no symbol");
        return;
    }
    state->BuildDataCodewords(state->settings.characterMode, version,
                              state->symbolParameters.dataCodewords);
    state->EncodeBlocks(version, level);
    state->MarkFunctionAreas(version, 1, quirvane::kFunctionMark);
    state->InterleaveBlocks(version, level);
    state->BuildFunctionPatterns(version);
    auto scratch = std::make_unique<quirvane::MaskEvaluation>();
    std::uint64_t allocations = 0;
    for (auto _ : bench) {
        const std::uint64_t before = quirvane::bench::AllocationCount();
        const int mask = quirvane::EvaluateMasks(state->dataPlane, state->patternPlane, version,
                                                 level, *scratch);
        allocations += quirvane::bench::AllocationCount() - before;
        benchmark::DoNotOptimize(mask);
    }
    bench.counters["allocs"] =
        benchmark::Counter(static_cast<double>(allocations), benchmark::Counter::kAvgIterations);
}

// One public stage alone, run over and over on a record that has just made a
// filled version 40-L symbol: where CreateData's time goes, stage by stage.
// Each stage is repeatable on its own output (placement and masking write the
// same cells again), so the record stays a valid symbol throughout.
void Stage(benchmark::State& bench, void (*run)(EncoderState&)) {
    auto state = StateFor(40, quirvane::kLevelL);
    if (const auto made = state->CreateData(FillingText(*state)); !made.Created()) {
        bench.SkipWithError(made.message);
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
    constexpr int kL = quirvane::kLevelL;
    const std::pair<const char*, void (*)(EncoderState&)> kStages[] = {
        {"Stage/BuildDataCodewords/v40-L",
         [](EncoderState& s) { s.BuildDataCodewords(quirvane::kModeByte, 40, 2956); }},
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
    benchmark::RegisterBenchmark("EvaluateMasks/v1-L", EvaluateMasks, 1, quirvane::kLevelL);
    benchmark::RegisterBenchmark("EvaluateMasks/v40-L", EvaluateMasks, 40, quirvane::kLevelL);
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
