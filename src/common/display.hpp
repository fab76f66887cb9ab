// Two-decimal display of results and the plausibility warning.
#pragma once

#include <ostream>

namespace kavelta {

// round(value * 100) / 100 with halfway cases away from zero, in the
// precision of the argument: the subject average rounds in double, the
// semester and year averages in single precision.
double twodecimal(double value);
float twodecimal(float value);

// Written after a result whose unrounded value is above 10.
extern const char* const plausibilitywarning;

}  // namespace kavelta
