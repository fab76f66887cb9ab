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

// round(value * 100), halfway cases away from zero, in the precision of the
// argument: the hundredths a result is shown with.
template <typename Real>
Real hundredths(Real value) {
    return std::round(value * static_cast<Real>(100));
}

// k hundredths with |k| < 10^6 have at most 6 significant digits, and the
// nearest float or double to k / 100 is far nearer than half a unit in the
// sixth: the default notation shows exactly k / 100, with the point placed
// and trailing zeros dropped ("-0", "0.05", "7.5", "9999.99"). Larger,
// infinite and not-a-number values take the general path.
template <typename Real>
void writefromhundredths(std::ostream& out, Real value) {
    Real k = hundredths(value);
    if (!(std::fabs(k) < static_cast<Real>(1e6))) {
        writereal(out, k / static_cast<Real>(100));
        return;
    }
    char text[16];
    char* end = text;
    if (std::signbit(k)) {
        *end++ = '-';
    }
    unsigned whole = static_cast<unsigned>(std::fabs(k));
    end = std::to_chars(end, text + sizeof text, whole / 100).ptr;
    if (whole % 100 != 0) {
        *end++ = '.';
        *end++ = static_cast<char>('0' + whole % 100 / 10);
        if (whole % 10 != 0) {
            *end++ = static_cast<char>('0' + whole % 10);
        }
    }
    writetext(out, std::string_view(text, static_cast<std::size_t>(end - text)));
}

}  // namespace

double twodecimal(double value) {
    return hundredths(value) / 100.0;
}

float twodecimal(float value) {
    return hundredths(value) / 100.0f;
}

void writetwodecimal(std::ostream& out, double value) {
    writefromhundredths(out, value);
}

void writetwodecimal(std::ostream& out, float value) {
    writefromhundredths(out, value);
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

namespace {

// The warning is about the scores typed, so it looks at the unrounded
// result: 10.000001 is shown as 10 and still warned about.
template <typename Real>
void writeresultline(std::ostream& out, const ResultLine& line, Real value) {
    writetext(out, line.label);
    writetwodecimal(out, value);
    for (std::string_view text : line.after) {
        if (!text.empty()) {
            writetext(out, text);
        }
    }
    if (value > static_cast<Real>(10)) {
        writetext(out, line.beforewarning);
        writetext(out, plausibilitywarning);
    }
}

}  // namespace

void writeresult(std::ostream& out, const ResultLine& line, double value) {
    writeresultline(out, line, value);
}

void writeresult(std::ostream& out, const ResultLine& line, float value) {
    writeresultline(out, line, value);
}

}  // namespace kavelta
