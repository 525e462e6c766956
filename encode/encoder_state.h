// The engine behind the public encoder: one fixed-size record, EncoderState,
// that holds the settings in force, the working buffers of every stage and
// the finished symbol. Its operations work on those buffers in place, so
// making a symbol allocates nothing; each run clears what it reuses. Its
// callers are the program's own (the window, the public Encoder, tests), so
// the stages assert their preconditions instead of checking them.
//
// Where each stage lives, in the order BuildSymbol chains them:
//
//   encode/create_data.cpp        CreateData: the window's command
//   encode/create_symbol.cpp      CreateSymbol: the public Encoder's
//   encode/data_bit_stream.cpp    BuildDataCodewords   segmentPlan -> dataCodewords
//   ecc/reed_solomon.cpp          EncodeBlocks         -> blockRows
//   matrix/function_patterns.cpp  MarkFunctionAreas    '*' on every function module
//   matrix/interleave.cpp         InterleaveBlocks     -> codewordSequence, which
//   matrix/placement.cpp            calls PlaceCodewords -> dataPlane
//   matrix/mask_evaluation.cpp    EvaluateMasks        the best mask, when asked
//   matrix/mask.cpp               ApplyMask            the chosen mask
//   matrix/function_patterns.cpp  MarkFunctionAreas    the '*' marks back to '0'
//   matrix/format_version_info.cpp  WriteFormatAndVersionInfo
//   matrix/function_patterns.cpp  BuildFunctionPatterns -> patternPlane
//   encode/build_symbol.cpp       JoinPlanes           -> symbolMatrix
//
// Modules and bits are characters: '1' dark or set, '0' light or clear, '*' a
// function module while codewords are placed and masked. A plane is 256 x 256
// one-byte cells with row stride 256, module (r, c) at 256 * r + c; only the
// n x n square at the top left is used (n = 4 * version + 17, at most 177).
#pragma once

#include <cstdint>
#include <string_view>

#include <quirvane/encoder.h>

#include "ecc/symbol_parameters.h"
#include "encode/encoder_settings.h"
#include "encode/generation_result.h"
#include "encode/mode_table.h"
#include "encode/part_store.h"
#include "encode/segmentation.h"
#include "matrix/mask_evaluation.h"

namespace quirvane {

inline constexpr int kPlaneStride = 256;
inline constexpr int kPlaneCells = kPlaneStride * kPlaneStride;
// Marks a function module in dataPlane while codewords are placed and masked.
inline constexpr char kFunctionMark = '*';

// The input working copy holds the text with its terminating zero byte.
inline constexpr int kInputCopySize = 16384;
// Longest DataText: the numeric capacity of version 40-L.
inline constexpr int kMaxDataText = 7089;
// Longest stream: 2956 data codewords of version 40-L, plus fill.
inline constexpr int kBitStringSize = 32768;
inline constexpr int kMaxCodewords = 4096;
// 81 blocks at most (40-H), rows of at most 151 codewords (18-L, group 2).
inline constexpr int kBlockRowCount = 82;
inline constexpr int kBlockRowStride = 160;
// Exponent and logarithm tables of GF(256), with an end marker each.
inline constexpr int kGaloisTableSize = 257;
// The most characters one alphanumeric segment holds: the capacity of 40-L.
inline constexpr int kMaxFnc1Alphanumeric = 4296;
// The largest error-correction count of any block, and the width the
// Reed-Solomon register is worked in: every block takes one fixed-width pass.
inline constexpr int kMaxGeneratorDegree = 30;
inline constexpr int kRegisterWidth = 32;

struct GaloisTables {
    int exponent[kGaloisTableSize];   // alpha^i for i = 0..255, then -1
    int logarithm[kGaloisTableSize];  // log of 1..255; -1 for 0 and the end marker
};

struct EncoderState {
    EncoderState();
    // 290 KB of buffers: made once and kept, never copied by accident.
    EncoderState(const EncoderState&) = delete;
    EncoderState& operator=(const EncoderState&) = delete;

    // ---- Settings in force (written by the window) ----
    EncoderSettings settings = kPresetSettings;
    int dataReady = 0;  // 1 from a successful CreateData until the symbol is drawn

    // The record of the version and level being encoded; see LoadSymbolParameters.
    SymbolParameters symbolParameters{};

