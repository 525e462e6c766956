#include "cli/option_parser.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "cli/option_table.h"
#include "cli/printable.h"
#include "cli/tool_messages.h"

namespace quirvane {
namespace {

// Calls `each` with every long name of the option, its own and its aliases.
template <typename Each>
void ForEachName(const OptionEntry& entry, Each each) {
    each(std::string_view(entry.name));
    for (std::string_view aliases = entry.aliases; !aliases.empty();) {
        const std::size_t space = aliases.find(' ');
        each(aliases.substr(0, space));
        aliases = space == std::string_view::npos ? "" : aliases.substr(space + 1);
    }
}

const OptionEntry* FindLong(std::string_view name) {
    for (const OptionEntry& entry : Options()) {
        bool found = false;
        ForEachName(entry, [&](std::string_view known) { found = found || known == name; });
        if (found) {
            return &entry;
        }
    }
    return nullptr;
}

const OptionEntry* FindLetter(char letter) {
    for (const OptionEntry& entry : Options()) {
        if (std::string_view(entry.letters).find(letter) != std::string_view::npos) {
            return &entry;
        }
    }
    return nullptr;
}

// Edits (insert, delete, replace, swap two neighbours) from a to b.
int Distance(std::string_view a, std::string_view b) {
    std::vector<std::vector<int>> d(a.size() + 1, std::vector<int>(b.size() + 1));
    for (std::size_t i = 0; i <= a.size(); ++i) {
        for (std::size_t j = 0; j <= b.size(); ++j) {
            if (i == 0 || j == 0) {
                d[i][j] = static_cast<int>(i + j);
                continue;
            }
            d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1,
                                d[i - 1][j - 1] + (a[i - 1] == b[j - 1] ? 0 : 1)});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1]) {
                d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
            }
        }
    }
    return d[a.size()][b.size()];
}

// The known long name nearest to `name`, as "--name": one it begins, or one
// a slip or two away; "" when none is that near.
std::string Nearest(std::string_view name) {
    std::string best;
    int bestDistance = 3;
    for (const OptionEntry& entry : Options()) {
        ForEachName(entry, [&](std::string_view known) {
            const int distance =
                name.size() >= 2 && known.starts_with(name) ? 1 : Distance(name, known);
            if (distance < bestDistance && 2 * distance <= static_cast<int>(name.size())) {
                bestDistance = distance;
                best = "--" + std::string(known);
            }
        });
    }
    return best;
}

std::string Unknown(std::string_view typed, const std::string& nearest) {
    return nearest.empty()
               ? Fill(translate("quirvane-encode", "unknown option %1; see --help"),
                      {Quoted(typed)})
               : Fill(translate("quirvane-encode", "unknown option %1; did you mean %2?"),
                      {Quoted(typed), nearest});
}

std::string Apply(const OptionEntry& entry, std::string_view typed, std::string_view value,
                  EncodeOptions& o) {
    const std::string accepts = entry.apply(value, o);
    return accepts.empty() ? accepts
                           : Fill(translate("quirvane-encode", "%1: %2 is not accepted; %3"),
                                  {typed, Quoted(value), accepts});
}

std::string NeedsValue(std::string_view typed) {
    return Fill(translate("quirvane-encode", "%1 needs a value; see --help"), {typed});
}

class Reader {
  public:
    Reader(int argc, const char* const* argv, EncodeOptions& options)
        : argc_(argc), argv_(argv), o_(options) {}

    std::string Read() {
        bool optionsEnded = false;
        for (i_ = 1; i_ < argc_; ++i_) {
            const std::string_view arg = argv_[i_];
            std::string error;
            if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
                if (o_.hasText) {
                    return translate("quirvane-encode",
                                     "more than one text given: quote the text, or use --input "
                                     "FILE");
                }
                o_.hasText = true;
                o_.text = arg;
            } else if (arg == "--") {
                optionsEnded = true;
            } else {
                error = arg.starts_with("--") ? ReadLong(arg) : ReadLetters(arg);
            }
            if (!error.empty()) {
                return error;
            }
        }
        return {};
    }

  private:
    const char* NextArgument() { return i_ + 1 < argc_ ? argv_[++i_] : nullptr; }

    std::string ReadLong(std::string_view arg) {
        const std::size_t equals = arg.find('=');
        const std::string_view typed = arg.substr(0, equals);
        const OptionEntry* entry = FindLong(typed.substr(2));
        if (entry == nullptr) {
            return Unknown(typed, Nearest(typed.substr(2)));
        }
        // An optional value is given only after '=': the next argument is the text.
        const bool optional = entry->value != nullptr && entry->value[0] == '[';
        if (entry->value == nullptr || (optional && equals == std::string_view::npos)) {
            return equals == std::string_view::npos
                       ? entry->apply({}, o_)
                       : Fill(translate("quirvane-encode", "%1 takes no value"), {typed});
        }
        if (equals != std::string_view::npos) {
            return Apply(*entry, typed, arg.substr(equals + 1), o_);
        }
        const char* value = NextArgument();
        return value == nullptr ? NeedsValue(typed) : Apply(*entry, typed, value, o_);
    }

    std::string ReadLetters(std::string_view arg) {
        // "-size" is -s with "ize", which no option takes: --size was meant.
        const std::string_view word = arg.substr(1);
        const std::string longForm = FindLong(word) != nullptr ? "--" + std::string(word) : "";
        for (std::size_t j = 1; j < arg.size(); ++j) {
            const std::string typed = {'-', arg[j]};
            const OptionEntry* entry = FindLetter(arg[j]);
            if (entry == nullptr) {
                return Unknown(longForm.empty() ? std::string_view(typed) : arg, longForm);
            }
            if (entry->value == nullptr) {
                entry->apply({}, o_);
                continue;
            }
            const std::string_view rest = arg.substr(j + 1);
            const char* value = rest.empty() ? NextArgument() : nullptr;
            if (rest.empty() && value == nullptr) {
                return NeedsValue(typed);
            }
            const std::string error = Apply(*entry, typed, rest.empty() ? value : rest, o_);
            return error.empty() || longForm.empty() || rest.empty() ? error
                                                                     : Unknown(arg, longForm);
        }
        return {};
    }

    int argc_;
    const char* const* argv_;
    EncodeOptions& o_;
    int i_ = 0;
};

}  // namespace

ParseResult ParseEncodeOptions(int argc, const char* const* argv) {
    ParseResult result;
    result.error = Reader(argc, argv, result.options).Read();
    result.ok = result.error.empty();
    return result;
}

}  // namespace quirvane
