// Writing results: the two-decimal display, the output stream's default
// notation for numbers, the plausibility warning, and the result lines of
// the menu's averages, which bring them together.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <ostream>
#include <string_view>

#include "common/recorded.hpp"

namespace kavelta {

// round(value * 100) / 100 with halfway cases away from zero, in the
// precision of the argument: the subject average rounds in double, the
// semester and year averages in single precision.
double twodecimal(double value);
float twodecimal(float value);

// Writes straight into the stream's buffer: the program's texts need none of
// the stream's formatting, and a script writes a great many of them. The
// text points somewhere even when empty ("", not a view left empty): the
// program's buffer copies it with memcpy, which may not be given null.
void writetext(std::ostream& out, std::string_view text);

// Writes the value as the output stream's default notation shows it:
// general format, 6 significant digits, no trailing zeros ("7.5", "8",
// "6.67", "123457", "1e+06").
void writenumber(std::ostream& out, double value);
void writenumber(std::ostream& out, float value);

// Writes `units` of 10^-places (tenths or hundredths), below 10^6 so of 6
// significant digits or fewer, a minus sign before them when `negative`, as
// writenumber writes such a number: the point placed, trailing zeros dropped
// ("-0", "0.05", "7.5", "8").
template <int places>
void writeunits(std::ostream& out, bool negative, std::uint32_t units);

// A label, then a recorded value as writenumber would write it (8.3, 7,
// 0, 10, 7.67), then the tail.
template <int places>
void writerecorded(std::ostream& out, std::string_view label, Recorded<places> value,
                   std::string_view tail = "\n") {
    writetext(out, label);
    writeunits<places>(out, value.units < 0, static_cast<std::uint32_t>(std::llabs(value.units)));
    writetext(out, tail);
}

// Writes twodecimal(value) as writenumber would, from its hundredths.
void writetwodecimal(std::ostream& out, double value);
void writetwodecimal(std::ostream& out, float value);

// Written after a result whose unrounded value is above 10.
extern const char* const plausibilitywarning;

// How the averages of the menu end: the label, the result shown to two
// decimals, what follows it (a subject average's blank line, a semester's
// title line), and, when the unrounded result is above 10, the plausibility
// warning behind `beforewarning` (a line end for the semester and the year).
struct ResultLine {
    std::string_view label;
    std::string_view after[2];
    std::string_view beforewarning;
};

// The subject average's is a double, the semester's and the year's floats:
// each compared with 10 in its own precision.
void writeresult(std::ostream& out, const ResultLine& line, double value);
void writeresult(std::ostream& out, const ResultLine& line, float value);

}  // namespace kavelta
