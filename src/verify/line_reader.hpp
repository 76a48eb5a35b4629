#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

namespace mirvok {

// Reads a file one line at a time, on demand: a check takes the next line
// of a result file when the record it compares it with is made.
class LineReader {
  public:
    // Throws FileError "Could not read the file <path>" when there is no
    // such file or it cannot be read.
    explicit LineReader(const std::string& path);
    ~LineReader();
    LineReader(const LineReader&) = delete;
    LineReader& operator=(const LineReader&) = delete;

    // The next line without its line end (valid until the next call), or
    // nullopt at the end of the file. Throws FileError on a read error.
    std::optional<std::string_view> next();
    // Whether the line last read had its line end: only a last line cut off
    // has none.
    bool ended() const { return ended_; }
    // The number of the line last read, from 1.
    long long number() const { return number_; }

  private:
    std::string path_;
    std::FILE* file_ = nullptr;
    char* buffer_ = nullptr;
    std::size_t capacity_ = 0;
    bool ended_ = true;
    long long number_ = 0;
};

}  // namespace mirvok
