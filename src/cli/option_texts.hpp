#pragma once

#include <CLI/CLI.hpp>
#include <optional>
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

// What `batch` and `replay` both take: the result file of --output, replaced
// or appended to (--append), the worker threads and --quiet.
struct BatchFileTexts {
    std::string output = "output.csv";
    bool append = false;
    std::optional<std::string> threads;
    bool quiet = false;
};

// An option kept as text, its default shown in the help.
CLI::Option* addText(CLI::App& app, const std::string& name, std::string& text,
                     const std::string& help, const std::string& typeName = "X");
// An option without a default, kept as text when given.
CLI::Option* addOptionalText(CLI::App& app, const std::string& name,
                             std::optional<std::string>& text, const std::string& help);

void addModelOptions(CLI::App& app, ModelTexts& texts);
void addAnalysisOptions(CLI::App& app, AnalysisTexts& texts);
// --isi, --isi-jitter, --cv and the repeatable --segment; --time comes with
// the model options or, for `generate`, on its own.
void addGeneratorOptions(CLI::App& app, GeneratorTexts& texts);
void addTimeOption(CLI::App& app, std::string& time);
void addBatchFileOptions(CLI::App& app, BatchFileTexts& texts);

}  // namespace mirvok::cli
