#pragma once

#include <string>
#include <vector>

namespace mirvok::cli::test {

// What one run of the built mirvok-cli did.
struct ToolResult {
    int status = -1;  // exit status, or -1 when it did not exit normally
    std::string out;
    std::string err;
};

// Runs the built program with args in directory dir, its standard output and
// error captured (neither is a terminal). With stdoutPath, standard output
// goes to that file instead and is not captured.
ToolResult runTool(const std::vector<std::string>& args, const std::string& dir,
                   const std::string& stdoutPath = "");

// A fresh empty directory for one test, removed with its content at the end.
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

std::string readFile(const std::string& path);
void writeFile(const std::string& path, const std::string& text);

}  // namespace mirvok::cli::test
