#pragma once

#include <vector>

namespace mirvok {

// The segments of "different intervals": the bounds (0, then each
// segment's last step) and each segment's mean interval (ms) and shape.
struct Segments {
    std::vector<int> bounds;
    std::vector<double> isi;
    std::vector<double> shape;

    bool operator==(const Segments&) const = default;
};

// The generator entries of a batch when they are known in advance (command
// line, tests, benchmarks).
struct GeneratorSettings {
    double cv = 0.02;              // "CV:"
    double isi = 20.0;             // "isi:" in ms
    double isiJitter = 0.0;        // "+/-" in ms
    bool segmentMode = false;      // "different intervals": draw each segment on its own
    Segments segments = {};        // as defined
    bool quantify = false;         // a random shape per train
    bool quantifyZeroOne = false;  // "0--1": the random shape is 1 or 100000
};

}  // namespace mirvok
