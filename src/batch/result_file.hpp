#pragma once

#include <cstdio>
#include <string>
#include <string_view>

#include "model/sim_state.hpp"

namespace mirvok {

// The header line a batch writes first:
// "NEW;isi: <isi>; shape: <shape>; #: <ntests>\n", both reals with six
// decimals after a full stop.
std::string formatResultHeader(double isi, double shape, int ntests);

// One record line for the run the state holds, ending in "\n":
//   index (width 4); input spike count (width 2); isiCV (2 decimals, width 4);
//   output spike count (width 2); transmissionRatio; analysisResult;
//   then the input and the output steps, each list in double quotes with
//   every step right-aligned in 4 characters and followed by a comma.
// Every field is followed by a semicolon; wider numbers are never cut.
// Example: "   3; 2;0.50; 1;0.50;-1.00;\"  40,  81,\";\"  41,\";\n"
std::string formatResultRecord(int index, const SimState& state);

// How a batch opens its result file: Truncate when "del" is ticked (the old
// content is gone as soon as the file is opened), Append otherwise (a new
// file is created when none exists).
enum class ResultFileMode { Truncate, Append };

// An open result file. Every failure, of the open, of a write or of the
// close, throws FileError "Could not write the file <name>". Each write is
// flushed, so the records of a running batch reach the disk as each run
// ends and a full disk is reported at the record that did not fit.
class ResultFile {
  public:
    ResultFile(std::string name, ResultFileMode mode);
    ~ResultFile();  // closes quietly if close() was not called
    ResultFile(const ResultFile&) = delete;
    ResultFile& operator=(const ResultFile&) = delete;

    void write(std::string_view text);
    // Closes the file; throws when the close fails. A second call does nothing.
    void close();
    bool isOpen() const { return file_ != nullptr; }
    const std::string& name() const { return name_; }

  private:
    std::string name_;
    std::FILE* file_ = nullptr;
};

}  // namespace mirvok
