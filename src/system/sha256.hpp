#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace mirvok {

// The SHA-256 digest of bytes fed in pieces as they are read, so that a file
// is summed on the one pass that reads it. Written here rather than taken
// from a crypto library: one digest of a file we read anyway needs no more.
class Sha256 {
  public:
    Sha256();
    void update(std::string_view bytes);
    // The digest as 64 lowercase hex digits; the sum is then finished and
    // takes no more bytes.
    std::string hexDigest();

  private:
    void compress(const unsigned char* block);

    std::array<std::uint32_t, 8> state_;
    std::array<unsigned char, 64> pending_{};
    std::size_t pendingBytes_ = 0;
    std::uint64_t totalBytes_ = 0;
};

}  // namespace mirvok
