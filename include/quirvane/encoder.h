// The Quirvane encoder: a text in, a QR Code symbol or a refusal out.
//
//     quirvane::Encoder encoder;
//     const quirvane::Result result = encoder.Encode("Hello, world");
//     if (result) {
//         for (int r = 0; r < result.symbol.Side(); ++r)
//             for (int c = 0; c < result.symbol.Side(); ++c)
//                 draw(r, c, result.symbol.IsDark(r, c));
//     }
//
// By default the encoder picks the smallest version that holds the whole
// text, the mask with the lowest penalty and the shortest mix of numeric,
// alphanumeric, byte and Kanji segments that common readers decode to the
// same text. A refusal is an Outcome with the numbers that explain it; the
// library writes no sentences, so each program words them in its own
// language. An Encoder allocates its working record once, when it is made;
// encoding allocates nothing.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string_view>

namespace quirvane {

// How characters are written. A segment is one of the first four; a request
// may leave the choice to the encoder.
enum class Mode : std::uint8_t { Numeric, Alphanumeric, Byte, Kanji, Auto };

// Error-correction level: about 7, 15, 25 and 30 % of the codewords restorable.
enum class Level : std::uint8_t { L, M, Q, H };

// What the bytes of a byte-mode text are, so that a cut never splits a
// character. Shift_JIS is code page 932, as Windows writes it.
enum class ByteEncoding : std::uint8_t { Utf8, ShiftJis };

// FNC1 says the data follow an industry format: in first position GS1
// element strings (an Application Identifier, its data, and the separator
// GS, 0x1D, after data of no fixed length that is not last); in second
// position the format the application indicator names.
enum class Fnc1 : std::uint8_t { None, Gs1, Industry };

inline constexpr int kVersionAuto = 0;
inline constexpr int kMaskAuto = -1;
inline constexpr int kLargestVersion = 40;
inline constexpr int kLargestEciDesignator = 999999;
// The most symbols a text may run over with structured append.
inline constexpr int kMostParts = 16;

struct Request {
    Mode mode = Mode::Auto;
    Level level = Level::L;
    // 1-40, or kVersionAuto: the smallest from minVersion to maxVersion that
    // holds the text.
    int version = kVersionAuto;
    int minVersion = 1;
    int maxVersion = kLargestVersion;
    // With an explicit version, a text longer than it holds is refused
    // (TooLong) unless this is set; then the symbol holds the longest start
    // of the text that fits, cut on a character.
    bool cutToFit = false;
    int mask = kMaskAuto;  // 0-7, or kMaskAuto: the lowest penalty
    // Byte mode only: what the bytes are, and an ECI designator written
    // before them (0: none). Auto and Kanji mode take UTF-8 text.
    ByteEncoding byteEncoding = ByteEncoding::Utf8;
    int eci = 0;
    // Automatic mode only, ASCII text: FNC1 in first position (the text a
    // GS1 element string, see <quirvane/gs1.h>) or in second position with
    // its application indicator: a letter's ASCII value + 100 (a: 197), or
    // 0-99 for two digits.
    Fnc1 fnc1 = Fnc1::None;
    int applicationIndicator = 0;
};

// A run of the text written in one mode: characters [start, start + length)
// and bytes [byteStart, byteStart + bytes) of the text. `count` is what its
// count field holds: its bytes in byte mode, else its characters, a `%`
// counting twice in the alphanumeric segments of an FNC1 symbol.
struct Segment {
    Mode mode;
    int start;
    int length;
    int byteStart;
    int bytes;
    int count;
};

enum class Outcome : std::uint8_t {
    Created,
    InvalidRequest,   // `field` names the value that does not exist or fit
    NotNumeric,       // character `position` is not a digit
    NotAlphanumeric,  // character `position` is outside the 45 characters
    NotKanji,         // character `position` has no JIS X 0208 form
    NotUtf8,          // byte `byteOffset` starts no UTF-8 character
    NotAscii,         // character `position` of an FNC1 text is not ASCII
    TooLong,          // no version allowed holds the text: see the counts below
};

enum class RequestField : std::uint8_t {
    None,
    Mode,
    Level,
    Version,
    VersionBounds,
    Mask,
    ByteEncoding,
    Eci,
    Fnc1,
    Parts,
};

// The counts the desktop program shows after each symbol.
struct Statistics {
    int inputBytes = 0;      // the whole text, before any cut
    int dataBytes = 0;       // the stream's bytes in the symbol, before the pad codewords
    int blocks = 0;          // Reed-Solomon blocks
    int eccPerBlock = 0;     // error-correction codewords of each block
    int totalCodewords = 0;  // data and error correction
};

// A finished symbol, a view into its encoder: valid until the encoder's next
// Encode.
class Symbol {
  public:
    int Side() const { return side_; }  // 4 * version + 17
    // Module (row, column), row 0 at the top; both 0 to Side() - 1.
    bool IsDark(int row, int column) const { return cells_[row * stride_ + column] == '1'; }
    int Version() const { return version_; }
    Level ErrorCorrection() const { return level_; }
    int Mask() const { return mask_; }
    int Eci() const { return eci_; }  // the designator written, 0 for none
    std::span<const Segment> Segments() const { return segments_; }

  private:
    friend struct SymbolAccess;
    const char* cells_ = nullptr;
    int stride_ = 0;
    int side_ = 0;
    int version_ = 0;
    Level level_ = Level::L;
    int mask_ = 0;
    int eci_ = 0;
    std::span<const Segment> segments_;
};

struct Result {
    Outcome outcome = Outcome::InvalidRequest;
    explicit operator bool() const { return outcome == Outcome::Created; }

    // Created: the symbol, what it holds and the counts of its making.
    Symbol symbol;
    int charactersEncoded = 0;
    int charactersLeftOut = 0;  // only with cutToFit
    Statistics statistics;

    // Refused: what explains it.
    RequestField field = RequestField::None;
    int position = 0;        // 1-based, in characters
    int byteOffset = 0;      // 0-based, of that character or byte
    char32_t character = 0;  // the character refused (its byte in byte mode)
    // TooLong: the text's characters, how many of them the version tried
    // holds (the one asked for, or the largest allowed), and the data bits
    // the text needs beyond what that version has (a lower bound past 7,089
    // characters, more than any symbol holds).
    int charactersTotal = 0;
    int charactersHeld = 0;
    int bitsOver = 0;
    int BytesOver() const { return (bitsOver + 7) / 8; }

    // Structured append: every symbol of the set, in order (`symbol` is the
    // first); when refused TooLong, how many symbols of the largest version
    // allowed the text needs.
    std::span<const Symbol> parts;
    int partsNeeded = 0;
};

// One encoder makes one symbol (or set) at a time; threads each need their
// own. A moved-from encoder may only be assigned to or destroyed.
class Encoder {
  public:
    Encoder();
    ~Encoder();
    Encoder(Encoder&&) noexcept;
    Encoder& operator=(Encoder&&) noexcept;

    // The symbol of `text` as `request` asks, or why not.
    Result Encode(std::string_view text, const Request& request = {});

    // `text` over `parts` symbols (2-16), or the fewest that hold it (at
    // least two), with structured append: readers that see them all join
    // them into the whole text. Automatic mode only. All symbols share one
    // version and level: the one asked for, or the smallest that holds the
    // split; each starts with ECI 26 when the text needs UTF-8, so that it
    // also reads alone. A part's Segments() are empty.
    Result EncodeParts(std::string_view text, const Request& request = {}, int parts = 0);

  private:
    struct Engine;
    std::unique_ptr<Engine> engine_;
};

}  // namespace quirvane
