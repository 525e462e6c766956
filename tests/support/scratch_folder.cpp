#include "tests/support/scratch_folder.h"

#include <cstdlib>
#include <filesystem>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace quirvane::testing {

ScratchFolder::ScratchFolder() {
    char name[] = "/tmp/quirvane-test-XXXXXX";
    path_ = ::mkdtemp(name) != nullptr ? name : "/nonexistent";
}

ScratchFolder::~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::string ScratchFolder::operator/(std::string_view name) const {
    return path_ + "/" + std::string(name);
}

std::set<std::string> ScratchFolder::Names() const {
    std::set<std::string> names;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(path_, error)) {
        names.insert(entry.path().filename().string());
    }
    return names;
}

std::string ScratchFolder::DeviceNode(const char* name, unsigned minor) const {
    const std::string path = *this / name;
    if (::mknod(path.c_str(), S_IFCHR | 0666, makedev(1, minor)) == 0) {
        return path;
    }
    return ::geteuid() != 0 ? std::string("/dev/") + name : std::string();
}

}  // namespace quirvane::testing
