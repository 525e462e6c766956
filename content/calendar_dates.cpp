// Reading dates and zoned times, and the arithmetic that takes a time to UTC:
// day numbers in the proleptic Gregorian calendar, counted in 400-year eras.
#include "content/calendar_dates.h"

#include <cassert>

namespace quirvane::content {
namespace {

constexpr int kSecondsPerDay = 86400;

bool ReadNumber(std::string_view text, std::size_t at, std::size_t count, int& value) {
    if (at + count > text.size()) {
        return false;
    }
    value = 0;
    for (std::size_t i = at; i < at + count; ++i) {
        if (text[i] < '0' || text[i] > '9') {
            return false;
        }
        value = value * 10 + (text[i] - '0');
    }
    return true;
}

bool Exists(CivilDate d) {
    static constexpr int kDaysInMonth[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (d.year < 1 || d.year > 9999 || d.month < 1 || d.month > 12 || d.day < 1) {
        return false;
    }
    const bool leap = (d.year % 4 == 0 && d.year % 100 != 0) || d.year % 400 == 0;
    return d.day <= kDaysInMonth[d.month - 1] + (d.month == 2 && leap ? 1 : 0);
}

// How many characters of the date at the start of the text were read: 10 for
// YYYY-MM-DD, 8 for YYYYMMDD, 0 when there is no date that exists.
std::size_t ReadDate(std::string_view text, CivilDate& date) {
    std::size_t length = 0;
    if (text.size() >= 10 && text[4] == '-' && text[7] == '-' &&
        ReadNumber(text, 0, 4, date.year) && ReadNumber(text, 5, 2, date.month) &&
        ReadNumber(text, 8, 2, date.day)) {
        length = 10;
    } else if (ReadNumber(text, 0, 4, date.year) && ReadNumber(text, 4, 2, date.month) &&
               ReadNumber(text, 6, 2, date.day)) {
        length = 8;
    }
    return length != 0 && Exists(date) ? length : 0;
}

// The zone after a time: Z, or in the extended form ±HH:MM, as seconds east.
bool ReadZone(std::string_view zone, bool extended, int& secondsEast) {
    int hours = 0;
    int minutes = 0;
    secondsEast = 0;
    if (zone == "Z" || zone == "z") {
        return true;
    }
    if (!extended || zone.size() != 6 || (zone[0] != '+' && zone[0] != '-') || zone[3] != ':' ||
        !ReadNumber(zone, 1, 2, hours) || !ReadNumber(zone, 4, 2, minutes) || hours > 23 ||
        minutes > 59) {
        return false;
    }
    secondsEast = (zone[0] == '-' ? -1 : 1) * (hours * 3600 + minutes * 60);
    return true;
}

// A value of 0 up to `width` digits, with leading zeros.
std::string Padded(int value, int width) {
    assert(value >= 0);
    std::string digits = std::to_string(value);
    if (digits.size() < static_cast<std::size_t>(width)) {
        digits.insert(0, static_cast<std::size_t>(width) - digits.size(), '0');
    }
    return digits;
}

}  // namespace

bool ParseDate(std::string_view text, CivilDate& date) {
    const std::size_t length = ReadDate(text, date);
    return length != 0 && length == text.size();
}

bool ParseMoment(std::string_view text, CalendarMoment& moment) {
    moment = CalendarMoment{};
    const std::size_t dateLength = ReadDate(text, moment.date);
    if (dateLength == 0 || dateLength == text.size()) {
        return dateLength != 0;
    }
    if (text[dateLength] != 'T' && text[dateLength] != 't') {
        return false;
    }
    const std::string_view time = text.substr(dateLength + 1);
    const bool extended = dateLength == 10;
    int hour = 0;
    int minute = 0;
    int second = 0;
    std::size_t timeLength = 0;
    if (extended) {
        if (time.size() >= 5 && time[2] == ':' && ReadNumber(time, 0, 2, hour) &&
            ReadNumber(time, 3, 2, minute)) {
            timeLength =
                time.size() >= 8 && time[5] == ':' && ReadNumber(time, 6, 2, second) ? 8 : 5;
        }
    } else if (ReadNumber(time, 0, 2, hour) && ReadNumber(time, 2, 2, minute) &&
               ReadNumber(time, 4, 2, second)) {
        timeLength = 6;
    }
    int secondsEast = 0;
    if (timeLength == 0 || hour > 23 || minute > 59 || second > 59 ||
        !ReadZone(time.substr(timeLength), extended, secondsEast)) {
        return false;
    }
    const long long utc =
        DayNumber(moment.date) * kSecondsPerDay + hour * 3600 + minute * 60 + second - secondsEast;
    const long long day =
        utc >= 0 ? utc / kSecondsPerDay : (utc - kSecondsPerDay + 1) / kSecondsPerDay;
    moment.date = DateOfDayNumber(day);
    moment.hasTime = true;
    moment.secondOfDay = static_cast<int>(utc - day * kSecondsPerDay);
    return Exists(moment.date);
}

long long DayNumber(CivilDate date) {
    const long long year = date.year - (date.month <= 2 ? 1 : 0);
    const long long era = (year >= 0 ? year : year - 399) / 400;
    const long long yearOfEra = year - era * 400;
    const long long dayOfYear =
        (153 * (date.month + (date.month > 2 ? -3 : 9)) + 2) / 5 + date.day - 1;
    const long long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

CivilDate DateOfDayNumber(long long days) {
    days += 719468;
    const long long era = (days >= 0 ? days : days - 146096) / 146097;
    const long long dayOfEra = days - era * 146097;
    const long long yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const long long dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const long long shiftedMonth = (5 * dayOfYear + 2) / 153;  // March is 0
    const int month = static_cast<int>(shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9);
    return CivilDate{static_cast<int>(yearOfEra + era * 400 + (month <= 2 ? 1 : 0)), month,
                     static_cast<int>(dayOfYear - (153 * shiftedMonth + 2) / 5 + 1)};
}

std::string DateDigits(CivilDate date) {
    return Padded(date.year, 4) + Padded(date.month, 2) + Padded(date.day, 2);
}

std::string DashedDate(CivilDate date) {
    return Padded(date.year, 4) + '-' + Padded(date.month, 2) + '-' + Padded(date.day, 2);
}

std::string UtcDateTime(const CalendarMoment& moment) {
    const int second = moment.secondOfDay;
    return DateDigits(moment.date) + 'T' + Padded(second / 3600, 2) + Padded(second / 60 % 60, 2) +
           Padded(second % 60, 2) + 'Z';
}

}  // namespace quirvane::content
