// The year average.
#include <gtest/gtest.h>

#include "calculate.hpp"
#include "common/display.hpp"

namespace kavelta::testing {
namespace {

const std::string warning = "\n" + std::string(plausibilitywarning);

std::string year(const std::string& answers) {
    ShellState state;
    return after(calculate(tdtbcn, state, answers), "Diem Trung Binh Ca Nam: ");
}

TEST(YearAverage, WholeOutput) {
    ShellState state;
    EXPECT_EQ(calculate(tdtbcn, state, "6\n9\n"),
              "Nhap Diem Trung Binh Hoc Ky 1: \n"
              "Nhap Diem Trung Binh Hoc Ky 2: \n"
              "Diem Trung Binh Ca Nam: 8\n");
    EXPECT_EQ(state.tbcn, 8.0f);
}

TEST(YearAverage, SecondSemesterCountsTwice) {
    EXPECT_EQ(year("6 9"), "8\n");
    EXPECT_EQ(year("9 6"), "7\n");
    EXPECT_EQ(year("7 8"), "7.67\n");
    EXPECT_EQ(year("8.5 6"), "6.83\n");
    EXPECT_EQ(year("10 10"), "10\n");
    EXPECT_EQ(year("10 10.5"), "10.33\n" + warning);
    EXPECT_EQ(year("12 9.5"), "10.33\n" + warning);
    EXPECT_EQ(year("0 -0.5"), "-0.33\n");
}

TEST(YearAverage, ARefusedEntryIsAskedAgainOnTheLineBelow) {
    ShellState state;
    EXPECT_EQ(calculate(tdtbcn, state, "6,5\n6.5\n8\n"),
              "Nhap Diem Trung Binh Hoc Ky 1: \n"
              "So Khong Hop Le! Nhap Lai (Vd: 8.5)\n"
              "Nhap Diem Trung Binh Hoc Ky 1: \n"
              "Nhap Diem Trung Binh Hoc Ky 2: \n"
              "Diem Trung Binh Ca Nam: 7.5\n");
}

}  // namespace
}  // namespace kavelta::testing
