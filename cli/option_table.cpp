#include "cli/option_table.h"

#include <QtGlobal>

#include <utility>
#include <vector>

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

std::string SetFormat(O& o, ContentFormat format) {
    const ContentFormat before = std::exchange(o.content.format, format);
    return before == ContentFormat::None || before == format
               ? ""
               : Fill(translate("quirvane-encode", "%1 and %2 do not go together"),
                      {ContentFormatOption(before), ContentFormatOption(format)});
}

// A field of a content format: the builders refuse what does not fit it.
std::string Field(O& o, const char* name, std::string& into, V v) {
    o.content.given.emplace_back(name);
    into = v;
    return {};
}

std::string ListField(O& o, const char* name, std::vector<std::string>& into, V v) {
    o.content.given.emplace_back(name);
    into.emplace_back(v);
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

    {G::Parts, "S", "structured-append", "", nullptr, QT_TRANSLATE_NOOP("quirvane-encode",
     "split the text over the fewest symbols that\nhold it, 2-16, which readers join again;\n"
     "with -v N every part is version N"),
     [](V, O& o) -> std::string { o.structuredAppend = true; return {}; }},
    {G::Parts, "", "parts", "", "N", QT_TRANSLATE_NOOP("quirvane-encode",
     "split it over N symbols, 2-16; implies -S"),
     [](V v, O& o) { o.structuredAppend = true; return Number(v, 2, kMostParts, o.parts); }},
    {G::Parts, "", "layout", "", "files|row", QT_TRANSLATE_NOOP("quirvane-encode",
     "files: one file per part, named by {part} in\nthe output's name; row: all parts side by\n"
     "side in one png, svg, eps or pdf (default\nfiles)"),
     [](V v, O& o) -> std::string {
         const int layout = IndexOfName(v, {"files", "row"});
         o.layout = layout == 1 ? PartLayout::Row : PartLayout::Files;
         return layout < 0 ? translate("quirvane-encode", "use files or row") : "";
     }},

    {G::Industry, "", "gs1", "", "[=STRING]", QT_TRANSLATE_NOOP("quirvane-encode",
     "a GS1 symbol of STRING, or of the text:\n(01)09501101530003(17)251231, or the element\n"
     "string with GS after data of no fixed length"),
     [](V v, O& o) -> std::string {
         o.gs1 = true;
         if (v.data() == nullptr) {
             return {};
         }
         if (o.hasText) {
             return translate("quirvane-encode", "give the text one way only");
         }
         o.hasText = true;
         o.text = v;
         return {};
     }},
    {G::Industry, "", "fnc1-aim", "", "IND", QT_TRANSLATE_NOOP("quirvane-encode",
     "the text follows the industry format of\napplication indicator IND, a letter or two\n"
     "digits"),
     [](V v, O& o) -> std::string {
         const bool letter = v.size() == 1 && ((v[0] >= 'a' && v[0] <= 'z') || (v[0] >= 'A' && v[0] <= 'Z'));
         int indicator = letter ? v[0] + 100 : -1;
         if (!letter && (v.size() != 2 || !ParseInteger(v, 0, 99, indicator))) {
             return translate("quirvane-encode", "use a letter or two digits, such as 37");
         }
         o.request.fnc1 = Fnc1::Industry;
         o.request.applicationIndicator = indicator;
         return {};
     }},

    {G::Content, "", "wifi", "", nullptr, QT_TRANSLATE_NOOP("quirvane-encode",
     "a Wi-Fi network to join"),
     [](V, O& o) { return SetFormat(o, ContentFormat::Wifi); }},
    {G::Content, "", "mecard", "", nullptr, QT_TRANSLATE_NOOP("quirvane-encode",
     "a contact as a MeCard, the format Japanese\nphones read"),
     [](V, O& o) { return SetFormat(o, ContentFormat::MeCard); }},
    {G::Content, "", "vcard", "", nullptr, QT_TRANSLATE_NOOP("quirvane-encode",
     "a contact as a vCard 3.0"),
     [](V, O& o) { return SetFormat(o, ContentFormat::VCard); }},
    {G::Content, "", "mailto", "", nullptr, QT_TRANSLATE_NOOP("quirvane-encode",
     "a mail to write"),
     [](V, O& o) { return SetFormat(o, ContentFormat::Mail); }},
    {G::Content, "", "tel", "", nullptr, QT_TRANSLATE_NOOP("quirvane-encode",
     "a number to call"),
     [](V, O& o) { return SetFormat(o, ContentFormat::Phone); }},
    {G::Content, "", "sms", "", nullptr, QT_TRANSLATE_NOOP("quirvane-encode",
     "a text message to send"),
     [](V, O& o) { return SetFormat(o, ContentFormat::Sms); }},
    {G::Content, "", "geo", "", nullptr, QT_TRANSLATE_NOOP("quirvane-encode",
     "a place on a map"),
     [](V, O& o) { return SetFormat(o, ContentFormat::Geo); }},
    {G::Content, "", "event", "", nullptr, QT_TRANSLATE_NOOP("quirvane-encode",
     "a calendar event"),
     [](V, O& o) { return SetFormat(o, ContentFormat::Event); }},
    {G::Content, "", "print-text", "", nullptr, QT_TRANSLATE_NOOP("quirvane-encode",
     "print the text that would be encoded, and\ndraw nothing"),
     [](V, O& o) -> std::string { o.printText = true; return {}; }},

    {G::ContentFields, "", "ssid", "", "NAME", QT_TRANSLATE_NOOP("quirvane-encode",
     "the network's name (wifi)"),
     [](V v, O& o) { return Field(o, "ssid", o.content.wifi.ssid, v); }},
    {G::ContentFields, "", "password", "", "TEXT", QT_TRANSLATE_NOOP("quirvane-encode",
     "its password (wifi)"),
     [](V v, O& o) { return Field(o, "password", o.content.wifi.password, v); }},
    {G::ContentFields, "", "security", "", "WPA|WEP|nopass", QT_TRANSLATE_NOOP("quirvane-encode",
     "its security, in either case (wifi; default\nWPA)"),
     [](V v, O& o) -> std::string {
         constexpr WifiSecurity kSecurities[] = {WifiSecurity::Wpa, WifiSecurity::Wep, WifiSecurity::Open};
         const int security = IndexOfName(v, {"wpa", "wep", "nopass"});
         o.content.given.emplace_back("security");
         o.content.wifi.security = kSecurities[security < 0 ? 0 : security];
         return security < 0 ? translate("quirvane-encode", "use WPA, WEP or nopass") : "";
     }},
    {G::ContentFields, "", "hidden", "", nullptr, QT_TRANSLATE_NOOP("quirvane-encode",
     "it does not announce its name (wifi)"),
     [](V, O& o) -> std::string {
         o.content.given.emplace_back("hidden");
         o.content.wifi.hidden = true;
         return {};
     }},
    {G::ContentFields, "", "family-name", "", "TEXT", QT_TRANSLATE_NOOP("quirvane-encode",
     "the family name (mecard, vcard)"),
     [](V v, O& o) { return Field(o, "family-name", o.content.contact.familyName, v); }},
    {G::ContentFields, "", "given-name", "", "TEXT", QT_TRANSLATE_NOOP("quirvane-encode",
     "the given name (mecard, vcard)"),
     [](V v, O& o) { return Field(o, "given-name", o.content.contact.givenName, v); }},
    {G::ContentFields, "", "family-reading", "", "TEXT", QT_TRANSLATE_NOOP("quirvane-encode",
     "the family name's reading in kana (mecard,\nvcard)"),
     [](V v, O& o) { return Field(o, "family-reading", o.content.contact.familyReading, v); }},
    {G::ContentFields, "", "given-reading", "", "TEXT", QT_TRANSLATE_NOOP("quirvane-encode",
     "the given name's reading in kana (mecard,\nvcard)"),
     [](V v, O& o) { return Field(o, "given-reading", o.content.contact.givenReading, v); }},
    {G::ContentFields, "", "phone", "", "NUMBER", QT_TRANSLATE_NOOP("quirvane-encode",
     "a telephone number (tel, sms; mecard and\nvcard take several)"),
     [](V v, O& o) { return ListField(o, "phone", o.content.contact.phones, v); }},
    {G::ContentFields, "", "email", "", "ADDRESS", QT_TRANSLATE_NOOP("quirvane-encode",
     "a mail address (mailto; mecard and vcard\ntake several)"),
     [](V v, O& o) { return ListField(o, "email", o.content.contact.emails, v); }},
    {G::ContentFields, "", "organisation", "", "TEXT", QT_TRANSLATE_NOOP("quirvane-encode",
     "the organisation (vcard)"),
     [](V v, O& o) { return Field(o, "organisation", o.content.contact.organisation, v); }},
    {G::ContentFields, "", "title", "", "TEXT", QT_TRANSLATE_NOOP("quirvane-encode",
     "the job title (vcard)"),
     [](V v, O& o) { return Field(o, "title", o.content.contact.title, v); }},
    {G::ContentFields, "", "address", "", "TEXT", QT_TRANSLATE_NOOP("quirvane-encode",
     "the postal address (mecard, vcard)"),
     [](V v, O& o) { return Field(o, "address", o.content.contact.address, v); }},
    {G::ContentFields, "", "url", "", "URL", QT_TRANSLATE_NOOP("quirvane-encode",
     "a web address (mecard, vcard)"),
     [](V v, O& o) { return Field(o, "url", o.content.contact.url, v); }},
    {G::ContentFields, "", "note", "", "TEXT", QT_TRANSLATE_NOOP("quirvane-encode",
     "a note (mecard, vcard)"),
     [](V v, O& o) { return Field(o, "note", o.content.contact.note, v); }},
    {G::ContentFields, "", "birthday", "", "DATE", QT_TRANSLATE_NOOP("quirvane-encode",
     "the birthday, YYYY-MM-DD (mecard, vcard)"),
     [](V v, O& o) { return Field(o, "birthday", o.content.contact.birthday, v); }},
    {G::ContentFields, "", "subject", "", "TEXT", QT_TRANSLATE_NOOP("quirvane-encode",
     "the mail's subject (mailto)"),
     [](V v, O& o) { return Field(o, "subject", o.content.subject, v); }},
    {G::ContentFields, "", "body", "", "TEXT", QT_TRANSLATE_NOOP("quirvane-encode",
     "the mail's body (mailto), or the message\n(sms)"),
     [](V v, O& o) { return Field(o, "body", o.content.body, v); }},
    {G::ContentFields, "", "latitude", "", "DEGREES", QT_TRANSLATE_NOOP("quirvane-encode",
     "decimal degrees, -90 to 90 (geo)"),
     [](V v, O& o) { return Field(o, "latitude", o.content.location.latitude, v); }},
    {G::ContentFields, "", "longitude", "", "DEGREES", QT_TRANSLATE_NOOP("quirvane-encode",
     "decimal degrees, -180 to 180 (geo)"),
     [](V v, O& o) { return Field(o, "longitude", o.content.location.longitude, v); }},
    {G::ContentFields, "", "summary", "", "TEXT", QT_TRANSLATE_NOOP("quirvane-encode",
     "what the event is (event)"),
     [](V v, O& o) { return Field(o, "summary", o.content.event.summary, v); }},
    {G::ContentFields, "", "start", "", "WHEN", QT_TRANSLATE_NOOP("quirvane-encode",
     "when it starts: YYYY-MM-DD for a whole day,\nor YYYY-MM-DDTHH:MM with Z or +HH:MM (event)"),
     [](V v, O& o) { return Field(o, "start", o.content.event.start, v); }},
    {G::ContentFields, "", "end", "", "WHEN", QT_TRANSLATE_NOOP("quirvane-encode",
     "its last day, or the moment it ends (event)"),
     [](V v, O& o) { return Field(o, "end", o.content.event.end, v); }},
    {G::ContentFields, "", "location", "", "TEXT", QT_TRANSLATE_NOOP("quirvane-encode",
     "where it is (event)"),
     [](V v, O& o) { return Field(o, "location", o.content.event.location, v); }},

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

    {G::Check, "", "check", "", nullptr, QT_TRANSLATE_NOOP("quirvane-encode",
     "read what is written back with zbar and report\nthe contrast, quiet zone, module size and\n"
     "whether it reads back; exit 3 if it does not\nor the contrast grades F"),
     [](V, O& o) -> std::string { o.check = true; return {}; }},

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
