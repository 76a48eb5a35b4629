#pragma once

#include <string>
#include <string_view>

namespace mirvok {

// Makes content the whole of the file at path without ever leaving a file
// half written in its place: the content goes into a new file beside it,
// which takes the old file's permissions and is renamed over it only once
// it is complete and on disk. A failure removes the new file, leaves the
// old one as it was and throws FileError "Could not write the file <path>".
// A symbolic link stays a link: the file it points to is replaced. What is
// not a regular file (a pipe, a device, standard output as /dev/stdout) is
// written directly, as is a file in a folder that refuses new files.
void replaceFileContent(const std::string& path, std::string_view content);

}  // namespace mirvok
