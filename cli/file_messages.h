// The tool's words for a file it could not read or write: the option, the
// file (escaped, or "standard input"/"standard output") and the cause, the
// system's reason where the system gave one.
#pragma once

#include <string>
#include <string_view>

#include "text/file_bytes.h"

namespace quirvane {

// "--input: cannot read 'notes.txt': No such file or directory".
std::string CannotRead(std::string_view option, const std::string& path, const FileBytes& read);

// "--output: cannot write 'x.png': No space left on device".
std::string CannotWrite(std::string_view option, const std::string& path,
                        const WriteOutcome& written);

// The system's reason for errno `error`, in the locale's language.
std::string SystemReason(int error);

}  // namespace quirvane
