#pragma once

namespace mirvok {

// The generator entries of a batch when they are known in advance (command
// line, tests, benchmarks).
struct GeneratorSettings {
    double cv = 0.02;              // "CV:"
    double isi = 20.0;             // "isi:" in ms
    double isiJitter = 0.0;        // "+/-" in ms
    bool segmentMode = false;      // "different intervals": use the state's segment lists
    bool quantify = false;         // a random shape per train
    bool quantifyZeroOne = false;  // "0--1": the random shape is 1 or 100000
};

}  // namespace mirvok
