#include "system/file_size_signal.hpp"

#include <csignal>

namespace mirvok {

void ignoreFileSizeSignal() {
    std::signal(SIGXFSZ, SIG_IGN);
}

}  // namespace mirvok
