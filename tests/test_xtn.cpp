// The graduation score: the three years' means, the weighted mean of the
// years, the exams with the encouragement and priority points, the outcome.
#include <gtest/gtest.h>

#include "calculate.hpp"

namespace kavelta::testing {
namespace {

TEST(GraduationScore, EachStepRoundedHalfUpOnTheExactValue) {
    const std::string fives = grade(6, "5", "5");
    const std::string pass = "\nKet Qua: Duoc Cong Nhan Tot Nghiep\n";
    const std::string fail = "\nKet Qua: Chua Duoc Cong Nhan Tot Nghiep\n";
    const std::string below = "Diem Xet Tot Nghiep Duoi 5\n";
    const struct {
        std::string answers;  // the grades, the exams, encouragement, priority
        std::string from, shown;
    } cases[] = {
        // 8 x 6.7 + 6.3 = 59.9, / 9 = 6.6555...; 6.45 is recorded 6.5 first.
        {grade(9, "6.7", "6.3") + grade(6, "6.5", "6.45") + grade(6, "6.5", "6.4499999999") +
             "4 7 7 7 7 0 0",
         "Trung Binh Lop 10: ",
         "6.66\nTrung Binh Lop 11: 6.5\nTrung Binh Lop 12: 6.48\nTrung Binh Cac Nam Hoc: 6.52\n"
         "Diem Xet Tot Nghiep: 6.76" + pass},
        // The weights: grade 12 high against grade 10 high.
        {grade(6, "4", "4") + grade(6, "4", "4") + grade(6, "10", "10") + "4 5 5 5 5 0 0",
         "Trung Binh Cac Nam Hoc: ", "7\nDiem Xet Tot Nghiep: 6" + pass},
        {grade(6, "10", "10") + grade(6, "4", "4") + grade(6, "4", "4") + "4 5 5 5 5 0 0",
         "Trung Binh Cac Nam Hoc: ", "5\nDiem Xet Tot Nghiep: 5" + pass},
        // 4.97 + 2 x 5 + 3 x 5 = 29.97, / 6 = 4.995: 5; with 4.96, 4.99.
        {grade(10, "5", "4.7") + fives + fives + "3 5 5 5 0 0", "Trung Binh Cac Nam Hoc: ",
         "5\nDiem Xet Tot Nghiep: 5" + pass},
        {grade(10, "5", "4.6") + fives + fives + "3 5 5 5 0 0", "Trung Binh Cac Nam Hoc: ",
         "4.99\nDiem Xet Tot Nghiep: 5" + pass},
        // D = (4.99 + 5) / 2 = 4.995, shown 5; (4.98 + 5) / 2 = 4.99.
        {fives + fives + fives + "4 5 5 5 4.96 0 0", "Diem Xet Tot Nghiep: ", "5" + pass},
        {fives + fives + fives + "4 5 5 5 4.92 0 0", "Diem Xet Tot Nghiep: ",
         "4.99" + fail + below},
        // An exam at 1 fails whatever D is; a hair above it, as typed, does not.
        {fives + fives + fives + "4 10 1 10 0.5 0 0.5", "Diem Xet Tot Nghiep: ",
         "5.69" + fail + "Diem Liet (Tu 1 Tro Xuong): Bai Thi 2, Bai Thi 4\n"},
        {fives + fives + fives + "4 10 1.00000001 10 1 2 0", "Diem Xet Tot Nghiep: ",
         "5.5" + fail + "Diem Liet (Tu 1 Tro Xuong): Bai Thi 4\n"},
        {fives + fives + fives + "3 1.00000001 1.00000001 10 2 0.5", "Diem Xet Tot Nghiep: ",
         "5.33" + pass},
        // Encouragement inside the exam average: (18 + 1.5) / 4 = 4.875.
        {fives + fives + fives + "4 4.5 4.5 4.5 4.5 1.5 0", "Diem Xet Tot Nghiep: ",
         "4.94" + fail + below},
        {fives + fives + fives + "4 4.5 4.5 4.5 4.5 1.5 0.25", "Diem Xet Tot Nghiep: ",
         "5.19" + pass},
        // Below 5 and an exam at 0: both reasons.
        {fives + fives + fives + "3 0 5 5 0 0", "Diem Xet Tot Nghiep: ",
         "4.17" + fail + "Diem Liet (Tu 1 Tro Xuong): Bai Thi 1\n" + below},
    };
    for (const auto& c : cases) {
        ShellState state;
        EXPECT_EQ(after(calculate(xtn, state, c.answers), c.from), c.shown) << c.answers;
    }
}

TEST(GraduationScore, RefusalsAndTheEndOfInput) {
    std::string asked = "Nhap Diem Trung Binh Ca Nam Cac Mon Lop 10, 11 Va 12:\n";
    for (const char* number : {"10", "11", "12"}) {
        std::string count = std::string("Nhap So Mon Danh Gia Bang Diem So Lop ") + number + ": ";
        asked += count + (number[1] == '0' ? "So Mon Phai La So Nguyen Tu 6 Den 15! Nhap Lai\n" +
                                                 count : "");
        for (char n = '1'; n <= '6'; ++n) {
            asked += std::string("Nhap Diem Trung Binh Mon ") + n + " Lop " + number + ": ";
        }
    }
    const std::string exams = "Nhap So Bai Thi (4, Hoac 3 Neu Duoc Mien Thi Ngoai Ngu): ";
    const std::string first = "Nhap Diem Bai Thi 1: ";
    const std::string encouragement = "Nhap Diem Khuyen Khich (0 Den 2): ";
    const std::string priority = "Nhap Diem Uu Tien (0, 0.25 Hoac 0.5): ";
    asked += exams + "So Bai Thi Phai La 3 Hoac 4! Nhap Lai\n" + exams + first +
             "Diem Phai Tu 0 Den 10! Nhap Lai\n" + first + "Nhap Diem Bai Thi 2: " +
             "Nhap Diem Bai Thi 3: Nhap Diem Bai Thi 4: " + encouragement +
             "Diem Khuyen Khich Phai Tu 0 Den 2! Nhap Lai\n" + encouragement + priority +
             "Diem Uu Tien Phai La 0, 0.25 Hoac 0.5! Nhap Lai\n" + priority;
    const std::string answers = "5\n" + grade(6, "8", "8") + grade(6, "8", "8") +
                                grade(6, "8", "8") + "2\n4.0\n10.5 x\n8 8 8 8\n2.5\n0\n0.3\n";
    ShellState state;
    // 0.25000001 reads as 0.25 and counts as exactly that: (8 + 8) / 2 + 0.25.
    EXPECT_EQ(calculate(xtn, state, answers + "0.25000001\n"),
              asked + "Trung Binh Lop 10: 8\nTrung Binh Lop 11: 8\nTrung Binh Lop 12: 8\n"
                      "Trung Binh Cac Nam Hoc: 8\nDiem Xet Tot Nghiep: 8.25\n"
                      "Ket Qua: Duoc Cong Nhan Tot Nghiep\n");
    // Input that ends at the last question shows nothing after it.
    EXPECT_EQ(calculate(xtn, state, answers), asked);
}

}  // namespace
}  // namespace kavelta::testing
