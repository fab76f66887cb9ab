// Today's learning level: Tot, Kha, Dat, Chua Dat, and the one-subject raise.
#include <gtest/gtest.h>

#include "calculate.hpp"

namespace kavelta::testing {
namespace {

TEST(LearningLevel, BoundsOnRecordedAveragesAndTheRaise) {
    const std::string raised = " (Duoc Nang Tu Muc ";
    const struct {
        const char* answers;  // count, averages, comment subjects at Chua Dat
        std::string level;
    } cases[] = {
        {"6 8 8 8 8 8 8 0", "Tot"},
        {"8 7.95 7.95 7.95 7.95 7.95 7.95 6.45 6.45 0", "Tot"},
        {"8 7.95 7.95 7.95 7.95 7.95 7.9499999999 6.45 6.45 0", "Kha"},
        {"7 6.45 6.45 6.45 6.45 6.45 6.45 4.95 0", "Kha"},
        {"7 6.5 6.5 6.5 6.5 6.5 6.4 4.9 0", "Dat"},
        {"7 5 5 5 5 5 5 3.45 0", "Dat"},  // "below 3.5" is strict
        {"7 5 5 5 5 5 5 3.44 0", "Chua Dat"},
        {"7 5 5 5 5 5 4.9 4.9 0", "Chua Dat"},
        {"7 8 8 8 8 8 8 8 2", "Chua Dat"},
        // A scored subject at 10, or a comment subject at Dat, would give
        // Tot or Kha two levels up: one level up.
        {"8 8.5 8.5 8.5 8.5 8.5 8.5 8.5 4 0", "Kha" + raised + "Dat Vi Chi Mot Mon)"},
        {"8 9 9 9 9 9 9 9 3 0", "Dat" + raised + "Chua Dat Vi Chi Mot Mon)"},
        {"8 9 9 9 9 9 9 9 9 1", "Kha" + raised + "Dat Vi Chi Mot Mon)"},
        {"8 9 9 9 9 9 7 7 4 0", "Kha" + raised + "Dat Vi Chi Mot Mon)"},
        // One level at best, two low subjects, two things in the way: none.
        {"8 7 7 7 7 7 7 7 4 0", "Dat"},
        {"8 9 9 9 9 9 9 4 4 0", "Dat"},
        {"8 9 9 9 9 9 9 9 3 1", "Chua Dat"},
    };
    for (const auto& c : cases) {
        ShellState state;
        EXPECT_EQ(after(calculate(xlht, state, c.answers), "Ket Qua Hoc Tap: "), c.level + "\n")
            << c.answers;
    }
}

TEST(LearningLevel, RefusalsAskTheSameQuestionAgain) {
    ShellState state;
    std::string output =
        calculate(xlht, state, "5 9\n6.5\n1e39\n6\n10.5 9\n-1\n8 8 8 8 8 8\n1.5\n0\n");
    const std::string count = "Nhap So Mon Danh Gia Bang Diem So: ";
    const std::string first = "Nhap Diem Trung Binh Mon 1: ";
    const std::string comments = "Nhap So Mon Danh Gia Bang Nhan Xet Bi Xep Muc Chua Dat: ";
    std::string others;
    for (char n = '2'; n <= '6'; ++n) {
        others += std::string("Nhap Diem Trung Binh Mon ") + n + ": ";
    }
    EXPECT_EQ(output, "Nhap Diem Trung Binh Cac Mon (Hoc Ky Hoac Ca Nam):\n" + count +
                          "So Mon Phai La So Nguyen Tu 6 Den 15! Nhap Lai\n" + count +
                          "So Mon Phai La So Nguyen Tu 6 Den 15! Nhap Lai\n" + count +
                          "So Khong Hop Le! Nhap Lai (Vd: 8.5)\n" + count + first +
                          "Diem Phai Tu 0 Den 10! Nhap Lai\n" + first +
                          "Diem Phai Tu 0 Den 10! Nhap Lai\n" + first + others + comments +
                          "So Mon Phai La So Nguyen Tu 0 Den 10! Nhap Lai\n" + comments +
                          "Ket Qua Hoc Tap: Tot\n");
    // Input that ends at an average shows nothing after its question.
    EXPECT_EQ(calculate(xlht, state, "6 8 8 8 8 8"),
              "Nhap Diem Trung Binh Cac Mon (Hoc Ky Hoac Ca Nam):\n" + count + first + others);
}

}  // namespace
}  // namespace kavelta::testing
