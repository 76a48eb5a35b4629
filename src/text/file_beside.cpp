#include "text/file_beside.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>

#include "text/errors.hpp"

namespace mirvok {
namespace {

// Six letters from the process, a counter and the clock; O_EXCL decides.
std::string uniqueSuffix() {
    static std::atomic<std::uint64_t> counter{0};
    std::uint64_t x =
        static_cast<std::uint64_t>(::getpid()) * 0x9E3779B97F4A7C15ULL ^
        static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()) ^
        (counter.fetch_add(1) << 40U);
    static constexpr char kLetters[] =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::string out;
    for (int i = 0; i < 6; ++i) {
        x = x * 6364136223846793005ULL + 1442695040888963407ULL;
        out += kLetters[(x >> 33U) % (sizeof kLetters - 1)];
    }
    return out;
}

std::string temporaryNameFor(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    return path.substr(0, nameStart) + "." + path.substr(nameStart) + "." + uniqueSuffix();
}

}  // namespace

FileBeside::FileBeside(std::string path) : path_(std::move(path)) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary_ = temporaryNameFor(path_);
        const int fd = ::open(temporary_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno == EEXIST) continue;
        if (fd < 0) break;
        struct stat old {};
        if (::stat(path_.c_str(), &old) == 0 && S_ISREG(old.st_mode))
            (void)::fchmod(fd, old.st_mode & 07777);
        ::close(fd);
        return;
    }
    temporary_.clear();
    throw FileError::couldNotWrite(path_);
}

FileBeside::~FileBeside() {
    if (!placed_ && !temporary_.empty()) ::unlink(temporary_.c_str());
}

void FileBeside::write(std::string_view text) {
    const int fd = ::open(temporary_.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
    if (fd < 0) throw FileError::couldNotWrite(path_);
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        done += static_cast<std::size_t>(n);
    }
    const bool closed = ::close(fd) == 0;
    if (done < text.size() || !closed) throw FileError::couldNotWrite(path_);
}

void FileBeside::place() {
    if (::rename(temporary_.c_str(), path_.c_str()) != 0) throw FileError::couldNotWrite(path_);
    placed_ = true;
}

bool FileBeside::placeUnlessExists() {
    if (::link(temporary_.c_str(), path_.c_str()) == 0) return true;
    if (errno == EEXIST) return false;
    // A file system without hard links: the check and the rename are two
    // steps there, which is as close as it allows.
    if (errno != EPERM && errno != ENOTSUP) throw FileError::couldNotWrite(path_);
    struct stat existing {};
    if (::lstat(path_.c_str(), &existing) == 0) return false;
    place();
    return true;
}

void replaceFile(const std::string& path, std::string_view text) {
    FileBeside file(path);
    file.write(text);
    file.place();
}

}  // namespace mirvok
