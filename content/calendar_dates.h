// Dates and moments as people type them, checked against the calendar and
// written as the contact and event formats want them.
#pragma once

#include <string>
#include <string_view>

namespace quirvane::content {

struct CivilDate {
    int year = 0;
    int month = 0;
    int day = 0;
};

// A whole day, or a moment in UTC when hasTime.
struct CalendarMoment {
    CivilDate date;
    bool hasTime = false;
    int secondOfDay = 0;
};

// YYYY-MM-DD or YYYYMMDD naming a day that exists, in the years 1-9999.
bool ParseDate(std::string_view text, CivilDate& date);

// A date, or a date and time with its zone (see CalendarEvent), in UTC.
bool ParseMoment(std::string_view text, CalendarMoment& moment);

// Days since 1970-01-01, for comparing and counting.
long long DayNumber(CivilDate date);
CivilDate DateOfDayNumber(long long days);

std::string DateDigits(CivilDate date);                 // YYYYMMDD
std::string DashedDate(CivilDate date);                 // YYYY-MM-DD
std::string UtcDateTime(const CalendarMoment& moment);  // YYYYMMDDTHHMMSSZ

}  // namespace quirvane::content
