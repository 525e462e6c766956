#include "cli/content_options.h"

#include <QtGlobal>

#include <algorithm>
#include <string_view>

#include "cli/printable.h"
#include "cli/tool_messages.h"

namespace quirvane {
namespace {

using F = ContentFormat;

constexpr unsigned Bit(F format) {
    return 1U << static_cast<unsigned>(format);
}

constexpr unsigned kContact = Bit(F::MeCard) | Bit(F::VCard);

struct FieldUse {
    std::string_view name;
    unsigned formats;
    bool repeats;  // in a contact: several phones or emails
};

constexpr FieldUse kFieldUses[] = {
    {"ssid", Bit(F::Wifi), false},
    {"password", Bit(F::Wifi), false},
    {"security", Bit(F::Wifi), false},
    {"hidden", Bit(F::Wifi), false},
    {"family-name", kContact, false},
    {"given-name", kContact, false},
    {"family-reading", kContact, false},
    {"given-reading", kContact, false},
    {"phone", kContact | Bit(F::Phone) | Bit(F::Sms), true},
    {"email", kContact | Bit(F::Mail), true},
    {"organisation", Bit(F::VCard), false},
    {"title", Bit(F::VCard), false},
    {"address", kContact, false},
    {"url", kContact, false},
    {"note", kContact, false},
    {"birthday", kContact, false},
    {"subject", Bit(F::Mail), false},
    {"body", Bit(F::Mail) | Bit(F::Sms), false},
    {"latitude", Bit(F::Geo), false},
    {"longitude", Bit(F::Geo), false},
    {"summary", Bit(F::Event), false},
    {"start", Bit(F::Event), false},
    {"end", Bit(F::Event), false},
    {"location", Bit(F::Event), false},
};

// The option of a field the library names, and the value it refused.
struct FieldShown {
    std::string option;
    const std::string* value;  // nullptr when the field is two options
};

FieldShown Shown(const ContentFields& f, const ContentText& built) {
    const Contact& c = f.contact;
    const auto entry = [&](const std::vector<std::string>& list) {
        const auto at = static_cast<std::size_t>(built.entry);
        return at < list.size() ? &list[at] : nullptr;
    };
    switch (built.field) {
        case ContentField::Ssid:
            return {"--ssid", &f.wifi.ssid};
        case ContentField::Password:
            return {"--password", &f.wifi.password};
        case ContentField::Name:
            return {translate("quirvane-encode", "--family-name or --given-name"), nullptr};
        case ContentField::Reading:
            return {translate("quirvane-encode", "--family-reading or --given-reading"), nullptr};
        case ContentField::Organisation:
            return {"--organisation", &c.organisation};
        case ContentField::Title:
            return {"--title", &c.title};
        case ContentField::Phone:
            return {"--phone", entry(c.phones)};
        case ContentField::Email:
            return {"--email", entry(c.emails)};
        case ContentField::Address:
            return {"--address", &c.address};
        case ContentField::Url:
            return {"--url", &c.url};
        case ContentField::Note:
            return {"--note", &c.note};
        case ContentField::Birthday:
            return {"--birthday", &c.birthday};
        case ContentField::Subject:
            return {"--subject", &f.subject};
        case ContentField::Body:
        case ContentField::Message:
            return {"--body", &f.body};
        case ContentField::Latitude:
            return {"--latitude", &f.location.latitude};
        case ContentField::Longitude:
            return {"--longitude", &f.location.longitude};
        case ContentField::Summary:
            return {"--summary", &f.event.summary};
        case ContentField::Start:
            return {"--start", &f.event.start};
        case ContentField::End:
            return {"--end", &f.event.end};
        case ContentField::Location:
            return {"--location", &f.event.location};
        case ContentField::None:
            break;
    }
    return {"", nullptr};
}

// What an invalid value of the field must be.
std::string Accepted(ContentField field) {
    const char* words = nullptr;
    switch (field) {
        case ContentField::Ssid:
            words = QT_TRANSLATE_NOOP("quirvane-encode", "use 1 to 32 bytes, without a line break");
            break;
        case ContentField::Password:
            words = QT_TRANSLATE_NOOP("quirvane-encode",
                                      "WPA takes 8 to 63 ASCII characters or 64 hex digits, WEP 5 "
                                      "or 13 characters or 10 or 26 hex digits");
            break;
        case ContentField::Phone:
            words =
                QT_TRANSLATE_NOOP("quirvane-encode", "use digits, with a + before them if need be");
            break;
        case ContentField::Email:
            words =
                QT_TRANSLATE_NOOP("quirvane-encode", "use one address, such as name@example.com");
            break;
        case ContentField::Birthday:
            words = QT_TRANSLATE_NOOP("quirvane-encode", "use a date that exists, YYYY-MM-DD");
            break;
        case ContentField::Latitude:
            words = QT_TRANSLATE_NOOP("quirvane-encode", "use decimal degrees, -90 to 90");
            break;
        case ContentField::Longitude:
            words = QT_TRANSLATE_NOOP("quirvane-encode", "use decimal degrees, -180 to 180");
            break;
        case ContentField::Start:
        case ContentField::End:
            words = QT_TRANSLATE_NOOP("quirvane-encode",
                                      "use a date that exists, YYYY-MM-DD, or a moment, "
                                      "YYYY-MM-DDTHH:MM with Z or an offset such as +09:00");
            break;
        default:
            words = QT_TRANSLATE_NOOP("quirvane-encode",
                                      "the text must be UTF-8, without control characters");
            break;
    }
    return translate("quirvane-encode", words);
}

std::string Refusal(const ContentFields& f, const ContentText& built) {
    const FieldShown shown = Shown(f, built);
    switch (built.outcome) {
        case ContentOutcome::Missing:
            return Fill(translate("quirvane-encode", "%1 needs %2"),
                        {ContentFormatOption(f.format), shown.option});
        case ContentOutcome::Invalid:
            return shown.value == nullptr
                       ? Fill(translate("quirvane-encode", "%1: not accepted; %2"),
                              {shown.option, Accepted(built.field)})
                       : Fill(translate("quirvane-encode", "%1: %2 is not accepted; %3"),
                              {shown.option, Quoted(*shown.value), Accepted(built.field)});
        case ContentOutcome::NotAllowed:
            return Fill(translate("quirvane-encode", "%1 does not go with %2"),
                        {shown.option, built.field == ContentField::Password
                                           ? "--security nopass"
                                           : ContentFormatOption(f.format)});
        case ContentOutcome::EndBeforeStart:
            return translate("quirvane-encode", "--end: the event ends before it starts");
        case ContentOutcome::EndKindDiffers:
            return translate("quirvane-encode",
                             "--end: give --start and --end both as dates, or both as moments");
        case ContentOutcome::Built:
            break;
    }
    return {};
}

}  // namespace

std::string ContentFormatOption(ContentFormat format) {
    constexpr const char* kOptions[] = {"",      "--wifi", "--mecard", "--vcard", "--mailto",
                                        "--tel", "--sms",  "--geo",    "--event"};
    return kOptions[static_cast<int>(format)];
}

std::string ContentFieldProblem(const ContentFields& fields) {
    for (const std::string& name : fields.given) {
        const auto use = std::find_if(std::begin(kFieldUses), std::end(kFieldUses),
                                      [&](const FieldUse& u) { return u.name == name; });
        const std::string option = "--" + name;
        if (fields.format == F::None) {
            return Fill(translate("quirvane-encode",
                                  "%1 is a field of a content format: give --wifi, --mecard, "
                                  "--vcard, --mailto, --tel, --sms, --geo or --event"),
                        {option});
        }
        if ((use->formats & Bit(fields.format)) == 0) {
            return Fill(translate("quirvane-encode", "%1 does not go with %2"),
                        {option, ContentFormatOption(fields.format)});
        }
        const bool once = !use->repeats || (kContact & Bit(fields.format)) == 0;
        if (once && std::count(fields.given.begin(), fields.given.end(), name) > 1) {
            return Fill(translate("quirvane-encode", "%1 goes only once with %2"),
                        {option, ContentFormatOption(fields.format)});
        }
    }
    return {};
}

ContentMade BuildContent(const ContentFields& f) {
    const auto first = [](const std::vector<std::string>& list) {
        return list.empty() ? std::string() : list.front();
    };
    ContentText built;
    switch (f.format) {
        case F::Wifi:
            built = BuildWifi(f.wifi);
            break;
        case F::MeCard:
            built = BuildMeCard(f.contact);
            break;
        case F::VCard:
            built = BuildVCard(f.contact);
            break;
        case F::Mail:
            built = BuildMail({first(f.contact.emails), f.subject, f.body});
            break;
        case F::Phone:
            built = BuildPhone(first(f.contact.phones));
            break;
        case F::Sms:
            built = BuildTextMessage({first(f.contact.phones), f.body});
            break;
        case F::Geo:
            built = BuildMapLocation(f.location);
            break;
        case F::Event:
            built = BuildCalendarEvent(f.event);
            break;
        case F::None:
            break;
    }
    return built.Built() ? ContentMade{std::move(built.text), {}}
                         : ContentMade{{}, Refusal(f, built)};
}

}  // namespace quirvane
