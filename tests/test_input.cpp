// Number entries and menu choices as typed.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstdio>
#include <cstring>
#include <random>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "common/input.hpp"

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

TEST(ReadScore, RefusedEntriesDiscardTheLineAndAskAgain) {
    std::istringstream in("8,5 7\n\n  abc\n1e50\n  8.5 9\n");
    std::ostringstream out;
    float value = 0;
    ASSERT_TRUE(readscore(in, out, "Diem: ", value));
    EXPECT_EQ(value, 8.5f);
    const std::string again = "So Khong Hop Le! Nhap Lai (Vd: 8.5)\n";
    EXPECT_EQ(out.str(), "Diem: " + again + "Diem: " + again + "Diem: " + again + "Diem: ");
    // The rest of the accepted entry's line is left for the next read.
    std::string rest;
    std::getline(in, rest);
    EXPECT_EQ(rest, " 9");
}

TEST(ReadScore, EndOfInputFailsTheStream) {
    for (const char* input : {"", "  \n\t", "abc\n", "abc"}) {
        std::istringstream in(input);
        std::ostringstream out;
        float value = 42;
        EXPECT_FALSE(readscore(in, out, "Diem: ", value)) << input;
        EXPECT_TRUE(in.fail());
        EXPECT_EQ(value, 42);
    }
}

TEST(ReadScore, AHugeEntryIsRefusedWithoutHoldingIt) {
    std::istringstream in(std::string(1 << 20, '7') + " 1\n2\n");
    std::ostringstream out;
    float value = 0;
    ASSERT_TRUE(readscore(in, out, "? ", value));
    EXPECT_EQ(value, 2.0f);
}

TEST(ReadChoice, TakesTheRestOfTheLineTrimmed) {
    std::istringstream in("\n \t  tinh diem  x \r\n1 4\n");
    std::string choice;
    ASSERT_TRUE(readchoice(in, choice));
    EXPECT_EQ(choice, "tinh diem  x");
    ASSERT_TRUE(readchoice(in, choice));
    EXPECT_EQ(choice, "1 4");
    EXPECT_FALSE(readchoice(in, choice));
    EXPECT_TRUE(in.fail());
}

TEST(ReadChoice, KeepsNulBytesAndBoundsLongLines) {
    std::istringstream in(std::string("\0z\n", 3) + std::string(100000, 'y') + "\n");
    std::string choice;
    ASSERT_TRUE(readchoice(in, choice));
    EXPECT_EQ(choice, std::string("\0z", 2));
    ASSERT_TRUE(readchoice(in, choice));
    EXPECT_LT(choice.size(), 100u);
    EXPECT_NE(choice.find('y'), std::string::npos);
}

}  // namespace
}  // namespace kavelta
