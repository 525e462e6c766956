// What quirvane-encode says, in the user's language: English, or Japanese
// when the locale POSIX gives messages in is Japanese. Every text goes
// through translate(), which lupdate finds by its name and context and
// collects into cli/translations/.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace quirvane {

// LC_ALL, else LC_MESSAGES, else LANG (the first one set) starts with "ja".
bool JapaneseWanted();

// Loads the Japanese messages into the running QCoreApplication when they are
// wanted: from next to the executable (the build tree), else from where they
// are installed beside it. English when neither has them.
void LoadTranslation();

// `english` in the user's language, as UTF-8. The context is always
// "quirvane-encode"; the name is Qt's, so that lupdate collects each call.
std::string translate(const char* context, const char* english);

// `pattern` with %1 to %9 replaced by the values, all in one pass, so that a
// value holding "%2" stays as it is.
std::string Fill(std::string_view pattern, std::initializer_list<std::string_view> values);

}  // namespace quirvane
