#include "app/wifi_dialog.h"

#include <QCheckBox>
#include <QComboBox>

#include "app/dialog_builder.h"

namespace quirvane::app {
namespace {

// The list's items, in the order of WifiSecurity.
const char* const kSecurityItems[] = {"WPA/WPA2", "WEP", "なし"};

const char kSsidMissing[] = "SSID を入力してください";
const char kSsidInvalid[] = "SSID は 32 バイトまでで、制御文字は使えません";
const char kPasswordMissing[] = "パスワードを入力してください";
const char kPasswordNotAllowed[] = "暗号化「なし」ではパスワードは入力できません";
const char kWpaKeyInvalid[] =
    "WPA/WPA2 のパスワードは 8～63 文字の半角英数字記号か、64 桁の 16 進数です";
const char kWepKeyInvalid[] =
    "WEP のパスワードは 5 文字か 13 文字の半角英数字記号か、10 桁か 26 桁の 16 進数です";

}  // namespace

WifiDialog::WifiDialog(QWidget* parent) : ContentDialog(kWifiTemplate, parent) {
    auto* security = qobject_cast<QComboBox*>(Control(kSecurity));
    for (const char* item : kSecurityItems) {
        security->addItem(QString::fromUtf8(item));
    }
    FitListToItems(security, BaseUnitsOf(font()));
}

WifiSecurity WifiDialog::Security() const {
    return static_cast<WifiSecurity>(qobject_cast<QComboBox*>(Control(kSecurity))->currentIndex());
}

ContentText WifiDialog::Build() const {
    return BuildWifi(WifiNetwork{
        .security = Security(),
        .ssid = FieldText(kSsid),
        .password = FieldText(kPassword),
        .hidden = qobject_cast<QCheckBox*>(Control(kHidden))->isChecked(),
    });
}

ContentRefusal WifiDialog::RefusalOf(const ContentText& refused) const {
    if (refused.field == ContentField::Ssid) {
        return {refused.outcome == ContentOutcome::Missing ? kSsidMissing : kSsidInvalid, kSsid};
    }
    // The rest of what BuildWifi refuses is the password.
    switch (refused.outcome) {
        case ContentOutcome::Missing:
            return {kPasswordMissing, kPassword};
        case ContentOutcome::NotAllowed:
            return {kPasswordNotAllowed, kPassword};
        default:
            return {Security() == WifiSecurity::Wep ? kWepKeyInvalid : kWpaKeyInvalid, kPassword};
    }
}

}  // namespace quirvane::app
