// The Quirvane encoder: one fixed-size record, EncoderState, that holds the
// settings in force, the working buffers of every stage and the finished
// symbol. Its operations work on those buffers in place, so making a symbol
// allocates nothing; each run of CreateData clears what it reuses.
//
// Where each stage lives, in the order CreateData chains them:
//
//   encode/create_data.cpp        CreateData: checks the settings, cuts the text
//                                 to capacity, checks its characters, then runs:
//   encode/data_bit_stream.cpp      BuildDataCodewords   text -> dataCodewords
//   ecc/reed_solomon.cpp            EncodeBlocks         -> blockRows (EncodeLayout,
//                                                        ComputeRemainder)
//   matrix/function_patterns.cpp    MarkFunctionAreas    '*' on every function module
//   matrix/interleave.cpp           InterleaveBlocks     -> codewordSequence, which
//   matrix/placement.cpp              calls PlaceCodewords -> dataPlane
//   matrix/mask.cpp                 ApplyMask            the chosen mask
//   matrix/function_patterns.cpp    MarkFunctionAreas    the '*' marks back to '0'
//   matrix/format_version_info.cpp  WriteFormatAndVersionInfo
//   matrix/function_patterns.cpp    BuildFunctionPatterns -> patternPlane
//   encode/create_data.cpp          JoinPlanes           -> symbolMatrix
//
//   ecc/symbol_parameters.cpp     the parameter table
//   ecc/galois.cpp                GF(256) tables (BuildGaloisTables)
//   matrix/placement_order.cpp    each version's placement order, made once
//   encode/encoder_state.cpp      the record's start values, LoadSymbolParameters
//
// Modules and bits are characters: '1' dark or set, '0' light or clear, '*' a
// function module while codewords are placed and masked. A plane is 256 x 256
// one-byte cells with row stride 256, module (r, c) at 256 * r + c; only the
// n x n square at the top left is used (n = 4 * version + 17, at most 177).
#pragma once

#include <cstdint>
#include <string_view>

