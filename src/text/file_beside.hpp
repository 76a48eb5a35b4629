#pragma once

#include <string>
#include <string_view>

namespace mirvok {

// A file made under a temporary name in the folder of its final name and put
// in place with one rename, so the final name only ever names a whole file:
// a job killed or failing midway leaves the earlier file (or none) and a
// hidden ".NAME.XXXXXX" beside it. The temporary name is unique, so jobs on
// several machines may write the same final name at once. A file being
// replaced keeps its permissions.
class FileBeside {
  public:
    // Creates the empty temporary file; throws FileError "Could not write the
    // file <path>" when the folder does not take it.
    explicit FileBeside(std::string path);
    // Removes the temporary file unless it was put in place.
    ~FileBeside();
    FileBeside(const FileBeside&) = delete;
    FileBeside& operator=(const FileBeside&) = delete;

    const std::string& temporaryPath() const { return temporary_; }
    // Appends text to the temporary file; throws FileError naming the final path.
    void write(std::string_view text);
    // Renames the temporary file over the final one.
    void place();
    // Puts the temporary file in place only when no file of the final name
    // exists, atomically (also among machines sharing the folder); returns
    // false, and leaves that file alone, when one does.
    bool placeUnlessExists();

  private:
    std::string path_;
    std::string temporary_;
    bool placed_ = false;
};

// The whole of text as the new content of path, written beside and renamed.
void replaceFile(const std::string& path, std::string_view text);

}  // namespace mirvok
