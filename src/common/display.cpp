#include "common/display.hpp"

#include <cmath>

namespace kavelta {

double twodecimal(double value) {
    return std::round(value * 100.0) / 100.0;
}

float twodecimal(float value) {
    return std::roundf(value * 100.0f) / 100.0f;
}

const char* const plausibilitywarning = "Co Phai So Qua Lon ?, Kiem Tra Lai Cac So Diem \n";

}  // namespace kavelta
