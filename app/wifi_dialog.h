// The Wi-Fi dialog of 「入力支援」 (template 130): the network a phone joins
// when it reads the symbol, as WIFI:T:…;S:…;P:…;H:true;; (BuildWifi).
#pragma once

#include "app/content_dialog.h"

namespace quirvane::app {

class WifiDialog : public ContentDialog {
    Q_OBJECT

  public:
    explicit WifiDialog(QWidget* parent = nullptr);

    // Ids of the fields; the list's items are WPA/WPA2, WEP and なし.
    static constexpr int kSsid = 1101;
    static constexpr int kPassword = 1102;
    static constexpr int kSecurity = 1103;
    static constexpr int kHidden = 1104;

  protected:
    ContentText Build() const override;
    ContentRefusal RefusalOf(const ContentText& refused) const override;

  private:
    WifiSecurity Security() const;
};

}  // namespace quirvane::app
