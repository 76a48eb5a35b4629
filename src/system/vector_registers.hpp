#pragma once

namespace mirvok {

// Clears the upper halves of the vector registers where the processor has
// them (AVX). Some of the window toolkit's painting code leaves them in
// use, after which every scalar floating-point instruction of the model runs
// about half again as long on some processors until something clears them:
// work that follows painting calls this first.
void clearUpperVectorRegisters();

}  // namespace mirvok
