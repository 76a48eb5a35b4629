#pragma once

#include <QString>

#include "sweep/sweep_description.hpp"

namespace mirvok::ui {

// The `mirvok-cli batch` command line that makes point `point` of the sweep
// again on its own, into outputPath: the values the sweep's points share, the
// point's varied values, its iterations and its seed.
QString pointCommandLine(const SweepDescription& description, int point, const QString& outputPath);

}  // namespace mirvok::ui
