// Every content builder: values with the characters its format escapes,
// Japanese names and readings, emoji and line breaks give exactly the
// expected text; missing and impossible values are refused naming the field;
// dates and times agree with std::chrono's calendar.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include <quirvane/content.h>

namespace quirvane {
namespace {

using enum ContentOutcome;
using enum ContentField;
using enum WifiSecurity;

// clang-format off
const Contact kTaro = {.familyName = "山田", .givenName = "太郎", .familyReading = "やまだ",
    .givenReading = "たろう", .phones = {"03-1234-5678", " ", "０９０ー１２３４ー５６７８"},
    .emails = {"taro@example.jp"}, .address = "東京都港区芝公園4-2-8\r\n東京タワー",
    .url = "https://example.jp/?a=1;b=2", .note = "好きな絵文字: 🍣, 富士山",
    .birthday = "1990-02-28"};
const Contact kJane = {.familyName = "Smith, Jr.", .givenName = "Jane",
    .organisation = "Acme; Inc.", .title = "Lead\\Engineer",
    .phones = {"+1 (555) 010.9999"}, .emails = {" jane@example.com "},
    .note = "one\r\ntwo\nthree\rfour", .birthday = "20000229"};
// clang-format on

TEST(ContentTexts, AreExact) {
    const std::pair<ContentText, std::string> rows[] = {
        {BuildWifi({Wpa, "Café:5G", "p;a,s:s\\w\"d", false}),
         "WIFI:T:WPA;S:Café\\:5G;P:p\\;a\\,s\\:s\\\\w\\\"d;;"},
        {BuildWifi({Wep, "研究室", "0123456789abc", true}),
         "WIFI:T:WEP;S:研究室;P:0123456789abc;H:true;;"},
        {BuildWifi({Wep, "a", "0123456789", false}), "WIFI:T:WEP;S:a;P:0123456789;;"},
        {BuildWifi({Open, "Guest 🙂", "", false}), "WIFI:T:nopass;S:Guest 🙂;;"},
        {BuildWifi({Wpa, "x", std::string(64, 'a'), false}),
         "WIFI:T:WPA;S:x;P:" + std::string(64, 'a') + ";;"},
        {BuildMeCard(kTaro),
         "MECARD:N:山田,太郎;SOUND:やまだ,たろう;TEL:03-1234-5678;TEL:090-1234-5678;"
         "EMAIL:taro@example.jp;ADR:東京都港区芝公園4-2-8 東京タワー;"
         "URL:https\\://example.jp/?a=1\\;b=2;NOTE:好きな絵文字\\: 🍣\\, 富士山;BDAY:19900228;;"},
        {BuildMeCard({.givenName = "Jane"}), "MECARD:N:Jane;;"},
        {BuildVCard(kTaro),
         "BEGIN:VCARD\r\nVERSION:3.0\r\nN:山田;太郎;;;\r\nFN:山田太郎\r\n"
         "SORT-STRING:やまだ たろう\r\nTEL;TYPE=VOICE:03-1234-5678\r\n"
         "TEL;TYPE=VOICE:090-1234-5678\r\nEMAIL;TYPE=INTERNET:taro@example.jp\r\n"
         "ADR:;;東京都港区芝公園4-2-8\\n東京タワー;;;;\r\n"
         "URL:https://example.jp/?a=1;b=2\r\nNOTE:好きな絵文字: 🍣\\, 富士山\r\n"
         "BDAY:1990-02-28\r\nEND:VCARD\r\n"},
        {BuildVCard(kJane),
         "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Smith\\, Jr.;Jane;;;\r\nFN:Jane Smith\\, Jr.\r\n"
         "ORG:Acme\\; Inc.\r\nTITLE:Lead\\\\Engineer\r\nTEL;TYPE=VOICE:+1-555-010-9999\r\n"
         "EMAIL;TYPE=INTERNET:jane@example.com\r\nNOTE:one\\ntwo\\nthree\\nfour\r\n"
         "BDAY:2000-02-29\r\nEND:VCARD\r\n"},
        {BuildVCard({.givenName = "Jane"}),
         "BEGIN:VCARD\r\nVERSION:3.0\r\nN:;Jane;;;\r\nFN:Jane\r\nEND:VCARD\r\n"},
        {BuildMail({"taro@example.jp", "会議: 5/1", "行きます。\nよろしく & 🙂"}),
         "mailto:taro@example.jp?subject=%E4%BC%9A%E8%AD%B0%3A%205%2F1&body=%E8%A1%8C%E3%81%8D"
         "%E3%81%BE%E3%81%99%E3%80%82%0D%0A%E3%82%88%E3%82%8D%E3%81%97%E3%81%8F%20%26%20%F0%9F"
         "%99%82"},
        {BuildMail({" a+b#c?d@example.com", "x\r\ny", ""}),
         "mailto:a+b%23c%3Fd@example.com?subject=x%20y"},
        {BuildMail({"a@b", "", "1+1=2\r3"}), "mailto:a@b?body=1%2B1%3D2%0D%0A3"},
        {BuildPhone("(03)1234.5678 "), "tel:03-1234-5678"},
        {BuildPhone("＋８１　９０－１２３４ー５６７８"), "tel:+81-90-1234-5678"},
        {BuildTextMessage({"090 1234 5678", "今どこ? 駅: 北口;\n🙂"}),
         "SMSTO:090-1234-5678:今どこ? 駅: 北口;\n🙂"},
        {BuildMapLocation({"-0.000", "+007.50"}), "geo:0,7.5"},
        {BuildMapLocation({" -90", "180.000 "}), "geo:-90,180"},
        {BuildCalendarEvent({"打ち合わせ; 議題, 予算\n第2部", "2026-04-01T10:00+09:00",
                             "2026-04-01T11:30:15+09:00", "会議室A\\B"}),
         "BEGIN:VEVENT\r\nSUMMARY:打ち合わせ\\; 議題\\, 予算\\n第2部\r\n"
         "DTSTART:20260401T010000Z\r\nDTEND:20260401T023015Z\r\nLOCATION:会議室A\\\\B\r\n"
         "END:VEVENT\r\n"},
        {BuildCalendarEvent({"x", "2024-02-28T22:00:59-05:00", "20240301T000000Z", ""}),
         "BEGIN:VEVENT\r\nSUMMARY:x\r\nDTSTART:20240229T030059Z\r\n"
         "DTEND:20240301T000000Z\r\nEND:VEVENT\r\n"},
    };
    for (const auto& [made, expected] : rows) {
        EXPECT_EQ(made.outcome, Built) << expected;
        EXPECT_EQ(made.text, expected);
    }
}

struct Refusal {
    std::string label;
    ContentText made;
    ContentOutcome outcome;
    ContentField field;
    int entry = 0;
};

ContentText Event(const char* start, const char* end) {
    return BuildCalendarEvent({"summary", start, end, ""});
}

TEST(ContentRefusals, NameTheField) {
    // clang-format off
    std::vector<Refusal> rows = {
        {"wifi_no_ssid", BuildWifi({Wpa, "", "password", false}), Missing, Ssid},
        {"wifi_33_bytes", BuildWifi({Wpa, std::string(33, 's'), "password", false}), Invalid, Ssid},
        {"wifi_line_break", BuildWifi({Open, "a\nb", "", false}), Invalid, Ssid},
        {"wpa_no_password", BuildWifi({Wpa, "net", "", false}), Missing, Password},
        {"wpa_7_characters", BuildWifi({Wpa, "net", "1234567", false}), Invalid, Password},
        {"wpa_64_not_hex", BuildWifi({Wpa, "net", std::string(64, 'g'), false}), Invalid, Password},
        {"wpa_kana", BuildWifi({Wpa, "net", "パスワード12345", false}), Invalid, Password},
        {"wep_6_characters", BuildWifi({Wep, "net", "123456", false}), Invalid, Password},
        {"wep_10_not_hex", BuildWifi({Wep, "net", "ghijklmnop", false}), Invalid, Password},
        {"open_password", BuildWifi({Open, "net", "password", false}), NotAllowed, Password},
        {"mecard_organisation", BuildMeCard({.familyName = "a", .organisation = "会社"}),
         NotAllowed, Organisation},
        {"mecard_title", BuildMeCard({.familyName = "a", .title = "部長"}), NotAllowed, Title},
        {"mail_no_address", BuildMail({" ", "s", "b"}), Missing, Email},
        {"mail_no_local_part", BuildMail({"@example.com", "", ""}), Invalid, Email},
        {"mail_no_domain", BuildMail({"taro@", "", ""}), Invalid, Email},
        {"mail_escape_in_body", BuildMail({"a@b", "", "\x1b[2J"}), Invalid, Body},
        {"tel_separators_only", BuildPhone(" - "), Missing, Phone},
        {"tel_plus_alone", BuildPhone("+"), Invalid, Phone},
        {"tel_plus_inside", BuildPhone("03+1234"), Invalid, Phone},
        {"sms_no_number", BuildTextMessage({"", "hi"}), Missing, Phone},
        {"geo_no_latitude", BuildMapLocation({"", "0"}), Missing, Latitude},
        {"geo_beyond_90", BuildMapLocation({"90.0001", "0"}), Invalid, Latitude},
        {"geo_no_whole_part", BuildMapLocation({".5", "0"}), Invalid, Latitude},
        {"geo_no_fraction", BuildMapLocation({"1.", "0"}), Invalid, Latitude},
        {"geo_decimal_comma", BuildMapLocation({"1,5", "0"}), Invalid, Latitude},
        {"geo_longitude_180_5", BuildMapLocation({"0", "180.5"}), Invalid, Longitude},
        {"geo_many_digits", BuildMapLocation({"0", "0000000000000000000181"}), Invalid, Longitude},
        {"event_no_summary", BuildCalendarEvent({" ", "2026-04-01", "", ""}), Missing, Summary},
        {"event_no_start", Event("", "2026-04-01"), Missing, Start},
        {"event_month_13", Event("2026-13-01", ""), Invalid, Start},
        {"event_not_a_leap_year", Event("2100-02-29", ""), Invalid, Start},
        {"event_no_zone", Event("2026-04-01T10:00", ""), Invalid, Start},
        {"event_hour_24", Event("2026-04-01T24:00Z", ""), Invalid, Start},
        {"event_basic_offset", Event("2026-04-01T10:00+0900", ""), Invalid, Start},
        {"event_no_seconds", Event("20260401T1000Z", ""), Invalid, Start},
        {"event_mixed_forms", Event("20260401T10:00:00Z", ""), Invalid, Start},
        {"event_trailing_text", Event("2026-04-01x", ""), Invalid, Start},
        {"event_past_9999", Event("9999-12-31T23:00-05:00", ""), Invalid, Start},
        {"event_bad_end", Event("2026-04-01", "2026-04-31"), Invalid, End},
        {"event_end_before", Event("2026-04-02", "2026-04-01"), EndBeforeStart, End},
        {"event_same_moment", Event("2026-04-01T10:00Z", "2026-04-01T19:00+09:00"),
         EndBeforeStart, End},
        {"event_date_then_time", Event("2026-04-01", "2026-04-02T10:00Z"), EndKindDiffers, End},
        {"event_time_then_date", Event("2026-04-01T10:00Z", "2026-04-02"), EndKindDiffers, End},
        {"event_last_day_of_9999", Event("9999-12-31", "9999-12-31"), Invalid, End},
    };
    // Both contact formats check a contact alike.
    const auto contact = [&rows](std::string label, const Contact& c, ContentOutcome outcome,
                                 ContentField field, int entry = 0) {
        rows.push_back({"mecard_" + label, BuildMeCard(c), outcome, field, entry});
        rows.push_back({"vcard_" + label, BuildVCard(c), outcome, field, entry});
    };
    contact("blank_name", {.familyName = " ", .givenName = "\t", .phones = {"110"}}, Missing, Name);
    contact("name_not_utf8", {.givenName = "\xFF"}, Invalid, Name);
    contact("reading_control", {.familyName = "a", .familyReading = "\x7F"}, Invalid, Reading);
    contact("phone_letters", {.familyName = "a", .phones = {"", "0120-ABC"}}, Invalid, Phone, 1);
    contact("email_two_at", {.familyName = "a", .emails = {"a@b", "t@@x.jp"}}, Invalid, Email, 1);
    contact("email_space", {.familyName = "a", .emails = {"taro yamada@x.jp"}}, Invalid, Email);
    contact("url_space", {.familyName = "a", .url = "https://example.jp/a b"}, Invalid, Url);
    contact("note_bell", {.familyName = "a", .note = "bell\a"}, Invalid, Note);
    contact("birthday_feb_29", {.familyName = "a", .birthday = "1990-02-29"}, Invalid, Birthday);
    // clang-format on
    for (const Refusal& row : rows) {
        const ContentText& made = row.made;
        EXPECT_TRUE(made.outcome == row.outcome && made.field == row.field &&
                    made.entry == row.entry && made.text.empty())
            << row.label << ": outcome " << static_cast<int>(made.outcome) << ", field "
            << static_cast<int>(made.field) << ", entry " << made.entry << ", text " << made.text;
    }
}

// Every day from 1899 to 2101 (2000 a leap year, 1900 and 2100 not) as a
// one-day event, whose end is the day after, and as 01:15 an hour and a half
// east of UTC, which is the day before: against std::chrono's own calendar.
TEST(EventDays, AgreeWithChrono) {
    using namespace std::chrono;
    const auto digits = [](sys_days day) {
        const year_month_day date{day};
        char text[32];
        std::snprintf(text, sizeof text, "%04d%02u%02u", static_cast<int>(date.year()),
                      static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()));
        return std::string(text);
    };
    for (sys_days day{year{1899} / 1 / 1}; day <= sys_days{year{2101} / 12 / 31}; day += days{1}) {
        const std::string date = digits(day);
        const std::string dashed =
            date.substr(0, 4) + '-' + date.substr(4, 2) + '-' + date.substr(6, 2);
        ASSERT_EQ(BuildCalendarEvent({"x", date, dashed, ""}).text,
                  "BEGIN:VEVENT\r\nSUMMARY:x\r\nDTSTART;VALUE=DATE:" + date +
                      "\r\nDTEND;VALUE=DATE:" + digits(day + days{1}) + "\r\nEND:VEVENT\r\n");
        ASSERT_EQ(BuildCalendarEvent({"x", dashed + "T01:15+01:30", "", ""}).text,
                  "BEGIN:VEVENT\r\nSUMMARY:x\r\nDTSTART:" + digits(day - days{1}) +
                      "T234500Z\r\nEND:VEVENT\r\n");
    }
}

}  // namespace
}  // namespace quirvane
