// The year's outcome: the year averages, the level, the award, going up.
#include <gtest/gtest.h>

#include "calculate.hpp"

namespace kavelta::testing {
namespace {

TEST(YearOutcome, AwardsAndOutcomesAtTheirBounds) {
    // Answers: the count, the pairs of semesters, comments, conduct, sessions missed.
    const std::string nines = "9 9 9 9 9 9 9 9 9 9 ";
    const struct {
        std::string answers, level, conduct, award, outcome;
    } cases[] = {
        // 8.9 + 2 x 9 = 26.9, / 3 = 8.966..., recorded 9: six at 9; 26.8 gives 8.9.
        {"6 " + nines + "8.9 9 0 1 0", "Tot", "Tot", "Hoc Sinh Xuat Sac", "Duoc Len Lop"},
        {"6 " + nines + "8.8 9 0 1 0", "Tot", "Tot", "Hoc Sinh Gioi", "Duoc Len Lop"},
        // Semester 2 recorded first: 6.45 is 6.5, the year 6.5; 6.4499999999 is 6.4.
        {"7 9 9 " + nines + "6.4 6.45 0 1 45", "Tot", "Tot", "Hoc Sinh Xuat Sac", "Duoc Len Lop"},
        {"7 9 9 " + nines + "6.4 6.4499999999 0 1 0", "Kha", "Tot", "Khong Co", "Duoc Len Lop"},
        {"6 9 9 " + nines + "0 2 0", "Tot", "Kha", "Khong Co", "Duoc Len Lop"},
        {"6 9 9 " + nines + "0 4 0", "Tot", "Chua Dat", "Khong Co",
         "Chua Duoc Len Lop\nPhai Ren Luyen Trong Ky Nghi He"},
        {"6 4 4 4 4 4 4 4 4 4 4 4 4 2 4 46", "Chua Dat", "Chua Dat", "Khong Co",
         "O Lai Lop Vi Nghi Hoc Qua 45 Buoi"},
        {"7 9 9 " + nines + "3 3 0 1 0", "Dat (Duoc Nang Tu Muc Chua Dat Vi Chi Mot Mon)", "Tot",
         "Khong Co", "Duoc Len Lop"},
        // Semester 1 at 6.3 and 2 at 4.3 give 14.9 / 3, recorded 5: no re-test.
        {"6 5 5 4.5 4.5 5 5 5 5 6.3 4.3 4 4 1 4 0", "Chua Dat", "Chua Dat", "Khong Co",
         "Chua Duoc Len Lop\nPhai Ren Luyen Trong Ky Nghi He\n"
         "Phai Kiem Tra Lai: Mon 2 (4.5), Mon 6 (4), 1 Mon Danh Gia Bang Nhan Xet"},
        {"6 8 8 8 8 8 8 8 8 8 8 8 8 2 3 0", "Chua Dat", "Dat", "Khong Co",
         "Chua Duoc Len Lop\nPhai Kiem Tra Lai: 2 Mon Danh Gia Bang Nhan Xet"},
    };
    for (const auto& c : cases) {
        ShellState state;
        EXPECT_EQ(after(calculate(tknh, state, c.answers), "Ket Qua Hoc Tap Ca Nam: "),
                  c.level + "\nKet Qua Ren Luyen Ca Nam: " + c.conduct + "\nDanh Hieu: " +
                      c.award + "\nKet Qua: " + c.outcome + "\n")
            << c.answers;
    }
}

TEST(YearOutcome, RefusalsAndTheEndOfInput) {
    std::string prompts;
    std::string years;
    for (char n = '1'; n <= '6'; ++n) {
        for (char semester : {'1', '2'}) {
            prompts += std::string("Nhap Diem Trung Binh Mon ") + n + " Hoc Ky " + semester + ": ";
        }
        years += std::string("Trung Binh Mon ") + n + " Ca Nam: 7\n";
    }
    const std::string conduct = "Nhap Ket Qua Ren Luyen Ca Nam (1 Tot, 2 Kha, 3 Dat, 4 Chua Dat): ";
    const std::string missed = "Nhap So Buoi Nghi Hoc Ca Nam: ";
    const std::string asked =
        "Nhap Diem Trung Binh Cac Mon Cua Hai Hoc Ky:\nNhap So Mon Danh Gia Bang Diem So: " +
        prompts + "Nhap So Mon Danh Gia Bang Nhan Xet Bi Xep Muc Chua Dat O Hoc Ky 2: " + conduct;
    const std::string refused = "So Buoi Nghi Phai La So Nguyen Tu 0 Den 365! Nhap Lai\n";
    const std::string sevens = "6 7 7 7 7 7 7 7 7 7 7 7 7 ";
    ShellState state;
    EXPECT_EQ(calculate(tknh, state, sevens + "0\n5 x\n2\n366\n1.5\n0\n"),
              asked + "Ket Qua Ren Luyen Phai La 1, 2, 3 Hoac 4! Nhap Lai\n" + conduct + missed +
                  refused + missed + refused + missed + years +
                  "Ket Qua Hoc Tap Ca Nam: Kha\nKet Qua Ren Luyen Ca Nam: Kha\n"
                  "Danh Hieu: Khong Co\nKet Qua: Duoc Len Lop\n");
    // Input that ends at the last question shows nothing after it.
    EXPECT_EQ(calculate(tknh, state, sevens + "0 2"), asked + missed);
}

}  // namespace
}  // namespace kavelta::testing
