#pragma once

#include <stdexcept>
#include <string>
#include <utility>

namespace mirvok {

// Every error of the system carries the exact message the user is shown.
class Error : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Text that does not convert to the number a box or an option needs.
class EConvertError : public Error {
  public:
    using Error::Error;
};

// Arithmetic that would yield an infinity or a NaN. The system never lets
// such a value flow on: it checks and throws one of the three below.
class EMathError : public Error {
  public:
    using Error::Error;
};

class EZeroDivide : public EMathError {
  public:
    EZeroDivide() : EMathError("Floating point division by zero") {}
};

class EOverflow : public EMathError {
  public:
    EOverflow() : EMathError("Floating point overflow") {}
};

class EInvalidOp : public EMathError {
  public:
    EInvalidOp() : EMathError("Invalid floating point operation") {}
};

// A file that could not be read or written.
class FileError : public Error {
  public:
    using Error::Error;
    static FileError couldNotRead(const std::string& name);
    static FileError couldNotWrite(const std::string& name);
};

// A result file that another Mirvok process is writing: "<name> is being
// written by another Mirvok process (pid <pid>)", the pid left out when the
// system does not tell it. Writing it too would mix the two processes'
// records.
class FileBusy : public FileError {
  public:
    FileBusy(const std::string& name, long long pid);
};

// Thrown to end a job its user ended before its end (the window closed
// during a batch): not an error, so no catch of Error takes it for one.
// A batch's file keeps what it made, as after an interruption.
struct Interruption {};

// An entry that converts but that the system refuses, because acting on it
// would not end, would not fit in memory, or would corrupt the state.
class InputError : public Error {
  public:
    using Error::Error;
};

// A value given by name that the system refuses. The message is the reason
// alone, the conversion's or the core's own; each front end names the value
// its own way ("--gamma1: ", "gamma1: ", a message titled with the box).
class ValueError : public InputError {
  public:
    // The name on the command line ("v1-start", "segment") and in Python
    // ("v1_start", "segments").
    ValueError(std::string option, std::string keyword, const std::string& reason)
        : InputError(reason), option_(std::move(option)), keyword_(std::move(keyword)) {}
    const std::string& option() const { return option_; }
    const std::string& keyword() const { return keyword_; }

  private:
    std::string option_;
    std::string keyword_;
};

}  // namespace mirvok
