// Mail, calls, text messages, places and events: escapes and normalised
// values give exactly the expected text, impossible values are refused by
// field, and dates and times agree with std::chrono's calendar.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <string>

#include <quirvane/content.h>

#include "content_rows.h"

namespace quirvane {
namespace {

using enum ContentOutcome;
using enum ContentField;

class MessageTexts : public testing::TestWithParam<TextRow> {};
TEST_P(MessageTexts, AreExact) {
    ExpectRow(GetParam());
}

INSTANTIATE_TEST_SUITE_P(
    content, MessageTexts,
    testing::Values(
        TextRow{"mail",
                BuildMail({"taro@example.jp", "会議: 5/1", "行きます。\nよろしく & 🙂"}),
                "mailto:taro@example.jp?subject=%E4%BC%9A%E8%AD%B0%3A%205%2F1&body=%E8%A1%8C%E3"
                "%81%8D%E3%81%BE%E3%81%99%E3%80%82%0D%0A%E3%82%88%E3%82%8D%E3%81%97%E3%81%8F%20%26"
                "%20%F0%9F%99%82"},
        TextRow{"mail_address", BuildMail({" a+b#c?d@example.com", "x\r\ny", ""}),
                "mailto:a+b%23c%3Fd@example.com?subject=x%20y"},
        TextRow{"mail_body_only", BuildMail({"a@b", "", "1+1=2\r3"}),
                "mailto:a@b?body=1%2B1%3D2%0D%0A3"},
        TextRow{"tel_global", BuildPhone("+81 (3) 1234-5678"), "tel:+81-3-1234-5678"},
        TextRow{"tel_local", BuildPhone("(03)1234.5678 "), "tel:03-1234-5678"},
        TextRow{"tel_full_width", BuildPhone("＋８１　９０－１２３４ー５６７８"),
                "tel:+81-90-1234-5678"},
        TextRow{"sms", BuildTextMessage({"090 1234 5678", "今どこ? 駅: 北口;\n🙂"}),
                "SMSTO:090-1234-5678:今どこ? 駅: 北口;\n🙂"},
        TextRow{"sms_no_message", BuildTextMessage({"110", ""}), "SMSTO:110:"},
        TextRow{"geo", BuildMapLocation({"35.65860", "139.745400"}), "geo:35.6586,139.7454"},
        TextRow{"geo_zeros", BuildMapLocation({"-0.000", "+007.50"}), "geo:0,7.5"},
        TextRow{"geo_limits", BuildMapLocation({" -90", "180.000 "}), "geo:-90,180"},
        TextRow{"event_zoned",
                BuildCalendarEvent({"打ち合わせ; 議題, 予算\n第2部", "2026-04-01T10:00+09:00",
                                    "2026-04-01T11:30:15+09:00", "会議室A\\B"}),
                "BEGIN:VEVENT\r\nSUMMARY:打ち合わせ\\; 議題\\, 予算\\n第2部\r\n"
                "DTSTART:20260401T010000Z\r\nDTEND:20260401T023015Z\r\nLOCATION:会議室A\\\\B\r\n"
                "END:VEVENT\r\n"},
        TextRow{"event_whole_days", BuildCalendarEvent({"Holiday 🎍", "2026-12-31", "20270102", ""}),
                "BEGIN:VEVENT\r\nSUMMARY:Holiday 🎍\r\nDTSTART;VALUE=DATE:20261231\r\n"
                "DTEND;VALUE=DATE:20270103\r\nEND:VEVENT\r\n"},
        TextRow{"event_across_a_year", BuildCalendarEvent({"x", "2026-01-01T05:00+09:30", "", ""}),
                "BEGIN:VEVENT\r\nSUMMARY:x\r\nDTSTART:20251231T193000Z\r\nEND:VEVENT\r\n"},
        TextRow{"event_into_a_leap_day",
                BuildCalendarEvent({"x", "2024-02-28T22:00:59-05:00", "20240301T000000Z", ""}),
                "BEGIN:VEVENT\r\nSUMMARY:x\r\nDTSTART:20240229T030059Z\r\n"
                "DTEND:20240301T000000Z\r\nEND:VEVENT\r\n"}),
    ByLabel{});

ContentText Event(const char* start, const char* end) {
    return BuildCalendarEvent({"summary", start, end, ""});
}

class MessageRefusals : public testing::TestWithParam<RefusalRow> {};
TEST_P(MessageRefusals, NameTheField) {
    ExpectRow(GetParam());
}

INSTANTIATE_TEST_SUITE_P(
    content, MessageRefusals,
    testing::Values(
        RefusalRow{"mail_no_address", BuildMail({" ", "s", "b"}), Missing, Email},
        RefusalRow{"mail_two_at", BuildMail({"a@b@c", "", ""}), Invalid, Email},
        RefusalRow{"mail_no_local_part", BuildMail({"@example.com", "", ""}), Invalid, Email},
        RefusalRow{"mail_no_domain", BuildMail({"taro@", "", ""}), Invalid, Email},
        RefusalRow{"mail_escape_in_body", BuildMail({"a@b", "", "\x1b[2J"}), Invalid, Body},
        RefusalRow{"tel_separators_only", BuildPhone(" - "), Missing, Phone},
        RefusalRow{"tel_letters", BuildPhone("0120-ABC"), Invalid, Phone},
        RefusalRow{"tel_plus_alone", BuildPhone("+"), Invalid, Phone},
        RefusalRow{"tel_plus_inside", BuildPhone("03+1234"), Invalid, Phone},
        RefusalRow{"sms_no_number", BuildTextMessage({"", "hi"}), Missing, Phone},
        RefusalRow{"geo_latitude_91", BuildMapLocation({"91", "0"}), Invalid, Latitude},
        RefusalRow{"geo_beyond_90", BuildMapLocation({"90.0001", "0"}), Invalid, Latitude},
        RefusalRow{"geo_exponent", BuildMapLocation({"1e5", "0"}), Invalid, Latitude},
        RefusalRow{"geo_letters", BuildMapLocation({"abc", "0"}), Invalid, Latitude},
        RefusalRow{"geo_no_latitude", BuildMapLocation({"", "0"}), Missing, Latitude},
        RefusalRow{"geo_no_whole_part", BuildMapLocation({".5", "0"}), Invalid, Latitude},
        RefusalRow{"geo_no_fraction", BuildMapLocation({"1.", "0"}), Invalid, Latitude},
        RefusalRow{"geo_decimal_comma", BuildMapLocation({"1,5", "0"}), Invalid, Latitude},
        RefusalRow{"geo_longitude_180_5", BuildMapLocation({"0", "180.5"}), Invalid, Longitude},
        RefusalRow{"geo_many_digits", BuildMapLocation({"0", "0000000000000000000181"}), Invalid,
                   Longitude},
        RefusalRow{"geo_no_longitude", BuildMapLocation({"0", ""}), Missing, Longitude},
        RefusalRow{"event_no_summary", BuildCalendarEvent({" ", "2026-04-01", "", ""}), Missing,
                   Summary},
        RefusalRow{"event_no_start", Event("", "2026-04-01"), Missing, Start},
        RefusalRow{"event_month_13", Event("2026-13-01", ""), Invalid, Start},
        RefusalRow{"event_feb_30", Event("2026-02-30", ""), Invalid, Start},
        RefusalRow{"event_not_a_leap_year", Event("2100-02-29", ""), Invalid, Start},
        RefusalRow{"event_no_zone", Event("2026-04-01T10:00", ""), Invalid, Start},
        RefusalRow{"event_hour_24", Event("2026-04-01T24:00Z", ""), Invalid, Start},
        RefusalRow{"event_basic_offset", Event("2026-04-01T10:00+0900", ""), Invalid, Start},
        RefusalRow{"event_no_seconds", Event("20260401T1000Z", ""), Invalid, Start},
        RefusalRow{"event_mixed_forms", Event("20260401T10:00:00Z", ""), Invalid, Start},
        RefusalRow{"event_trailing_text", Event("2026-04-01x", ""), Invalid, Start},
        RefusalRow{"event_past_9999", Event("9999-12-31T23:00-05:00", ""), Invalid, Start},
        RefusalRow{"event_bad_end", Event("2026-04-01", "2026-04-31"), Invalid, End},
        RefusalRow{"event_end_before", Event("2026-04-02", "2026-04-01"), EndBeforeStart, End},
        RefusalRow{"event_same_moment", Event("2026-04-01T10:00Z", "2026-04-01T19:00+09:00"),
                   EndBeforeStart, End},
        RefusalRow{"event_date_then_time", Event("2026-04-01", "2026-04-02T10:00Z"), EndKindDiffers,
                   End},
        RefusalRow{"event_time_then_date", Event("2026-04-01T10:00Z", "2026-04-02"), EndKindDiffers,
                   End},
        RefusalRow{"event_last_day_of_9999", Event("9999-12-31", "9999-12-31"), Invalid, End}),
    ByLabel{});

// Every day of a century as a one-day event, whose end is the day after, and
// as 01:15 an hour and a half east of UTC, which is the day before: against
// std::chrono's own calendar.
class EventCentury : public testing::TestWithParam<int> {};

TEST_P(EventCentury, AgreesWithChrono) {
    using namespace std::chrono;
    const auto digits = [](year_month_day day) {
        char text[32];
        std::snprintf(text, sizeof text, "%04d%02u%02u", static_cast<int>(day.year()),
                      static_cast<unsigned>(day.month()), static_cast<unsigned>(day.day()));
        return std::string(text);
    };
    const sys_days first{year{GetParam()} / 1 / 1};
    for (sys_days day = first; day < first + days{36525}; day += days{1}) {
        const std::string date = digits(year_month_day{day});
        const std::string dashed =
            date.substr(0, 4) + '-' + date.substr(4, 2) + '-' + date.substr(6, 2);
        ASSERT_EQ(BuildCalendarEvent({"x", date, dashed, ""}).text,
                  "BEGIN:VEVENT\r\nSUMMARY:x\r\nDTSTART;VALUE=DATE:" + date +
                      "\r\nDTEND;VALUE=DATE:" + digits(year_month_day{day + days{1}}) +
                      "\r\nEND:VEVENT\r\n");
        ASSERT_EQ(BuildCalendarEvent({"x", dashed + "T01:15+01:30", "", ""}).text,
                  "BEGIN:VEVENT\r\nSUMMARY:x\r\nDTSTART:" + digits(year_month_day{day - days{1}}) +
                      "T234500Z\r\nEND:VEVENT\r\n");
    }
}

INSTANTIATE_TEST_SUITE_P(content, EventCentury, testing::Values(1600, 1900, 2000, 2100));

}  // namespace
}  // namespace quirvane
