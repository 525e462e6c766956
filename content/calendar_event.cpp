// An event to add to a calendar, as one iCalendar VEVENT. A whole-day event
// is written with VALUE=DATE, without which a date is not a DTSTART value,
// and its end as the day after the last day: iCalendar's end is exclusive,
// while people give the last day. Lines are not folded, as in a vCard.
#include <string>
#include <string_view>

#include <quirvane/content.h>

#include "content/calendar_dates.h"
#include "content/content_text.h"

namespace quirvane {
namespace {

std::string Property(std::string_view name, const content::CalendarMoment& moment) {
    if (moment.hasTime) {
        return std::string(name) + ':' + content::UtcDateTime(moment) + "\r\n";
    }
    return std::string(name) + ";VALUE=DATE:" + content::DateDigits(moment.date) + "\r\n";
}

}  // namespace

ContentText BuildCalendarEvent(const CalendarEvent& event) {
    using content::Refused;
    const std::string_view summary = content::Trimmed(event.summary);
    if (summary.empty()) {
        return Refused(ContentOutcome::Missing, ContentField::Summary);
    }
    if (!content::IsPlainText(summary)) {
        return Refused(ContentOutcome::Invalid, ContentField::Summary);
    }
    const std::string_view startText = content::Trimmed(event.start);
    content::CalendarMoment start;
    if (startText.empty()) {
        return Refused(ContentOutcome::Missing, ContentField::Start);
    }
    if (!content::ParseMoment(startText, start)) {
        return Refused(ContentOutcome::Invalid, ContentField::Start);
    }
    const std::string_view endText = content::Trimmed(event.end);
    content::CalendarMoment end;
    if (!endText.empty()) {
        if (!content::ParseMoment(endText, end)) {
            return Refused(ContentOutcome::Invalid, ContentField::End);
        }
        if (end.hasTime != start.hasTime) {
            return Refused(ContentOutcome::EndKindDiffers, ContentField::End);
        }
        const long long startDay = content::DayNumber(start.date);
        const long long endDay = content::DayNumber(end.date);
        const bool before = endDay < startDay || (end.hasTime && endDay == startDay &&
                                                  end.secondOfDay <= start.secondOfDay);
        if (before) {
            return Refused(ContentOutcome::EndBeforeStart, ContentField::End);
        }
        if (!end.hasTime) {
            end.date = content::DateOfDayNumber(endDay + 1);
            if (end.date.year > 9999) {
                return Refused(ContentOutcome::Invalid, ContentField::End);
            }
        }
    }
    const std::string_view location = content::Trimmed(event.location);
    if (!content::IsPlainText(location)) {
        return Refused(ContentOutcome::Invalid, ContentField::Location);
    }
    std::string text = "BEGIN:VEVENT\r\nSUMMARY:" + content::EscapedTextValue(summary) + "\r\n";
    text += Property("DTSTART", start);
    if (!endText.empty()) {
        text += Property("DTEND", end);
    }
    if (!location.empty()) {
        text += "LOCATION:" + content::EscapedTextValue(location) + "\r\n";
    }
    return content::Made(text + "END:VEVENT\r\n");
}

}  // namespace quirvane
