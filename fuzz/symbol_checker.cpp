#include "fuzz/symbol_checker.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "encode/encoder_settings.h"
#include "fuzz/stream_reader.h"
#include "fuzz/symbol_geometry.h"

namespace quirvane::fuzz {
namespace {

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

int IndicatorOf(int mode) {
    return mode == kModeByte           ? kIndicatorByte
           : mode == kModeAlphanumeric ? kIndicatorAlphanumeric
                                       : kIndicatorNumeric;
}

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

std::string CheckFormatAndVersion(const char* m, int version, int level, int mask, int n) {
    const auto bit = [&](int r, int c) { return m[r * kStride + c] == '1' ? 1 : 0; };
    for (int copy = 0; copy < 2; ++copy) {
        int read = 0;
        for (int k = 0; k < 15; ++k) {  // bit k of the format word, 0 least significant
            const auto [r, c] = FormatModule(copy, k, n);
            read |= bit(r, c) << k;
        }
        const int word = read ^ 0x5412;
        if (BchRemainder(word, 15, 0x537, 11) != 0) {
            return Format("format information copy %d 0x%04X is not a BCH(15,5) codeword", copy + 1,
                          read);
        }
        if (read != FormatWord(level, mask)) {
            return Format(
                "format information copy %d holds level bits %d mask %d, not level %d "
                "mask %d",
                copy + 1, word >> 13, word >> 10 & 7, level, mask);
        }
    }
    if (version < 7) {
        return {};
    }
    for (int copy = 0; copy < 2; ++copy) {
        int word = 0;
        for (int k = 0; k < 18; ++k) {
            word |= (copy == 0 ? bit(k / 3, n - 11 + k % 3) : bit(n - 11 + k % 3, k / 3)) << k;
        }
        if (BchRemainder(word, 18, 0x1F25, 13) != 0 || word >> 12 != version) {
            return Format("version information copy %d 0x%05X does not read as version %d",
                          copy + 1, word, version);
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
    return 4 + CountFieldBits(IndicatorOf(mode), version) + data;
}

std::string ReadSymbolData(const char* m, int version, int level, int mask,
                           std::vector<std::uint8_t>& data) {
    if (version < 1 || version > 40 || level < 1 || level > 4 || mask < 0 || mask > 7) {
        return "settings outside what a symbol can be made with";
    }
    const SymbolParameters* p = &FindSymbolParameters(version, level);
    const Geometry& g = GeometryOf(version);
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
    if (std::string fault = CheckFormatAndVersion(m, version, level, mask, n); !fault.empty()) {
        return fault;
    }

    // The table's counts against the geometry, so a wrong row shows up here
    // rather than as a bad read.
    const int total = p->totalCodewords;
    const int modules = static_cast<int>(g.order.size());
    if (modules != 8 * total + RemainderBits(version) || p->b1 * p->c1 + p->b2 * p->c2 != total ||
        p->c1 != p->k1 + p->r1 || (p->b2 > 0 && (p->c2 != p->k2 + p->r2 || p->r2 != p->r1)) ||
        p->dataCodewords != p->b1 * p->k1 + p->b2 * p->k2) {
        return Format("block layout does not fill the %d data modules", modules);
    }

    std::vector<std::uint8_t> codewords(static_cast<std::size_t>(total), 0);
    for (int k = 0; k < modules; ++k) {
        const int r = g.order[k] / kStride;
        const int c = g.order[k] % kStride;
        const int bit = (m[g.order[k]] == '1') != MaskHits(mask, r, c) ? 1 : 0;
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
    data.clear();
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
    return {};
}

std::string CheckSymbol(const char* m, const Expectation& e) {
    if (e.mode < kModeByte || e.mode > kModeNumeric) {
        return "settings outside what a symbol can be made with";
    }
    std::vector<std::uint8_t> data;
    if (std::string fault = ReadSymbolData(m, e.version, e.level, e.mask, data); !fault.empty()) {
        return fault;
    }
    // The table's capacity against the stream length.
    const SymbolParameters* p = &FindSymbolParameters(e.version, e.level);
    const int capacity = CapacityOf(*p, e.mode);
    const int dataBits = 8 * p->dataCodewords;
    if (StreamBits(e.mode, e.version, capacity) > dataBits ||
        StreamBits(e.mode, e.version, capacity + 1) <= dataBits) {
        return Format("capacity %d is not the most that fits in %d bits", capacity, dataBits);
    }
    DataStream stream;
    if (std::string fault = ReadDataStream(data, e.version, stream); !fault.empty()) {
        return fault;
    }
    const int count = static_cast<int>(e.text.size());
    if (stream.items.size() != 1 || stream.items[0].indicator != IndicatorOf(e.mode)) {
        return Format("%zu items, the first of mode %d; expected one segment of mode %d",
                      stream.items.size(), stream.items.empty() ? 0 : stream.items[0].indicator,
                      IndicatorOf(e.mode));
    }
    if (stream.items[0].value != count) {
        return Format("character count %d, expected %d", stream.items[0].value, count);
    }
    if (stream.items[0].text != e.text) {
        return Format("decoded text differs from the input (%d characters)", count);
    }
    return {};
}

}  // namespace quirvane::fuzz
