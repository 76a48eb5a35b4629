#include "system/sha256.hpp"

#include <gtest/gtest.h>

namespace mirvok {
namespace {

// The examples of FIPS 180-2 (appendix B) and the empty message, each also
// fed in uneven pieces, so that blocks complete across calls.
TEST(sha256, gives_the_published_digests_however_the_bytes_are_fed) {
    const struct {
        std::string message;
        const char* digest;
    } cases[] = {
        {"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
        {"abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
        {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
         "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
        {std::string(1000000, 'a'),
         "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"},
    };
    for (const auto& c : cases) {
        Sha256 whole;
        whole.update(c.message);
        EXPECT_EQ(whole.hexDigest(), c.digest) << c.message.size();
        Sha256 pieces;
        for (std::size_t at = 0, size = 1; at < c.message.size(); at += size, size = size * 3 + 1)
            pieces.update(std::string_view(c.message).substr(at, size));
        EXPECT_EQ(pieces.hexDigest(), c.digest) << c.message.size();
    }
}

}  // namespace
}  // namespace mirvok
