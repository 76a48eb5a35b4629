#include "trains/generator_limits.hpp"

#include <cmath>
#include <string>

#include "base/errors.hpp"
#include "text/number_format.hpp"

namespace mirvok {
namespace {

std::string text(double value, char sep) {
    return FloatToStr(value, sep);
}

std::string shapeRange(char sep) {
    return "the shape 1/CV\u00b2 must lie between " + text(kMinShape, sep) + " and " +
           text(kMaxShape, sep);
}

const char* labelOf(GeneratorEntry entry) {
    switch (entry) {
        case GeneratorEntry::Isi:
            return "isi";
        case GeneratorEntry::IsiJitter:
            return "+/-";
        case GeneratorEntry::Cv:
            return "CV";
        case GeneratorEntry::Shape:
            return "shape";
    }
    return "";
}

}  // namespace

GeneratorEntryError::GeneratorEntryError(GeneratorEntry entry, const std::string& reason)
    : InputError(std::string(labelOf(entry)) + ": " + reason), entry_(entry), reason_(reason) {}

void checkMeanInterval(double isiMs, double jitterMs, char sep) {
    if (!std::isfinite(isiMs))
        throw GeneratorEntryError(GeneratorEntry::Isi, "the mean interval must be a finite number");
    if (!std::isfinite(jitterMs))
        throw GeneratorEntryError(GeneratorEntry::IsiJitter,
                                  "the shift of the mean interval must be a finite number");
    if (isiMs <= 0.0)
        throw GeneratorEntryError(GeneratorEntry::Isi,
                                  "the mean interval must be greater than 0 ms");
    const double shortest = isiMs - std::fabs(jitterMs);
    if (shortest <= 0.0)
        throw GeneratorEntryError(
            GeneratorEntry::IsiJitter,
            "the shift must be smaller than the mean interval, or the mean could fall "
            "to 0 ms or below");
    const std::string tooDense = " would put more spikes into the train than it can hold";
    if (isiMs < kMinMeanIntervalMs)
        throw GeneratorEntryError(
            GeneratorEntry::Isi,
            "a mean interval below " + text(kMinMeanIntervalMs, sep) + " ms" + tooDense);
    if (shortest < kMinMeanIntervalMs)
        throw GeneratorEntryError(GeneratorEntry::IsiJitter,
                                  "a shift that brings the mean interval below " +
                                      text(kMinMeanIntervalMs, sep) + " ms" + tooDense);
}

void checkShape(double a, ShapeOrigin origin, char sep) {
    if (std::isfinite(a) && a >= kMinShape && a <= kMaxShape) return;
    if (origin == ShapeOrigin::Entered)
        throw GeneratorEntryError(
            GeneratorEntry::Shape,
            shapeRange(sep) + "; outside that range intervals cannot be drawn in reasonable time");
    if (!(a <= kMaxShape))
        throw GeneratorEntryError(
            GeneratorEntry::Cv,
            "this CV is too small to draw intervals in reasonable time (" + shapeRange(sep) + ")");
    throw GeneratorEntryError(GeneratorEntry::Cv,
                              "this CV is so large that nearly every interval drawn would be 0 (" +
                                  shapeRange(sep) + ")");
}

}  // namespace mirvok
