#include "common/decimal.hpp"

#include "common/input.hpp"

namespace kavelta {

namespace {

constexpr int decimals = 9;

}  // namespace

Billionths typedbillionths(std::string_view token) {
    Decimal parts;
    splitdecimal(token, parts);
    // In billionths the value shifts 9 places more; digits shifted out to
    // the right are dropped. The entry is at most 10 and a hair, at most 11
    // digits in billionths, so digits past the 17 kept are always among
    // them.
    long shift = parts.scale + decimals;
    Billionths value = static_cast<Billionths>(parts.digits);
    for (long i = shift; i < 0 && value > 0; ++i) {
        value /= 10;
    }
    for (long i = 0; i < shift && value > 0 && value < 100 * billion; ++i) {
        value *= 10;
    }
    return parts.negative ? -value : value;
}

int recordedtenths(Billionths sum, Billionths divisor) {
    // floor(sum / (divisor * 10^8) + 1/2), in whole numbers.
    const Billionths tenth = billion / 10;
    return static_cast<int>((2 * sum + divisor * tenth) / (2 * divisor * tenth));
}

}  // namespace kavelta
