// The independent check that a symbol scans: zbarimg decodes an image and
// the tests compare what it read with the text that was encoded.
#pragma once

#include <QImage>

#include <string>

namespace quirvane::testing {

// Bytes: as they were encoded (Kanji mode as its Shift_JIS bytes). Text: as a
// reader shows them, zbarimg's own reading of Kanji mode, ECI designators and
// its guess at the encoding of byte mode, in UTF-8. Xml: zbarimg's report,
// with the modifiers (GS1, AIM) of each symbol.
enum class Zbar { Bytes, Text, Xml };

// What zbarimg reads in the one symbol of a PNG file or of an image, or
// "(zbarimg read nothing: ...)" with what it printed when it finds none.
std::string ZbarRead(const std::string& pngPath, Zbar reading = Zbar::Bytes);
std::string ZbarRead(const QImage& image, Zbar reading = Zbar::Bytes);

}  // namespace quirvane::testing
