#include "cli/progress_bar.hpp"

#include <unistd.h>

#include <algorithm>
#include <cmath>

#include "text/number_format.hpp"

namespace mirvok::cli {
namespace {

constexpr int kBarWidth = 30;

std::string twoDigits(long long value) {
    return (value < 10 ? "0" : "") + IntToStr(value);
}

std::string clockText(double seconds) {
    const auto total = static_cast<long long>(std::ceil(seconds));
    const long long hours = total / 3600, minutes = total / 60 % 60, secs = total % 60;
    if (hours > 0) return IntToStr(hours) + ":" + twoDigits(minutes) + ":" + twoDigits(secs);
    return IntToStr(minutes) + ":" + twoDigits(secs);
}

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
    if (done > 0 && seconds > 0.0) {
        const double rate = static_cast<double>(done) / seconds;
        line += "   " + IntToStr(std::llround(rate)) + " runs/s";
        line += "   " + clockText(static_cast<double>(total - done) / rate) + " left";
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
