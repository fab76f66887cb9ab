// What a number is: the one grammar every entry is read by, its value as a
// float (the conversions), and its value as typed, as an exact decimal, for
// the rules that decide at thresholds (8.0, 6.5, 5.0, 3.5) where a float is
// a hair off: 6.45 as a float is below 6.45, yet the grade book records it
// as 6.5.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace kavelta {

// A number entry longer than this is refused: no score needs it, and a
// bounded token keeps memory bounded whatever is typed.
constexpr std::size_t maxtoken = 128;

// An entry of the one grammar, [sign] digits [. digits] [e [sign] digits]
// with digits on at least one side of the point, in parts: its value is
// `digits` times 10^scale. `digits` is the whole number its digits write,
// or, past 10^17, their first 17 or more significant ones, the scale
// counting the rest.
struct Decimal {
    bool negative = false;
    std::uint64_t digits = 0;
    long scale = 0;  // the exponent, less the digits after the point
};

// Reads the longest start of [at, end) that is a number of the grammar into
// `parts` and returns where it ends: `at` itself when none ("abc", "+",
// "."), the 'e' of "1e" or "1ex". An exponent of any length is taken, held
// at a million either way: past that no digit of a 128-byte entry is left
// in reach.
// Inline, as this is most of the work of every entry read.
inline const char* scandecimal(const char* at, const char* end, Decimal& parts);

// False when the whole of `token` is not of the grammar: "8,5", "inf",
// "nan", "0x10", "1e" and "." are not.
bool splitdecimal(std::string_view token, Decimal& parts);

// The common entry, digits below 2^24 and a power of ten up to 10^10, as a
// float, in a few instructions; false for any other, whose float
// parsescore gives.
bool converteasy(const Decimal& parts, float& value);

// True when the whole token is a real number that the stream's formatted
// extraction reads completely and without failing ("8", "8.5", "+8.5", ".5",
// "8.", "1e1"; not "8,5", "8abc", "inf", "nan", "0x10", "1e50"), with the
// value extraction gives, and the token's parts.
bool parsescore(std::string_view token, float& value, Decimal& parts);
bool parsescore(std::string_view token, float& value);

// A whole number of billionths (0.000000001).
using Billionths = std::int64_t;

constexpr Billionths billion = 1000000000;

// The entry as typed, to 9 decimal places with the digits past the ninth
// dropped (7.9499999999 is 7.949999999, 1e-99999999999 is 0). `parts` are
// those of an entry whose float is from 0 to 10: a tiny negative one
// ("-1e-50") is 0.
Billionths typedbillionths(const Decimal& parts);

// How the grammar is scanned, here because every entry read does it.
namespace scanning {

inline bool isdigit(char c) {
    return c >= '0' && c <= '9';
}

// Below this, one more digit always fits 64 bits.
constexpr std::uint64_t digitlimit = 100000000000000000;
constexpr long exponentlimit = 1000000;

// Takes the digits that start at `at` into `parts`; returns past them.
inline const char* takedigits(const char* at, const char* end, Decimal& parts) {
    std::uint64_t digits = parts.digits;
    long unkept = 0;
    for (; at < end && isdigit(*at); ++at) {
        if (digits < digitlimit) {
            digits = digits * 10 + static_cast<std::uint64_t>(*at - '0');
        } else {
            ++unkept;
        }
    }
    parts.digits = digits;
    parts.scale += unkept;
    return at;
}

}  // namespace scanning

inline const char* scandecimal(const char* at, const char* end, Decimal& parts) {
    parts = Decimal();
    const char* start = at;
    if (at < end && (*at == '+' || *at == '-')) {
        parts.negative = *at++ == '-';
    }
    const char* integer = at;
    at = scanning::takedigits(at, end, parts);
    bool wholedigits = at > integer;
    if (at < end && *at == '.') {
        const char* fraction = ++at;
        at = scanning::takedigits(at, end, parts);
        parts.scale -= at - fraction;
        if (!wholedigits && at == fraction) {
            return start;
        }
    } else if (!wholedigits) {
        return start;
    }
    // The exponent counts only with a digit: "1e" is the number 1 and an 'e'.
    const char* e = at;
    if (at == end || (*at != 'e' && *at != 'E')) {
        return at;
    }
    ++at;
    bool negative = at < end && *at == '-';
    at += at < end && (*at == '+' || *at == '-');
    if (at == end || !scanning::isdigit(*at)) {
        return e;
    }
    long exponent = 0;
    for (; at < end && scanning::isdigit(*at); ++at) {
        exponent = std::min(exponent * 10 + (*at - '0'), scanning::exponentlimit);
    }
    parts.scale += negative ? -exponent : exponent;
    return at;
}

}  // namespace kavelta
