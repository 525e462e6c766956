// The network a phone joins when it reads the symbol. The key lengths are
// those Wi-Fi itself takes, so a typing mistake is caught here and not at the
// phone: a WPA passphrase of 8-63 printable ASCII characters or a 64-digit
// hex key, a WEP key of 5 or 13 characters (40 or 104 bits) or 10 or 26 hex
// digits.
#include <algorithm>
#include <string>

#include <quirvane/content.h>

#include "content/content_text.h"

namespace quirvane {
namespace {

constexpr std::size_t kLongestSsid = 32;  // bytes

bool IsPrintableAscii(const std::string& text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= 0x20 && c <= 0x7E; });
}

bool IsHex(const std::string& text) {
    return std::all_of(text.begin(), text.end(), [](char c) {
        return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
    });
}

bool IsKey(const std::string& key, std::size_t characters, std::size_t hexDigits) {
    return (key.size() == characters && IsPrintableAscii(key)) ||
           (key.size() == hexDigits && IsHex(key));
}

bool IsValidKey(WifiSecurity security, const std::string& key) {
    if (security == WifiSecurity::Wep) {
        return IsKey(key, 5, 10) || IsKey(key, 13, 26);
    }
    return (key.size() >= 8 && key.size() <= 63 && IsPrintableAscii(key)) ||
           (key.size() == 64 && IsHex(key));
}

std::string Escaped(const std::string& value) {
    return content::BackslashEscaped(value, "\\;,:\"");
}

}  // namespace

ContentText BuildWifi(const WifiNetwork& network) {
    using content::Refused;
    if (network.ssid.empty()) {
        return Refused(ContentOutcome::Missing, ContentField::Ssid);
    }
    if (network.ssid.size() > kLongestSsid || !content::IsPlainText(network.ssid) ||
        content::HasLineBreak(network.ssid)) {
        return Refused(ContentOutcome::Invalid, ContentField::Ssid);
    }
    const bool open = network.security == WifiSecurity::Open;
    if (open && !network.password.empty()) {
        return Refused(ContentOutcome::NotAllowed, ContentField::Password);
    }
    if (!open && network.password.empty()) {
        return Refused(ContentOutcome::Missing, ContentField::Password);
    }
    if (!open && !IsValidKey(network.security, network.password)) {
        return Refused(ContentOutcome::Invalid, ContentField::Password);
    }
    std::string text = "WIFI:T:";
    text += open ? "nopass" : network.security == WifiSecurity::Wep ? "WEP" : "WPA";
    text += ";S:" + Escaped(network.ssid) + ';';
    if (!open) {
        text += "P:" + Escaped(network.password) + ';';
    }
    if (network.hidden) {
        text += "H:true;";
    }
    return content::Made(text + ';');
}

}  // namespace quirvane
