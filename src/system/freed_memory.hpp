#pragma once

namespace mirvok {

// Has the C library give every block of 128 KiB or more back to the system
// as soon as it is freed. Left to itself it starts keeping freed blocks of
// up to 32 MiB for reuse once one was freed, and a batch, which frees and
// allocates blocks of its runs' size at every run, then holds up to twice
// the memory its runs use: more than batchBytes plans for, and memory other
// jobs on the machine cannot have. For a program of Mirvok's own (the
// command line): a module loaded into another program leaves its
// allocator alone.
void giveFreedBlocksBack();

}  // namespace mirvok
