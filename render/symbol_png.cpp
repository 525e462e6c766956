// libpng reports an error by a longjmp back to the frame that called setjmp,
// so that frame holds only plain values; the rows come from a RowSource and
// the compressed bytes go to a string. One pixel per unit, so a print
// program needs only pHYs (dots per metre) to size the image.
#include "render/symbol_png.h"

#include <algorithm>
#include <cmath>
#include <csetjmp>
#include <cstring>
#include <new>
#include <png.h>
#include <vector>

namespace quirvane {
namespace {

constexpr double kMetresPerInch = 0.0254;
constexpr png_uint_32 kQtDotsPerMetre = 3780;  // 96 dpi, what Qt records without one

struct PngLayout {
    int width = 0;
    int height = 0;
    int bitDepth = 1;
    int colourType = PNG_COLOR_TYPE_PALETTE;
    int channels = 1;
    png_color palette[2]{};
    int paletteSize = 0;
    png_byte alpha[2]{};
    int alphaCount = 0;  // entries of tRNS: the palette's alpha, when any is not opaque
    png_uint_32 dotsPerMetreX = kQtDotsPerMetre;
    png_uint_32 dotsPerMetreY = kQtDotsPerMetre;

    std::size_t RowBytes() const {
        return (static_cast<std::size_t>(width) * channels * bitDepth + 7) / 8;
    }
};

class RowSource {
  public:
    // Writes row y into `row`, RowBytes() long; nothing is allocated here.
    virtual void Fill(int y, png_bytep row) const = 0;

  protected:
    ~RowSource() = default;
};

void AppendOutput(png_structp png, png_bytep data, png_size_t length) {
    auto* out = static_cast<std::string*>(png_get_io_ptr(png));
    bool appended = true;
    try {
        out->append(reinterpret_cast<const char*>(data), length);
    } catch (const std::bad_alloc&) {
        appended = false;
    }
    if (!appended) {
        png_error(png, "out of memory");
    }
}

void FlushNothing(png_structp) {}

[[noreturn]] void JumpBack(png_structp png, png_const_charp) {
    png_longjmp(png, 1);
}

void IgnoreWarning(png_structp, png_const_charp) {}

// Only plain values live in this frame, which a longjmp may leave.
bool WriteRows(png_structp png, png_infop info, const PngLayout& layout, const RowSource& rows,
               png_bytep row) {
    if (setjmp(png_jmpbuf(png)) != 0) {
        return false;
    }
    png_set_IHDR(png, info, static_cast<png_uint_32>(layout.width),
                 static_cast<png_uint_32>(layout.height), layout.bitDepth, layout.colourType,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (layout.paletteSize > 0) {
        png_set_PLTE(png, info, layout.palette, layout.paletteSize);
    }
    if (layout.alphaCount > 0) {
        png_set_tRNS(png, info, layout.alpha, layout.alphaCount, nullptr);
    }
    png_set_pHYs(png, info, layout.dotsPerMetreX, layout.dotsPerMetreY, PNG_RESOLUTION_METER);
    png_write_info(png, info);
    for (int y = 0; y < layout.height; ++y) {
        rows.Fill(y, row);
        png_write_row(png, row);
    }
    png_write_end(png, nullptr);
    return true;
}

std::string Compressed(const PngLayout& layout, const RowSource& rows) {
    std::string out;
    std::vector<png_byte> row;
    try {
        row.resize(layout.RowBytes());
    } catch (const std::bad_alloc&) {
        return {};
    }
    png_structp png =
        png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, JumpBack, IgnoreWarning);
    png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
    bool written = info != nullptr;
    if (written) {
        png_set_write_fn(png, &out, AppendOutput, FlushNothing);
        written = WriteRows(png, info, layout, rows, row.data());
    }
    png_destroy_write_struct(&png, &info);
    return written ? out : std::string();
}

void SetPixels(png_bytep row, int from, int count) {
    for (int x = from; x < from + count; ++x) {
        row[x / 8] |= static_cast<png_byte>(0x80 >> (x % 8));
    }
}

// The rows of a row of symbols' drawing (one symbol alone, or structured
// append's parts side by side), each module row made once and kept for the
// w pixel rows it spans.
class SymbolRows final : public RowSource {
  public:
    SymbolRows(std::span<const Symbol> row, const DrawingOptions& options, std::size_t rowBytes)
        : row_(row), options_(options), rowBytes_(rowBytes) {}

    void Fill(int y, png_bytep pixels) const override {
        const int side = row_.front().Side(), width = options_.moduleWidth;
        const int margin = MarginOf(options_);
        const int moduleRow = y >= margin && y < margin + side * width ? (y - margin) / width : -1;
        if (y > 0 && moduleRow == filledRow_) {
            return;  // libpng leaves the row as it was given
        }
        std::memset(pixels, 0, rowBytes_);
        for (int i = 0; moduleRow >= 0 && i < static_cast<int>(row_.size()); ++i) {
            const int left = RowOffsetOf(side, i, options_);
            for (int c = 0; c < side; ++c) {
                if (row_[static_cast<std::size_t>(i)].IsDark(moduleRow, c)) {
                    SetPixels(pixels, left + c * width, width);
                }
            }
        }
        filledRow_ = moduleRow;
    }

