#pragma once

#include <cstdint>
#include <cstdio>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace mirvok {

// Every reader of a result file takes its lines from here, one at a time,
// on demand, reading the file in chunks of a bounded size. A line holding a
// NUL byte is no text and is handed out as that one byte, so that a binary
// or zero-filled input (the zeroed blocks a crash can leave at the end of a
// file) costs no memory however long its "line" is. Any other line is held
// whole: a line the memory cannot hold, and a read the system fails, throw;
// neither ever passes as the end of the file.
class LineSource {
  public:
    // Called with the bytes of the line being read each time it grows, and
    // its number (from 1): a reader with a memory budget throws from it to
    // stop before the line outgrows the budget.
    using LineGuard = std::function<void(std::uint64_t lineBytes, long long lineNumber)>;

    // nullopt when no file of that name exists (an empty name included);
    // throws FileError "Could not read the file <path>" when it exists but
    // cannot be read (a directory, no permission).
    static std::optional<LineSource> open(const std::string& path);
    // As open, but a missing file throws FileError too.
    static LineSource openExisting(const std::string& path);

    LineSource(LineSource&&) noexcept = default;
    LineSource& operator=(LineSource&&) noexcept = default;
    ~LineSource();

    // The next line without its "\n" (a "\r" before it stays), valid until
    // the next call; nullopt at the end of the file. Throws FileError on a
    // read error, InputError when the memory cannot hold the line.
    std::optional<std::string_view> next();
    // Whether the line last read had its line end: only a last line cut off
    // has none.
    bool ended() const { return ended_; }
    // The number of the line last read, from 1.
    long long number() const { return number_; }
    const std::string& path() const { return path_; }

    void setGuard(LineGuard guard) { guard_ = std::move(guard); }
    // A guard that refuses, as a line the memory cannot hold is refused, any
    // line longer than maxBytes (the memory available).
    void setLineLimit(std::uint64_t maxBytes);
    // Sees every chunk as it is read, before its lines (a checksum of the
    // file as read).
    void setChunkObserver(std::function<void(std::string_view)> observe) {
        observe_ = std::move(observe);
    }

  private:
    struct FileCloser {
        void operator()(std::FILE* file) const;
    };
    explicit LineSource(std::string path, std::FILE* file);
    bool fill();
    void hold(std::string_view part);

    std::string path_;
    std::unique_ptr<std::FILE, FileCloser> file_;
    std::unique_ptr<char[]> chunk_;
    std::string_view unread_;  // of the chunk, not yet handed out
    std::string pending_;      // a line that spans chunks
    bool binary_ = false;      // the line being read holds a NUL byte
    bool ended_ = true;
    bool atEnd_ = false;
    long long number_ = 0;
    LineGuard guard_;
    std::function<void(std::string_view)> observe_;
};

// Every line of the file at path in order, as LineSource reads them: visit
// gets each line and whether it ended. Returns false, visiting nothing, when
// no file of that name exists.
bool forEachLine(const std::string& path,
                 const std::function<void(std::string_view line, bool ended)>& visit,
                 const std::function<void(std::string_view chunk)>& readChunk = {});

}  // namespace mirvok
