// The cheapest segmentation by dynamic programming over (character, mode).
// Costs are kept in sixths of a bit, so every character has a whole cost and
// rounding a segment up to whole bits when it closes gives its exact length.
#include <algorithm>
#include <string_view>

#include <quirvane/segmentation.h>

namespace quirvane {
namespace {

constexpr int kModeCount = 4;
constexpr int kUnreachable = 1 << 29;  // above any real cost, and safe to add a few costs to

// Sixths of a bit per character: numeric 10 bits per 3 digits, alphanumeric 11
// per 2, Kanji 13; a byte segment's 48 per byte is applied per UTF-8 byte.
constexpr int kNumericSixths = 20;
constexpr int kAlphanumericSixths = 33;
constexpr int kByteSixths = 48;
constexpr int kKanjiSixths = 78;

constexpr int RoundUpToBit(int sixths) {
    return (sixths + 5) / 6 * 6;
}

SegmentMode ModeAt(int index) {
    return static_cast<SegmentMode>(index);
}

int PreviousMode(std::uint8_t packed, int mode) {
    return (packed >> (2 * mode)) & 3;
}

// What writing `character` in `mode` costs, or kUnreachable when the family
// does not let that mode hold it.
int CharacterSixths(int mode, const TextCharacter& character, bool eci) {
    const char32_t code = character.code;
    switch (ModeAt(mode)) {
        case SegmentMode::Numeric:
            return code >= U'0' && code <= U'9' ? kNumericSixths : kUnreachable;
        case SegmentMode::Alphanumeric:
            return IsAlphanumericCharacter(code) ? kAlphanumericSixths : kUnreachable;
        case SegmentMode::Byte:
            return eci || code < 0x80 ? kByteSixths * character.utf8Length : kUnreachable;
        case SegmentMode::Kanji:
            return !eci && code >= 0x80 && IsKanjiModeCode(character.kanjiCode) ? kKanjiSixths
                                                                                : kUnreachable;
    }
    return kUnreachable;
}

// The family without the ECI needs every character to be ASCII or Kanji-mode
// material, and no `\` or `~` once there is Kanji (a reader shows them as yen
// and overline there).
bool PlainFamilyQualifies(const TextCharacter* text, int count) {
    bool kanji = false;
    bool yenOrOverline = false;
    for (int i = 0; i < count; ++i) {
        const TextCharacter& character = text[i];
        if (character.code < 0x80) {
            yenOrOverline = yenOrOverline || character.code == U'\\' || character.code == U'~';
        } else if (IsKanjiModeCode(character.kanjiCode)) {
            kanji = true;
        } else {
            return false;
        }
    }
    return !(kanji && yenOrOverline);
}

// The forward pass. openSixths[m] is the cheapest stream so far whose last
// character sits in a still-open segment of mode m; a smaller value is never
// worse later because rounding up is monotone. Returns the mode of the last
// segment of the cheapest stream.
int CheapestStream(const TextCharacter* text, int count, int version, bool eci,
                   std::uint8_t* previous) {
    int headerSixths[kModeCount];
    for (int m = 0; m < kModeCount; ++m) {
        headerSixths[m] = 6 * (kModeIndicatorBits + CountIndicatorBits(ModeAt(m), version));
    }
    int openSixths[kModeCount] = {kUnreachable, kUnreachable, kUnreachable, kUnreachable};
    int closedSixths = eci ? 6 * kUtf8EciHeaderBits : 0;
    int closedMode = 0;
    for (int i = 0; i < count; ++i) {
        if (i > 0) {
            closedSixths = kUnreachable;
            for (int m = 0; m < kModeCount; ++m) {
                if (openSixths[m] < kUnreachable && RoundUpToBit(openSixths[m]) < closedSixths) {
                    closedSixths = RoundUpToBit(openSixths[m]);
                    closedMode = m;
                }
            }
        }
        std::uint8_t packed = 0;
        for (int m = 0; m < kModeCount; ++m) {
            const int cost = CharacterSixths(m, text[i], eci);
            int from = m;
            int best = kUnreachable;
            if (cost < kUnreachable) {
                const int fresh = closedSixths + headerSixths[m] + cost;
                const int extended = openSixths[m] + cost;
                best = extended <= fresh ? extended : fresh;
                from = extended <= fresh ? m : closedMode;
            }
            openSixths[m] = best;
            packed |= static_cast<std::uint8_t>(from << (2 * m));
        }
        previous[i] = packed;
    }
    int lastMode = 0;
    for (int m = 1; m < kModeCount; ++m) {
        if (RoundUpToBit(openSixths[m]) < RoundUpToBit(openSixths[lastMode])) {
            lastMode = m;
        }
    }
    return lastMode;
}

// Calls visit(segment, bytes) for each segment of the cheapest stream, last
// first. A run longer than its count field allows is cut from the back into
// full pieces of whole digit triples or character pairs, so the cut adds
// headers and nothing else. Such a run's data alone overflows the largest
// symbol of the band, so the cut never costs a stream that could fit.
template <typename Visit>
void WalkBackwards(const TextCharacter* text, int count, int version, const std::uint8_t* previous,
                   int lastMode, Visit&& visit) {
    int mode = lastMode;
    int end = count;
    while (end > 0) {
        int start = end - 1;
        while (start > 0 && PreviousMode(previous[start], mode) == mode) {
            --start;
        }
        const SegmentMode segmentMode = ModeAt(mode);
        const int limit = (1 << CountIndicatorBits(segmentMode, version)) - 1;
        // Full pieces hold whole character pairs; the numeric limits, 2^10 - 1,
        // 2^12 - 1 and 2^14 - 1, are whole digit triples already.
        const int fullPiece = segmentMode == SegmentMode::Alphanumeric ? limit - 1 : limit;
        for (int pieceEnd = end; pieceEnd > start;) {
            int pieceStart = pieceEnd;
            int bytes = 0;
            if (segmentMode == SegmentMode::Byte) {
                while (pieceStart > start && bytes + text[pieceStart - 1].utf8Length <= limit) {
                    bytes += text[pieceStart - 1].utf8Length;
                    --pieceStart;
                }
            } else {
                pieceStart = std::max(start, pieceEnd - fullPiece);
            }
            visit(Segment{segmentMode, pieceStart, pieceEnd - pieceStart}, bytes);
            pieceEnd = pieceStart;
        }
        if (start > 0) {
            mode = PreviousMode(previous[start], mode);
        }
        end = start;
    }
}

int SegmentBits(const Segment& segment, int bytes, int version) {
    return kModeIndicatorBits + CountIndicatorBits(segment.mode, version) +
           SegmentDataBits(segment.mode, segment.length, bytes);
}

int PlannedBits(const TextCharacter* text, int count, int version, bool eci,
                const std::uint8_t* previous, int lastMode) {
    int bits = eci ? kUtf8EciHeaderBits : 0;
    WalkBackwards(text, count, version, previous, lastMode, [&](const Segment& segment, int bytes) {
        bits += SegmentBits(segment, bytes, version);
    });
    return bits;
}

void WritePlan(const TextCharacter* text, int count, int version, bool eci,
               const std::uint8_t* previous, int lastMode, SegmentPlan& plan) {
    plan.eci = eci;
    plan.count = 0;
    plan.bits = eci ? kUtf8EciHeaderBits : 0;
    WalkBackwards(text, count, version, previous, lastMode, [&](const Segment& segment, int bytes) {
        plan.segments[plan.count++] = segment;
        plan.bits += SegmentBits(segment, bytes, version);
    });
    std::reverse(plan.segments, plan.segments + plan.count);
}

bool CountIsPlannable(int count) {
    return count >= 0 && count <= kMaxSegmentCharacters;
}

}  // namespace

int CountIndicatorBits(SegmentMode mode, int version) {
    constexpr int kWidths[3][kModeCount] = {{10, 9, 8, 8}, {12, 11, 16, 10}, {14, 13, 16, 12}};
    const int band = version <= 9 ? 0 : (version <= 26 ? 1 : 2);
    return kWidths[band][static_cast<int>(mode)];
}

int SegmentDataBits(SegmentMode mode, int characters, int bytes) {
    switch (mode) {
        case SegmentMode::Numeric: {
            constexpr int kTailBits[3] = {0, 4, 7};
            return 10 * (characters / 3) + kTailBits[characters % 3];
        }
        case SegmentMode::Alphanumeric:
            return 11 * (characters / 2) + 6 * (characters % 2);
        case SegmentMode::Byte:
            return 8 * bytes;
        case SegmentMode::Kanji:
            return 13 * characters;
    }
    return 0;
}

bool IsAlphanumericCharacter(char32_t code) {
    if ((code >= U'0' && code <= U'9') || (code >= U'A' && code <= U'Z')) {
        return true;
    }
    constexpr std::u32string_view kSymbols = U" $%*+-./:";
    return kSymbols.find(code) != std::u32string_view::npos;
}

bool IsKanjiModeCode(std::uint16_t code) {
    return (code >= 0x8140 && code <= 0x9FFC) || (code >= 0xE040 && code <= 0xEBBF);
}

bool PlanSegmentsInFamily(const TextCharacter* text, int count, int version, bool eci,
                          SegmentScratch& scratch, SegmentPlan& plan) {
    if (!CountIsPlannable(count) || (!eci && !PlainFamilyQualifies(text, count))) {
        return false;
    }
    std::uint8_t* previous = scratch.previousModes[eci ? 1 : 0];
    const int lastMode = CheapestStream(text, count, version, eci, previous);
    WritePlan(text, count, version, eci, previous, lastMode, plan);
    return true;
}

bool PlanSegments(const TextCharacter* text, int count, int version, SegmentScratch& scratch,
                  SegmentPlan& plan) {
    if (!CountIsPlannable(count)) {
        return false;
    }
    // Both families' back-pointers stay in the scratch, so the winner is
    // written out without a second pass.
    std::uint8_t* plainPrevious = scratch.previousModes[0];
    std::uint8_t* utf8Previous = scratch.previousModes[1];
    const int utf8Last = CheapestStream(text, count, version, true, utf8Previous);
    const int utf8Bits = PlannedBits(text, count, version, true, utf8Previous, utf8Last);
    if (PlainFamilyQualifies(text, count)) {
        const int plainLast = CheapestStream(text, count, version, false, plainPrevious);
        if (PlannedBits(text, count, version, false, plainPrevious, plainLast) <= utf8Bits) {
            WritePlan(text, count, version, false, plainPrevious, plainLast, plan);
            return true;
        }
    }
    WritePlan(text, count, version, true, utf8Previous, utf8Last, plan);
    return true;
}

}  // namespace quirvane
