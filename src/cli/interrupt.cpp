#include "cli/interrupt.hpp"

#include <signal.h>

#include <atomic>

namespace mirvok::cli {
namespace {

// Lock-free, so the handler may set it and any thread read it.
std::atomic<int> caughtSignal{0};
static_assert(std::atomic<int>::is_always_lock_free);

struct sigaction previousInt {};
struct sigaction previousTerm {};

extern "C" void noteSignal(int signal) {
    caughtSignal.store(signal);
}

}  // namespace

InterruptCatcher::InterruptCatcher() {
    caughtSignal.store(0);
    struct sigaction action {};
    action.sa_handler = noteSignal;
    sigemptyset(&action.sa_mask);
    // The handler runs once; the next signal takes its default course.
    action.sa_flags = SA_RESETHAND;
    sigaction(SIGINT, &action, &previousInt);
    sigaction(SIGTERM, &action, &previousTerm);
}

InterruptCatcher::~InterruptCatcher() {
    sigaction(SIGINT, &previousInt, nullptr);
    sigaction(SIGTERM, &previousTerm, nullptr);
}

int InterruptCatcher::caught() {
    return caughtSignal.load();
}

}  // namespace mirvok::cli
