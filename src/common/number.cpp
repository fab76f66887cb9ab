#include "common/number.hpp"

#include <algorithm>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace kavelta {

namespace {

// strtof, which extraction uses, rounds correctly to single precision; a
// value too small for a float comes out as zero or the nearest subnormal,
// as extraction takes it, and one too large as an infinity, which
// extraction refuses. The program never changes the C locale, so the
// decimal point is always '.'.
bool convert(std::string_view token, float& value) {
    char text[maxtoken + 1];
    std::memcpy(text, token.data(), token.size());
    text[token.size()] = '\0';
    float converted = std::strtof(text, nullptr);
    if (std::isinf(converted)) {
        return false;
    }
    value = converted;
    return true;
}

// Any other entry of the grammar. Kept out of line: its buffer for strtof
// would otherwise weigh on every entry read.
[[gnu::noinline]] bool convertany(std::string_view token, float& value) {
#ifdef __cpp_lib_to_chars
    // The same, many times faster, where the library has it; it gives no
    // value out of range, where strtof tells underflow from overflow.
    float converted;
    const char* first = token.data() + (token[0] == '+' ? 1 : 0);
    const char* last = token.data() + token.size();
    std::from_chars_result result = std::from_chars(first, last, converted);
    if (result.ec == std::errc() && result.ptr == last) {
        value = converted;
        return true;
    }
#endif
    return convert(token, value);
}

constexpr int decimals = 9;

}  // namespace

bool splitdecimal(std::string_view token, Decimal& parts) {
    const char* end = token.data() + token.size();
    return !token.empty() && scandecimal(token.data(), end, parts) == end;
}

// Digits that write a whole number below 2^24 (any of up to 7 digits) and a
// power of ten up to 10^10 are both exact floats, so one IEEE division or
// multiplication rounds the exact value once, correctly, to the float
// strtof gives. Where a float expression may be held wider than a float,
// never.
bool converteasy(const Decimal& parts, float& value) {
    static const float powers[] = {1e0f, 1e1f, 1e2f, 1e3f, 1e4f,  1e5f,
                                   1e6f, 1e7f, 1e8f, 1e9f, 1e10f};
    if (FLT_EVAL_METHOD != 0 || parts.digits >= (1u << 24) || parts.scale < -10 ||
        parts.scale > 10) {
        return false;
    }
    float whole = static_cast<float>(parts.digits);
    float magnitude = parts.scale < 0 ? whole / powers[-parts.scale] : whole * powers[parts.scale];
    value = parts.negative ? -magnitude : magnitude;
    return true;
}

bool parsescore(std::string_view token, float& value, Decimal& parts) {
    if (token.size() > maxtoken || !splitdecimal(token, parts)) {
        return false;
    }
    return converteasy(parts, value) || convertany(token, value);
}

bool parsescore(std::string_view token, float& value) {
    Decimal parts;
    return parsescore(token, value, parts);
}

Billionths typedbillionths(const Decimal& parts) {
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

}  // namespace kavelta
