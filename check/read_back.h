// Reads a drawn symbol back with zbar, a decoder independent of ours, the way
// a reader would see the printed page: every symbol it finds in an image, as
// text and as the bytes that were encoded.
#pragma once

#include <QImage>

#include <string>
#include <string_view>
#include <vector>

namespace quirvane {

// What zbar 0.23.92 (Debian 12) gives, measured on symbols of ours:
//
// - Byte mode in Shift_JIS, no ECI: text decoded as Shift_JIS (zbar's guess
//   for byte mode); bytes the Shift_JIS bytes.
// - Byte mode in UTF-8, no ECI: text decoded as Shift_JIS wherever the bytes
//   allow it ("é€漢" reads "ﾃｩ竄ｬ貍｢"); bytes the UTF-8 bytes.
// - Kanji mode: text UTF-8; bytes the characters' Shift_JIS, two bytes each.
// - ECI 26 and UTF-8: text and bytes the same UTF-8, without the ECI.
// - FNC1 in first position: gs1 set; an alphanumeric '%' becomes GS (0x1D)
//   and "%%" one '%', byte mode stays as it is; no "]Q3" in front; text and
//   bytes the same.
// - FNC1 in second position: aim set; the application indicator in front
//   (two digits or a letter), the rest as for FNC1 in first position.
// - Structured append, every part in the image: one symbol, located at the
//   first part, its bytes the parts' bytes joined in order and its text
//   decoded from them all; another symbol in the image stays apart. With
//   parts missing: one incomplete symbol of the parts present, joined, with
//   one zero byte wherever a run of missing parts comes before a present one.
struct ScannedSymbol {
    std::string text;            // UTF-8, as zbar decodes it for display
    std::string bytes;           // the data as encoded (zbar's binary mode)
    bool gs1 = false;            // FNC1 in first position
    bool aim = false;            // FNC1 in second position
    bool incompleteSet = false;  // some parts of a structured-append set are not in the image
};

// Every QR Code symbol zbar finds in `image`, in its order; none in a null
// image or one zbar cannot take in. What is transparent is seen on white.
// Safe to call from several threads at once: each scan has a scanner of its own.
std::vector<ScannedSymbol> ReadBack(const QImage& image);

// zbar finds exactly one symbol, a whole one, whose bytes are `expectedBytes`.
// Scans for the bytes only, so it costs half as much as ReadBack.
bool ReadsBackAs(const QImage& image, std::string_view expectedBytes);

}  // namespace quirvane