  private:
    std::span<const Symbol> row_;
    const DrawingOptions& options_;
    std::size_t rowBytes_;
    mutable int filledRow_ = -2;
};

// The rows of an image: palette indices when `indexed`, else its channels.
class ImageRows final : public RowSource {
  public:
    ImageRows(const QImage& image, const PngLayout& layout, QRgb secondColour)
        : image_(image), layout_(layout), secondColour_(secondColour) {}

    void Fill(int y, png_bytep row) const override {
        const auto* pixels = reinterpret_cast<const QRgb*>(image_.constScanLine(y));
        if (layout_.colourType == PNG_COLOR_TYPE_PALETTE) {
            std::memset(row, 0, layout_.RowBytes());
            for (int x = 0; x < layout_.width; ++x) {
                if (pixels[x] == secondColour_) {
                    SetPixels(row, x, 1);
                }
            }
            return;
        }
        for (int x = 0; x < layout_.width; ++x) {
            png_bytep out = row + static_cast<std::size_t>(x) * layout_.channels;
            out[0] = static_cast<png_byte>(qRed(pixels[x]));
            out[1] = static_cast<png_byte>(qGreen(pixels[x]));
            out[2] = static_cast<png_byte>(qBlue(pixels[x]));
            if (layout_.channels == 4) {
                out[3] = static_cast<png_byte>(qAlpha(pixels[x]));
            }
        }
    }

  private:
    const QImage& image_;
    const PngLayout& layout_;
    QRgb secondColour_;
};

png_color PaletteColour(int red, int green, int blue) {
    return {static_cast<png_byte>(red), static_cast<png_byte>(green), static_cast<png_byte>(blue)};
}

}  // namespace

std::string RenderSymbolPng(const Symbol& symbol, const DrawingOptions& options) {
    return RenderRowPng({&symbol, 1}, options);
}

std::string RenderRowPng(std::span<const Symbol> row, const DrawingOptions& options) {
    if (!CanDrawRow(row, options)) {
        return {};
    }
    const int side = row.front().Side();
    PngLayout layout;
    layout.width = RowWidthOf(side, static_cast<int>(row.size()), options);
    layout.height = DrawingSideOf(side, options);
    const SymbolColour light = options.background, dark = options.dark;
    layout.palette[0] = PaletteColour(light.red, light.green, light.blue);
    layout.palette[1] = PaletteColour(dark.red, dark.green, dark.blue);
    layout.paletteSize = 2;
    if (options.transparentBackground) {
        // The light colour stays under alpha 0, so that a program that
        // ignores alpha sees the symbol on it, not on black.
        layout.alphaCount = 1;
    }
    if (options.dpi > 0) {
        layout.dotsPerMetreX = layout.dotsPerMetreY =
            static_cast<png_uint_32>(std::lround(options.dpi / kMetresPerInch));
    }
    return Compressed(layout, SymbolRows(row, options, layout.RowBytes()));
}

std::string PngOf(const QImage& drawn) {
    if (drawn.isNull()) {
        return {};
    }
    const QImage image = drawn.convertToFormat(QImage::Format_ARGB32);
    if (image.isNull()) {
        return {};
    }
    PngLayout layout;
    layout.width = image.width();
    layout.height = image.height();
    layout.dotsPerMetreX = static_cast<png_uint_32>(std::max(0, image.dotsPerMeterX()));
    layout.dotsPerMetreY = static_cast<png_uint_32>(std::max(0, image.dotsPerMeterY()));
    QRgb colours[3] = {};
    int colourCount = 0;
    bool translucent = false;
    for (int y = 0; y < image.height() && colourCount <= 2; ++y) {
        const auto* pixels = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width() && colourCount <= 2; ++x) {
            translucent = translucent || qAlpha(pixels[x]) != 255;
            if (std::find(colours, colours + colourCount, pixels[x]) == colours + colourCount) {
                colours[colourCount++] = pixels[x];
            }
        }
    }
    if (colourCount <= 2) {
        for (int i = 0; i < colourCount; ++i) {
            layout.palette[i] =
                PaletteColour(qRed(colours[i]), qGreen(colours[i]), qBlue(colours[i]));
            layout.alpha[i] = static_cast<png_byte>(qAlpha(colours[i]));
        }
        layout.paletteSize = colourCount;
        if (colourCount == 1) {
            colours[1] = ~colours[0];  // no pixel has it: every one is index 0
        }
        layout.alphaCount = translucent ? colourCount : 0;
    } else {
        layout.bitDepth = 8;
        layout.colourType = translucent ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB;
        layout.channels = translucent ? 4 : 3;
    }
    return Compressed(layout, ImageRows(image, layout, colours[1]));
}

}  // namespace quirvane
