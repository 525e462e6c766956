#include "cli/file_messages.h"

#include <system_error>
#include <unistd.h>

#include "cli/printable.h"
#include "cli/tool_messages.h"
#include "text/temporary_file.h"

namespace quirvane {
namespace {

std::string KindName(mode_t kind) {
    if (S_ISFIFO(kind)) {
        return translate("quirvane-encode", "a FIFO (named pipe)");
    }
    if (S_ISSOCK(kind)) {
        return translate("quirvane-encode", "a socket");
    }
    if (S_ISCHR(kind)) {
        return translate("quirvane-encode", "a character device");
    }
    return translate("quirvane-encode", "a block device");
}

std::string ReadReason(const FileBytes& read) {
    if (read.error == EFBIG) {
        return Fill(
            translate("quirvane-encode", "longer than 16 MiB (%1 bytes), the most that is read"),
            {std::to_string(kMaxInputBytes)});
    }
    if (read.error == EINVAL) {
        return Fill(translate("quirvane-encode",
                              "it is %1; only files, pipes and character devices are read"),
                    {KindName(read.kind)});
    }
    return SystemReason(read.error);
}

std::string WriteReason(const WriteOutcome& written) {
    switch (written.problem) {
        case WriteProblem::NoTemporaryName:
            return Fill(translate("quirvane-encode",
                                  "no free name for a temporary file in its folder: the %1 "
                                  "names .quirvane-%2-*.tmp tried were all taken"),
                        {std::to_string(kTemporaryNameTries), std::to_string(::getpid())});
        case WriteProblem::FolderNotSynced:
            return Fill(translate("quirvane-encode",
                                  "the new file is in place, but its folder could not be "
                                  "synced: %1"),
                        {SystemReason(written.error)});
        case WriteProblem::SpecialFile:
            return Fill(translate("quirvane-encode", "it is %1; a batch writes only files"),
                        {KindName(written.kind)});
        case WriteProblem::Replaced:
            return translate("quirvane-encode", "another file has taken its name");
        case WriteProblem::None:
        case WriteProblem::System:
            break;
    }
    return SystemReason(written.error);
}

}  // namespace

std::string SystemReason(int error) {
    return std::generic_category().message(error);
}

std::string CannotRead(std::string_view option, const std::string& path, const FileBytes& read) {
    const std::string file =
        path == "-" ? translate("quirvane-encode", "standard input") : Quoted(path);
    return Fill(translate("quirvane-encode", "%1: cannot read %2: %3"),
                {option, file, ReadReason(read)});
}

std::string CannotWrite(std::string_view option, const std::string& path,
                        const WriteOutcome& written) {
    if (path == "-") {
        return Fill(translate("quirvane-encode", "%1: cannot write to standard output: %2"),
                    {option, WriteReason(written)});
    }
    return Fill(translate("quirvane-encode", "%1: cannot write %2: %3"),
                {option, Quoted(path), WriteReason(written)});
}

}  // namespace quirvane
