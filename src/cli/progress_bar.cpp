#include "cli/progress_bar.hpp"

#include <unistd.h>

#include <algorithm>

namespace mirvok::cli {

bool progressWanted(bool quiet) {
    return !quiet && isatty(STDERR_FILENO) == 1;
}

ProgressBar::ProgressBar(long long total, bool enabled, std::FILE* out)
    : total_(total), enabled_(enabled && total > 0), out_(out), start_(Clock::now()) {
    lastDraw_ = start_;
    if (enabled_) draw(0, start_);
}

ProgressBar::~ProgressBar() {
    finish();
}

void ProgressBar::update(long long done) {
    if (!enabled_) return;
    const auto now = Clock::now();
    if (done < total_ && now - lastDraw_ < std::chrono::milliseconds(200)) return;
    draw(done, now);
}

void ProgressBar::finish() {
    if (!enabled_) return;
    enabled_ = false;
    std::fprintf(out_, "\r%s\r", std::string(lastWidth_, ' ').c_str());
    std::fflush(out_);
}

void ProgressBar::draw(long long done, Clock::time_point now) {
    lastDraw_ = now;
    const double seconds = std::chrono::duration<double>(now - start_).count();
    std::string line = progressLine(done, total_, seconds);
    const std::size_t width = line.size();
    if (width < lastWidth_) line += std::string(lastWidth_ - width, ' ');
    lastWidth_ = std::max(lastWidth_, width);
    std::fprintf(out_, "\r%s", line.c_str());
    std::fflush(out_);
}

}  // namespace mirvok::cli
