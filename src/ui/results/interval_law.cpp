#include "ui/results/interval_law.hpp"

#include <algorithm>
#include <boost/math/special_functions/gamma.hpp>
#include <cmath>

namespace mirvok::ui {
namespace {

constexpr double kStepsPerMs = 2.0;

// A value that cannot be computed comes back as NaN or infinity, checked
// below, rather than as an exception thrown into the window's event loop.
using Quiet = boost::math::policies::policy<
    boost::math::policies::domain_error<boost::math::policies::ignore_error>,
    boost::math::policies::overflow_error<boost::math::policies::ignore_error>,
    boost::math::policies::evaluation_error<boost::math::policies::ignore_error>,
    boost::math::policies::pole_error<boost::math::policies::ignore_error>>;

// The integral of F from 0 to x (x >= 0, in steps) for mean `mean` (steps):
// x F(x) - mean P(shape + 1, x / scale), with P(shape + 1, z) written as
// P(shape, z) less its density term, so that no two nearly equal
// distribution functions are subtracted when the shape is large.
double integralOfF(double x, double mean, double shape) {
    if (x <= 0.0) return 0.0;
    const double z = x * shape / mean;
    return (x - mean) * boost::math::gamma_p(shape, z, Quiet()) +
           x * boost::math::gamma_p_derivative(shape, z, Quiet());
}

}  // namespace

double intervalAtMost(double meanMs, double shape, long long steps) {
    if (steps < 0) return 0.0;
    const double mean = kStepsPerMs * meanMs;
    const double k = static_cast<double>(steps);
    return integralOfF(k + 1.0, mean, shape) - integralOfF(k, mean, shape);
}

std::vector<double> expectedCounts(const IntervalHistogram& h, double meanMs, double shape) {
    std::vector<double> counts;
    const bool usable =
        meanMs > 0.0 && std::isfinite(meanMs) && shape > 0.0 && std::isfinite(shape);
    if (!usable || h.stepsPerBin <= 0) return counts;
    counts.reserve(h.counts.size());
    const double n = static_cast<double>(h.intervals);
    long long below = static_cast<long long>(h.firstStep) - 1;
    double atMostBelow = intervalAtMost(meanMs, shape, below);
    for (std::size_t i = 0; i < h.counts.size(); ++i) {
        below += h.stepsPerBin;
        const double atMost = intervalAtMost(meanMs, shape, below);
        const double expected = n * (atMost - atMostBelow);
        if (!std::isfinite(expected)) return {};
        counts.push_back(std::max(expected, 0.0));
        atMostBelow = atMost;
    }
    return counts;
}

}  // namespace mirvok::ui
