#include "analysis/analysis.hpp"

#include <cmath>

#include "text/number_format.hpp"

namespace mirvok {
namespace {

// The value of ign, read from the source the first time a computation
// compares a spike step with it, and not at all otherwise.
class LazyIgn {
  public:
    explicit LazyIgn(ValueSource& values) : values_(values) {}
    int operator()() {
        if (!read_) {
            value_ = static_cast<int>(values_.value(RunValue::Ign));
            read_ = true;
        }
        return value_;
    }

  private:
    ValueSource& values_;
    bool read_ = false;
    int value_ = 0;
};

double square(double x) {
    return std::pow(x, 2.0);
}

// Local CV of the R intervals from spike `first` on: the window that ends at
// spike first + R.
double localCv(const std::vector<int>& in, size_t first, int R) {
    long long total = 0;
    for (size_t t = first; t < first + R; ++t) total += static_cast<long long>(in[t + 1]) - in[t];
    const double m = static_cast<double>(total) / R;
    double ss = 0.0;
    for (size_t t = first; t < first + R; ++t)
        ss += square(m - static_cast<double>(static_cast<long long>(in[t + 1]) - in[t]));
    const double sd = std::sqrt(ss / R);
    return m != 0.0 ? sd / m : 0.0;
}

}  // namespace

double cvScore(double p, double cv, double c0) {
    if (c0 == 0.0 || c0 == 1.0) return -1.0;
    if (cv > c0) return p * (cv - c0) / (1.0 - c0);
    return (1.0 - p) * (c0 - cv) / c0;
}

double computeTransmissionRatio(const std::vector<int>& in, const std::vector<int>& out,
                                ValueSource& values) {
    LazyIgn ign(values);
    long long nIn = 0, nOut = 0;
    for (int k : in)
        if (k > ign()) ++nIn;
    for (int k : out)
        if (k > ign()) ++nOut;
    return nIn == 0 ? 0.0 : static_cast<double>(nOut) / static_cast<double>(nIn);
}

double computeIsiCV(const std::vector<int>& in, ValueSource& values) {
    LazyIgn ign(values);
    long long total = 0, n = 0;
    for (size_t k = 0; k + 1 < in.size(); ++k) {
        if (in[k] >= ign()) {
            total += static_cast<long long>(in[k + 1]) - in[k];
            ++n;
        }
    }
    const double mean = n > 0 ? static_cast<double>(total) / static_cast<double>(n) : 0.0;
    double ss = 0.0;
    for (size_t k = 0; k + 1 < in.size(); ++k)
        if (in[k] >= ign())
            ss += square(mean - static_cast<double>(static_cast<long long>(in[k + 1]) - in[k]));
    const double sd = ss != 0.0 ? std::sqrt(ss / static_cast<double>(n)) : 0.0;
    return mean != 0.0 ? sd / mean : 0.0;
}

double computeLocalCv(const std::vector<int>& in, const std::vector<int>& out, ValueSource& values,
                      std::vector<double>& spikeVari, LocalWindowSink* sink) {
    const long long N = static_cast<long long>(in.size());
    const int R = static_cast<int>(values.value(RunValue::Range));
    const bool windows = static_cast<long long>(R) + 1 <= N && R >= 2;
    // Started also for a run too short for a window: the windows shown are
    // always the latest run's.
    if (sink) sink->start(windows ? static_cast<size_t>(N - R) : 0);
    if (!windows) return 0.0;
    spikeVari.assign(in.size(), 0.0);

    size_t r = 0;
    const int ign = static_cast<int>(values.value(RunValue::Ign));
    while (in[r + R] < ign) {
        ++r;
        if (static_cast<long long>(r) + R > N - 1) return 0.0;
    }

    size_t s = 0;
    double sum = 0.0;
    long long count = 0;
    for (; static_cast<long long>(r) + R <= N - 1; ++r) {
        const size_t e = r + R;
        double fired = 0.0;
        if (!out.empty()) {
            while (out[s] < in[e] && s < out.size() - 1) ++s;
            fired = out[s] == in[e] ? 1.0 : 0.0;
        }
        const double lcv = localCv(in, r, R);
        const double score = cvScore(fired, lcv, values.value(RunValue::C0));
        spikeVari[e] = lcv;
        if (sink) sink->window(e, lcv);
        sum += score;
        ++count;
    }
    return sum / static_cast<double>(count);
}

std::string localCvLine(std::size_t spike, double lcv, char sep) {
    return IntToStr(static_cast<long long>(spike) + 1) + ".: " + FloatToStrF(lcv, 5, sep);
}

void analyseRun(SimState& s, ValueSource& values, RunResults& r, LocalWindowSink* sink) {
    r.transmissionRatio = computeTransmissionRatio(s.inSpikeSteps, s.outSpikeSteps, values);
    r.isiCV = computeIsiCV(s.inSpikeSteps, values);
    r.localScoreMean = computeLocalCv(s.inSpikeSteps, s.outSpikeSteps, values, s.spikeVari, sink);
    const double c0 = values.value(RunValue::C0);
    r.analysisResult = cvScore(r.transmissionRatio, r.isiCV, c0);
}

}  // namespace mirvok
