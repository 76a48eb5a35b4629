#include "system/freed_memory.hpp"

#include <cstdlib>  // defines __GLIBC__ with the C library's own headers

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace mirvok {

void giveFreedBlocksBack() {
#if defined(__GLIBC__)
    // Setting the threshold, even to its initial value, stops it from rising.
    constexpr int kLargeBlock = 128 * 1024;
    mallopt(M_MMAP_THRESHOLD, kLargeBlock);
#endif
}

}  // namespace mirvok
