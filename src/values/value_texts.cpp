#include "values/value_texts.hpp"

#include "base/errors.hpp"
#include "random/random_source.hpp"
#include "system/cpu_count.hpp"
#include "text/number_format.hpp"
#include "text/number_parse.hpp"
#include "trains/segment_definition.hpp"
#include "values/setup_from_rows.hpp"

namespace mirvok {
namespace {

struct SegmentParts {
    std::string_view end, isi, cv;
};

SegmentParts splitSegment(std::string_view text) {
    const auto first = text.find(':');
    const auto second = first == std::string_view::npos ? first : text.find(':', first + 1);
    if (second == std::string_view::npos || text.find(':', second + 1) != std::string_view::npos)
        throw refusedSetting(Setting::Segments,
                             "'" + std::string(text) + "' is not of the form END:ISI:CV");
    return {text.substr(0, first), text.substr(first + 1, second - first - 1),
            text.substr(second + 1)};
}

void defineSegment(SegmentDefinition& definition, const std::string& text, int last) {
    const SegmentParts s = splitSegment(text);
    int end = 0;
    try {
        end = StrToInt(s.end);
    } catch (const Error& e) {
        throw refusedSetting(Setting::Segments, e.what());
    }
    if (definition.done())
        throw refusedSetting(
            Setting::Segments,
            "'" + text + "' comes after the segment that ends at the last step " + IntToStr(last));
    if (end > last)
        throw refusedSetting(Setting::Segments, "END " + IntToStr(end) +
                                                    " lies beyond the last step " + IntToStr(last));
    SegmentDefinition::PassResult result;
    try {
        result = definition.pass(end, s.isi, s.cv, '.');
    } catch (const Error& e) {
        throw refusedSetting(Setting::Segments, e.what());
    }
    if (result.outcome == SegmentDefinition::Outcome::NotRightOfLast)
        throw refusedSetting(Setting::Segments, "END " + IntToStr(end) +
                                                    " is not right of the previous END " +
                                                    IntToStr(definition.lastBound()));
}

// Segments are defined as the interval dialog defines them, END being the
// slider's position; the last must end at the run's last step.
Segments definedSegments(int steps, std::span<const std::string> segments) {
    const int last = steps - 1;
    Segments defined;
    SegmentDefinition definition(defined, steps);
    for (const std::string& segment : segments) defineSegment(definition, segment, last);
    if (!definition.done())
        throw refusedSetting(Setting::Segments,
                             "the last END must be the run's last step " + IntToStr(last));
    return defined;
}

}  // namespace

BatchSetup batchSetupFrom(const NamedTexts& texts, std::span<const std::string> segments) {
    BatchSetup setup = setupFromRows([&](const ValueRow& row) -> std::optional<double> {
        const auto given = texts.find(row.option);
        const std::string& text = given != texts.end() ? given->second : row.defaultText;
        return row.kind == ValueKind::Integer ? StrToInt(text) : StrToDouble(text, '.');
    });
    if (!segments.empty()) {
        setup.generator.segments = definedSegments(setup.steps, segments);
        setup.generator.segmentMode = true;
    }
    return setup;
}

int integerFrom(const std::string& name, std::string_view text) {
    try {
        return StrToInt(text);
    } catch (const Error& e) {
        throw refusedValue(name, e.what());
    }
}

std::uint64_t seedFrom(std::string_view text) {
    const int seed = integerFrom(settingRow(Setting::Seed).option, text);
    if (seed < 0)
        throw refusedSetting(Setting::Seed, "'" + std::string(text) + "' is not a valid seed");
    return static_cast<std::uint64_t>(seed);
}

std::uint64_t seedOrClock(const std::optional<std::string>& text) {
    return text ? seedFrom(std::string_view(*text)) : clockSeed();
}

int threadsFrom(const std::optional<std::string>& text) {
    if (!text) return usableCpuCount();
    const int threads = integerFrom("threads", *text);
    if (threads < 1) throw refusedValue("threads", "'" + *text + "' is not a valid thread count");
    if (threads > kMostThreads)
        throw refusedValue("threads", "'" + *text + "' is not a valid thread count: at most " +
                                          IntToStr(kMostThreads));
    return threads;
}

int iterationsFrom(std::string_view text) {
    const int iterations = integerFrom(settingRow(Setting::Iterations).option, text);
    if (iterations < 0)
        throw refusedSetting(Setting::Iterations,
                             "'" + std::string(text) + "' is not a valid number of runs");
    return iterations;
}

}  // namespace mirvok
