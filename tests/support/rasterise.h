// The programs that draw our vector files as other software would:
// rsvg-convert (Debian package librsvg2-bin), pdftoppm and pdftocairo
// (poppler-utils) and Ghostscript's gs (ghostscript). A missing one is an error
// that names its package, never a silent skip.
#pragma once

#include <QString>

#include <string>

#include "render/drawing_options.h"

namespace quirvane::testing {

enum class VectorFormat { Svg, Pdf, Eps };

// How the page is drawn: in colour on white paper, in grey on white paper,
// or in colour with what the file leaves unpainted transparent.
enum class Raster { Colour, Grey, Alpha };

// Writes `bytes` (drawn with `options`) to a file in `directory` and has its
// consumer draw it at `resolution` pixels per inch into the PNG `pngPath`.
// Returns "" or what went wrong. An SVG without a dpi is in CSS pixels, 96
// to the inch, so it is zoomed by resolution / 96.
std::string Rasterise(VectorFormat format, const std::string& bytes, const DrawingOptions& options,
                      int resolution, Raster raster, const QString& directory,
                      const QString& pngPath);

}  // namespace quirvane::testing
