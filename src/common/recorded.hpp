// A recorded value: a number held exactly as a whole count of units of
// 10^-places, as the grade book records an average in tenths (places 1) and
// the graduation score is worked out in hundredths (places 2). The scale is
// part of the type, so tenths and hundredths never mix unnoticed, and every
// rounding, sum and quotient over recorded values is exact, in integers.
#pragma once

#include <cstdint>

#include "common/number.hpp"

namespace kavelta {

template <int places>
struct Recorded {
    static_assert(places >= 1 && places <= 2, "a score is recorded in tenths or hundredths");
    static constexpr Billionths unit = places == 1 ? billion / 10 : billion / 100;
    std::int64_t units = 0;
};

using Tenths = Recorded<1>;
using Hundredths = Recorded<2>;

template <int places>
constexpr bool operator<(Recorded<places> a, Recorded<places> b) {
    return a.units < b.units;
}
template <int places>
constexpr bool operator>=(Recorded<places> a, Recorded<places> b) {
    return a.units >= b.units;
}

template <int places>
constexpr Billionths billionths(Recorded<places> value) {
    return value.units * Recorded<places>::unit;
}

// The exact quotient of whole billionths `sum` / `divisor`, rounded half up
// to the scale (7.95 is 8.0 in tenths, 4.995 is 5.00 in hundredths);
// `divisor` is positive and `sum` not negative.
template <int places>
constexpr Recorded<places> recorded(Billionths sum, Billionths divisor = 1) {
    // floor(sum / (divisor * unit) + 1/2), in whole numbers.
    Billionths unit = Recorded<places>::unit;
    return Recorded<places>{(2 * sum + divisor * unit) / (2 * divisor * unit)};
}

// The mean of `count` recorded values, exactly, then recorded at `places`:
// value i weighs `weights[i]`, or 1 when `weights` is null.
template <int places, int from>
Recorded<places> weightedmean(const Recorded<from>* values, const int* weights, int count) {
    Billionths sum = 0;
    Billionths weight = 0;
    for (int i = 0; i < count; ++i) {
        int each = weights != nullptr ? weights[i] : 1;
        sum += each * billionths(values[i]);
        weight += each;
    }
    return recorded<places>(sum, weight);
}

template <int places, int from>
Recorded<places> mean(const Recorded<from>* values, int count) {
    return weightedmean<places>(values, nullptr, count);
}

// Bounds are written as the points they are: 6.5_tenths, 5_hundredths.
namespace points {

// A literal's digits as a whole number, and how many follow its point.
struct Literal {
    std::int64_t digits = 0;
    int decimals = 0;
    bool plain = true;  // digits and at most one point, nothing else
};

template <char... text>
constexpr Literal literal() {
    Literal parts;
    bool afterpoint = false;
    for (char c : {text...}) {
        if (c == '.' && !afterpoint) {
            afterpoint = true;
        } else if (c >= '0' && c <= '9') {
            parts.digits = parts.digits * 10 + (c - '0');
            parts.decimals += afterpoint;
        } else {
            parts.plain = false;
        }
    }
    return parts;
}

template <int places>
constexpr Recorded<places> at(Literal parts) {
    for (int i = parts.decimals; i < places; ++i) {
        parts.digits *= 10;
    }
    return Recorded<places>{parts.digits};
}

}  // namespace points

template <char... text>
constexpr Tenths operator""_tenths() {
    static_assert(points::literal<text...>().plain && points::literal<text...>().decimals <= 1,
                  "a bound in tenths has at most one decimal");
    return points::at<1>(points::literal<text...>());
}

template <char... text>
constexpr Hundredths operator""_hundredths() {
    static_assert(points::literal<text...>().plain && points::literal<text...>().decimals <= 2,
                  "a bound in hundredths has at most two decimals");
    return points::at<2>(points::literal<text...>());
}

}  // namespace kavelta
