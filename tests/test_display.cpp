// Two-decimal display.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>
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

template <typename Real>
std::string viastream(Real value) {
    std::ostringstream out;
    out << value;
    return out.str();
}

template <typename Real>
std::string written(Real value) {
    std::ostringstream out;
    writenumber(out, value);
    return out.str();
}

// The two-decimal display as the calculators write it, from hundredths.
template <typename Real>
void expectshownasthestreamshows(Real value) {
    std::ostringstream out;
    writetwodecimal(out, value);
    ASSERT_EQ(out.str(), viastream(twodecimal(value))) << viastream(value);
}

// Results are written without the stream's formatting, yet must read
// exactly as the stream's default notation writes them, for every float and
// double: random bit patterns reach infinities, not-a-numbers of both signs,
// subnormals and the extremes; random averages and their two-decimal
// displays are what the calculators write.
TEST(WriteNumber, AgreesWithTheStreamsDefaultNotation) {
    std::mt19937_64 random(20261207);
    std::uniform_real_distribution<double> average(-1000.0, 1000.0);
    for (int i = 0; i < 100000; ++i) {
        std::uint64_t bits = random();
        double d;
        std::memcpy(&d, &bits, sizeof d);
        std::uint32_t halfbits = static_cast<std::uint32_t>(bits >> 32);
        float f;
        std::memcpy(&f, &halfbits, sizeof f);
        ASSERT_EQ(written(d), viastream(d)) << bits;
        ASSERT_EQ(written(f), viastream(f)) << halfbits;
        double a = average(random);
        ASSERT_EQ(written(twodecimal(a)), viastream(twodecimal(a))) << a;
        float af = static_cast<float>(a);
        ASSERT_EQ(written(twodecimal(af)), viastream(twodecimal(af))) << af;
        expectshownasthestreamshows(d);
        expectshownasthestreamshows(f);
        expectshownasthestreamshows(a);
        expectshownasthestreamshows(af);
    }
    // Every one-, two- and three-decimal value from -100 to 100, halfway
    // cases included, and the edges of the short path (|hundredths| < 10^6).
    for (int k = -100000; k <= 100000; ++k) {
        expectshownasthestreamshows(k / 1000.0);
        expectshownasthestreamshows(static_cast<float>(k) / 1000.0f);
    }
    for (double d : {9999.994, 9999.995, -9999.995, 10000.0, 999999.5, -0.004, 0.005, 1e300}) {
        expectshownasthestreamshows(d);
        expectshownasthestreamshows(static_cast<float>(d));
    }
    using limits = std::numeric_limits<double>;
    for (double d : {0.0, -0.0, limits::infinity(), -limits::infinity(), limits::quiet_NaN(),
                     -limits::quiet_NaN(), limits::denorm_min(), limits::min(), limits::max(),
                     0.0001, 0.00001, 99999.95, 999999.5, 123456.5, 1e6, 7.125, 2.675}) {
        EXPECT_EQ(written(d), viastream(d)) << d;
        EXPECT_EQ(written(static_cast<float>(d)), viastream(static_cast<float>(d))) << d;
    }
}

}  // namespace
}  // namespace kavelta
