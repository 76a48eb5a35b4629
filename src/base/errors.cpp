#include "base/errors.hpp"

namespace mirvok {

FileError FileError::couldNotRead(const std::string& name) {
    return FileError("Could not read the file " + name);
}

FileError FileError::couldNotWrite(const std::string& name) {
    return FileError("Could not write the file " + name);
}

}  // namespace mirvok