#include <quirvane/encoder_settings.h>
#include <quirvane/generation_result.h>
#include <quirvane/mask_evaluation.h>
#include <quirvane/segmentation.h>
#include <quirvane/symbol_parameters.h>
#include <quirvane/symbol_request.h>

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

    // ---- Settings in force (written by the front end) ----
    EncoderSettings settings = kPresetSettings;
    int dataReady = 0;  // 1 from a successful CreateData until the symbol is drawn

    // The record of (version, errorCorrectionLevel); see LoadSymbolParameters.
    SymbolParameters symbolParameters{};

    // ---- The finished symbol ----
    // Version the symbol in symbolMatrix was made with (0 before the first);
    // drawing goes by this, not by the version list, which may have moved on.
    int symbolVersion = 0;

    // ---- Data text and bit stream ----
    // Each buffer is zero past the length that goes with it, so that a run
    // clears only what the previous one wrote.
    char inputCopy[kInputCopySize]{};   // the input, zero-terminated, cut to fit
    int inputByteCount = 0;             // the whole input's length, before any cut
    char dataText[kMaxDataText + 1]{};  // the characters that are encoded
    int dataCharacterCount = 0;
    char bitString[kBitStringSize]{};  // '0'/'1' text, most significant bit first
    int bitStringLength = 0;           // its length, so appending needs no scan
    char modeIndicator[8]{};
    char countIndicator[32]{};
    std::uint8_t dataCodewords[kMaxCodewords]{};  // packed stream, then pad codewords
    int dataByteCount = 0;  // bytes of the stream in the symbol, before the pads
    // Bytes of dataCodewords the last stream wrote, so that the next clears
    // only those; the whole buffer in a new record, whose caller may have
    // written any of it.
    int dataCodewordsUsed = kMaxCodewords;

    // ---- Characters and segments (CreateSymbol only) ----
    // The text's first characters (no symbol holds more), each with its
    // length in bytes and its Kanji code; the count of all of them; the plan
    // of segments written; the segmentation's working rows.
    TextCharacter textCharacters[kMaxSegmentCharacters]{};
    int textCharacterCount = 0;
    int textCharacterTotal = 0;
    SegmentPlan segmentPlan{};
    SegmentScratch segmentScratch{};

    // ---- Reed-Solomon blocks ----
    // Row b is block b: data codewords, then error-correction codewords; a
    // group-1 row of a two-group layout has a filler 0 between the two.
    std::uint8_t blockRows[kBlockRowCount * kBlockRowStride]{};
    int blockLength[kBlockRowCount]{};  // codewords of each block, filler not counted
    int blockCount = 0;                 // B1 + B2
    // How many rows of blockRows have had blocks written into them since
    // EncodeBlocks last cleared the rows, so that it clears only those; every
    // row in a new record, whose caller may have written any.
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

    // ---- Automatic mask (CreateSymbol only) ----
    MaskEvaluation maskEvaluation{};

    // ---- The three planes ----
    char patternPlane[kPlaneCells]{};  // function patterns only
    char dataPlane[kPlaneCells]{};     // data and EC modules, masked, plus format/version info
    char symbolMatrix[kPlaneCells]{};  // the finished symbol, '1' dark
    // Side of the square last drawn into patternPlane, so a rebuild clears only
    // what the previous one wrote and the rest of the plane stays zero.
    int patternPlaneSide = 0;

    // ---- The generation command ----
    // Runs the whole pipeline on the settings in force: checks them, cuts the
    // text to capacity, validates it, encodes, and leaves the finished symbol
    // in symbolMatrix with dataReady set. A refusal changes nothing the symbol
    // depends on; the result says what to show. In 8-bit byte mode the text's
    // bytes are taken as they are; `encoding` says where the characters end,
    // so that the cut to capacity never splits one.
    [[nodiscard]] GenerationResult CreateData(std::string_view inputText,
                                              TextEncoding encoding = TextEncoding::Utf8);

    // The same pipeline for what the settings cannot ask: Kanji mode, the
    // shortest mix of modes, the smallest version and the best mask, an ECI
    // (see SymbolRequest). The text is UTF-8 in Kanji and automatic mode, and
    // bytes as CreateData takes them otherwise. With every choice made, an
    // explicit window mode, version and mask give exactly CreateData's
    // symbol. A text longer than an explicit version holds is cut, and the
    // result counts the characters left out; with an automatic version, a
    // text that fits nowhere is refused, saying by how much.
    [[nodiscard]] GenerationResult CreateSymbol(std::string_view text,
                                                const SymbolRequest& request);

    // Every stage below checks what it is given before it indexes a table or
    // a buffer: given a version, level, mode or mask that does not exist, or
    // counts the buffers cannot hold, it returns without effect.

    // ---- Parameters ----
    // Fills symbolParameters for the version and level of the settings.
    // Returns false, and writes nothing, when either is unsupported.
    bool LoadSymbolParameters();

    // ---- Data bit stream ----
    // Turns dataText into the padded dataCodewords and sets dataByteCount.
    void BuildDataCodewords(int mode, int forVersion, int dataCodewordsCount);

    // ---- GF(256) and Reed-Solomon ----
    void BuildGaloisTables();
    // The tables' entries; -1, as for zero's logarithm, outside 0-256.
    int ExpOf(int e) const {
        return e >= 0 && e < kGaloisTableSize ? galoisTables.exponent[e] : -1;
    }
    int LogOf(int v) const {
        return v >= 0 && v < kGaloisTableSize ? galoisTables.logarithm[v] : -1;
    }
    void EncodeBlocks(int forVersion, int level);
    void EncodeLayout(int b1, int b2, int c1, int k1, int r1, int c2, int k2, int r2);
    // buffer holds k data codewords and zeros up to c; on return the c - k
    // error-correction codewords follow the data. n is the number of generator
    // terms (R + 1), generator their logarithms, leading term first.
    void ComputeRemainder(int c, std::uint8_t* buffer, int k, int n, const int* generator);

    // ---- Function patterns and marks ----
    void BuildFunctionPatterns(int forVersion);
    void DrawTimingPatterns(int forVersion);
    void DrawFinderPattern(int row, int column);
    void DrawAlignmentPattern(int row, int column);
    void MarkFunctionAreas(int forVersion, int mode, char mark);
    void MarkTopLeftArea(int mode, char mark);
    void MarkTopRightArea(int forVersion, int mode, char mark);
    void MarkBottomLeftArea(int forVersion, int mode, char mark);
    void MarkTimingRow(int forVersion, int mode, char mark);
    void MarkTimingColumn(int forVersion, int mode, char mark);
    void MarkAlignmentArea(int row, int column, int mode, char mark);

    // ---- Interleaving, placement, mask, format and version information ----
    // Reads blockRows column by column into codewordSequence, sets
    // codewordCount and ends by calling PlaceCodewords, which is how the
    // codewords reach dataPlane.
    void InterleaveBlocks(int forVersion, int level);
    // Writes the bits of codewordSequence into the modules of dataPlane not
    // marked kFunctionMark; the marking must have run for this version, since
    // the bits go by the version's placement order, which steps around
    // exactly the marked modules. Called by InterleaveBlocks once the
    // sequence is complete.
    void PlaceCodewords(int forVersion);
    void ApplyMask(int forVersion, int mask);
    void WriteFormatAndVersionInfo(int forVersion, int level, int mask);

    // Module (row, column) of the finished symbol; light outside the plane.
    bool IsDark(int row, int column) const {
        return row >= 0 && column >= 0 && row < kPlaneStride && column < kPlaneStride &&
               symbolMatrix[row * kPlaneStride + column] == '1';
    }
    int SymbolSide() const { return symbolVersion == 0 ? 0 : SideOf(symbolVersion); }

  private:
    void BuildGeneratorProducts(const int* generator, int degree);
    // Makes generatorProducts those of the generator given, unless they are.
    void UseGenerator(const int* generator, int degree);
    void ClearWorkingCopies();
    void CopyInput(std::string_view inputText);
    void CutToCapacity(int capacity, int mode, TextEncoding encoding);
    // CreateData's work once the settings are checked: one mode, the text cut
    // to capacity and checked, then the symbol.
    GenerationResult EncodeOneMode(std::string_view inputText, TextEncoding encoding, int mode,
                                   int version, int level, int mask);
    // Starts a stream over the previous one, whose length it returns.
    int StartStream();
    // The terminator, the fill to a whole byte, the packing and the pad
    // codewords after the last segment; clears what is left of the previous
    // stream past the new one's end.
    void FinishDataCodewords(int dataCodewordsCount, int previousLength);
    void AppendToStream(const char* bits);
    void JoinPlanes();
    // Stages from the Reed-Solomon blocks to the joined planes, with the mask
    // given or, for kMaskAuto, the best one; returns the mask applied.
    int BuildSymbol(int version, int level, int mask);
    void WriteStatistics(GenerationResult& result) const;
    // CreateSymbol's steps (encode/create_symbol.cpp).
    bool ReadTextCharacters(std::string_view text, const SymbolRequest& request,
                            GenerationResult& result);
    bool PlanFirst(int characters, int version, const SymbolRequest& request);
    bool FirstFit(int characters, int version, const SymbolRequest& request);
    int LongestFittingPrefix(int version, const SymbolRequest& request);
    // Writes segmentPlan's stream (encode/segment_stream.cpp).
    void BuildSegmentCodewords(std::string_view source, int eciDesignator, int version,
                               int dataCodewordsCount);
};

}  // namespace quirvane
