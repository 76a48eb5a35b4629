#pragma once

#include <string>

namespace mirvok::testing {

// A fresh empty directory under the system's temporary folder for one test,
// removed with its content at the end.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }

  private:
    std::string path_;
};

// The whole content of a file as bytes; empty when it cannot be read.
std::string readFile(const std::string& path);
// Replaces the file with exactly these bytes.
void writeFile(const std::string& path, const std::string& text);

}  // namespace mirvok::testing
