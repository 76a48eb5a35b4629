#include "records/result_file.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>

#include "base/errors.hpp"
#include "records/record_columns.hpp"
#include "system/file_lock.hpp"
#include "text/printf_number.hpp"

namespace mirvok {
namespace {

// The characters of a list's widest step with its comma: the steps ascend,
// so it is the first or the last.
std::size_t stepWidth(const std::vector<int>& steps) {
    if (steps.empty()) return 0;
    char buf[24];
    const auto width = [&buf](int step) {
        return static_cast<std::size_t>(std::to_chars(buf, buf + sizeof buf, step).ptr - buf);
    };
    return std::max({std::size_t{4}, width(steps.front()), width(steps.back())}) + 1;
}

void appendStepList(std::string& out, const std::vector<int>& steps) {
    for (int step : steps) {
        appendPaddedInt(out, step, kRecordColumns[kInput].width);
        out += ',';
    }
}

}  // namespace

std::string formatResultHeader(double isi, double shape, int ntests) {
    std::string out = "NEW;isi: ";
    appendFixed(out, isi, 6, 0);
    out += "; shape: ";
    appendFixed(out, shape, 6, 0);
    out += "; #: ";
    appendPaddedInt(out, ntests, 0);
    out += '\n';
    return out;
}

std::string formatResultRecord(int index, const SimState& state, const RunResults& results) {
    std::string out;
    // Room for all of it at once: a record of a long run is megabytes, and
    // growing would hold the old and the new copy together.
    out.reserve(64 + stepWidth(state.inSpikeSteps) * state.inSpikeSteps.size() +
                stepWidth(state.outSpikeSteps) * state.outSpikeSteps.size());
    appendRecordNumber(out, kIndex, index);
    appendRecordNumber(out, kInSpikes, static_cast<double>(state.inSpikeSteps.size()));
    appendRecordNumber(out, kCv, results.isiCV);
    appendRecordNumber(out, kOutSpikes, static_cast<double>(state.outSpikeSteps.size()));
    appendRecordNumber(out, kQ, results.transmissionRatio);
    appendRecordNumber(out, kScore, results.analysisResult);
    out += '"';
    appendStepList(out, state.inSpikeSteps);
    out += "\";\"";
    appendStepList(out, state.outSpikeSteps);
    out += "\";\n";
    return out;
}

ResultFile::ResultFile(std::string name, ResultFileMode mode) : name_(std::move(name)) {
    // Emptied only once locked, so that another process's file is not cut.
    // Its last line is read through the same descriptor: closing any other
    // descriptor of the file would let go of the lock.
    // A pipe is opened for writing only, which waits for its reader.
    const int flags = O_CREAT | O_CLOEXEC | (mode == ResultFileMode::Truncate ? 0 : O_APPEND);
    struct stat before {};
    const bool special = ::stat(name_.c_str(), &before) == 0 && !S_ISREG(before.st_mode);
    if (!special) fd_ = ::open(name_.c_str(), O_RDWR | flags, 0666);
    readable_ = fd_ >= 0;
    if (fd_ < 0 && (special || errno == EACCES))
        fd_ = ::open(name_.c_str(), O_WRONLY | flags, 0666);
    if (fd_ < 0) throw FileError::couldNotWrite(name_);
    struct stat info {};
    if (::fstat(fd_, &info) == 0 && S_ISREG(info.st_mode)) {
        regular_ = true;
        size_ = whole_ = static_cast<std::uint64_t>(info.st_size);
    }
    try {
        lock();
        if (mode == ResultFileMode::Truncate && regular_) truncate();
        if (mode == ResultFileMode::Append) endLastLine();
        if (mode == ResultFileMode::Continue) cutToLastLine();
    } catch (...) {
        ::close(fd_);
        throw;
    }
}

ResultFile::~ResultFile() {
    if (fd_ >= 0) ::close(fd_);
}

void ResultFile::lock() {
    if (!regular_) return;
    const WriteLock lock = lockForWriting(fd_);
    if (lock.outcome == WriteLock::Outcome::Taken) throw FileBusy(name_, lock.holder);
    lockRefused_ = lock.outcome == WriteLock::Outcome::Unsupported;
    // A file replaced whole by another writer between the open and the lock
    // is no longer the one the name leads to.
    struct stat mine {};
    struct stat there {};
    if (::fstat(fd_, &mine) == 0 && ::stat(name_.c_str(), &there) == 0 &&
        (mine.st_dev != there.st_dev || mine.st_ino != there.st_ino))
        throw FileBusy(name_, 0);
}

void ResultFile::truncate() {
    if (::ftruncate(fd_, 0) != 0) throw FileError::couldNotWrite(name_);
    size_ = whole_ = 0;
}

void ResultFile::endLastLine() {
    // A file we may write but not read is left as it is.
    if (!regular_ || size_ == 0 || !readable_) return;
    char last = '\n';
    const bool read = ::pread(fd_, &last, 1, static_cast<off_t>(size_ - 1)) == 1;
    if (read && last != '\n') write("\n");
}

void ResultFile::cutToLastLine() {
    if (!regular_ || size_ == 0) return;
    if (!readable_) throw FileError::couldNotWrite(name_);
    // Backwards from the end to the last line end: only the cut line is read.
    char chunk[4096];
    std::uint64_t end = size_;
    std::uint64_t keep = 0;
    bool found = false;
    while (end > 0 && !found) {
        const std::uint64_t n = std::min<std::uint64_t>(sizeof chunk, end);
        if (::pread(fd_, chunk, n, static_cast<off_t>(end - n)) != static_cast<ssize_t>(n))
            throw FileError::couldNotWrite(name_);
        for (std::uint64_t i = n; i > 0 && !found; --i) {
            found = chunk[i - 1] == '\n';
            if (found) keep = end - n + i;
        }
        end -= n;
    }
    if (keep == size_) return;
    if (::ftruncate(fd_, static_cast<off_t>(keep)) != 0) throw FileError::couldNotWrite(name_);
    size_ = whole_ = keep;
}

void ResultFile::write(std::string_view text) {
    if (fd_ < 0) throw FileError::couldNotWrite(name_);
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::write(fd_, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) failAfter(text.substr(0, done));
        done += static_cast<std::size_t>(n);
    }
    size_ += text.size();
    const std::size_t lineEnd = text.rfind('\n');
    if (lineEnd != std::string_view::npos) whole_ = size_ - (text.size() - lineEnd - 1);
}

void ResultFile::failAfter(std::string_view written) {
    const std::size_t lineEnd = written.rfind('\n');
    if (lineEnd != std::string_view::npos) whole_ = size_ + lineEnd + 1;
    size_ += written.size();
    // Nothing more can be done for the file if cutting it back fails too.
    if (regular_ && ::ftruncate(fd_, static_cast<off_t>(whole_)) == 0 &&
        ::lseek(fd_, static_cast<off_t>(whole_), SEEK_SET) >= 0)
        size_ = whole_;
    throw FileError::couldNotWrite(name_);
}

void ResultFile::close() {
    if (fd_ < 0) return;
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) throw FileError::couldNotWrite(name_);
}

}  // namespace mirvok
