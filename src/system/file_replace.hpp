#pragma once

#include <sys/types.h>

#include <optional>
#include <string>
#include <string_view>

namespace mirvok {

// Makes content the whole of the file at path without ever leaving a file
// half written in its place: the content goes into a new file beside it,
// which takes the old file's permissions and is renamed over it only once
// it is complete and on disk. A failure removes the new file, leaves the
// old one as it was and throws FileError "Could not write the file <path>".
// A symbolic link stays a link: the file it points to is replaced, or made
// when there is none yet, as a result file is written through a link; a
// link that loops or leads into no folder is refused. What is not a regular
// file (a pipe, a device, standard output as /dev/stdout) is written
// directly, as is a file in a folder that refuses new files.
// The file is locked for writing (system/file_lock.hpp) while it is
// replaced, like every file Mirvok writes: one that another Mirvok process
// writes throws FileBusy and stays as it was.
void replaceFileContent(const std::string& path, std::string_view content);

// replaceFileContent in two halves, for a writer that takes long to make
// what it writes: made first, it holds the lock on a file that exists from
// then on, so that a file another process writes is refused (FileBusy)
// before any work, and no other Mirvok process starts writing it meanwhile.
class FileReplacement {
  public:
    explicit FileReplacement(std::string path);
    ~FileReplacement();
    FileReplacement(const FileReplacement&) = delete;
    FileReplacement& operator=(const FileReplacement&) = delete;

    // Replaces the file with content, as replaceFileContent says. Once only.
    void replace(std::string_view content);

  private:
    void lock(bool create);
    void release();

    std::string path_;
    int fd_ = -1;           // the file locked, while it is
    bool created_ = false;  // the lock made the file, which goes unless replaced
};

// path with insert before its extension: ("out.csv", "-2") -> "out-2.csv".
std::string beforeExtension(const std::string& path, std::string_view insert);

// The file a symbolic link leads to, or path itself (also when there is no
// such file).
std::string linkTarget(const std::string& path);

// Whether both names lead to one regular file (the same device and inode),
// whatever the names, links or folders on the way.
bool sameRegularFile(const std::string& a, const std::string& b);

// The process that made the temporary file of this name (FileBeside's,
// replaceFileContent's: ".NAME.PID.N.tmp"), or nullopt for any other name.
std::optional<pid_t> writerOfTemporary(std::string_view name);

// A file written bit by bit under a temporary name beside its final one and
// put in place with one rename, for files too large to hold whole (the
// records of a sweep's point) and files only the first of several writers
// may make. Until then the final name names the earlier file or none; a job
// killed midway leaves a hidden ".NAME.PID.N.tmp" beside it, locked for
// writing (system/file_lock.hpp) for as long as it is written. Not forced
// to disk: whole after a killed job, not necessarily after a power cut.
class FileBeside {
  public:
    // Creates the empty temporary file; throws FileError "Could not write the
    // file <path>" when the folder does not take it.
    explicit FileBeside(std::string path);
    // Removes the temporary file unless it was put in place.
    ~FileBeside();
    FileBeside(const FileBeside&) = delete;
    FileBeside& operator=(const FileBeside&) = delete;

    // Appends text; throws FileError naming the final path.
    void write(std::string_view text);
    // Renames the temporary file over the final one, which keeps its
    // permissions.
    void place();
    // Puts the file in place only when no file of the final name exists,
    // atomically also among machines sharing the folder; returns false, and
    // leaves that file alone, when one does.
    bool placeUnlessExists();
    // Puts the file in place under name, or under the first of name-2,
    // name-3 ... (before the extension: "out.partial-2.csv") that no file
    // has; returns the name it took.
    std::string placeUnderFreeName(const std::string& name);
    // The temporary name, for a writer that opens the file itself.
    const std::string& temporary() const { return temporary_; }

  private:
    void close();

    std::string path_;
    std::string temporary_;
    int fd_ = -1;
    bool closed_ = false;
    bool placed_ = false;
};

}  // namespace mirvok
