#include "system/vector_registers.hpp"

namespace mirvok {

void clearUpperVectorRegisters() {
#if defined(__x86_64__) && defined(__GNUC__)
    static const bool hasAvx = __builtin_cpu_supports("avx");
    if (hasAvx) asm volatile("vzeroupper");
#endif
}

}  // namespace mirvok
