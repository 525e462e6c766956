// The file names of a batch, made from the pattern of --output: {n} is the
// line number, zero-padded to the width of the count of lines, and {text}
// the line made safe for a file name.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quirvane {

// What {text} makes of a line (UTF-8, or any bytes): never a name starting
// with '.', nor one holding '/', '\', a control character or a byte that is
// not UTF-8 (each of these becomes '_'); at most `maxBytes` bytes, cut on a
// character; "_" for what is left empty or "-".
std::string SafeNameText(std::string_view text, std::size_t maxBytes);

class NamePattern {
  public:
    explicit NamePattern(std::string_view pattern);

    bool HasText() const { return texts_ > 0; }
    bool HasNumber() const { return numbers_ > 0; }
    // The most bytes {text} may take so that no part of a name passes 255
    // bytes, the most a file system takes; 0 when not even one fits.
    std::size_t TextBytes() const { return textBytes_; }
    // The name of line `number` of `lineCount`, {text} being `safeText`.
    std::string NameOf(int number, int lineCount, std::string_view safeText) const;
    // The folder every name lies in: that of the pattern before its first field.
    const std::string& FixedFolder() const { return fixedFolder_; }
    // Whether a field names a folder too, so that names lie in several.
    bool FieldInFolders() const { return fieldInFolders_; }

  private:
    std::vector<std::string> pieces_;  // literal text, "{n}" or "{text}"
    int texts_ = 0;
    int numbers_ = 0;
    std::size_t textBytes_ = 0;
    std::string fixedFolder_;
    bool fieldInFolders_ = false;
};

// The {text} of each line of a batch that has one, packed, by line number.
class LineNames {
  public:
    void Add(int line, std::string_view name);  // in increasing line order
    std::string_view Of(int line) const;        // "" for a line without one
    // The first two lines with the same name: those whose second comes
    // earliest in the file; {0, 0} when every name is its own.
    std::pair<int, int> FirstCollision() const;

  private:
    std::string names_;
    std::vector<std::uint32_t> lines_;
    std::vector<std::size_t> ends_;
};

}  // namespace quirvane
