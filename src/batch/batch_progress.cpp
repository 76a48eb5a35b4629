#include "batch/batch_progress.hpp"

#include <cmath>

#include "text/number_format.hpp"

namespace mirvok {
namespace {

std::string twoDigits(long long value) {
    std::string text = value < 10 ? "0" : "";
    text += IntToStr(value);
    return text;
}

}  // namespace

BatchPace batchPace(long long done, long long total, double seconds) {
    BatchPace pace;
    if (done <= 0 || !(seconds > 0.0)) return pace;
    pace.runsPerSecond = static_cast<double>(done) / seconds;
    if (done < total) pace.secondsLeft = static_cast<double>(total - done) / *pace.runsPerSecond;
    return pace;
}

std::string clockText(double seconds) {
    const auto total = static_cast<long long>(std::ceil(seconds));
    const long long hours = total / 3600, minutes = total / 60 % 60, secs = total % 60;
    if (hours > 0) return IntToStr(hours) + ":" + twoDigits(minutes) + ":" + twoDigits(secs);
    return IntToStr(minutes) + ":" + twoDigits(secs);
}

std::string progressText(long long done, long long total, double seconds, BatchState state) {
    std::string text = IntToStr(done) + " of " + IntToStr(total);
    const BatchPace pace = batchPace(done, total, seconds);
    if (pace.runsPerSecond) text += ", " + IntToStr(std::llround(*pace.runsPerSecond)) + " runs/s";
    if (pace.secondsLeft && state == BatchState::Running)
        text += ", " + clockText(*pace.secondsLeft) + " left";
    return text;
}

}  // namespace mirvok
