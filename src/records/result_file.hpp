#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "analysis/run_results.hpp"
#include "model/sim_state.hpp"

namespace mirvok {

// The header line a batch writes first:
// "NEW;isi: <isi>; shape: <shape>; #: <ntests>\n", both reals with six
// decimals after a full stop.
std::string formatResultHeader(double isi, double shape, int ntests);

// One record line for the run the state holds and its results, ending in "\n":
//   index (width 4); input spike count (width 2); isiCV (2 decimals, width 4);
//   output spike count (width 2); transmissionRatio; analysisResult;
//   then the input and the output steps, each list in double quotes with
//   every step right-aligned in 4 characters and followed by a comma.
// Every field is followed by a semicolon; wider numbers are never cut.
// Example: "   3; 2;0.50; 1;0.50;-1.00;\"  40,  81,\";\"  41,\";\n"
std::string formatResultRecord(int index, const SimState& state, const RunResults& results);

// How a batch opens its result file: Truncate when "del" is ticked (the old
// content is gone as soon as the file is opened), Append otherwise (a new
// file is created when none exists). Continue goes on with an interrupted
// batch in its file: it appends after the last whole line, cutting off a
// last line left without its line end (a record cut short).
enum class ResultFileMode { Truncate, Append, Continue };

// Where a batch writes: the file name and how it is opened ("del").
struct ResultTarget {
    std::string name = "output.csv";
    ResultFileMode mode = ResultFileMode::Truncate;
};

// An open result file that only ever holds whole lines. Every failure, of
// the open, of a write or of the close, throws FileError "Could not write
// the file <name>". Each write goes to the system at once (no buffer of our
// own), so the records of a running batch reach the file as they are
// written. A write that fails halfway (a full disk) first cuts the file back
// to the end of its last whole line; appending to a file whose last line
// lacks its line end (an earlier write cut short) first ends that line.
// Pipes and devices are written as they come.
// A regular file is locked for writing (system/file_lock.hpp) before
// anything in it changes, for as long as it is open: a file another process
// holds throws FileBusy and is left as it was, "del" or not. Where the file
// system keeps no locks the file is written without one (lockRefused()).
class ResultFile {
  public:
    ResultFile(std::string name, ResultFileMode mode);
    ~ResultFile();  // closes quietly if close() was not called
    ResultFile(const ResultFile&) = delete;
    ResultFile& operator=(const ResultFile&) = delete;

    void write(std::string_view text);
    // Closes the file; throws when the close fails. A second call does nothing.
    void close();
    bool isOpen() const { return fd_ >= 0; }
    // The file system would not lock the file: it is written unlocked.
    bool lockRefused() const { return lockRefused_; }
    const std::string& name() const { return name_; }
    // A regular file (not a pipe or a device).
    bool regular() const { return regular_; }
    // The bytes in the file: after a failed write, those up to its last line end.
    std::uint64_t size() const { return size_; }

  private:
    void lock();
    void truncate();
    void endLastLine();
    void cutToLastLine();
    [[noreturn]] void failAfter(std::string_view written);

    std::string name_;
    int fd_ = -1;
    bool regular_ = false;   // a regular file, which can be cut back
    bool readable_ = false;  // opened for reading too
    bool lockRefused_ = false;
    std::uint64_t size_ = 0;   // bytes in the file
    std::uint64_t whole_ = 0;  // bytes up to the end of its last whole line
};

}  // namespace mirvok
