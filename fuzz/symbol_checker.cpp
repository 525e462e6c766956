#include "fuzz/symbol_checker.h"

#include <algorithm>
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

#include <quirvane/symbol_parameters.h>

namespace quirvane::fuzz {
namespace {

constexpr int kStride = 256;
constexpr char kAlphanumeric[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ $%*+-./:";

std::string Format(const char* format, ...) {
    char text[256];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    return text;
}

// GF(256) over x^8 + x^4 + x^3 + x^2 + 1, with alpha = 2.
struct Field {
    std::uint8_t exp[510];  // doubled, so a sum of two logarithms needs no reduction
    int log[256];
    Field() {
        int x = 1;
        for (int i = 0; i < 255; ++i) {
            exp[i] = exp[i + 255] = static_cast<std::uint8_t>(x);
            log[x] = i;
            x <<= 1;
            if (x & 0x100) {
                x ^= 0x11D;
            }
        }
        log[0] = -1;
    }
    // a * alpha^power, 0 <= power < 255.
    std::uint8_t Times(std::uint8_t a, int power) const { return a == 0 ? 0 : exp[log[a] + power]; }
};

const Field& Gf() {
    static const Field field;
    return field;
}

// Alignment pattern row/column coordinates of every version, from the
// standard's table (index 0 unused).
const std::vector<int>& AlignmentCoordinates(int version) {
    // clang-format off
    static const std::vector<int> table[41] = {
        {}, {}, {6, 18}, {6, 22}, {6, 26}, {6, 30}, {6, 34}, {6, 22, 38}, {6, 24, 42}, {6, 26, 46},
        {6, 28, 50}, {6, 30, 54}, {6, 32, 58}, {6, 34, 62}, {6, 26, 46, 66}, {6, 26, 48, 70},
        {6, 26, 50, 74}, {6, 30, 54, 78}, {6, 30, 56, 82}, {6, 30, 58, 86}, {6, 34, 62, 90},
        {6, 28, 50, 72, 94}, {6, 26, 50, 74, 98}, {6, 30, 54, 78, 102}, {6, 28, 54, 80, 106},
        {6, 32, 58, 84, 110}, {6, 30, 58, 86, 114}, {6, 34, 62, 90, 118}, {6, 26, 50, 74, 98, 122},
        {6, 30, 54, 78, 102, 126}, {6, 26, 52, 78, 104, 130}, {6, 30, 56, 82, 108, 134},
        {6, 34, 60, 86, 112, 138}, {6, 30, 58, 86, 114, 142}, {6, 34, 62, 90, 118, 146},
        {6, 30, 54, 78, 102, 126, 150}, {6, 24, 50, 76, 102, 128, 154},
        {6, 28, 54, 80, 106, 132, 158}, {6, 32, 58, 84, 110, 136, 162},
        {6, 26, 54, 82, 110, 138, 166}, {6, 30, 58, 86, 114, 142, 170}};
    // clang-format on
    return table[version];
}

// Data modules left over after the last codeword: what the version's data
// region holds beyond whole codewords.
int RemainderBits(int version) {
    return version >= 2 && version <= 6     ? 7
           : version >= 14 && version <= 20 ? 3
           : version >= 21 && version <= 27 ? 4
           : version >= 28 && version <= 34 ? 3
                                            : 0;
}

// Where the function modules of a version lie and the order the data modules
// are filled in; built once per version.
struct Geometry {
    int n = 0;
    std::vector<std::uint8_t> function;  // n * n, 1 for a function module
    std::vector<std::pair<int, int>> alignmentCentres;
    std::vector<int> order;  // data modules as row * kStride + column, in placement order

    explicit Geometry(int version) : n(4 * version + 17), function(n * n, 0) {
        auto mark = [&](int r0, int c0, int rows, int columns) {
            for (int r = r0; r < r0 + rows; ++r) {
                for (int c = c0; c < c0 + columns; ++c) {
                    function[r * n + c] = 1;
                }
            }
        };
        mark(0, 0, 8, 8);  // finders with their separators
        mark(0, n - 8, 8, 8);
        mark(n - 8, 0, 8, 8);
        mark(6, 0, 1, n);  // timing
        mark(0, 6, n, 1);
        mark(8, 0, 1, 9);  // format information; (n - 8, 8) is the dark module
        mark(0, 8, 9, 1);
        mark(8, n - 8, 1, 8);
        mark(n - 8, 8, 8, 1);
        if (version >= 7) {
            mark(0, n - 11, 6, 3);
            mark(n - 11, 0, 3, 6);
        }
        // An alignment pattern never overlaps a finder's 8 x 8 corner.
        const auto inCorner = [&](int r, int c) {
            return (r < 8 && c < 8) || (r < 8 && c >= n - 8) || (r >= n - 8 && c < 8);
        };
        for (int r : AlignmentCoordinates(version)) {
            for (int c : AlignmentCoordinates(version)) {
                if (!inCorner(r - 2, c - 2) && !inCorner(r - 2, c + 2) && !inCorner(r + 2, c - 2)) {
                    alignmentCentres.emplace_back(r, c);
                    mark(r - 2, c - 2, 5, 5);
                }
            }
        }
        // Two-module columns from the right, alternately upward and downward,
        // stepping over the vertical timing column.
        bool upward = true;
        for (int right = n - 1; right > 0; right -= 2) {
            if (right == 6) {
                right = 5;
            }
            for (int i = 0; i < n; ++i) {
                const int r = upward ? n - 1 - i : i;
                for (int c = right; c >= right - 1; --c) {
                    if (!function[r * n + c]) {
                        order.push_back(r * kStride + c);
                    }
                }
            }
            upward = !upward;
        }
    }
};

const Geometry& GeometryOf(int version) {
    static std::unique_ptr<Geometry> cache[41];
    if (!cache[version]) {
        cache[version] = std::make_unique<Geometry>(version);
    }
    return *cache[version];
}

// The eight data mask conditions; i is the row, j the column.
bool MaskHits(int mask, int i, int j) {
    const int p = i * j;
    const bool hits[8] = {(i + j) % 2 == 0,
                          i % 2 == 0,
                          j % 3 == 0,
                          (i + j) % 3 == 0,
                          (i / 2 + j / 3) % 2 == 0,
                          p % 2 + p % 3 == 0,
                          (p % 2 + p % 3) % 2 == 0,
                          ((i + j) % 2 + p % 3) % 2 == 0};
    return hits[mask];
}

// Remainder of a BCH word divided by its generator polynomial.
int BchRemainder(int word, int bits, int generator, int generatorBits) {
    for (int top = bits - 1; top >= generatorBits - 1; --top) {
        if (word & (1 << top)) {
            word ^= generator << (top - (generatorBits - 1));
        }
    }
    return word;
}

int CountWidth(int mode, int version) {
    static const int widths[3][3] = {{8, 16, 16}, {9, 11, 13}, {10, 12, 14}};
    return widths[mode - 1][version <= 9 ? 0 : version <= 26 ? 1 : 2];
}

struct BitReader {
    const std::vector<std::uint8_t>& bytes;
    std::size_t position = 0;
    std::size_t Left() const { return bytes.size() * 8 - position; }
    int Read(int width) {
        int value = 0;
        for (int k = 0; k < width; ++k, ++position) {
            value = value << 1 | (bytes[position / 8] >> (7 - position % 8) & 1);
        }
        return value;
    }
};

std::string CheckFunctionPatterns(const char* m, const Geometry& g) {
    const int n = g.n;
    const auto dark = [&](int r, int c) { return m[r * kStride + c] == '1'; };
    const int corners[3][2] = {{0, 0}, {0, n - 7}, {n - 7, 0}};
    for (const auto& corner : corners) {
        for (int r = 0; r < 7; ++r) {
            for (int c = 0; c < 7; ++c) {
                const int d = std::max(std::abs(r - 3), std::abs(c - 3));
                if (dark(corner[0] + r, corner[1] + c) != (d != 2)) {
                    return Format("finder pattern wrong at (%d, %d)", corner[0] + r, corner[1] + c);
                }
            }
        }
    }
    for (int i = 0; i < 8; ++i) {
        const int light[6][2] = {{7, i},     {i, 7},     {7, n - 1 - i},
                                 {i, n - 8}, {n - 8, i}, {n - 1 - i, 7}};
        for (const auto& at : light) {
            if (dark(at[0], at[1])) {
                return Format("separator dark at (%d, %d)", at[0], at[1]);
            }
        }
    }
    for (int i = 8; i < n - 8; ++i) {
        if (dark(6, i) != (i % 2 == 0) || dark(i, 6) != (i % 2 == 0)) {
            return Format("timing pattern wrong at index %d", i);
        }
    }
    if (!dark(n - 8, 8)) {
        return "dark module light";
    }
    for (const auto& [r0, c0] : g.alignmentCentres) {
        for (int r = -2; r <= 2; ++r) {
            for (int c = -2; c <= 2; ++c) {
                if (dark(r0 + r, c0 + c) != (std::max(std::abs(r), std::abs(c)) != 1)) {
                    return Format("alignment pattern at (%d, %d) wrong at (%d, %d)", r0, c0, r0 + r,
                                  c0 + c);
                }
            }
        }
    }
    return {};
}

std::string CheckFormatAndVersion(const char* m, const Expectation& e, int n) {
    const auto bit = [&](int r, int c) { return m[r * kStride + c] == '1' ? 1 : 0; };
    int copies[2] = {0, 0};
    for (int k = 0; k < 15; ++k) {  // bit k of the format word, 0 least significant
        const int r1 = k < 6 ? k : k < 8 ? k + 1 : 8;
        const int c1 = k < 8 ? 8 : k == 8 ? 7 : 14 - k;
        copies[0] |= bit(r1, c1) << k;
        copies[1] |= (k < 8 ? bit(8, n - 1 - k) : bit(n - 15 + k, 8)) << k;
    }
    static const int indicator[5] = {0, 1, 0, 3, 2};  // L 01, M 00, Q 11, H 10
    for (int copy = 0; copy < 2; ++copy) {
        const int word = copies[copy] ^ 0x5412;
        if (BchRemainder(word, 15, 0x537, 11) != 0) {
            return Format("format information copy %d 0x%04X is not a BCH(15,5) codeword", copy + 1,
                          copies[copy]);
        }
        if (word >> 10 != (indicator[e.level] << 3 | e.mask)) {
            return Format(
                "format information copy %d holds level bits %d mask %d, not level %d "
                "mask %d",
                copy + 1, word >> 13, word >> 10 & 7, e.level, e.mask);
        }
    }
    if (e.version < 7) {
        return {};
    }
    for (int copy = 0; copy < 2; ++copy) {
        int word = 0;
        for (int k = 0; k < 18; ++k) {
            word |= (copy == 0 ? bit(k / 3, n - 11 + k % 3) : bit(n - 11 + k % 3, k / 3)) << k;
        }
        if (BchRemainder(word, 18, 0x1F25, 13) != 0 || word >> 12 != e.version) {
            return Format("version information copy %d 0x%05X does not read as version %d",
                          copy + 1, word, e.version);
        }
    }
    return {};
}

std::string ParseData(const std::vector<std::uint8_t>& data, const Expectation& e) {
    BitReader in{data};
    const int count = static_cast<int>(e.text.size());
    if (in.Left() < static_cast<std::size_t>(StreamBits(e.mode, e.version, count))) {
        return Format("%d characters do not fit in %zu data codewords", count, data.size());
    }
    static const int indicators[4] = {0, 4, 2, 1};
    if (const int mode = in.Read(4); mode != indicators[e.mode]) {
        return Format("mode indicator %d, expected %d", mode, indicators[e.mode]);
    }
    if (const int c = in.Read(CountWidth(e.mode, e.version)); c != count) {
        return Format("character count %d, expected %d", c, count);
    }
    std::string text;
    for (int i = 0; i < count;) {
        const int left = count - i;
        if (e.mode == kModeByte) {
            text += static_cast<char>(in.Read(8));
            i += 1;
        } else if (e.mode == kModeAlphanumeric) {
            const int value = in.Read(left >= 2 ? 11 : 6);
            if (left >= 2) {
                if (value >= 45 * 45) {
                    return Format("alphanumeric pair value %d", value);
                }
                text += kAlphanumeric[value / 45];
            } else if (value >= 45) {
                return Format("alphanumeric value %d", value);
            }
            text += kAlphanumeric[left >= 2 ? value % 45 : value];
            i += left >= 2 ? 2 : 1;
        } else {
            const int digits = left >= 3 ? 3 : left;
            const int value = in.Read(digits == 3 ? 10 : digits == 2 ? 7 : 4);
            if (value >= (digits == 3 ? 1000 : digits == 2 ? 100 : 10)) {
                return Format("numeric group value %d for %d digits", value, digits);
            }
            for (int k = digits - 1; k >= 0; --k) {
                text += static_cast<char>('0' + value / (k == 2 ? 100 : k == 1 ? 10 : 1) % 10);
            }
            i += digits;
        }
    }
    if (text != e.text) {
        return Format("decoded text differs from the input (%d characters)", count);
    }
    const int terminator = in.Left() < 4 ? static_cast<int>(in.Left()) : 4;
    if (in.Read(terminator) != 0) {
        return "terminator not zero";
    }
    if (in.Read(static_cast<int>((8 - in.position % 8) % 8)) != 0) {
        return "fill bits to the byte boundary not zero";
    }
    for (int pad = 0; in.Left() > 0; ++pad) {
        if (const int byte = in.Read(8); byte != (pad % 2 == 0 ? 0xEC : 0x11)) {
            return Format("pad codeword %d is 0x%02X", pad, byte);
        }
    }
    return {};
}

}  // namespace

int StreamBits(int mode, int version, int count) {
    static const int numericTail[3] = {0, 4, 7};  // bits for 0, 1 or 2 digits left over
    const int data = mode == kModeByte           ? 8 * count
                     : mode == kModeAlphanumeric ? 11 * (count / 2) + 6 * (count % 2)
                                                 : 10 * (count / 3) + numericTail[count % 3];
    return 4 + CountWidth(mode, version) + data;
}

std::string CheckSymbol(const char* m, const Expectation& e) {
    const SymbolParameters* p = FindSymbolParameters(e.version, e.level);
    const bool offered = e.version >= 1 && e.version <= 40;
    if (!offered || p == nullptr || e.mode < kModeByte || e.mode > kModeNumeric || e.mask < 0 ||
        e.mask > 7) {
        return "settings outside what a symbol can be made with";
    }
    const Geometry& g = GeometryOf(e.version);
    const int n = g.n;
    for (int r = 0; r < n; ++r) {
        for (int c = 0; c < n; ++c) {
            if (m[r * kStride + c] != '0' && m[r * kStride + c] != '1') {
                return Format("cell (%d, %d) holds byte 0x%02X", r, c,
                              static_cast<unsigned char>(m[r * kStride + c]));
            }
        }
    }
    if (std::string fault = CheckFunctionPatterns(m, g); !fault.empty()) {
        return fault;
    }
    if (std::string fault = CheckFormatAndVersion(m, e, n); !fault.empty()) {
        return fault;
    }

    // The table's counts against the geometry and the capacities against the
    // stream length, so a wrong row shows up here rather than as a bad read.
    const int total = p->totalCodewords;
    const int modules = static_cast<int>(g.order.size());
    if (modules != 8 * total + RemainderBits(e.version) || p->b1 * p->c1 + p->b2 * p->c2 != total ||
        p->c1 != p->k1 + p->r1 || (p->b2 > 0 && (p->c2 != p->k2 + p->r2 || p->r2 != p->r1))) {
        return Format("block layout does not fill the %d data modules", modules);
    }
    const int capacity = e.mode == kModeByte           ? p->byteCapacity
                         : e.mode == kModeAlphanumeric ? p->alphanumericCapacity
                                                       : p->numericCapacity;
    const int dataBits = 8 * (p->b1 * p->k1 + p->b2 * p->k2);
    if (StreamBits(e.mode, e.version, capacity) > dataBits ||
        StreamBits(e.mode, e.version, capacity + 1) <= dataBits) {
        return Format("capacity %d is not the most that fits in %d bits", capacity, dataBits);
    }

    std::vector<std::uint8_t> codewords(static_cast<std::size_t>(total), 0);
    for (int k = 0; k < modules; ++k) {
        const int r = g.order[k] / kStride;
        const int c = g.order[k] % kStride;
        const int bit = (m[g.order[k]] == '1') != MaskHits(e.mask, r, c) ? 1 : 0;
        if (k < 8 * total) {
            codewords[k / 8] |= static_cast<std::uint8_t>(bit << (7 - k % 8));
        } else if (bit) {
            return Format("remainder bit at (%d, %d) set", r, c);
        }
    }

    // Undo the interleaving: data codewords column by column across the
    // blocks (short blocks drop out of the last column), then the EC codewords.
    const int blocks = p->b1 + p->b2;
    const int r = p->r1;
    std::vector<std::vector<std::uint8_t>> rows(static_cast<std::size_t>(blocks));
    std::size_t next = 0;
    for (int i = 0; i < (p->b2 > 0 ? p->k2 : p->k1); ++i) {
        for (int b = 0; b < blocks; ++b) {
            if (i < (b < p->b1 ? p->k1 : p->k2)) {
                rows[b].push_back(codewords[next++]);
            }
        }
    }
    for (int i = 0; i < r; ++i) {
        for (int b = 0; b < blocks; ++b) {
            rows[b].push_back(codewords[next++]);
        }
    }
    std::vector<std::uint8_t> data;
    for (int b = 0; b < blocks; ++b) {
        for (int j = 0; j < r; ++j) {
            std::uint8_t syndrome = 0;
            for (std::uint8_t byte : rows[b]) {
                syndrome = Gf().Times(syndrome, j) ^ byte;
            }
            if (syndrome != 0) {
                return Format("Reed-Solomon block %d of %d: syndrome %d is 0x%02X", b, blocks, j,
                              syndrome);
            }
        }
        data.insert(data.end(), rows[b].begin(), rows[b].end() - r);
    }
    return ParseData(data, e);
}

}  // namespace quirvane::fuzz
