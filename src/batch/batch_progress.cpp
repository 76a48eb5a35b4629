#include "batch/batch_progress.hpp"

#include <cmath>
#include <optional>

#include "text/number_format.hpp"

namespace mirvok {
namespace {

constexpr int kBarWidth = 30;

std::string padLeft(const std::string& text, std::size_t width) {
    return text.size() >= width ? text : std::string(width - text.size(), ' ') + text;
}

std::string twoDigits(long long value) {
    std::string text = value < 10 ? "0" : "";
    text += IntToStr(value);
    return text;
}

// The pace of a batch that has made `done` of `total` runs in `seconds`:
// runs per second so far and the time left at that pace, both unknown
// before the first run (or at no time elapsed).
struct BatchPace {
    std::optional<double> runsPerSecond;
    std::optional<double> secondsLeft;  // none left once done reaches total
};

BatchPace batchPace(long long done, long long total, double seconds) {
    BatchPace pace;
    if (done <= 0 || !(seconds > 0.0)) return pace;
    pace.runsPerSecond = static_cast<double>(done) / seconds;
    if (done < total) pace.secondsLeft = static_cast<double>(total - done) / *pace.runsPerSecond;
    return pace;
}

// A duration in whole seconds, rounded up: "0:05", "12:30", "1:02:03".
std::string clockText(double seconds) {
    const auto total = static_cast<long long>(std::ceil(seconds));
    const long long hours = total / 3600, minutes = total / 60 % 60, secs = total % 60;
    if (hours > 0) return IntToStr(hours) + ":" + twoDigits(minutes) + ":" + twoDigits(secs);
    return IntToStr(minutes) + ":" + twoDigits(secs);
}

}  // namespace

std::string progressText(long long done, long long total, double seconds, BatchState state) {
    std::string text = IntToStr(done) + " of " + IntToStr(total);
    const BatchPace pace = batchPace(done, total, seconds);
    if (pace.runsPerSecond) text += ", " + IntToStr(std::llround(*pace.runsPerSecond)) + " runs/s";
    if (pace.secondsLeft && state == BatchState::Running)
        text += ", " + clockText(*pace.secondsLeft) + " left";
    return text;
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

}  // namespace mirvok
