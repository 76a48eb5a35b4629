#pragma once

#include <cstddef>

namespace mirvok {

// Receives the local windows of an analysis as they are computed: the
// window lists the non-zero ones and charts them all.
class LocalWindowSink {
  public:
    virtual ~LocalWindowSink() = default;
    // An analysis begins and the windows of the one before are gone; at
    // most `atMost` windows follow.
    virtual void start(std::size_t atMost) = 0;
    // The local CV of the window that ends at input spike `spike` (counted
    // from 0). Windows come in order and end at consecutive spikes.
    virtual void window(std::size_t spike, double lcv) = 0;
};

}  // namespace mirvok
