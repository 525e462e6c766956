// A folder for one test to make files in, with what the file tests keep
// asking of it: its names as bytes (some are not UTF-8) and device nodes of
// its own, so that a fault never touches the system's /dev/null or /dev/full.
#pragma once

#include <set>
#include <string>
#include <string_view>

namespace quirvane::testing {

class ScratchFolder {
  public:
    ScratchFolder();   // a new folder under /tmp
    ~ScratchFolder();  // removed with all it holds
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::string& Path() const { return path_; }
    std::string operator/(std::string_view name) const;
    std::set<std::string> Names() const;  // what it holds, sorted

    // A character device of major 1 here (minor 3 is null, 7 is full). A user
    // who may not make one gets the system's node, which such a user cannot
    // replace anyway; root without the right gets "" and the test passes over it.
    std::string DeviceNode(const char* name, unsigned minor) const;

  private:
    std::string path_;
};

}  // namespace quirvane::testing
