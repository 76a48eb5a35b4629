#include "random/random_variates.hpp"

#include <cmath>

#include "base/checked_math.hpp"
#include "base/errors.hpp"

namespace mirvok {
namespace {

constexpr double kE = 2.718281828459045;  // exp(1)

// ln x for 0 < x, as the described arithmetic has it: ln 0 divides by zero,
// a negative or NaN argument is an invalid operation.
double checkedLog(double x) {
    if (x == 0.0) throw EZeroDivide();
    if (!(x > 0.0)) throw EInvalidOp();
    return checkedFinite(std::log(x));
}

// base^exponent; a result too large for a double is an overflow, a NaN an
// invalid operation. Underflow to 0 passes silently.
double checkedPow(double base, double exponent) {
    return checkedFinite(std::pow(base, exponent));
}

double checkedProduct(double x, double y) {
    return checkedFinite(x * y);
}

// The algorithms, over any source type: instantiated for the abstract source
// (a virtual call per draw) and for Pcg31 (the draw inlined).

template <class Source>
double uniformFrom(Source& source) {
    std::int32_t k = source.next();
    while (k == 0) k = source.next();
    return uniformOfDraw(k);
}

template <class Source>
double exponentialFrom(Source& source, double theta) {
    const double u = uniformFrom(source);
    return checkedProduct(-theta, checkedLog(u));
}

template <class Source>
double belowOneFrom(Source& source, double theta, double a) {
    const double b = 1.0 + a / kE;
    const double invA = checkedDivide(1.0, a);
    const double invAm1 = checkedDivide(1.0, a - 1.0);
    for (;;) {
        const double u = uniformFrom(source);
        const double p = b * u;
        if (p <= 1.0) {
            const double x = checkedPow(p, invA);
            const double v = uniformFrom(source);
            if (-checkedLog(v) >= x) return checkedProduct(theta, x);
            continue;
        }
        // b - P is 0 only for U = 1: start afresh rather than take ln 0.
        if (!(b - p > 0.0)) continue;
        const double x = -checkedLog(checkedDivide(b - p, a));
        const double w = uniformFrom(source);
        if (checkedPow(w, invAm1) >= x) return checkedProduct(theta, x);
    }
}

template <class Source>
double aboveOneFrom(Source& source, double theta, double a) {
    const double a1 = a - 1.0;
    const double c1 = checkedDivide(a - checkedDivide(1.0, 6.0 * a), a1);
    const double c2 = checkedDivide(2.0, a1);
    const double c3 = c2 + 2.0;
    for (;;) {
        const double u1 = uniformFrom(source);
        const double u2 = uniformFrom(source);
        const double w = checkedDivide(c1 * u2, u1);
        const bool accepted = c2 * u1 - c3 + w + checkedDivide(1.0, w) <= 0.0 ||
                              c2 * checkedLog(u1) - checkedLog(w) + w - 1.0 <= 0.0;
        if (accepted) return checkedProduct(checkedProduct(theta, a1), w);
    }
}

template <class Source>
double gammaFrom(Source& source, double theta, double a) {
    if (a < 1.0) return belowOneFrom(source, theta, a);
    if (a == 1.0) return exponentialFrom(source, theta);
    if (a > 1.0) return aboveOneFrom(source, theta, a);
    throw EInvalidOp();  // a is NaN
}

}  // namespace

double uniformVariate(RandomSource& source) {
    return uniformFrom(source);
}

int randomInt(RandomSource& source, int n) {
    if (n == 0) return 0;
    // The remainder takes the sign of the draw, which is never negative.
    return static_cast<int>(source.next() % n);
}

double exponentialVariate(RandomSource& source, double theta) {
    return exponentialFrom(source, theta);
}

double gammaVariateBelowOne(RandomSource& source, double theta, double a) {
    return belowOneFrom(source, theta, a);
}

double gammaVariateAboveOne(RandomSource& source, double theta, double a) {
    return aboveOneFrom(source, theta, a);
}

double gammaVariate(RandomSource& source, double theta, double a) {
    return gammaFrom(source, theta, a);
}

double gammaVariate(Pcg31& source, double theta, double a) {
    return gammaFrom(source, theta, a);
}

}  // namespace mirvok
