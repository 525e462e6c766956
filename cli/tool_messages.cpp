#include "cli/tool_messages.h"

#include <QCoreApplication>
#include <QTranslator>

#include <cstdlib>
#include <vector>

namespace quirvane {

bool JapaneseWanted() {
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && *value != '\0') {
            return std::string_view(value).starts_with("ja");
        }
    }
    return false;
}

void LoadTranslation() {
    if (!JapaneseWanted()) {
        return;
    }
    // Kept for the life of the program, as the application holds only a pointer.
    static QTranslator translator;
    const QString here = QCoreApplication::applicationDirPath();
    for (const QString& folder :
         {here, here + QStringLiteral("/" QUIRVANE_TRANSLATIONS_FROM_BINARY)}) {
        if (translator.load(QStringLiteral("quirvane-encode_ja"), folder)) {
            QCoreApplication::installTranslator(&translator);
            return;
        }
    }
}

std::string translate(const char* context, const char* english) {
    return QCoreApplication::translate(context, english).toStdString();
}

std::string Fill(std::string_view pattern, std::initializer_list<std::string_view> values) {
    const std::vector<std::string_view> value(values);
    std::string text;
    text.reserve(pattern.size() + 64);
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char next = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
        const std::size_t index = static_cast<std::size_t>(next - '1');
        if (pattern[i] == '%' && next >= '1' && next <= '9' && index < value.size()) {
            text += value[index];
            ++i;
        } else {
            text += pattern[i];
        }
    }
    return text;
}

}  // namespace quirvane
