#include "ui/sweeps/point_command.hpp"

#include "sweep/sweep_seeds.hpp"
#include "sweep/sweep_summary.hpp"
#include "sweep/sweep_table.hpp"
#include "ui/window/ui_text.hpp"
#include "values/command_line.hpp"
#include "values/value_table.hpp"

namespace mirvok::ui {
namespace {

// A shared value as sweep.json holds it, as the option reads it.
std::string sharedText(const std::string& option, const Json& value) {
    if (value.is_number_integer()) return std::to_string(value.get<long long>());
    return optionValueText(option, value.get<double>());
}

}  // namespace

QString pointCommandLine(const SweepDescription& d, int point, const QString& outputPath) {
    BatchCommand command{.iterations = std::to_string(d.iterations),
                         .seed = pointSeed(d.seed, point),
                         .quantify = d.values.value(settingRow(Setting::Quantify).keyword, false),
                         .c01 = d.values.value(settingRow(Setting::C01).keyword, false),
                         .output = toStd(outputPath)};
    for (const ValueRow& row : valueTable())
        if (d.values.contains(row.option) && d.values[row.option].is_number())
            command.values[row.option] = sharedText(row.option, d.values[row.option]);
    const std::vector<int> at = pointIndices(d, point);
    for (std::size_t a = 0; a < d.vary.size(); ++a)
        command.values[d.vary[a].name] =
            optionValueText(d.vary[a].name, d.vary[a].values[static_cast<std::size_t>(at[a])]);
    const std::string& segments = settingRow(Setting::Segments).keyword;
    if (d.values.contains(segments) && d.values[segments].is_array())
        for (const Json& s : d.values[segments])
            command.segments.push_back(
                segmentText(s["end"].get<int>(), s["isi"].get<double>(), s["shape"].get<double>()));
    return toQt(batchCommandLine(command));
}

}  // namespace mirvok::ui
