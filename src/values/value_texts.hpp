#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "values/batch_setup.hpp"

namespace mirvok {

// Values as the user gave them, by option name ("v1-start"): the command
// line's option texts, or Python's numbers written as texts. They are
// converted with the window's rules and the full stop, so that every front
// end accepts and refuses the same numbers with the same message.
using NamedTexts = std::map<std::string, std::string, std::less<>>;

// The batch of these values (a value not given takes its default) and
// segments, each "END:ISI:CV": the last step of a segment, its mean interval
// and its CV (none: one train over the whole run); every value converted and
// checked before anything runs: each row in table order, the run length
// against the machine's memory as soon as it is read, then the shape of the
// cv, then the segments one by one as the interval dialog defines them, the
// last ending at the run's last step. A refusal throws ValueError naming the
// value ("segment" / "segments" for the segments).
BatchSetup batchSetupFrom(const NamedTexts& texts, std::span<const std::string> segments);

// An integer (StrToInt); ValueError names it.
int integerFrom(const std::string& name, std::string_view text);

// A seed as every batch takes it, 0 .. 2147483647; ValueError names "seed".
std::uint64_t seedFrom(std::string_view text);
// The seed given, or one from the clock.
std::uint64_t seedOrClock(const std::optional<std::string>& text);

// Beyond a few hundred threads no machine runs faster, while each one costs
// a stack and a state with its traces: 100000 threads would exhaust the
// memory or the thread limit before the first run.
inline constexpr int kMostThreads = 256;

// Worker threads, 1 to kMostThreads, or the CPUs this process may use when
// not given; ValueError names "threads".
int threadsFrom(const std::optional<std::string>& text);

// The runs of a batch or per point, 0 or more; ValueError names "iterations".
int iterationsFrom(std::string_view text);

}  // namespace mirvok
