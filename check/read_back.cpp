// Turns the image into zbar's grey bytes and scans it, once for the text and
// once for the bytes, each time with a scanner of its own.
#include "check/read_back.h"

#include <algorithm>
#include <memory>
#include <utility>
#include <zbar.h>

namespace quirvane {
namespace {

// One grey byte a pixel, row after row, as zbar's Y800 format wants it.
struct GreyImage {
    std::vector<unsigned char> pixels;
    int width = 0;
    int height = 0;
};

// Partly transparent pixels are composited on white. No pixels for a null
// image, or when there is no memory for the copies.
GreyImage GreyImageOf(const QImage& image) {
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    if (argb.isNull()) {
        return {};
    }
    GreyImage grey{{}, argb.width(), argb.height()};
    grey.pixels.reserve(static_cast<std::size_t>(grey.width) *
                        static_cast<std::size_t>(grey.height));
    for (int y = 0; y < grey.height; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        for (int x = 0; x < grey.width; ++x) {
            const QRgb pixel = line[x];
            const int alpha = qAlpha(pixel);
            const auto onWhite = [alpha](int channel) {
                return (channel * alpha + 255 * (255 - alpha) + 127) / 255;
            };
            grey.pixels.push_back(static_cast<unsigned char>(
                alpha == 255
                    ? qGray(pixel)
                    : qGray(onWhite(qRed(pixel)), onWhite(qGreen(pixel)), onWhite(qBlue(pixel)))));
        }
    }
    return grey;
}

struct ScannerDeleter {
    void operator()(zbar::zbar_image_scanner_t* scanner) const {
        zbar::zbar_image_scanner_destroy(scanner);
    }
};
struct ImageDeleter {
    void operator()(zbar::zbar_image_t* image) const { zbar::zbar_image_destroy(image); }
};

struct Found {
    std::string data;
    unsigned modifiers;
    bool whole;                                // not a part of an incomplete set
    std::vector<std::pair<int, int>> corners;  // where it is, to pair the two scans
};

// One scan, QR Code only: with every symbology on, zbar may also "find" an
// Interleaved 2 of 5 code in the modules. False when zbar cannot scan at all.
bool Scan(const GreyImage& grey, bool binary, std::vector<Found>& found) {
    if (grey.pixels.empty()) {
        return false;
    }
    const std::unique_ptr<zbar::zbar_image_scanner_t, ScannerDeleter> scanner(
        zbar::zbar_image_scanner_create());
    const std::unique_ptr<zbar::zbar_image_t, ImageDeleter> image(zbar::zbar_image_create());
    if (!scanner || !image) {
        return false;
    }
    zbar::zbar_image_scanner_set_config(scanner.get(), zbar::ZBAR_NONE, zbar::ZBAR_CFG_ENABLE, 0);
    zbar::zbar_image_scanner_set_config(scanner.get(), zbar::ZBAR_QRCODE, zbar::ZBAR_CFG_ENABLE, 1);
    zbar::zbar_image_scanner_set_config(scanner.get(), zbar::ZBAR_QRCODE, zbar::ZBAR_CFG_BINARY,
                                        binary ? 1 : 0);
    zbar::zbar_image_set_format(image.get(), zbar_fourcc('Y', '8', '0', '0'));
    zbar::zbar_image_set_size(image.get(), static_cast<unsigned>(grey.width),
                              static_cast<unsigned>(grey.height));
    // The pixels stay ours: no clean-up handler, and they outlive the image.
    zbar::zbar_image_set_data(image.get(), grey.pixels.data(), grey.pixels.size(), nullptr);
    if (zbar::zbar_scan_image(scanner.get(), image.get()) < 0) {
        return false;
    }
    for (const zbar::zbar_symbol_t* symbol = zbar::zbar_image_first_symbol(image.get());
         symbol != nullptr; symbol = zbar::zbar_symbol_next(symbol)) {
        Found one{std::string(zbar::zbar_symbol_get_data(symbol),
                              zbar::zbar_symbol_get_data_length(symbol)),
                  zbar::zbar_symbol_get_modifiers(symbol),
                  zbar::zbar_symbol_get_type(symbol) == zbar::ZBAR_QRCODE,
                  {}};
        for (unsigned i = 0; i < zbar::zbar_symbol_get_loc_size(symbol); ++i) {
            one.corners.emplace_back(zbar::zbar_symbol_get_loc_x(symbol, i),
                                     zbar::zbar_symbol_get_loc_y(symbol, i));
        }
        found.push_back(std::move(one));
    }
    return true;
}

}  // namespace

std::vector<ScannedSymbol> ReadBack(const QImage& image) {
    const GreyImage grey = GreyImageOf(image);
    std::vector<Found> texts;
    std::vector<Found> bytes;
    if (!Scan(grey, false, texts) || !Scan(grey, true, bytes)) {
        return {};
    }
    // The two scans differ only in how the data is handed back, so they find
    // the same symbols in the same order; should they ever not, nothing is
    // reported rather than a text beside another symbol's bytes.
    const bool samePlaces =
        std::equal(texts.begin(), texts.end(), bytes.begin(), bytes.end(),
                   [](const Found& a, const Found& b) { return a.corners == b.corners; });
    if (!samePlaces) {
        return {};
    }
    std::vector<ScannedSymbol> symbols;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const unsigned modifiers = bytes[i].modifiers;
        symbols.push_back({std::move(texts[i].data), std::move(bytes[i].data),
                           (modifiers & (1U << zbar::ZBAR_MOD_GS1)) != 0,
                           (modifiers & (1U << zbar::ZBAR_MOD_AIM)) != 0, !bytes[i].whole});
    }
    return symbols;
}

bool ReadsBackAs(const QImage& image, std::string_view expectedBytes) {
    // The bytes alone: one scan, half the time of ReadBack.
    std::vector<Found> found;
    return Scan(GreyImageOf(image), true, found) && found.size() == 1 && found[0].whole &&
           found[0].data == expectedBytes;
}

}  // namespace quirvane
