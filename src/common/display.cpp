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

// The text writeunits writes, built in `text`. Inline, as this is most of
// the work of every result written.
template <int places>
inline std::string_view unitstext(char (&text)[16], bool negative, std::uint32_t units) {
    constexpr std::uint32_t scale = places == 1 ? 10 : 100;
    char* end = text;
    if (negative) {
        *end++ = '-';
    }
    end = std::to_chars(end, text + sizeof text, units / scale).ptr;
    std::uint32_t fraction = units % scale;
    if (fraction != 0) {
        // Every digit of the fraction, then its trailing zeros dropped.
        *end++ = '.';
        for (std::uint32_t unit = scale / 10; unit > 0; unit /= 10) {
            *end++ = static_cast<char>('0' + fraction / unit % 10);
        }
        while (end[-1] == '0') {
            --end;
        }
    }
    return std::string_view(text, static_cast<std::size_t>(end - text));
}

// round(value * 100), halfway cases away from zero, in the precision of the
// argument: the hundredths a result is shown with.
template <typename Real>
Real hundredths(Real value) {
    return std::round(value * static_cast<Real>(100));
}

// k hundredths with |k| < 10^6 have at most 6 significant digits, and the
// nearest float or double to k / 100 is far nearer than half a unit in the
// sixth: the default notation shows exactly k / 100, as writeunits writes
// it. Larger, infinite and not-a-number values take the general path.
template <typename Real>
void writefromhundredths(std::ostream& out, Real value) {
    Real k = hundredths(value);
    if (!(std::fabs(k) < static_cast<Real>(1e6))) {
        writereal(out, k / static_cast<Real>(100));
        return;
    }
    char text[16];
    writetext(out, unitstext<2>(text, std::signbit(k), static_cast<std::uint32_t>(std::fabs(k))));
}

}  // namespace

template <int places>
void writeunits(std::ostream& out, bool negative, std::uint32_t units) {
    char text[16];
    writetext(out, unitstext<places>(text, negative, units));
}

template void writeunits<1>(std::ostream& out, bool negative, std::uint32_t units);
template void writeunits<2>(std::ostream& out, bool negative, std::uint32_t units);

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
