// Two-decimal display.
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include "common/display.hpp"

namespace kavelta {
namespace {

template <typename T>
std::string shown(T value) {
    std::ostringstream out;
    out << twodecimal(value);
    return out.str();
}

TEST(TwoDecimal, DefaultNotationAndRounding) {
    EXPECT_EQ(shown(7.5), "7.5");
    EXPECT_EQ(shown(8.0), "8");
    EXPECT_EQ(shown(20.0 / 3.0), "6.67");
    EXPECT_EQ(shown(7.125), "7.13");
    EXPECT_EQ(shown(-7.125), "-7.13");
    EXPECT_EQ(shown(7.125f), "7.13");
    EXPECT_EQ(shown(0.005f), "0.01");
    EXPECT_EQ(shown(123456.789), "123457");
    EXPECT_EQ(shown(HUGE_VAL), "inf");
}

TEST(TwoDecimal, RoundsInTheArgumentsPrecision) {
    // 2.675f is 2.6749999523...; times 100 it rounds to exactly 267.5 in
    // single precision, but stays below 267.5 in double.
    EXPECT_EQ(shown(2.675f), "2.68");
    EXPECT_EQ(shown(static_cast<double>(2.675f)), "2.67");
    EXPECT_EQ(shown(1.005), "1");
    // 0.285f times 100 rounds to exactly 28.5f in single precision, which
    // rounds away from zero; in double the product stays below 28.5.
    EXPECT_EQ(shown(0.285f), "0.29");
    EXPECT_EQ(shown(static_cast<double>(0.285f)), "0.28");
}

}  // namespace
}  // namespace kavelta
