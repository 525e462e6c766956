#include "cli/batch_names.h"

#include <algorithm>
#include <numeric>

#include "text/file_bytes.h"
#include "text/input_text.h"

namespace quirvane {
namespace {

constexpr std::size_t kMostNameBytes = 255;
constexpr std::size_t kMostNumberDigits = 10;

bool Unsafe(char32_t c) {
    return c < 0x20 || c == 0x7F || (c >= 0x80 && c < 0xA0) || c == U'/' || c == U'\\';
}

}  // namespace

std::string SafeNameText(std::string_view text, std::size_t maxBytes) {
    std::string safe;
    for (std::size_t at = 0; at < text.size();) {
        int length = 0;
        const char32_t c = Utf8CharacterAt(text, at, length);
        const bool keep = length > 0 && !Unsafe(c) && !(safe.empty() && c == U'.');
        const std::string_view piece =
            keep ? text.substr(at, static_cast<std::size_t>(length)) : std::string_view("_");
        if (safe.size() + piece.size() > maxBytes) {
            break;
        }
        safe += piece;
        at += length > 0 ? static_cast<std::size_t>(length) : 1;
    }
    return safe.empty() || safe == "-" ? std::string("_") : safe;
}

NamePattern::NamePattern(std::string_view pattern) {
    std::size_t fixedEnd = pattern.size();
    for (std::size_t at = 0; at < pattern.size();) {
        const std::size_t field = std::min(pattern.find("{n}", at), pattern.find("{text}", at));
        if (field != at) {
            pieces_.emplace_back(pattern.substr(at, field - at));
        }
        if (field == std::string_view::npos) {
            break;
        }
        fixedEnd = std::min(fixedEnd, field);
        const bool text = pattern.substr(field).starts_with("{text}");
        pieces_.emplace_back(text ? "{text}" : "{n}");
        (text ? texts_ : numbers_)++;
        at = field + pieces_.back().size();
    }
    fixedFolder_ = FolderOf(std::string(pattern.substr(0, fixedEnd)) + "x");
    fieldInFolders_ = fixedEnd < pattern.size() && pattern.find('/', fixedEnd) != std::string::npos;
    // Each part of a name holding {text} leaves {text} what the rest leaves.
    textBytes_ = kMostNameBytes;
    for (std::size_t start = 0; start <= pattern.size();) {
        const std::size_t end = std::min(pattern.find('/', start), pattern.size());
        const std::string_view part = pattern.substr(start, end - start);
        std::size_t texts = 0, fixed = part.size();
        for (std::size_t at = part.find('{'); at != std::string_view::npos;
             at = part.find('{', at + 1)) {
            if (part.substr(at).starts_with("{text}")) {
                ++texts;
                fixed -= 6;
            } else if (part.substr(at).starts_with("{n}")) {
                fixed += kMostNumberDigits - 3;
            }
        }
        if (texts > 0) {
            textBytes_ = std::min(textBytes_,
                                  fixed >= kMostNameBytes ? 0 : (kMostNameBytes - fixed) / texts);
        }
        start = end + 1;
    }
}

std::string NamePattern::NameOf(int number, int lineCount, std::string_view safeText) const {
    const std::string count = std::to_string(lineCount);
    std::string n = std::to_string(number);
    n.insert(0, count.size() > n.size() ? count.size() - n.size() : 0, '0');
    std::string name;
    for (const std::string& piece : pieces_) {
        name += piece == "{n}" ? std::string_view(n) : piece == "{text}" ? safeText : piece;
    }
    return name;
}

void LineNames::Add(int line, std::string_view name) {
    names_ += name;
    lines_.push_back(static_cast<std::uint32_t>(line));
    ends_.push_back(names_.size());
}

std::string_view LineNames::Of(int line) const {
    const auto found =
        std::lower_bound(lines_.begin(), lines_.end(), static_cast<std::uint32_t>(line));
    if (found == lines_.end() || *found != static_cast<std::uint32_t>(line)) {
        return {};
    }
    const auto i = static_cast<std::size_t>(found - lines_.begin());
    const std::size_t begin = i == 0 ? 0 : ends_[i - 1];
    return std::string_view(names_).substr(begin, ends_[i] - begin);
}

std::pair<int, int> LineNames::FirstCollision() const {
    std::vector<std::uint32_t> order(lines_.size());
    std::iota(order.begin(), order.end(), 0);
    const auto name = [this](std::uint32_t i) {
        const std::size_t begin = i == 0 ? 0 : ends_[i - 1];
        return std::string_view(names_).substr(begin, ends_[i] - begin);
    };
    // By name, then by line: the first of equal names is the earliest line.
    std::sort(order.begin(), order.end(), [&](std::uint32_t a, std::uint32_t b) {
        const int compared = name(a).compare(name(b));
        return compared != 0 ? compared < 0 : a < b;
    });
    std::pair<int, int> first = {0, 0};
    for (std::size_t i = 1; i < order.size(); ++i) {
        const std::uint32_t a = order[i - 1], b = order[i];
        const bool earlier =
            first.second == 0 || lines_[b] < static_cast<std::uint32_t>(first.second);
        if (name(a) == name(b) && (i < 2 || name(order[i - 2]) != name(a)) && earlier) {
            first = {static_cast<int>(lines_[a]), static_cast<int>(lines_[b])};
        }
    }
    return first;
}

}  // namespace quirvane
