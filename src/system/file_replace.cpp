#include "system/file_replace.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>

#include "base/errors.hpp"
#include "system/file_lock.hpp"

namespace mirvok {
namespace {

bool writeAll(int fd, std::string_view text) {
    while (!text.empty()) {
        const ssize_t n = ::write(fd, text.data(), text.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        text.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

// /dev/stdout and its kin lead, through /proc, to whatever standard output
// is; when that is a file the shell opened, replacing it would undo the
// shell's redirection (an append would lose what the file held).
bool namesADeviceOrProcess(const std::string& path) {
    std::error_code ec;
    const std::string absolute = std::filesystem::absolute(path, ec).lexically_normal().string();
    return !ec && (absolute.starts_with("/dev/") || absolute.starts_with("/proc/"));
}

void writeDirectly(const std::string& path, std::string_view content) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) throw FileError::couldNotWrite(path);
    const bool written = writeAll(fd, content);
    if (::close(fd) != 0 || !written) throw FileError::couldNotWrite(path);
}

struct NewFile {
    int fd = -1;
    int error = 0;  // errno when fd < 0
    std::string path;
};

constexpr std::string_view kTemporaryEnd = ".tmp";

// A new file beside target, created with the permissions the process gives
// new files (its umask applies), named ".NAME.PID.N.tmp" (writerOfTemporary).
NewFile createBeside(const std::string& target) {
    const std::filesystem::path where(target);
    const std::string stem = (where.parent_path() / ("." + where.filename().string())).string() +
                             "." + std::to_string(::getpid()) + ".";
    NewFile file;
    for (int attempt = 0; attempt < 100; ++attempt) {
        file.path = stem + std::to_string(attempt) + std::string(kTemporaryEnd);
        file.fd = ::open(file.path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        file.error = errno;
        if (file.fd >= 0 || file.error != EEXIST) break;
    }
    return file;
}

}  // namespace

std::string beforeExtension(const std::string& path, std::string_view insert) {
    const std::filesystem::path where(path);
    return (where.parent_path() /
            (where.stem().string() + std::string(insert) + where.extension().string()))
        .string();
}

std::string linkTarget(const std::string& path) {
    char* real = ::realpath(path.c_str(), nullptr);
    if (real == nullptr) return path;
    std::string target = real;
    std::free(real);
    return target;
}

bool sameRegularFile(const std::string& a, const std::string& b) {
    struct stat first {};
    struct stat second {};
    return ::stat(a.c_str(), &first) == 0 && ::stat(b.c_str(), &second) == 0 &&
           S_ISREG(first.st_mode) && first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

std::optional<pid_t> writerOfTemporary(std::string_view name) {
    // ".NAME.PID.N.tmp", read from its end: NAME may hold dots and digits.
    if (!name.starts_with('.') || !name.ends_with(kTemporaryEnd)) return std::nullopt;
    name.remove_suffix(kTemporaryEnd.size());
    const auto digitsBack = [&name]() -> std::optional<std::string_view> {
        const std::size_t dot = name.rfind('.');
        if (dot == std::string_view::npos || dot + 1 == name.size()) return std::nullopt;
        const std::string_view digits = name.substr(dot + 1);
        if (digits.find_first_not_of("0123456789") != std::string_view::npos) return std::nullopt;
        name = name.substr(0, dot);
        return digits;
    };
    const std::optional<std::string_view> attempt = digitsBack();
    const std::optional<std::string_view> pid = attempt ? digitsBack() : std::nullopt;
    if (!pid || pid->size() > 9 || name.size() < 2) return std::nullopt;
    const long writer = std::stol(std::string(*pid));
    if (writer <= 0) return std::nullopt;
    return static_cast<pid_t>(writer);
}

void replaceFileContent(const std::string& path, std::string_view content) {
    FileReplacement(path).replace(content);
}

FileReplacement::FileReplacement(std::string path) : path_(std::move(path)) {
    if (path_.empty()) throw FileError::couldNotWrite(path_);
    lock(false);
}

FileReplacement::~FileReplacement() {
    release();
}

// Opens the regular file at path_ (through its links) and locks it; with
// `create`, makes it first when there is none, as a result file's open
// would. What is not a regular file is written unlocked, as a result file
// is; so is one this process may not open for writing, which no Mirvok
// process of its user writes either.
void FileReplacement::lock(bool create) {
    // A file replaced between the open and the lock is opened again: the
    // lock must be on the file the name leads to.
    for (int attempt = 0; fd_ < 0 && attempt < 10; ++attempt) {
        struct stat info {};
        if ((::stat(path_.c_str(), &info) == 0 && !S_ISREG(info.st_mode)) ||
            namesADeviceOrProcess(path_))
            return;
        int fd = ::open(path_.c_str(), O_RDWR | O_CLOEXEC);
        if (fd < 0 && errno == ENOENT && create) {
            fd = ::open(path_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
            created_ = fd >= 0;
        }
        const int error = errno;
        struct stat link {};
        // A link that loops, or whose file cannot be made, is refused rather
        // than replaced by a file of its own.
        if (fd < 0 &&
            (error == ELOOP || (create && error == ENOENT && ::lstat(path_.c_str(), &link) == 0 &&
                                S_ISLNK(link.st_mode))))
            throw FileError::couldNotWrite(path_);
        if (fd < 0) return;
        const WriteLock held = lockForWriting(fd);
        if (held.outcome == WriteLock::Outcome::Taken) {
            ::close(fd);
            created_ = false;  // made here, but another process writes it now
            throw FileBusy(path_, held.holder);
        }
        struct stat locked {};
        if (::fstat(fd, &locked) == 0 && ::stat(path_.c_str(), &info) == 0 &&
            (locked.st_dev != info.st_dev || locked.st_ino != info.st_ino)) {
            ::close(fd);
            created_ = false;
            continue;
        }
        fd_ = fd;
    }
}

void FileReplacement::release() {
    if (fd_ < 0) return;
    // A file the lock made and nothing replaced goes again, unless another
    // writer has put a file of its own in its place meanwhile.
    struct stat mine {};
    struct stat there {};
    if (created_ && ::fstat(fd_, &mine) == 0 && ::stat(path_.c_str(), &there) == 0 &&
        mine.st_dev == there.st_dev && mine.st_ino == there.st_ino)
        ::unlink(linkTarget(path_).c_str());
    created_ = false;
    ::close(fd_);
    fd_ = -1;
}

void FileReplacement::replace(std::string_view content) {
    // Closing another descriptor of the file meanwhile (a train read from
    // it) let go of the lock: it is taken again.
    if (fd_ >= 0) {
        const WriteLock again = lockForWriting(fd_);
        if (again.outcome == WriteLock::Outcome::Taken) throw FileBusy(path_, again.holder);
    }
    lock(true);
    struct stat old {};
    const bool exists = ::stat(path_.c_str(), &old) == 0;
    if ((exists && !S_ISREG(old.st_mode)) || namesADeviceOrProcess(path_))
        return writeDirectly(path_, content);
    const std::string target = exists ? linkTarget(path_) : path_;
    const NewFile file = createBeside(target);
    if (file.fd < 0) {
        if (file.error == EACCES || file.error == EPERM) {
            created_ = false;  // written in place: the file stays, whatever it holds
            return writeDirectly(path_, content);
        }
        throw FileError::couldNotWrite(path_);
    }
    bool done = writeAll(file.fd, content) &&
                (!exists || ::fchmod(file.fd, old.st_mode & 07777) == 0) && ::fsync(file.fd) == 0;
    done = ::close(file.fd) == 0 && done;
    if (!done || ::rename(file.path.c_str(), target.c_str()) != 0) {
        ::unlink(file.path.c_str());
        throw FileError::couldNotWrite(path_);
    }
    created_ = false;
    release();
}

FileBeside::FileBeside(std::string path) : path_(std::move(path)) {
    const NewFile file = createBeside(path_);
    if (file.fd < 0) throw FileError::couldNotWrite(path_);
    fd_ = file.fd;
    temporary_ = file.path;
    // Held while it is written, so that whoever clears away the temporaries
    // of processes that ended can tell a live writer on another machine.
    (void)lockForWriting(fd_);
}

FileBeside::~FileBeside() {
    if (fd_ >= 0) ::close(fd_);
    if (!placed_) ::unlink(temporary_.c_str());
}

void FileBeside::write(std::string_view text) {
    if (fd_ < 0 || !writeAll(fd_, text)) throw FileError::couldNotWrite(path_);
}

void FileBeside::close() {
    if (closed_) return;
    struct stat old {};
    if (::stat(path_.c_str(), &old) == 0 && S_ISREG(old.st_mode))
        (void)::fchmod(fd_, old.st_mode & 07777);
    const int fd = fd_;
    fd_ = -1;
    if (fd < 0 || ::close(fd) != 0) throw FileError::couldNotWrite(path_);
    closed_ = true;
}

void FileBeside::place() {
    close();
    if (::rename(temporary_.c_str(), path_.c_str()) != 0) throw FileError::couldNotWrite(path_);
    placed_ = true;
}

bool FileBeside::placeUnlessExists() {
    close();
    // The link fails when the name exists, at once for every machine that
    // shares the folder; the temporary name then goes with the destructor.
    if (::link(temporary_.c_str(), path_.c_str()) == 0) return true;
    if (errno == EEXIST) return false;
    // A file system without hard links: a check and a rename, as close as it allows.
    if (errno != EPERM && errno != ENOTSUP) throw FileError::couldNotWrite(path_);
    struct stat existing {};
    if (::lstat(path_.c_str(), &existing) == 0) return false;
    place();
    return true;
}

std::string FileBeside::placeUnderFreeName(const std::string& name) {
    for (int n = 1; n < 1000; ++n) {
        path_ = n == 1 ? name : beforeExtension(name, "-" + std::to_string(n));
        if (placeUnlessExists()) return path_;
    }
    throw FileError::couldNotWrite(name);
}

}  // namespace mirvok
