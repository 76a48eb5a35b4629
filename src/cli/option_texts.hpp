#pragma once

#include <CLI/CLI.hpp>
#include <string>
#include <vector>

namespace mirvok::cli {

// Option values are kept as the text the user typed and converted later with
// the same rules as the window's boxes, so both accept and refuse the same
// numbers. The defaults are the window's default texts, with the full stop.

struct ModelTexts {
    std::string time = "1000";
    std::string v1Start = "0.2";
    std::string gamma1 = "0.009";
    std::string delta1 = "0.45";
    std::string v2Start = "0.8";
    std::string gamma2 = "0.006";
    std::string delta2 = "0.3";
    std::string epsilon = "0.005";
    std::string boundaryTol = "0";
};

struct AnalysisTexts {
    std::string ign = "0";
    std::string range = "5";
    std::string c0 = "0.3333";
};

struct GeneratorTexts {
    std::string isi = "20";
    std::string isiJitter = "0";
    std::string cv = "0.02";
    std::vector<std::string> segments;  // "END:ISI:CV", in order
};

void addModelOptions(CLI::App& app, ModelTexts& texts);
void addAnalysisOptions(CLI::App& app, AnalysisTexts& texts);
// --isi, --isi-jitter, --cv and the repeatable --segment; --time comes with
// the model options or, for `generate`, on its own.
void addGeneratorOptions(CLI::App& app, GeneratorTexts& texts);
void addTimeOption(CLI::App& app, std::string& time);

}  // namespace mirvok::cli
