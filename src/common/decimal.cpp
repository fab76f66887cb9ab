#include "common/decimal.hpp"

#include <algorithm>

namespace kavelta {

namespace {

constexpr int decimals = 9;

bool isdigit(char c) {
    return c >= '0' && c <= '9';
}

// The whole number written by the first `count` digits of `digits`.
Billionths wholenumber(const char* digits, long count) {
    Billionths value = 0;
    for (long i = 0; i < count; ++i) {
        value = value * 10 + (digits[i] - '0');
    }
    return value;
}

}  // namespace

Billionths typedbillionths(std::string_view token) {
    std::size_t at = 0;
    bool negative = token[0] == '-';
    if (token[0] == '+' || token[0] == '-') {
        ++at;
    }
    // The significant digits of the mantissa, without the point and without
    // leading zeros; `fraction` counts the digits written after the point.
    char digits[128];
    long count = 0;
    long fraction = 0;
    bool afterpoint = false;
    for (; at < token.size() && (isdigit(token[at]) || token[at] == '.'); ++at) {
        if (token[at] == '.') {
            afterpoint = true;
            continue;
        }
        fraction += afterpoint;
        if (count > 0 || token[at] != '0') {
            digits[count++] = token[at];
        }
    }
    // An exponent of any length: past a million it shifts every digit of a
    // 128-byte entry out of reach either way.
    long exponent = 0;
    if (at < token.size()) {
        bool negativeexponent = token[++at] == '-';
        at += token[at] == '+' || token[at] == '-';
        for (; at < token.size(); ++at) {
            exponent = std::min(exponent * 10 + (token[at] - '0'), 1000000L);
        }
        exponent = negativeexponent ? -exponent : exponent;
    }
    // The value is digits x 10^(exponent - fraction); in billionths, shifted
    // by 9 places more. The entry is at most 10 and a hair, so at most 11
    // digits stay (18 keeps the arithmetic defined whatever comes).
    long shift = exponent - fraction + decimals;
    long kept = std::min(count + std::min(shift, 0L), 18L);
    Billionths value = wholenumber(digits, kept);
    for (long i = 0; i < shift && value > 0 && value < 100 * billion; ++i) {
        value *= 10;
    }
    return negative ? -value : value;
}

int recordedtenths(Billionths sum, Billionths divisor) {
    // floor(sum / (divisor * 10^8) + 1/2), in whole numbers.
    const Billionths tenth = billion / 10;
    return static_cast<int>((2 * sum + divisor * tenth) / (2 * divisor * tenth));
}

}  // namespace kavelta
