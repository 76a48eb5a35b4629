#include "records/line_source.hpp"

#include <filesystem>
#include <new>
#include <system_error>

#include "base/errors.hpp"
#include "text/number_format.hpp"

namespace mirvok {
namespace {

constexpr std::size_t kChunkBytes = 65536;

InputError tooLong(const std::string& path, long long lineNumber) {
    return InputError("line " + IntToStr(lineNumber) + " of " + path +
                      " does not fit in the memory there is");
}

}  // namespace

void LineSource::FileCloser::operator()(std::FILE* file) const {
    std::fclose(file);
}

LineSource::LineSource(std::string path, std::FILE* file)
    : path_(std::move(path)), file_(file), chunk_(new char[kChunkBytes]) {}

LineSource::~LineSource() = default;

std::optional<LineSource> LineSource::open(const std::string& path) {
    std::error_code ec;
    const auto status = std::filesystem::status(path, ec);
    if (path.empty() || status.type() == std::filesystem::file_type::not_found) return std::nullopt;
    if (ec || std::filesystem::is_directory(status)) throw FileError::couldNotRead(path);
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) throw FileError::couldNotRead(path);
    return LineSource(path, file);
}

LineSource LineSource::openExisting(const std::string& path) {
    std::optional<LineSource> source = open(path);
    if (!source) throw FileError::couldNotRead(path);
    return std::move(*source);
}

bool LineSource::fill() {
    if (atEnd_) return false;
    const std::size_t got = std::fread(chunk_.get(), 1, kChunkBytes, file_.get());
    if (got == 0) {
        if (std::ferror(file_.get()) != 0) throw FileError::couldNotRead(path_);
        atEnd_ = true;
        return false;
    }
    unread_ = std::string_view(chunk_.get(), got);
    if (observe_) observe_(unread_);
    return true;
}

void LineSource::hold(std::string_view part) {
    if (binary_) return;
    if (part.find('\0') != std::string_view::npos) {
        binary_ = true;
        pending_.assign(1, '\0');
        return;
    }
    try {
        pending_.append(part);
    } catch (const std::exception&) {  // bad_alloc, length_error
        pending_ = std::string();
        throw tooLong(path_, number_ + 1);
    }
    if (guard_) guard_(pending_.size(), number_ + 1);
}

std::optional<std::string_view> LineSource::next() {
    pending_.clear();
    binary_ = false;
    bool started = false;
    while (true) {
        if (unread_.empty() && !fill()) break;
        started = true;
        const std::size_t end = unread_.find('\n');
        const std::string_view part = unread_.substr(0, end);
        if (end == std::string_view::npos) {
            hold(part);
            unread_ = {};
            continue;
        }
        unread_.remove_prefix(end + 1);
        ++number_;
        ended_ = true;
        if (pending_.empty() && !binary_ && part.find('\0') == std::string_view::npos) return part;
        hold(part);
        return std::string_view(pending_);
    }
    if (!started || (pending_.empty() && !binary_)) return std::nullopt;
    ++number_;
    ended_ = false;
    return std::string_view(pending_);
}

void LineSource::setLineLimit(std::uint64_t maxBytes) {
    const std::string path = path_;
    guard_ = [path, maxBytes](std::uint64_t lineBytes, long long lineNumber) {
        if (lineBytes > maxBytes) throw tooLong(path, lineNumber);
    };
}

bool forEachLine(const std::string& path,
                 const std::function<void(std::string_view line, bool ended)>& visit,
                 const std::function<void(std::string_view chunk)>& readChunk) {
    std::optional<LineSource> source = LineSource::open(path);
    if (!source) return false;
    if (readChunk) source->setChunkObserver(readChunk);
    while (const std::optional<std::string_view> line = source->next())
        visit(*line, source->ended());
    return true;
}

}  // namespace mirvok
