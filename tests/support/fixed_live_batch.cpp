#include "support/fixed_live_batch.hpp"

namespace mirvok {

GeneratedReads FixedLiveBatch::reads() {
    const GeneratorSettings& g = settings_.generator;
    return {entries_,
            {g.segmentMode, g.quantify, g.quantifyZeroOne},
            {settings_.reset, settings_.rates, settings_.analysis}};
}

}  // namespace mirvok
