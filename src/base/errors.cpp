#include "base/errors.hpp"

namespace mirvok {

FileError FileError::couldNotRead(const std::string& name) {
    return FileError("Could not read the file " + name);
}

FileError FileError::couldNotWrite(const std::string& name) {
    return FileError("Could not write the file " + name);
}

FileBusy::FileBusy(const std::string& name, long long pid)
    : FileError(name + " is being written by another Mirvok process" +
                (pid > 0 ? " (pid " + std::to_string(pid) + ")" : std::string())) {}

}  // namespace mirvok
