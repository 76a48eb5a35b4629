#include "verify/line_reader.hpp"

#include <sys/types.h>

#include <cstdlib>

#include "base/errors.hpp"

namespace mirvok {

LineReader::LineReader(const std::string& path)
    : path_(path), file_(std::fopen(path.c_str(), "rb")) {
    if (!file_) throw FileError::couldNotRead(path);
}

LineReader::~LineReader() {
    std::free(buffer_);
    std::fclose(file_);
}

std::optional<std::string_view> LineReader::next() {
    const ssize_t length = ::getline(&buffer_, &capacity_, file_);
    if (length < 0) {
        if (std::ferror(file_)) throw FileError::couldNotRead(path_);
        return std::nullopt;
    }
    ++number_;
    std::string_view line(buffer_, static_cast<std::size_t>(length));
    ended_ = !line.empty() && line.back() == '\n';
    if (ended_) line.remove_suffix(1);
    return line;
}

}  // namespace mirvok
