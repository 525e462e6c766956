#include "app/dialog_font.h"

#include <QFontDatabase>

namespace quirvane::app {
namespace {

// Proportional Japanese gothics first, the monospaced ones last: the
// templates were laid out for a proportional font.
const char* const kPreferredFamilies[] = {
    "Noto Sans CJK JP", "Source Han Sans JP", "IPAexGothic", "TakaoPGothic",
    "VL PGothic",       "IPAGothic",          "TakaoGothic",
};

std::optional<QStringList>& TheFamiliesForTesting() {
    static std::optional<QStringList> families;
    return families;
}

bool IsPlainSans(const QString& family) {
    for (const char* word : {"Serif", "Mincho", "Mono"}) {
        if (family.contains(QLatin1String(word), Qt::CaseInsensitive)) {
            return false;
        }
    }
    return true;
}

}  // namespace

QString ResolveDialogFamily(const QString& templateFamily, const QStringList& japaneseFamilies) {
    if (japaneseFamilies.contains(templateFamily, Qt::CaseInsensitive)) {
        return templateFamily;
    }
    for (const char* preferred : kPreferredFamilies) {
        if (japaneseFamilies.contains(QLatin1String(preferred), Qt::CaseInsensitive)) {
            return QString::fromLatin1(preferred);
        }
    }
    for (const QString& family : japaneseFamilies) {
        if (IsPlainSans(family)) {
            return family;
        }
    }
    return japaneseFamilies.isEmpty() ? templateFamily : japaneseFamilies.constFirst();
}

QStringList JapaneseFamilies() {
    if (TheFamiliesForTesting()) {
        return *TheFamiliesForTesting();
    }
    return QFontDatabase::families(QFontDatabase::Japanese);
}

QFont DialogFontOf(const QString& templateFamily, int points) {
    QFont font(ResolveDialogFamily(templateFamily, JapaneseFamilies()), points);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

void SetJapaneseFamiliesForTesting(std::optional<QStringList> families) {
    TheFamiliesForTesting() = std::move(families);
}

}  // namespace quirvane::app
