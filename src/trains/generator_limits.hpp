#pragma once

#include <cstddef>
#include <string>

#include "base/errors.hpp"

namespace mirvok {

// Entries the gamma generator accepts. Outside these, drawing a train would
// not end in bounded time or memory, so the generator and the segment
// definition refuse them before any spike is placed.

// Shapes (1/CV^2), so CVs from 1e-6 to 100. Below 1e-4 nearly every
// interval drawn is 0 and the position hardly moves; above 1e12 the
// intervals are regular to far within a step, and drawing them gets slow.
inline constexpr double kMinShape = 1e-4;
inline constexpr double kMaxShape = 1e12;

// The shortest mean interval, in ms (1/8 step): a train then holds about
// 8 spikes per step on average, half the spike bound of maxSpikesFor.
inline constexpr double kMinMeanIntervalMs = 0.0625;

// Where a shape came from, so that a refusal names the entry the user typed.
enum class ShapeOrigin { Cv, Entered };

// The generator's entry a refusal is about.
enum class GeneratorEntry { Isi, IsiJitter, Cv, Shape };

// A generator entry refused. The message names the entry by the window's
// label ("+/-: ..."); the command line and Python name it by their own
// option or keyword instead, from entry() and reason().
class GeneratorEntryError : public InputError {
  public:
    GeneratorEntryError(GeneratorEntry entry, const std::string& reason);
    GeneratorEntry entry() const { return entry_; }
    const std::string& reason() const { return reason_; }

  private:
    GeneratorEntry entry_;
    std::string reason_;
};

// Throws GeneratorEntryError, naming "isi:" or "+/-", unless every mean that
// isi + jitter * u (u in [-1, 1]) can give is finite and at least
// kMinMeanIntervalMs.
void checkMeanInterval(double isiMs, double jitterMs, char decimalSeparator);

// Throws GeneratorEntryError, naming "CV:" or "shape:", unless a is finite and lies
// in [kMinShape, kMaxShape].
void checkShape(double a, ShapeOrigin origin, char decimalSeparator);

}  // namespace mirvok
