// Scores as exact decimals, and averages as the grade book records them.
#include <gtest/gtest.h>

#include "common/decimal.hpp"

namespace kavelta {
namespace {

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
        EXPECT_EQ(recordedtenths(typedbillionths(c.typed)), c.recorded) << c.typed;
    }
    // A quotient: 55.65 / 7 is 7.95 exactly.
    EXPECT_EQ(recordedtenths(55650000000, 7), 80);
    EXPECT_EQ(recordedtenths(55649999999, 7), 79);
}

}  // namespace
}  // namespace kavelta
