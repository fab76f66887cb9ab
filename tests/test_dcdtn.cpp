// The exams a graduation needs: the lowest total, the equal mark, the score.
#include <gtest/gtest.h>

#include "calculate.hpp"

namespace kavelta::testing {
namespace {

TEST(ExamsNeeded, TheLowestTotalInStepsOfAMark) {
    // The years' average 7.67, as xtn's example has it; every subject 9.5.
    const std::string years = grade(9, "7", "7") + grade(9, "7.5", "7.5") + grade(9, "8", "8");
    const std::string sevens = grade(7, "7.6", "7.9");
    const std::string nines = grade(6, "9.5", "9.5");
    const std::string high = nines + nines + nines;
    const struct {
        std::string answers;  // the grades, the exam count, encouragement, priority
        std::string total, mark, score;
    } cases[] = {
        // S / 4 must reach 2.32: 9.28, so 9.3 (9.25 gives 4.99125, shown 4.99);
        // 2.325 an exam is 2.35.
        {years + "4 0 0", "9.3", "2.35", "5"},
        {years + "3 0 0", "7", "2.35", "5"},  // 6.95 / 3 gives 4.99333
        // Encouragement inside the exam average, priority on top.
        {years + "4 1 0", "8.3", "2.1", "5"},
        {years + "4 0 0.25", "7.3", "1.85", "5"},
        // As typed: with the years at 7.64 (53.5 / 7), 2 puts 7.4 on a step;
        // a billionth less does not.
        {sevens + sevens + sevens + "4 2 0", "7.4", "1.85", "5"},
        {sevens + sevens + sevens + "4 1.999999999 0", "7.45", "1.9", "5"},
        // Nothing needed but the floor of 1.05 an exam: 6.025 is 6.03.
        {high + "4 2 0.5", "4.2", "1.05", "6.03"},
        {high + "3 2 0.5", "3.15", "1.05", "6.11"},
    };
    for (const auto& c : cases) {
        ShellState state;
        EXPECT_EQ(after(calculate(dcdtn, state, c.answers), "Tong Diem Cac Bai Thi Can Dat: "),
                  c.total + "\nMoi Bai Thi Can (Neu Bang Nhau): " + c.mark +
                      "\nKhi Do Diem Xet Tot Nghiep La: " + c.score +
                      "\nVa Khong Bai Thi Nao Duoc Tu 1 Tro Xuong\n")
            << c.answers;
    }
}

// xtn's questions but the exams, in order; then input that ends at the last.
TEST(ExamsNeeded, TheQuestionsAndTheEndOfInput) {
    std::string asked = "Nhap Diem Trung Binh Ca Nam Cac Mon Lop 10, 11 Va 12:\n";
    for (const char* number : {"10", "11", "12"}) {
        asked += std::string("Nhap So Mon Danh Gia Bang Diem So Lop ") + number + ": ";
        for (char n = '1'; n <= '6'; ++n) {
            asked += std::string("Nhap Diem Trung Binh Mon ") + n + " Lop " + number + ": ";
        }
    }
    asked += "Nhap So Bai Thi (4, Hoac 3 Neu Duoc Mien Thi Ngoai Ngu): "
             "Nhap Diem Khuyen Khich (0 Den 2): Nhap Diem Uu Tien (0, 0.25 Hoac 0.5): ";
    const std::string answers =
        grade(6, "5", "5") + grade(6, "6", "6") + grade(6, "7", "7") + "4 0";
    ShellState state;
    EXPECT_EQ(calculate(dcdtn, state, answers + " 0"),
              asked + "Trung Binh Lop 10: 5\nTrung Binh Lop 11: 6\nTrung Binh Lop 12: 7\n"
                      "Trung Binh Cac Nam Hoc: 6.33\nTong Diem Cac Bai Thi Can Dat: 14.65\n"
                      "Moi Bai Thi Can (Neu Bang Nhau): 3.7\nKhi Do Diem Xet Tot Nghiep La: 5\n"
                      "Va Khong Bai Thi Nao Duoc Tu 1 Tro Xuong\n");
    EXPECT_EQ(calculate(dcdtn, state, answers), asked);
}

}  // namespace
}  // namespace kavelta::testing