    // ---- The finished symbol ----
    // Version, level and mask the symbol in symbolMatrix was made with
    // (version 0 before the first); drawing goes by these, not by the
    // version list, which may have moved on.
    int symbolVersion = 0;
    int symbolLevel = kLevelL;
    int symbolMask = 0;

    // ---- Data text and bit stream ----
    // Each buffer is zero past the length that goes with it, so that a run
    // clears only what the previous one wrote.
    char inputCopy[kInputCopySize]{};   // the input, zero-terminated, cut to fit
    int inputByteCount = 0;             // the whole input's length, before any cut
    char dataText[kMaxDataText + 1]{};  // the characters that are encoded
    int dataCharacterCount = 0;
    char bitString[kBitStringSize]{};             // '0'/'1' text, most significant bit first
    int bitStringLength = 0;                      // its length, so appending needs no scan
    std::uint8_t dataCodewords[kMaxCodewords]{};  // packed stream, then pad codewords
    int dataByteCount = 0;  // bytes of the stream in the symbol, before the pads
    // Bytes of dataCodewords the last stream wrote, so that the next clears
    // only those; the whole buffer in a new record.
    int dataCodewordsUsed = kMaxCodewords;

    // ---- Characters and segments ----
    // The text's first characters (no symbol holds more), each with its
    // length in bytes and its Kanji code, and the count of all of them, for
    // Kanji and automatic mode; the plan of segments every stream is written
    // from; the segmentation's working rows.
    TextCharacter textCharacters[kMaxSegmentCharacters]{};
    int textCharacterCount = 0;
    int textCharacterTotal = 0;
    SegmentPlan segmentPlan{};
    SegmentScratch segmentScratch{};
    // The family plans are made in, and what the stream writes before them.
    Family planFamily = Family::Either;
    StreamHeader streamHeader{};

    // ---- Reed-Solomon blocks ----
    // Row b is block b: data codewords, then error-correction codewords; a
    // group-1 row of a two-group layout has a filler 0 between the two.
    std::uint8_t blockRows[kBlockRowCount * kBlockRowStride]{};
    int blockLength[kBlockRowCount]{};  // codewords of each block, filler not counted
    int blockCount = 0;                 // B1 + B2
    // How many rows of blockRows have had blocks written into them since
    // EncodeBlocks last cleared the rows, so that it clears only those; every
    // row in a new record.
    int blockRowsUsed = kBlockRowCount;
    int generatorDegree = 0;  // error-correction codewords per block
    GaloisTables galoisTables{};
    // Every product of a byte with the generator's coefficients below the
    // leading one: row f holds f * g(j + 1) for j = 0..R-1. With it each data
    // codeword costs one row lookup and R exclusive-ors, not R table
    // multiplications. Columns from R on stay 0. Rebuilt when the generator
    // changes: productsGenerator keeps the one they were made from.
    std::uint8_t generatorProducts[256][kRegisterWidth]{};
    int productsGenerator[kMaxGeneratorDegree + 1]{};
    int productsDegree = 0;

    // ---- Interleaved codewords ----
    std::uint8_t codewordSequence[kMaxCodewords]{};
    int codewordCount = 0;

    // ---- Automatic mask ----
    MaskEvaluation maskEvaluation{};

    // ---- The three planes ----
    char patternPlane[kPlaneCells]{};  // function patterns only
    char dataPlane[kPlaneCells]{};     // data and EC modules, masked, plus format/version info
    char symbolMatrix[kPlaneCells]{};  // the finished symbol, '1' dark
    // Side of the square last drawn into patternPlane, so a rebuild clears only
    // what the previous one wrote and the rest of the plane stays zero.
    int patternPlaneSide = 0;

    // ---- The generation commands ----
    // The window's: the settings in force, the text cut to the capacity of
    // the chosen mode and checked against its characters, then the symbol,
    // with dataReady set. In 8-bit byte mode the bytes are taken as they
    // are; `encoding` says where the characters end, so that the cut never
    // splits one. A refusal changes nothing the symbol depends on.
    [[nodiscard]] GenerationResult CreateData(std::string_view inputText,
                                              ByteEncoding encoding = ByteEncoding::Utf8);

