#include "cli/progress_bar.hpp"

#include <unistd.h>

#include <algorithm>
#include <cmath>

#include "batch/batch_progress.hpp"
#include "text/number_format.hpp"

namespace mirvok::cli {
namespace {

constexpr int kBarWidth = 30;

std::string padLeft(const std::string& text, std::size_t width) {
    return text.size() >= width ? text : std::string(width - text.size(), ' ') + text;
}

}  // namespace

bool progressWanted(bool quiet) {
    return !quiet && isatty(STDERR_FILENO) == 1;
}

std::string progressLine(long long done, long long total, double seconds) {
    const double share = total > 0 ? static_cast<double>(done) / static_cast<double>(total) : 1.0;
    const int filled = static_cast<int>(share * kBarWidth);
    std::string line = "[" + std::string(filled, '#') + std::string(kBarWidth - filled, '.') + "] ";
    const std::string totalText = IntToStr(total);
    line += padLeft(IntToStr(done), totalText.size()) + "/" + totalText + " runs";
    const BatchPace pace = batchPace(done, total, seconds);
    if (pace.runsPerSecond) {
        line += "   " + IntToStr(std::llround(*pace.runsPerSecond)) + " runs/s";
        line += "   " + clockText(pace.secondsLeft.value_or(0.0)) + " left";
    }
    return line;
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
