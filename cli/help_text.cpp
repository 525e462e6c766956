#include "cli/help_text.h"

#include <string_view>

#include "cli/option_table.h"
#include "cli/tool_messages.h"

namespace quirvane {
namespace {

// Where the descriptions start, as in GNU tools' help.
constexpr std::size_t kDescriptionColumn = 32;

std::string GroupTitle(OptionGroup group) {
    switch (group) {
        case OptionGroup::Symbol:
            return translate("quirvane-encode", "What to make:");
        case OptionGroup::Parts:
            return translate("quirvane-encode",
                             "A long text over several symbols (structured append):");
        case OptionGroup::Industry:
            return translate("quirvane-encode", "GS1 and other industry formats:");
        case OptionGroup::Content:
            return translate("quirvane-encode",
                             "Texts phones act on, made from the fields below (one format):");
        case OptionGroup::ContentFields:
            return translate("quirvane-encode", "Their fields:");
        case OptionGroup::Drawing:
            return translate("quirvane-encode", "How to draw it:");
        case OptionGroup::Check:
            return translate("quirvane-encode", "Will it scan:");
        case OptionGroup::Files:
            return translate("quirvane-encode", "Where from and where to:");
        case OptionGroup::Batch:
            return translate("quirvane-encode", "Batches:");
        case OptionGroup::Messages:
            break;
    }
    return translate("quirvane-encode", "Messages:");
}

std::string OptionColumn(const OptionEntry& entry) {
    // Long names line up whether or not one letter comes before them.
    std::string names = *entry.letters == '\0' ? "      " : "  ";
    for (const char letter : std::string_view(entry.letters)) {
        names += {'-', letter, ',', ' '};
    }
    names.append("--").append(entry.name);
    if (entry.value != nullptr) {
        names.append(entry.value[0] == '[' ? "" : " ").append(entry.value);
    }
    return names;
}

std::string Aliases(const OptionEntry& entry) {
    std::string list;
    for (std::string_view aliases = entry.aliases; !aliases.empty();) {
        const std::size_t space = aliases.find(' ');
        list += (list.empty() ? "--" : ", --") + std::string(aliases.substr(0, space));
        aliases = space == std::string_view::npos ? "" : aliases.substr(space + 1);
    }
    return list.empty() ? list : Fill(translate("quirvane-encode", "also %1"), {list});
}

void AppendOption(std::string& help, const OptionEntry& entry) {
    std::string line = OptionColumn(entry);
    std::string description = translate("quirvane-encode", entry.help);
    if (const std::string aliases = Aliases(entry); !aliases.empty()) {
        description += "\n" + aliases;
    }
    for (std::size_t start = 0; start <= description.size();) {
        const std::size_t end = std::min(description.find('\n', start), description.size());
        if (line.size() + 2 > kDescriptionColumn) {
            help += line + "\n";
            line.clear();
        }
        line.resize(kDescriptionColumn, ' ');
        help += line + description.substr(start, end - start) + "\n";
        line.clear();
        start = end + 1;
    }
}

}  // namespace

std::string HelpText() {
    std::string help =
        translate("quirvane-encode",
                  "Usage: quirvane-encode [OPTION]... [--] TEXT\n"
                  "  or:  quirvane-encode [OPTION]... [-r FILE]\n"
                  "  or:  quirvane-encode [OPTION]... --batch FILE -o PATTERN\n"
                  "Encode TEXT, the content of FILE or standard input as a QR Code symbol. By\n"
                  "default the tool picks the smallest version that holds the whole text, the\n"
                  "mask that scans best and the shortest mix of modes that every common reader\n"
                  "decodes to the same text, and says nothing unless something goes wrong.\n");
    OptionGroup group = OptionGroup::Messages;
    bool first = true;
    for (const OptionEntry& entry : Options()) {
        if (first || entry.group != group) {
            help.append("\n").append(GroupTitle(entry.group)).append("\n");
            group = entry.group;
            first = false;
        }
        AppendOption(help, entry);
    }
    return help + "\n" +
           translate(
               "quirvane-encode",
               "TEXT and FILE are UTF-8 or Shift_JIS. COLOUR is R,G,B (each 0-255) or RRGGBB\n"
               "in hex, with or without #. In a batch's name pattern, {n} is the line number,\n"
               "zero-padded to the width of the count, and {text} the line made safe for a\n"
               "file name; the pattern needs an extension the tool writes, or -t. With -S,\n"
               "{part} in --output is the part's number, zero-padded to the width of the\n"
               "count.\n"
               "Messages are in Japanese when LC_ALL, LC_MESSAGES or LANG starts with \"ja\".\n"
               "Exit status: 0 symbol written, 1 text refused, 2 bad option or file,\n"
               "3 written but --check found that it does not read back or grades F.\n");
}

}  // namespace quirvane