    // The public Encoder's: any request (see Request). A window mode with an
    // explicit version and mask gives exactly CreateData's symbol.
    [[nodiscard]] Result CreateSymbol(std::string_view text, const Request& request);

    // The text over `parts` symbols (2-16), or the fewest that hold it, with
    // structured append (encode/structured_append.cpp); the symbols go to
    // `store`.
    [[nodiscard]] Result CreateParts(std::string_view text, const Request& request, int parts,
                                     PartStore& store);

    // ---- The stages ----
    // Fills symbolParameters for the version and level of the settings.
    void LoadSymbolParameters();
    // Writes segmentPlan's stream over `source` (the text its segments index
    // by byte), then the terminator, the fill, and the pad codewords up to
    // dataCodewordsCount; sets dataByteCount.
    void BuildDataCodewords(std::string_view source, int forVersion, int dataCodewordsCount);
    void BuildGaloisTables();
    void EncodeBlocks(int forVersion, int level);
    // Marks (mode 1) or unmarks (mode 0, writing '0') every function and
    // reserved module of dataPlane; mode 1 first resets the square to '0'.
    void MarkFunctionAreas(int forVersion, int mode, char mark);
    // Reads blockRows column by column into codewordSequence, sets
    // codewordCount and ends by calling PlaceCodewords, which is how the
    // codewords reach dataPlane.
    void InterleaveBlocks(int forVersion, int level);
    // Writes the bits of codewordSequence into the modules of dataPlane not
    // marked kFunctionMark, by the version's placement order, which steps
    // around exactly the marked modules.
    void PlaceCodewords(int forVersion);
    void ApplyMask(int forVersion, int mask);
    void WriteFormatAndVersionInfo(int forVersion, int level, int mask);
    void BuildFunctionPatterns(int forVersion);
    // Joins patternPlane and dataPlane into symbolMatrix.
    void JoinPlanes();
    // The stages from the Reed-Solomon blocks to the joined planes, with the
    // mask given or, for kMaskAuto, the best one; returns the mask applied.
    int BuildSymbol(int version, int level, int mask);

    int ExpOf(int e) const { return galoisTables.exponent[e]; }
    int LogOf(int v) const { return galoisTables.logarithm[v]; }

    bool IsDark(int row, int column) const {
        return symbolMatrix[row * kPlaneStride + column] == '1';
    }
    int SymbolSide() const { return symbolVersion == 0 ? 0 : SideOf(symbolVersion); }

  private:
    void EncodeLayout(int b1, int b2, int c1, int k1, int r1, int c2, int k2);
    void AppendFnc1AlphanumericData(const char* bytes, int byteCount, int count);
    void BuildGeneratorProducts(const int* generator, int degree);
    void UseGenerator(const int* generator, int degree);
    void ClearWorkingCopies();
    void CopyInput(std::string_view inputText);
    int CutPoint(int capacity, Mode mode, ByteEncoding encoding) const;
    Statistics StatisticsOfSymbol() const;
    // CreateSymbol's two roads (encode/create_symbol.cpp): one segment of a
    // window mode straight from the bytes, or the text's characters planned.
    Result EncodeSingleMode(std::string_view text, const Request& request);
    Result EncodeCharacters(std::string_view text, const Request& request);
    bool ReadTextCharacters(std::string_view text, const Request& request, Result& result);
    bool PlanFirst(int characters, int version, const Request& request);
    bool FirstFit(int characters, int version, const Request& request);
    int LongestFittingPrefix(int version, const Request& request);
    Result Finish(const Request& request, int version, int charactersEncoded, int charactersTotal);
    // Structured append's steps (encode/structured_append.cpp).
    int ReadCharactersFrom(std::string_view text, std::size_t at, int most);
    int SplitIntoParts(std::string_view text, int version, const Request& request, int most,
                       std::size_t* ends, int* characters);
};

// The request's first value that does not exist or does not fit the others.
RequestField InvalidField(const Request& request);

// Reads the UTF-8 character at `at` into `c`, with what each mode needs of
// it; returns its length, or 0 when no character starts there.
int ReadTextCharacter(std::string_view text, std::size_t at, Fnc1 fnc1, TextCharacter& c);

// The level number of the parameter table and the format information.
constexpr int LevelNumberOf(Level level) {
    return static_cast<int>(level) + kLevelL;
}

}  // namespace quirvane
