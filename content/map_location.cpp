// A place on the map, geo:latitude,longitude. The numbers are read as text and
// written back digit for digit, so no precision is lost or invented by a
// conversion to floating point and back.
#include <algorithm>
#include <string>
#include <string_view>

#include <quirvane/content.h>

#include "content/content_text.h"

namespace quirvane {
namespace {

bool AllDigits(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// A decimal number of degrees, an optional sign, digits and an optional
// fraction, within ±limit: written in `out` without a plus sign, leading
// zeros, trailing zeros or a negative zero.
bool ReadDegrees(std::string_view typed, int limit, std::string& out) {
    bool negative = false;
    if (!typed.empty() && (typed[0] == '-' || typed[0] == '+')) {
        negative = typed[0] == '-';
        typed.remove_prefix(1);
    }
    const std::size_t point = typed.find('.');
    std::string_view whole = typed.substr(0, point);
    std::string_view fraction = point == std::string_view::npos ? "" : typed.substr(point + 1);
    if (whole.empty() || (point != std::string_view::npos && fraction.empty()) ||
        !AllDigits(whole) || !AllDigits(fraction)) {
        return false;
    }
    whole.remove_prefix(std::min(whole.find_first_not_of('0'), whole.size() - 1));
    fraction = fraction.substr(0, fraction.find_last_not_of('0') + 1);  // npos + 1 is 0
    const int degrees = whole.size() > 3 ? limit + 1 : std::stoi(std::string(whole));
    if (degrees > limit || (degrees == limit && !fraction.empty())) {
        return false;
    }
    out.clear();
    if (negative && (whole != "0" || !fraction.empty())) {
        out += '-';
    }
    out.append(whole);
    if (!fraction.empty()) {
        out.append(".").append(fraction);
    }
    return true;
}

}  // namespace

ContentText BuildMapLocation(const MapLocation& location) {
    const struct {
        std::string_view typed;
        int limit;
        ContentField field;
    } coordinates[] = {
        {content::Trimmed(location.latitude), 90, ContentField::Latitude},
        {content::Trimmed(location.longitude), 180, ContentField::Longitude},
    };
    std::string degrees[2];
    for (int i = 0; i < 2; ++i) {
        if (coordinates[i].typed.empty()) {
            return content::Refused(ContentOutcome::Missing, coordinates[i].field);
        }
        if (!ReadDegrees(coordinates[i].typed, coordinates[i].limit, degrees[i])) {
            return content::Refused(ContentOutcome::Invalid, coordinates[i].field);
        }
    }
    return content::Made("geo:" + degrees[0] + ',' + degrees[1]);
}

}  // namespace quirvane
