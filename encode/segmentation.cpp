// The cheapest segmentation by dynamic programming over (character, mode).
// Costs are kept in sixths of a bit, so every character has a whole cost and
// rounding a segment up to whole bits when it closes gives its exact length.
#include "encode/segmentation.h"

#include <algorithm>
#include <cassert>

#include "encode/mode_table.h"

namespace quirvane {
namespace {

constexpr int kModeCount = kSegmentModeCount;
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

Mode ModeAt(int index) {
    return static_cast<Mode>(index);
}

int PreviousMode(std::uint8_t packed, int mode) {
    return (packed >> (2 * mode)) & 3;
}

// What writing `character` in `mode` costs, or kUnreachable when the family
// does not let that mode hold it.
int CharacterSixths(int mode, const TextCharacter& character, bool eci) {
    const char32_t code = character.code;
    switch (ModeAt(mode)) {
        case Mode::Numeric:
            return IsDigit(code) ? kNumericSixths : kUnreachable;
        case Mode::Alphanumeric:
            return character.alphanumericLength > 0
                       ? kAlphanumericSixths * character.alphanumericLength
                       : kUnreachable;
        case Mode::Byte:
            return eci || code < 0x80 ? kByteSixths * character.byteLength : kUnreachable;
        default:
            return !eci && code >= 0x80 && IsKanjiModeCode(character.kanjiCode) ? kKanjiSixths
                                                                                : kUnreachable;
    }
}

// The family without the ECI needs every character to be ASCII or Kanji-mode
// material, and no `\` or `~` once there is Kanji (a reader shows them as yen
// and overline there).
}  // namespace

bool QualifiesForPlainFamily(const TextCharacter* text, int count) {
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

namespace {

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
    int closedSixths = eci ? 6 * EciHeaderBits(kEciUtf8) : 0;
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

// Calls visit(segment) for each segment of the cheapest stream, last
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
        const Mode segmentMode = ModeAt(mode);
        const int limit = (1 << CountIndicatorBits(segmentMode, version)) - 1;
        // Full pieces hold whole character pairs; the numeric limits, 2^10 - 1,
        // 2^12 - 1 and 2^14 - 1, are whole digit triples already.
        const int fullPiece = segmentMode == Mode::Alphanumeric ? limit - 1 : limit;
        for (int pieceEnd = end; pieceEnd > start;) {
            int pieceStart = pieceEnd;
            int bytes = 0;
            int count = 0;
            while (pieceStart > start) {
                const TextCharacter& c = text[pieceStart - 1];
                const int units = segmentMode == Mode::Byte           ? c.byteLength
                                  : segmentMode == Mode::Alphanumeric ? c.alphanumericLength
                                                                      : 1;
                if (count + units > fullPiece) {
                    break;
                }
                count += units;
                bytes += c.byteLength;
                --pieceStart;
            }
            visit(Segment{segmentMode, pieceStart, pieceEnd - pieceStart, 0, bytes, count});
            pieceEnd = pieceStart;
        }
        if (start > 0) {
            mode = PreviousMode(previous[start], mode);
        }
        end = start;
    }
}

int SegmentBits(const Segment& segment, int version) {
    return kModeIndicatorBits + CountIndicatorBits(segment.mode, version) +
           SegmentDataBits(segment.mode, segment.count);
}

int PlannedBits(const TextCharacter* text, int count, int version, bool eci,
                const std::uint8_t* previous, int lastMode) {
    int bits = eci ? EciHeaderBits(kEciUtf8) : 0;
    WalkBackwards(text, count, version, previous, lastMode,
                  [&](const Segment& segment) { bits += SegmentBits(segment, version); });
    return bits;
}

void WritePlan(const TextCharacter* text, int count, int version, bool eci,
               const std::uint8_t* previous, int lastMode, SegmentPlan& plan) {
    plan.eciDesignator = eci ? kEciUtf8 : 0;
    plan.count = 0;
    plan.bits = eci ? EciHeaderBits(kEciUtf8) : 0;
    WalkBackwards(text, count, version, previous, lastMode, [&](const Segment& segment) {
        plan.segments[plan.count++] = segment;
        plan.bits += SegmentBits(segment, version);
    });
    std::reverse(plan.segments, plan.segments + plan.count);
    int byteStart = 0;
    for (int s = 0; s < plan.count; ++s) {
        plan.segments[s].byteStart = byteStart;
        byteStart += plan.segments[s].bytes;
    }
}

}  // namespace

bool PlanSegments(const TextCharacter* text, int count, int version, Family family,
                  SegmentScratch& scratch, SegmentPlan& plan) {
    assert(count >= 1 && count <= kMaxSegmentCharacters);
    const bool plain = family != Family::Utf8 && QualifiesForPlainFamily(text, count);
    if (family == Family::Plain && !plain) {
        return false;
    }
    // Both families' back-pointers stay in the scratch, so the winner is
    // written out without a second pass.
    std::uint8_t* plainPrevious = scratch.previousModes[0];
    std::uint8_t* utf8Previous = scratch.previousModes[1];
    if (plain) {
        const int plainLast = CheapestStream(text, count, version, false, plainPrevious);
        bool shorter = family == Family::Plain;
        if (!shorter) {
            const int utf8Last = CheapestStream(text, count, version, true, utf8Previous);
            shorter = PlannedBits(text, count, version, false, plainPrevious, plainLast) <=
                      PlannedBits(text, count, version, true, utf8Previous, utf8Last);
            if (!shorter) {
                WritePlan(text, count, version, true, utf8Previous, utf8Last, plan);
                return true;
            }
        }
        WritePlan(text, count, version, false, plainPrevious, plainLast, plan);
        return true;
    }
    const int utf8Last = CheapestStream(text, count, version, true, utf8Previous);
    WritePlan(text, count, version, true, utf8Previous, utf8Last, plan);
    return true;
}

void PlanOneSegment(Mode mode, int characters, int bytes, int eciDesignator, int version,
                    SegmentPlan& plan) {
    assert(IsSegmentMode(mode) && characters >= 0 && bytes >= characters);
    plan.eciDesignator = eciDesignator;
    plan.count = 1;
    plan.segments[0] =
        Segment{mode, 0, characters, 0, bytes, mode == Mode::Byte ? bytes : characters};
    plan.bits = (eciDesignator != 0 ? EciHeaderBits(eciDesignator) : 0) +
                SegmentBits(plan.segments[0], version);
}

}  // namespace quirvane
