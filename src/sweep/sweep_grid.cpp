#include "sweep/sweep_grid.hpp"

#include <algorithm>
#include <cstdint>

#include "base/errors.hpp"
#include "text/number_format.hpp"
#include "values/value_table.hpp"

namespace mirvok {
namespace {

// Wide enough that sums and products of two scaled values cannot overflow.
__extension__ typedef __int128 Wide;

// A decimal number exactly: digits * 10^-decimals.
struct Decimal {
    Wide digits = 0;
    int decimals = 0;
};

// Every scaled value stays below this, far inside the wide integer.
constexpr Wide kMostDigits = static_cast<Wide>(1000000000000000000LL) * 1000000000;  // 10^27
constexpr int kMostDecimals = 18;

[[noreturn]] void refuseNumber(std::string_view text, std::string_view range) {
    throw InputError("'" + std::string(text) + "' in " + std::string(range) +
                     " is not a decimal number of at most 18 decimals");
}

bool scaleUp(Wide& digits, int by) {
    for (int i = 0; i < by; ++i) {
        if (digits > kMostDigits / 10 || digits < -kMostDigits / 10) return false;
        digits *= 10;
    }
    return true;
}

int readExponent(std::string_view text, std::size_t& i, bool& ok) {
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    if (i >= text.size()) ok = false;
    int exponent = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        exponent = exponent * 10 + (text[i] - '0');
        if (exponent > 1000) ok = false;
    }
    return negative ? -exponent : exponent;
}

Decimal parseDecimal(std::string_view text, std::string_view range) {
    Decimal d;
    std::size_t i = 0;
    const bool negative = !text.empty() && text[0] == '-';
    if (!text.empty() && (text[0] == '+' || text[0] == '-')) ++i;
    bool ok = true, anyDigit = false, point = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '.' && !point) {
            point = true;
        } else if (c >= '0' && c <= '9') {
            anyDigit = true;
            if (!scaleUp(d.digits, 1)) ok = false;
            d.digits += c - '0';
            if (point) ++d.decimals;
        } else {
            break;
        }
    }
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E'))
        d.decimals -= readExponent(text, ++i, ok);
    if (!ok || !anyDigit || i != text.size()) refuseNumber(text, range);
    if (d.decimals < 0) {
        if (!scaleUp(d.digits, -d.decimals)) refuseNumber(text, range);
        d.decimals = 0;
    }
    if (d.decimals > kMostDecimals) refuseNumber(text, range);
    if (negative) d.digits = -d.digits;
    return d;
}

Wide scaledTo(const Decimal& d, int decimals, std::string_view text, std::string_view range) {
    Wide digits = d.digits;
    if (!scaleUp(digits, decimals - d.decimals)) refuseNumber(text, range);
    return digits;
}

std::string decimalText(Wide digits, int decimals) {
    const bool negative = digits < 0;
    Wide magnitude = negative ? -digits : digits;
    std::string out;
    do {
        out.insert(out.begin(), static_cast<char>('0' + static_cast<int>(magnitude % 10)));
        magnitude /= 10;
    } while (magnitude > 0);
    if (decimals > 0) {
        if (out.size() <= static_cast<std::size_t>(decimals))
            out.insert(0, static_cast<std::size_t>(decimals) + 1 - out.size(), '0');
        out.insert(out.size() - static_cast<std::size_t>(decimals), ".");
    }
    return negative ? "-" + out : out;
}

std::vector<std::string> split(std::string_view text, char separator) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = text.find(separator, start);
        parts.emplace_back(text.substr(start, end - start));
        if (end == std::string_view::npos) return parts;
        start = end + 1;
    }
}

}  // namespace

std::vector<std::string> rangeTexts(std::string_view from, std::string_view to,
                                    std::string_view step) {
    const std::string range = std::string(from) + ":" + std::string(to) + ":" + std::string(step);
    const Decimal first = parseDecimal(from, range), last = parseDecimal(to, range),
                  stride = parseDecimal(step, range);
    if (stride.digits <= 0) throw InputError("STEP must be greater than 0 in " + range);
    const int decimals = std::max(first.decimals, stride.decimals);
    // TO may carry more decimals than the values are written with.
    const int exact = std::max(decimals, last.decimals);
    const Wide a = scaledTo(first, exact, from, range), b = scaledTo(last, exact, to, range),
               s = scaledTo(stride, exact, step, range);
    if (b < a) return {};
    const Wide count = (b - a) / s + 1;
    if (count > kMostSweepPoints)
        throw InputError(range + " has more than " + IntToStr(kMostSweepPoints) + " values");
    std::vector<std::string> texts;
    const Wide start = scaledTo(first, decimals, from, range),
               increment = scaledTo(stride, decimals, step, range);
    for (Wide i = 0; i < count; ++i) texts.push_back(decimalText(start + i * increment, decimals));
    return texts;
}

SweepAxis parseSweepAxis(std::string_view spec) {
    const std::size_t equals = spec.find('=');
    if (equals == std::string_view::npos)
        throw InputError("'" + std::string(spec) + "' is not of the form NAME=VALUES");
    SweepAxis axis;
    axis.name = std::string(spec.substr(0, equals));
    if (!rowOfOption(axis.name))
        throw InputError("'" + axis.name + "' is not a number option of batch (" + optionList() +
                         ")");
    const std::string_view values = spec.substr(equals + 1);
    if (values.empty()) throw InputError(axis.name + " has no values");
    if (values.find(':') != std::string_view::npos) {
        const std::vector<std::string> parts = split(values, ':');
        if (parts.size() != 3)
            throw InputError("'" + std::string(values) + "' is not a range FROM:TO:STEP");
        axis.texts = rangeTexts(parts[0], parts[1], parts[2]);
    } else {
        axis.texts = split(values, ',');
        if (std::find(axis.texts.begin(), axis.texts.end(), "") != axis.texts.end())
            throw InputError("'" + std::string(values) + "' holds an empty value");
    }
    return axis;
}

void SweepGrid::add(SweepAxis axis) {
    for (const SweepAxis& known : axes_)
        if (known.name == axis.name) throw InputError(axis.name + " is varied twice");
    if (axis.texts.empty()) throw InputError(axis.name + " has no values");
    const long long points =
        static_cast<long long>(points_) * static_cast<long long>(axis.texts.size());
    if (points > kMostSweepPoints)
        throw InputError("the grid has more than " + IntToStr(kMostSweepPoints) + " points");
    points_ = static_cast<int>(points);
    axes_.push_back(std::move(axis));
}

std::vector<std::string> SweepGrid::pointTexts(int point) const {
    std::vector<std::string> texts(axes_.size());
    for (std::size_t a = axes_.size(); a-- > 0;) {
        const auto size = static_cast<int>(axes_[a].texts.size());
        texts[a] = axes_[a].texts[static_cast<std::size_t>(point % size)];
        point /= size;
    }
    return texts;
}

BatchSetup gridSetup(const SweepGrid& grid, const NamedTexts& base,
                     std::span<const std::string> segments, int point) {
    NamedTexts texts = base;
    const std::vector<std::string> values = grid.pointTexts(point);
    for (std::size_t a = 0; a < values.size(); ++a) texts[grid.axes()[a].name] = values[a];
    return batchSetupFrom(texts, segments);
}

void checkGridSetups(const SweepGrid& grid, const NamedTexts& base,
                     std::span<const std::string> segments) {
    for (int p = 0; p < grid.points(); ++p) gridSetup(grid, base, segments, p);
}

}  // namespace mirvok
