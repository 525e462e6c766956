#include "cli/batch_plan.h"

#include <climits>
#include <cstdlib>

#include "cli/file_messages.h"
#include "cli/printable.h"
#include "cli/tool_messages.h"
#include "cli/tool_text.h"
#include "text/file_bytes.h"

namespace quirvane {
namespace {

std::string RealFolder(const std::string& folder) {
    char real[PATH_MAX];
    return ::realpath(folder.c_str(), real) != nullptr ? std::string(real) : std::string();
}

}  // namespace

std::string CountAndName(BatchSource& source, const EncodeOptions& options,
                         const NamePattern& pattern, BatchReport& report, BatchPlan& plan) {
    std::string line;
    ToolText text;
    bool tooLong = false;
    while (source.Next(line, tooLong)) {
        if (plan.lineCount == INT_MAX - 1) {
            return Fill(translate("quirvane-encode", "--batch: more than %1 lines"),
                        {std::to_string(INT_MAX - 1)});
        }
        if ((++plan.lineCount & 0xFFFF) == 0) {
            report.Counting(plan.lineCount);
        }
        if (line.empty() && !tooLong) {
            continue;
        }
        ++plan.items;
        if (pattern.HasText()) {
            const bool decoded = LineText(line, options.encoding, text).empty();
            plan.names.Add(plan.lineCount,
                           SafeNameText(decoded ? text.bytes : line, pattern.TextBytes()));
        }
    }
    if (source.Error() != 0) {
        FileBytes failure;
        failure.error = source.Error();
        return CannotRead("--batch", options.batchPath, failure);
    }
    return {};
}

std::string NamesProblem(const NamePattern& pattern, const BatchPlan& plan,
                         const std::string& input) {
    if (plan.items > 1 && !pattern.HasText() && !pattern.HasNumber()) {
        return translate("quirvane-encode",
                         "--output: a batch of several lines needs {n} or {text} in the name");
    }
    if (pattern.HasText() && pattern.TextBytes() == 0) {
        return translate("quirvane-encode",
                         "--output: the pattern leaves {text} no room in 255 bytes");
    }
    const auto nameOf = [&](int line) {
        return pattern.NameOf(line, plan.lineCount, plan.names.Of(line));
    };
    if (pattern.HasText() && !pattern.HasNumber()) {
        if (const auto [first, second] = plan.names.FirstCollision(); first != 0) {
            return Fill(translate("quirvane-encode",
                                  "--output: lines %1 and %2 would both be written to %3"),
                        {std::to_string(first), std::to_string(second), Quoted(nameOf(first))});
        }
    }
    // No name is the input unless one may lie in the input's folder.
    const std::size_t slash = input.rfind('/');
    if (input.empty() || (!pattern.FieldInFolders() &&
                          RealFolder(pattern.FixedFolder()) != input.substr(0, slash))) {
        return {};
    }
    const std::string_view base = std::string_view(input).substr(slash + 1);
    for (int line = 1; line <= plan.lineCount; ++line) {
        const std::string name = nameOf(line);
        if (name.substr(name.rfind('/') + 1) == base &&
            RealFolder(FolderOf(name)) == input.substr(0, slash)) {
            return Fill(translate("quirvane-encode",
                                  "--output: line %1 would be written to %2, the batch's own "
                                  "input"),
                        {std::to_string(line), Quoted(name)});
        }
    }
    return {};
}

}  // namespace quirvane
