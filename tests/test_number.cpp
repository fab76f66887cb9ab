// Numbers: the one grammar, the float it gives, scores as exact decimals,
// and averages as the grade book records them.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "common/number.hpp"
#include "common/recorded.hpp"

namespace kavelta {
namespace {

#ifndef _LIBCPP_VERSION
// What the stream's formatted extraction makes of a whole token: accepted
// only when it reads every byte without failing.
bool extracts(const std::string& token, float& value) {
    std::istringstream in(token);
    in >> value;
    return !in.fail() && in.peek() == std::char_traits<char>::eof();
}
#else
// libc++'s extraction also reads hexadecimal forms and refuses values too
// small for a float. The program reads one grammar on every library, as
// libstdc++'s extraction does: the decimal forms, with strtof's value.
bool extracts(const std::string& token, float& value) {
    static const std::regex decimal("[+-]?([0-9]+\\.?[0-9]*|\\.[0-9]+)([eE][+-]?[0-9]+)?");
    float converted = std::strtof(token.c_str(), nullptr);
    if (!std::regex_match(token, decimal) || std::isinf(converted)) {
        return false;
    }
    value = converted;
    return true;
}
#endif

bool samebits(float a, float b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

TEST(ParseScore, AcceptsAndRefusesAsTheUsersExpect) {
    const struct {
        const char* token;
        float value;
    } accepted[] = {{"8", 8.0f},     {"8.5", 8.5f}, {"+8.5", 8.5f},  {"-0", -0.0f}, {".5", 0.5f},
                    {"8.", 8.0f},    {"1e1", 10.0f}, {"1E+1", 10.0f}, {"-2.5e-1", -0.25f},
                    {"007.25", 7.25f}, {"5.4", 5.4f}, {"3.4028234e38", 3.4028234e38f}};
    for (const auto& a : accepted) {
        float value = 99;
        EXPECT_TRUE(parsescore(a.token, value)) << a.token;
        EXPECT_TRUE(samebits(value, a.value)) << a.token;
    }
    const char* refused[] = {"8,5", "8abc", "abc", "inf", "-inf", "nan", "infinity", "0x10",
                             "1e50", "-1e39", "3.5e38", "", ".", "+", "-", "e5", "1e", "1e+",
                             "1.2.3", "--1", "+-1", "1e5e", "8-", "½", "\xC3\xA0"};
    for (const char* token : refused) {
        float value = 99;
        EXPECT_FALSE(parsescore(token, value)) << token;
        EXPECT_EQ(value, 99) << token;
    }
    float value = 0;
    EXPECT_TRUE(parsescore(std::string(128, '0'), value));
    EXPECT_FALSE(parsescore(std::string(129, '0'), value));
}

// The number check and the conversion must agree with formatted extraction
// on every token, to the bit: thousands of random tokens over the bytes that
// make numbers interesting.
TEST(ParseScore, AgreesWithFormattedExtraction) {
    const char alphabet[] = "0123456789..++--eEeExXaAiInNfF,";
    std::mt19937 random(12345);
    std::uniform_int_distribution<int> pick(0, sizeof alphabet - 2);
    std::uniform_int_distribution<int> length(1, 12);
    for (int i = 0; i < 50000; ++i) {
        std::string token;
        for (int n = length(random); n > 0; --n) {
            token += alphabet[pick(random)];
        }
        float ours = 0, theirs = 0;
        bool ok = parsescore(token, ours);
        ASSERT_EQ(ok, extracts(token, theirs)) << token;
        if (ok) {
            ASSERT_TRUE(samebits(ours, theirs)) << token;
        }
    }
    // Every one-, two- and three-decimal score from -100 to 100 as typed,
    // the edges of the fast conversion (digits up to 2^24, powers up to
    // 10^10), and random floats written with 1 to 9 digits.
    std::vector<std::string> tokens = {"1e-50", "1e-45", "1.17549435e-38", "0.1", "16777217",
                                       "9.99999999", "340282356779733661637539395458142568448",
                                       "16777216", "16777215e-10", "16777216e-10", "1677721.5e10",
                                       "1e10", "1e-10", "1e11", "1e-11", "9999999e10",
                                       "0.0000016777215", "-0.000", "00000000000000000000001.5"};
    for (int k = -100000; k <= 100000; ++k) {
        std::string whole = std::to_string(std::abs(k) / 1000);
        std::string thousandths = std::to_string(std::abs(k) % 1000 + 1000).substr(1);
        std::string sign = k < 0 ? "-" : "";
        for (int decimals = 0; decimals <= 3; ++decimals) {
            if (k % (decimals == 3 ? 1 : decimals == 2 ? 10 : decimals == 1 ? 100 : 1000) == 0) {
                tokens.push_back(sign + whole + (decimals > 0 ? "." : "") +
                                 thousandths.substr(0, static_cast<std::size_t>(decimals)));
            }
        }
    }
    for (int i = 0; i < 100000; ++i) {
        std::uint32_t bits = static_cast<std::uint32_t>(random());
        float f;
        std::memcpy(&f, &bits, sizeof f);
        char text[64];
        std::snprintf(text, sizeof text, "%.*g", 1 + i % 9, static_cast<double>(f));
        tokens.push_back(text);
    }
    for (const std::string& token : tokens) {
        float ours = 0, theirs = 0;
        bool ok = parsescore(token, ours);
        ASSERT_EQ(ok, extracts(token, theirs)) << token;
        ASSERT_TRUE(!ok || samebits(ours, theirs)) << token;
    }
}

Billionths typedbillionths(std::string_view token) {
    Decimal parts;
    EXPECT_TRUE(splitdecimal(token, parts)) << token;
    return kavelta::typedbillionths(parts);
}


TEST(Decimal, TypedToTheBillionthThenRecordedHalfUp) {
    const struct {
        const char* typed;
        Billionths value;
        int recorded;
    } cases[] = {{"7.9499999999", 7949999999, 79}, {"7.95", 7950000000, 80},
                 {"+6.45", 6450000000, 65},        {"795e-2", 7950000000, 80},
                 {"0.000795E+4", 7950000000, 80},  {"1e-99999999999", 0, 0},
                 {"0e99999999999", 0, 0},          {"-1e-50", 0, 0},
                 {"0.0000000019", 1, 0},           {"0.00000000000000000001e20", billion, 10},
                 {"10.0000001", 10000000100, 100}, {"007.", 7 * billion, 70}};
    for (const auto& c : cases) {
        EXPECT_EQ(typedbillionths(c.typed), c.value) << c.typed;
        EXPECT_EQ(recorded<1>(typedbillionths(c.typed)).units, c.recorded) << c.typed;
    }
    // A quotient: 55.65 / 7 is 7.95 exactly.
    EXPECT_EQ(recorded<1>(55650000000, 7).units, 80);
    EXPECT_EQ(recorded<1>(55649999999, 7).units, 79);
}

}  // namespace
}  // namespace kavelta
