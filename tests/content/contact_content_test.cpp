// Wi-Fi networks and contacts: values with every character their format
// escapes, Japanese names and readings, emoji and line breaks give exactly
// the expected text; missing and impossible values are refused by field.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <quirvane/content.h>

#include "content_rows.h"

namespace quirvane {
namespace {

using enum ContentOutcome;
using enum ContentField;
using enum WifiSecurity;

Contact Taro() {
    return {.familyName = "山田",
            .givenName = "太郎",
            .familyReading = "やまだ",
            .givenReading = "たろう",
            .phones = {"03-1234-5678", " ", "０９０ー１２３４ー５６７８"},
            .emails = {"taro@example.jp"},
            .address = "東京都港区芝公園4-2-8\r\n東京タワー",
            .url = "https://example.jp/?a=1;b=2",
            .note = "好きな絵文字: 🍣, 富士山",
            .birthday = "1990-02-28"};
}

Contact Jane() {
    return {.familyName = "Smith, Jr.",
            .givenName = "Jane",
            .organisation = "Acme; Inc.",
            .title = "Lead\\Engineer",
            .phones = {"+1 (555) 010.9999"},
            .emails = {" jane@example.com "},
            .note = "one\r\ntwo\nthree\rfour",
            .birthday = "20000229"};
}

Contact JaneAtHome() {
    Contact jane = Jane();
    jane.organisation.clear();
    jane.title.clear();
    return jane;
}

class ContactTexts : public testing::TestWithParam<TextRow> {};
TEST_P(ContactTexts, AreExact) {
    ExpectRow(GetParam());
}

INSTANTIATE_TEST_SUITE_P(
    content, ContactTexts,
    testing::Values(
        TextRow{"wifi_wpa", BuildWifi({Wpa, "Café:5G", "p;a,s:s\\w\"d", false}),
                "WIFI:T:WPA;S:Café\\:5G;P:p\\;a\\,s\\:s\\\\w\\\"d;;"},
        TextRow{"wifi_wep_hidden", BuildWifi({Wep, "研究室", "0123456789abc", true}),
                "WIFI:T:WEP;S:研究室;P:0123456789abc;H:true;;"},
        TextRow{"wifi_wep_hex", BuildWifi({Wep, "a", "0123456789", false}),
                "WIFI:T:WEP;S:a;P:0123456789;;"},
        TextRow{"wifi_open", BuildWifi({Open, "Guest 🙂", "", false}),
                "WIFI:T:nopass;S:Guest 🙂;;"},
        TextRow{"wifi_wpa_hex_key", BuildWifi({Wpa, "x", std::string(64, 'a'), false}),
                "WIFI:T:WPA;S:x;P:" + std::string(64, 'a') + ";;"},
        TextRow{"mecard_japanese", BuildMeCard(Taro()),
                "MECARD:N:山田,太郎;SOUND:やまだ,たろう;TEL:03-1234-5678;TEL:090-1234-5678;"
                "EMAIL:taro@example.jp;ADR:東京都港区芝公園4-2-8 東京タワー;"
                "URL:https\\://example.jp/?a=1\\;b=2;NOTE:好きな絵文字\\: 🍣\\, 富士山;"
                "BDAY:19900228;;"},
        TextRow{"mecard_comma", BuildMeCard(JaneAtHome()),
                "MECARD:N:Smith\\, Jr.,Jane;TEL:+1-555-010-9999;EMAIL:jane@example.com;"
                "NOTE:one two three four;BDAY:20000229;;"},
        TextRow{"mecard_given_only", BuildMeCard({.givenName = "Jane"}), "MECARD:N:Jane;;"},
        TextRow{"vcard_japanese", BuildVCard(Taro()),
                "BEGIN:VCARD\r\nVERSION:3.0\r\nN:山田;太郎;;;\r\nFN:山田太郎\r\n"
                "SORT-STRING:やまだ たろう\r\nTEL;TYPE=VOICE:03-1234-5678\r\n"
                "TEL;TYPE=VOICE:090-1234-5678\r\nEMAIL;TYPE=INTERNET:taro@example.jp\r\n"
                "ADR:;;東京都港区芝公園4-2-8\\n東京タワー;;;;\r\n"
                "URL:https://example.jp/?a=1;b=2\r\nNOTE:好きな絵文字: 🍣\\, 富士山\r\n"
                "BDAY:1990-02-28\r\nEND:VCARD\r\n"},
        TextRow{"vcard_comma", BuildVCard(Jane()),
                "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Smith\\, Jr.;Jane;;;\r\nFN:Jane Smith\\, Jr.\r\n"
                "ORG:Acme\\; Inc.\r\nTITLE:Lead\\\\Engineer\r\nTEL;TYPE=VOICE:+1-555-010-9999\r\n"
                "EMAIL;TYPE=INTERNET:jane@example.com\r\nNOTE:one\\ntwo\\nthree\\nfour\r\n"
                "BDAY:2000-02-29\r\nEND:VCARD\r\n"},
        TextRow{"vcard_given_only", BuildVCard({.givenName = "Jane"}),
                "BEGIN:VCARD\r\nVERSION:3.0\r\nN:;Jane;;;\r\nFN:Jane\r\nEND:VCARD\r\n"}),
    ByLabel{});

std::vector<RefusalRow> Refusals() {
    std::vector<RefusalRow> rows = {
        {"wifi_no_ssid", BuildWifi({Wpa, "", "password", false}), Missing, Ssid},
        {"wifi_33_bytes", BuildWifi({Wpa, std::string(33, 's'), "password", false}), Invalid, Ssid},
        {"wifi_line_break", BuildWifi({Open, "a\nb", "", false}), Invalid, Ssid},
        {"wpa_no_password", BuildWifi({Wpa, "net", "", false}), Missing, Password},
        {"wpa_7_characters", BuildWifi({Wpa, "net", "1234567", false}), Invalid, Password},
        {"wpa_64_not_hex", BuildWifi({Wpa, "net", std::string(64, 'g'), false}), Invalid, Password},
        {"wpa_not_ascii", BuildWifi({Wpa, "net", "パスワード12345", false}), Invalid, Password},
        {"wep_6_characters", BuildWifi({Wep, "net", "123456", false}), Invalid, Password},
        {"wep_10_not_hex", BuildWifi({Wep, "net", "ghijklmnop", false}), Invalid, Password},
        {"open_password", BuildWifi({Open, "net", "password", false}), NotAllowed, Password},
    };
    // Both contact formats refuse alike, but for the fields only a vCard has.
    const struct {
        std::string label;
        Contact contact;
        ContentOutcome outcome;
        ContentField field;
        int entry = 0;
    } contacts[] = {
        {"blank_name", {.familyName = " ", .givenName = "\t", .phones = {"110"}}, Missing, Name},
        {"name_not_utf8", {.givenName = "\xFF"}, Invalid, Name},
        {"reading_control", {.familyName = "a", .familyReading = "\x7F"}, Invalid, Reading},
        {"phone_letters", {.familyName = "a", .phones = {"", "0120-ABC-DEF"}}, Invalid, Phone, 1},
        {"email_two_at",
         {.familyName = "a", .emails = {"a@b", "t@@example.jp"}},
         Invalid,
         Email,
         1},
        {"email_space", {.familyName = "a", .emails = {"taro yamada@example.jp"}}, Invalid, Email},
        {"url_space", {.familyName = "a", .url = "https://example.jp/a b"}, Invalid, Url},
        {"note_bell", {.familyName = "a", .note = "bell\a"}, Invalid, Note},
        {"birthday_feb_29", {.familyName = "a", .birthday = "1990-02-29"}, Invalid, Birthday},
        {"birthday_month_13", {.familyName = "a", .birthday = "1990-13-01"}, Invalid, Birthday},
        {"organisation", {.familyName = "a", .organisation = "会社"}, NotAllowed, Organisation},
        {"title", {.familyName = "a", .title = "部長"}, NotAllowed, Title},
    };
    for (const auto& c : contacts) {
        rows.push_back({"mecard_" + c.label, BuildMeCard(c.contact), c.outcome, c.field, c.entry});
        if (c.outcome != NotAllowed) {
            rows.push_back(
                {"vcard_" + c.label, BuildVCard(c.contact), c.outcome, c.field, c.entry});
        }
    }
    return rows;
}

class ContactRefusals : public testing::TestWithParam<RefusalRow> {};
TEST_P(ContactRefusals, NameTheField) {
    ExpectRow(GetParam());
}
INSTANTIATE_TEST_SUITE_P(content, ContactRefusals, testing::ValuesIn(Refusals()), ByLabel{});

}  // namespace
}  // namespace quirvane
