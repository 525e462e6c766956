// A folder for one test to make files in, with what the file tests keep
// asking of it: its names as bytes (some are not UTF-8) and device nodes of
// its own, so that a fault never touches the system's /dev/null or /dev/full;
// and files read, written and looked at as bytes.
#pragma once

#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <string_view>
#include <sys/stat.h>

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

inline std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return in ? std::string(std::istreambuf_iterator<char>(in), {}) : "<no file>";
}

inline void WriteFile(const std::string& path, std::string_view bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// The kind and permissions of what `path` names, a link itself; 0 when nothing.
inline mode_t ModeOf(const std::string& path) {
    struct stat status {};
    return ::lstat(path.c_str(), &status) == 0 ? status.st_mode : 0;
}

}  // namespace quirvane::testing
