// The subject average.
#include <gtest/gtest.h>

#include "calculate.hpp"
#include "common/display.hpp"

namespace kavelta::testing {
namespace {

const std::string warning = plausibilitywarning;

std::string subject(const std::string& answers) {
    ShellState state;
    return after(calculate(tdtbm, state, answers), "Trung Binh Mon La: ");
}

TEST(SubjectAverage, WholeOutput) {
    ShellState state;
    EXPECT_EQ(calculate(tdtbm, state, "2\n8\n9\n7\n6\n"),
              "Nhap So Lan Kiem Tra Thuong Xuyen: "
              "Nhap So Diem Kiem Tra Thuong Xuyen 1: "
              "Nhap So Diem Kiem Tra Thuong Xuyen 2: "
              "Nhap So Diem Kiem tra giua ky: "
              "Nhap So Diem Kiem tra cuoi ky: "
              "Trung Binh Mon La: 7\n\n");
    EXPECT_EQ(state.tbm, 7.0);
    EXPECT_EQ(state.tongtx, 17.0f);
}

TEST(SubjectAverage, RoundingAndPrecision) {
    EXPECT_EQ(subject("0 7 6"), "6.4\n\n");
    // 57 / 8 is exactly 7.125: halfway goes away from zero.
    EXPECT_EQ(subject("3 7 7 7 6 8"), "7.13\n\n");
    // In single precision 61.8 / 8 is 7.7249999..., below the halfway point;
    // the same sum in double precision would show 7.73.
    EXPECT_EQ(subject("3 8 8 8 5.4 9"), "7.72\n\n");
    EXPECT_EQ(subject("1 10 10 10"), "10\n\n");
    EXPECT_EQ(subject("1 0 0 0"), "0\n\n");
    EXPECT_EQ(subject("0 -7.5 0"), "-3\n\n");
    // -0.125 rounds away from zero, to -0.13.
    EXPECT_EQ(subject("3 0 0 -1 0 0"), "-0.13\n\n");
}

const std::string countprompt = "Nhap So Lan Kiem Tra Thuong Xuyen: ";
const std::string toomany = countprompt + "Toi Da 10 Lan Kiem Tra! Nhap Lai\n";
const std::string notwhole =
    countprompt + "So Lan Kiem Tra Phai La So Nguyen Tu 0 Den 10! Nhap Lai\n";

// No student has 2.5 or -5 tests: such a count drops the rest of its line
// and is asked again, as a count above 10 is (that check comes first).
TEST(SubjectAverage, CountsAreWholeNumbersFromZeroToTen) {
    ShellState state;
    std::string output = calculate(tdtbm, state,
                                   "11 1 1\n10.5\n-5 8 9\n-1\n2.5 8 9 10\n0.1\n-3\n1e-40\n"
                                   "10 1 1 1 1 1 1 1 1 1 1 1 1\n");
    std::string refusals = toomany + toomany + notwhole + notwhole + notwhole + notwhole +
                           notwhole + notwhole + countprompt + "Nhap So Diem";
    EXPECT_EQ(output.substr(0, refusals.size()), refusals);
    EXPECT_NE(output.find("Thuong Xuyen 10: "), std::string::npos);
    EXPECT_EQ(output.find("Thuong Xuyen 11: "), std::string::npos);
    EXPECT_EQ(after(output, "Trung Binh Mon La: "), "1\n\n");
    EXPECT_EQ(state.n, 10.0f);

    // Whole numbers in any form a number takes are whole.
    EXPECT_EQ(subject("2.0 8 9 7 6"), "7\n\n");
    EXPECT_EQ(subject("1e1 1 1 1 1 1 1 1 1 1 1 1 1"), "1\n\n");
    EXPECT_EQ(subject("-0 7 6"), "6.4\n\n");
    EXPECT_EQ(subject("0 7 6"), "6.4\n\n");
}

TEST(SubjectAverage, WarningOnlyAboveTen) {
    EXPECT_EQ(subject("1 10 10 10"), "10\n\n");
    EXPECT_EQ(subject("1 11 10 10"), "10.17\n\n" + warning);
    EXPECT_EQ(subject("1 10 11 10"), "10.33\n\n" + warning);
    EXPECT_EQ(subject("1 10 10 11"), "10.5\n\n" + warning);
    // Just above 10 still warns although it shows as 10.
    EXPECT_EQ(subject("0 10 10.00001"), "10\n\n" + warning);
}

// Scores beyond single precision overflow to an infinity, or to a
// not-a-number when two infinities of opposite sign meet: shown as the
// stream shows them, and only a positive infinity draws the warning.
TEST(SubjectAverage, OverflowGivesInfinityOrNotANumber) {
    EXPECT_EQ(subject("0 3e38 3e38"), "inf\n\n" + warning);
    EXPECT_EQ(subject("0 -3e38 -3e38"), "-inf\n\n");
    std::string nan = subject("0 3e38 -3e38");
    EXPECT_NE(nan.find("nan\n\n"), std::string::npos) << nan;
    EXPECT_EQ(nan.find("Co Phai"), std::string::npos);
}

TEST(SubjectAverage, ASecondCalculationStartsFromZero) {
    ShellState state;
    calculate(tdtbm, state, "2 10 10 10 10");
    EXPECT_EQ(after(calculate(tdtbm, state, "1 5 5 5"), "Trung Binh Mon La: "), "5\n\n");
    EXPECT_EQ(state.tongtx, 5.0f);
}

}  // namespace
}  // namespace kavelta::testing
