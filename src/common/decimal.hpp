// Scores as exact decimals, for the rules that decide at thresholds (8.0,
// 6.5, 5.0, 3.5) where a float is a hair off: 6.45 as a float is below 6.45,
// yet the grade book records it as 6.5.
#pragma once

#include <cstdint>
#include <string_view>

namespace kavelta {

// A whole number of billionths (0.000000001).
using Billionths = std::int64_t;

constexpr Billionths billion = 1000000000;

// The entry as typed, to 9 decimal places with the digits past the ninth
// dropped (7.9499999999 is 7.949999999, 1e-99999999999 is 0). `token` is one
// that parsescore accepted, whose float is from 0 to 10: a tiny negative one
// ("-1e-50") is 0.
Billionths typedbillionths(std::string_view token);

// As the grade book records an average: rounded half up to one decimal, in
// tenths (7.95 is 80, 7.949999999 is 79, 6.45 is 65). For a quotient of whole
// billionths `sum` / `divisor`, exactly; `divisor` is positive and `sum` not
// negative.
int recordedtenths(Billionths sum, Billionths divisor = 1);

}  // namespace kavelta
