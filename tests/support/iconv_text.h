// glibc's converters, the reference the program's own Shift_JIS and code page
// 932 tables are held against: a text converted whole, or nothing.
#pragma once

#include <iconv.h>
#include <optional>
#include <string>
#include <string_view>

namespace quirvane::testing {

class Iconv {
  public:
    Iconv(const char* to, const char* from) : handle_(::iconv_open(to, from)) {}
    ~Iconv() {
        if (IsOpen()) {
            ::iconv_close(handle_);
        }
    }
    Iconv(const Iconv&) = delete;
    Iconv& operator=(const Iconv&) = delete;

    bool IsOpen() const { return handle_ != reinterpret_cast<iconv_t>(-1); }

    // All of `input`, each call afresh; nothing when any of it has no form.
    std::optional<std::string> operator()(std::string_view input) {
        std::string in(input), out(4 * input.size() + 16, '\0');
        char* from = in.data();
        char* to = out.data();
        std::size_t fromLeft = in.size(), toLeft = out.size();
        constexpr std::size_t kFailed = static_cast<std::size_t>(-1);
        if (!IsOpen() || ::iconv(handle_, nullptr, nullptr, nullptr, nullptr) == kFailed ||
            ::iconv(handle_, &from, &fromLeft, &to, &toLeft) == kFailed ||
            ::iconv(handle_, nullptr, nullptr, &to, &toLeft) == kFailed) {
            return std::nullopt;
        }
        out.resize(out.size() - toLeft);
        return out;
    }

  private:
    iconv_t handle_;
};

// UTF-8 text in `charset` ("CP932", "SHIFT_JIS", ...).
inline std::optional<std::string> Converted(std::string_view utf8, const char* charset) {
    return Iconv(charset, "UTF-8")(utf8);
}

}  // namespace quirvane::testing
