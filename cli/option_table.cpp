#include "cli/option_table.h"

#include <QtGlobal>

#include "cli/option_values.h"
#include "cli/tool_messages.h"

namespace quirvane {
namespace {

using G = OptionGroup;
using V = std::string_view;
using O = EncodeOptions;

std::string Number(V v, int low, int high, int& value) {
    if (ParseInteger(v, low, high, value)) {
        return {};
    }
    return Fill(translate("quirvane-encode", "use %1 to %2"),
                {std::to_string(low), std::to_string(high)});
}

std::string Path(V v, const char* accepts, std::string& into) {
    if (v.empty()) {
        return translate("quirvane-encode", accepts);
    }
    into = v;
    return {};
}

std::string SetMode(O& o, Mode mode) {
    o.request.mode = mode;
    o.modeGiven = true;
    return {};
}

// clang-format off
constexpr OptionEntry kOptions[] = {
    {G::Symbol, "l", "level", "", "L|M|Q|H", QT_TRANSLATE_NOOP("quirvane-encode",
     "error-correction level, in either case\n(default L)"),
     [](V v, O& o) -> std::string {
         const int level = IndexOfName(v, {"L", "M", "Q", "H"});
         o.request.level = static_cast<Level>(level < 0 ? 0 : level);
         return level < 0 ? translate("quirvane-encode", "use L, M, Q or H") : "";
     }},
    {G::Symbol, "v", "symbol-version", "symversion min-version", "N", QT_TRANSLATE_NOOP(
     "quirvane-encode", "smallest version, 1-40; a longer text gets\na larger one (default 1)"),
     [](V v, O& o) -> std::string {
         o.versionGiven = true;
         if (IndexOfName(v, {"auto", "0"}) >= 0) {
             o.request.minVersion = 1;
             return {};
         }
         return ParseInteger(v, 1, kLargestVersion, o.request.minVersion)
                    ? "" : translate("quirvane-encode", "use 1 to 40, or auto");
     }},
    {G::Symbol, "", "max-version", "", "N", QT_TRANSLATE_NOOP("quirvane-encode",
     "largest version a text may get (default 40)"),
     [](V v, O& o) { return Number(v, 1, kLargestVersion, o.request.maxVersion); }},
    {G::Symbol, "", "strict-version", "", nullptr, QT_TRANSLATE_NOOP("quirvane-encode",
     "make version N of -v exactly, and refuse a\ntext that does not fit it"),
     [](V, O& o) -> std::string { o.strictVersion = true; return {}; }},
    {G::Symbol, "", "cut", "", nullptr, QT_TRANSLATE_NOOP("quirvane-encode",
     "make version N of -v exactly, holding the\nstart of a text too long for it, as the\n"
     "window does"),
     [](V, O& o) -> std::string { o.cutToVersion = true; return {}; }},
    {G::Symbol, "", "mode", "", "MODE", QT_TRANSLATE_NOOP("quirvane-encode",
     "auto, byte, alnum, numeric or kanji (default\nauto: the shortest mix of modes)"),
     [](V v, O& o) -> std::string {
         constexpr Mode kModes[] = {Mode::Auto, Mode::Byte, Mode::Alphanumeric, Mode::Numeric,
                                    Mode::Kanji};
         const int mode = IndexOfName(v, {"auto", "byte", "alnum", "numeric", "kanji"});
         return mode < 0 ? translate("quirvane-encode", "use auto, byte, alnum, numeric or kanji")
                         : SetMode(o, kModes[mode]);
     }},
    {G::Symbol, "8", "8bit", "", nullptr, QT_TRANSLATE_NOOP("quirvane-encode",
     "8-bit byte mode: --mode byte"),
     [](V, O& o) { return SetMode(o, Mode::Byte); }},
    {G::Symbol, "k", "kanji", "", nullptr, QT_TRANSLATE_NOOP("quirvane-encode",
     "Kanji mode: --mode kanji"),
     [](V, O& o) { return SetMode(o, Mode::Kanji); }},
    {G::Symbol, "", "mask", "", "auto|0-7", QT_TRANSLATE_NOOP("quirvane-encode",
     "mask pattern (default auto: the lowest\npenalty)"),
     [](V v, O& o) -> std::string {
         if (IndexOfName(v, {"auto"}) == 0) {
             o.request.mask = kMaskAuto;
             return {};
         }
         return ParseInteger(v, 0, 7, o.request.mask) ? "" : translate("quirvane-encode", "use auto or 0 to 7");
     }},
    {G::Symbol, "", "encoding", "", "ENCODING", QT_TRANSLATE_NOOP("quirvane-encode",
     "how byte mode writes the text: shift_jis,\nutf-8 or bytes (as given); implies byte mode\n"
     "(default: Shift_JIS when every character has\na form there, else UTF-8)"),
     [](V v, O& o) -> std::string {
         const int encoding = IndexOfName(v, {"shift_jis", "utf-8", "bytes"});
         o.encoding = static_cast<InputEncoding>(encoding + 1);
         return encoding < 0 ? translate("quirvane-encode", "use shift_jis, utf-8 or bytes") : "";
     }},
    {G::Symbol, "", "eci", "", nullptr, QT_TRANSLATE_NOOP("quirvane-encode",
     "write the designator of that encoding (20 or\n26) before the data; implies byte mode"),
     [](V, O& o) -> std::string { o.eci = true; return {}; }},

    {G::Drawing, "tf", "format", "type", "TYPE", QT_TRANSLATE_NOOP("quirvane-encode",
     "png, svg, eps, pdf, txt or terminal, in either\ncase (default: from the output's extension;\n"
     "on a terminal, terminal; else txt)"),
     [](V v, O& o) -> std::string {
         constexpr OutputFormat kFormats[] = {OutputFormat::Png, OutputFormat::Svg,
                                              OutputFormat::Eps, OutputFormat::Pdf,
                                              OutputFormat::Text, OutputFormat::Text,
                                              OutputFormat::Terminal};
         const int format = IndexOfName(v, {"png", "svg", "eps", "pdf", "txt", "text", "terminal"});
         o.format = format < 0 ? OutputFormat::FromName : kFormats[format];
         return format < 0 ? translate("quirvane-encode", "use png, svg, eps, pdf, txt or terminal") : "";
     }},
    {G::Drawing, "sw", "module-width", "size", "N", QT_TRANSLATE_NOOP("quirvane-encode",
     "pixels (units) a module, 1-100 (default 2)"),
     [](V v, O& o) { return Number(v, 1, kMaxModuleWidth, o.drawing.moduleWidth); }},
    {G::Drawing, "m", "quiet-zone", "margin", "N", QT_TRANSLATE_NOOP("quirvane-encode",
     "light modules around the symbol, 0-100\n(default 4)"),
     [](V v, O& o) { return Number(v, 0, kMaxQuietZoneModules, o.drawing.quietZoneModules); }},
    {G::Drawing, "d", "dpi", "", "N", QT_TRANSLATE_NOOP("quirvane-encode",
     "resolution recorded in png, svg, eps and pdf,\n1-10000"),
     [](V v, O& o) { return Number(v, 1, kMaxDpi, o.drawing.dpi); }},
    {G::Drawing, "c", "colour", "color foreground", "COLOUR", QT_TRANSLATE_NOOP(
     "quirvane-encode", "colour of dark modules (default 000000)"),
     [](V v, O& o) -> std::string {
         int alpha = 0;
         return ParseColour(v, o.drawing.dark, alpha) && alpha == 255
                    ? "" : translate("quirvane-encode", "use R,G,B (each 0 to 255) or RRGGBB in hex, such as 1e4e79");
     }},
    {G::Drawing, "", "background", "", "COLOUR", QT_TRANSLATE_NOOP("quirvane-encode",
     "colour of light modules, or transparent\n(default ffffff)"),
     [](V v, O& o) -> std::string {
         int alpha = 255;
         const bool transparent = IndexOfName(v, {"transparent"}) == 0;
         const bool colour = !transparent && ParseColour(v, o.drawing.background, alpha);
         o.drawing.transparentBackground = transparent || alpha == 0;
         return transparent || (colour && (alpha == 0 || alpha == 255))
                    ? "" : translate("quirvane-encode", "use R,G,B, RRGGBB, RRGGBB00 or RRGGBBff in hex, or "
                                   "transparent");
     }},

    {G::Files, "ri", "input", "read-from", "FILE", QT_TRANSLATE_NOOP("quirvane-encode",
     "read the text from FILE, - for standard\ninput (UTF-8 or Shift_JIS; a final line\n"
     "feed is not part of it)"),
     [](V v, O& o) { return Path(v, QT_TRANSLATE_NOOP("quirvane-encode", "use a file name, or - for standard input"), o.inputPath); }},
    {G::Files, "", "crlf", "", nullptr, QT_TRANSLATE_NOOP("quirvane-encode",
     "every line feed of the text becomes CR LF,\nthe last one too, as the window reads a file"),
     [](V, O& o) -> std::string { o.crlf = true; return {}; }},
    {G::Files, "o", "output", "", "FILE", QT_TRANSLATE_NOOP("quirvane-encode",
     "where to write (default -, standard output)"),
     [](V v, O& o) { return Path(v, QT_TRANSLATE_NOOP("quirvane-encode", "use a file name, or - for standard output"), o.outputPath); }},

    {G::Batch, "", "batch", "", "FILE", QT_TRANSLATE_NOOP("quirvane-encode",
     "one symbol per line of FILE (- for standard\ninput); --output is then a name pattern"),
     [](V v, O& o) { return Path(v, QT_TRANSLATE_NOOP("quirvane-encode", "use a file name, or - for standard input"), o.batchPath); }},
    {G::Batch, "j", "jobs", "", "N", QT_TRANSLATE_NOOP("quirvane-encode",
     "symbols made at once, at most one per core\n(default: one per core)"),
     [](V v, O& o) { return Number(v, 1, 999999999, o.jobs); }},

    {G::Messages, "", "verbose", "", nullptr, QT_TRANSLATE_NOOP("quirvane-encode",
     "print the statistics line and the choices\nmade"),
     [](V, O& o) -> std::string { o.verbose = true; return {}; }},
    {G::Messages, "h", "help", "", nullptr, QT_TRANSLATE_NOOP("quirvane-encode",
     "show this help"),
     [](V, O& o) -> std::string { o.showHelp = true; return {}; }},
    {G::Messages, "V", "version", "", nullptr, QT_TRANSLATE_NOOP("quirvane-encode",
     "show the program's version"),
     [](V, O& o) -> std::string { o.showVersion = true; return {}; }},
};
// clang-format on

}  // namespace

std::span<const OptionEntry> Options() {
    return kOptions;
}

}  // namespace quirvane
