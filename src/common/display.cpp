#include "common/display.hpp"

#include <charconv>
#include <cmath>

namespace kavelta {

namespace {

template <typename Real>
void writereal(std::ostream& out, Real value) {
    // Infinities and not-a-numbers are written by the stream itself: C
    // libraries differ in how they show them ("-nan" or "nan").
    if (!std::isfinite(value)) {
        out << value;
        return;
    }
    char text[32];
    char* end = std::to_chars(text, text + sizeof text, value, std::chars_format::general, 6).ptr;
    writetext(out, std::string_view(text, static_cast<std::size_t>(end - text)));
}

}  // namespace

double twodecimal(double value) {
    return std::round(value * 100.0) / 100.0;
}

float twodecimal(float value) {
    return std::roundf(value * 100.0f) / 100.0f;
}

void writetext(std::ostream& out, std::string_view text) {
    out.rdbuf()->sputn(text.data(), static_cast<std::streamsize>(text.size()));
}

void writenumber(std::ostream& out, double value) {
    writereal(out, value);
}

void writenumber(std::ostream& out, float value) {
    writereal(out, value);
}

const char* const plausibilitywarning = "Co Phai So Qua Lon ?, Kiem Tra Lai Cac So Diem \n";

}  // namespace kavelta
