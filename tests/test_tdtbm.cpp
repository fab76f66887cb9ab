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

TEST(SubjectAverage, FractionalCountsAskForTheNextWholeNumberOfScores) {
    ShellState state;
    std::string output = calculate(tdtbm, state, "2.5 8 9 10 7 6");
    EXPECT_NE(output.find("Thuong Xuyen 3: "), std::string::npos);
    EXPECT_EQ(output.find("Thuong Xuyen 4: "), std::string::npos);
    // 59 / 7.5
    EXPECT_EQ(after(output, "Trung Binh Mon La: "), "7.87\n\n");
    // 0.5 asks for one score; the divisor is 5.5.
    EXPECT_EQ(subject("0.5 11 0 0"), "2\n\n");
    // A negative count asks for none: 35 / 3.
    EXPECT_EQ(subject("-2 10 5"), "11.67\n\n" + warning);
}

TEST(SubjectAverage, CountsAboveTenAreAskedAgain) {
    ShellState state;
    std::string output = calculate(tdtbm, state, "11 1 1\n10.5\n10 1 1 1 1 1 1 1 1 1 1 1 1\n");
    const std::string refusal =
        "Nhap So Lan Kiem Tra Thuong Xuyen: Toi Da 10 Lan Kiem Tra! Nhap Lai\n";
    const std::string accepted = "Nhap So Lan Kiem Tra Thuong Xuyen: Nhap So Diem";
    EXPECT_EQ(output.substr(0, 2 * refusal.size() + accepted.size()), refusal + refusal + accepted);
    EXPECT_NE(output.find("Thuong Xuyen 10: "), std::string::npos);
    EXPECT_EQ(output.find("Thuong Xuyen 11: "), std::string::npos);
    EXPECT_EQ(after(output, "Trung Binh Mon La: "), "1\n\n");
    EXPECT_EQ(state.n, 10.0f);
}

TEST(SubjectAverage, WarningOnlyAboveTen) {
    EXPECT_EQ(subject("1 10 10 10"), "10\n\n");
    EXPECT_EQ(subject("1 11 10 10"), "10.17\n\n" + warning);
    EXPECT_EQ(subject("1 10 11 10"), "10.33\n\n" + warning);
    EXPECT_EQ(subject("1 10 10 11"), "10.5\n\n" + warning);
    // Just above 10 still warns although it shows as 10.
    EXPECT_EQ(subject("0 10 10.00001"), "10\n\n" + warning);
}

TEST(SubjectAverage, ZeroDivisorGivesInfinityOrNotANumber) {
    EXPECT_EQ(subject("-5 8 9"), "inf\n\n" + warning);
    EXPECT_EQ(subject("-5 -8 -9"), "-inf\n\n");
    std::string nan = subject("-5 0 0");
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
