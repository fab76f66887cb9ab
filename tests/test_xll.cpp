// After the summer: the training, the re-tests, the level found again.
#include <gtest/gtest.h>

#include "calculate.hpp"

namespace kavelta::testing {
namespace {

const std::string retest = "Nhap Diem Kiem Tra Lai Mon ";
const std::string training = "Nhap Ket Qua Ren Luyen Sau He (1 Tot, 2 Kha, 3 Dat, 4 Chua Dat): ";
const std::string again = "Ket Qua Hoc Tap Sau Kiem Tra Lai: ";
const std::string up = "\nKet Qua: Duoc Len Lop\n";
const std::string down = "\nKet Qua: O Lai Lop\n";

TEST(AfterTheSummer, TrainingAndReTestsDecide) {
    const std::string low = "8 6 6 6 6 6 4.5 3.2 7 0 3 3 ";  // Mon 7 below 3.5, conduct Dat
    const std::string tworetests = "Chua Dat\n" + retest + "6: " + retest + "7: " + again;
    const std::string threeretests =
        "Chua Dat\n" + retest + "6: " + retest + "7: " + retest + "8: " + again;
    const struct {
        std::string answers;  // count, years, comments, conduct, sessions; then the summer's
        std::string shown;    // from the year's level on
    } cases[] = {
        {low + "5 4", tworetests + "Dat" + up},
        {low + "5 3", tworetests + "Chua Dat" + down},
        {low + "4.4 6", tworetests + "Dat" + up},  // lower than 4.5, and it counts
        // Recorded first: 4.95 is 5, the sixth subject at 5; 4.94 is 4.9.
        {"8 6 6 6 6 6 4 3 3 0 1 0 4 4.95 4", threeretests + "Dat" + up},
        {"8 6 6 6 6 6 4 3 3 0 1 0 4 4.94 4", threeretests + "Chua Dat" + down},
        {"8 9 9 9 9 9 9 2 3 0 1 0 9 3", "Chua Dat\n" + retest + "7: " + retest + "8: " + again +
                                            "Dat (Duoc Nang Tu Muc Chua Dat Vi Chi Mot Mon)" + up},
        {"8 7 7 7 7 7 7 7 7 0 4 3 3", "Kha\n" + training + "Ket Qua: Duoc Len Lop\n"},
        {"8 7 7 7 7 7 7 7 7 0 4 3 4", "Kha\n" + training + "Ket Qua: O Lai Lop\n"},
        {"8 6 6 6 6 6 4 3 2 1 4 3 4", "Chua Dat\n" + training + "Ket Qua: O Lai Lop\n"},
        {"8 6 6 6 6 6 4 3 2 1 4 46", "Chua Dat\nKet Qua: O Lai Lop Vi Nghi Hoc Qua 45 Buoi\n"},
        {"8 7 7 7 7 7 7 7 7 0 2 45", "Kha\nKet Qua: Duoc Len Lop\n"},
    };
    for (const auto& c : cases) {
        ShellState state;
        EXPECT_EQ(after(calculate(xll, state, c.answers), "Ket Qua Hoc Tap Ca Nam: "), c.shown)
            << c.answers;
    }
}

// Training and re-tests both, in that order, with a refusal of each new
// question; then input that ends inside the summer's questions.
TEST(AfterTheSummer, TheQuestionsInOrderAndTheEndOfInput) {
    std::string asked = "Nhap Ket Qua Ca Nam:\nNhap So Mon Danh Gia Bang Diem So: ";
    for (char n = '1'; n <= '8'; ++n) {
        asked += std::string("Nhap Diem Trung Binh Mon ") + n + " Ca Nam: ";
    }
    const std::string comments =
        "Nhap So Mon Danh Gia Bang Nhan Xet Van Chua Dat Sau Kiem Tra Lai: ";
    asked += "Nhap So Mon Danh Gia Bang Nhan Xet Bi Xep Muc Chua Dat Ca Nam: "
             "Nhap Ket Qua Ren Luyen Ca Nam (1 Tot, 2 Kha, 3 Dat, 4 Chua Dat): "
             "Nhap So Buoi Nghi Hoc Ca Nam: Ket Qua Hoc Tap Ca Nam: Chua Dat\n" +
             training + "Ket Qua Ren Luyen Phai La 1, 2, 3 Hoac 4! Nhap Lai\n" + training + retest +
             "6: Diem Phai Tu 0 Den 10! Nhap Lai\n" + retest + "6: " + retest + "7: " + retest +
             "8: " + comments + "So Mon Phai La So Nguyen Tu 0 Den 1! Nhap Lai\n" + comments;
    const std::string answers = "8 6 6 6 6 6 4 3 2 1 4 3\n5 x\n3\n11\n5 5 5\n2\n";
    ShellState state;
    EXPECT_EQ(calculate(xll, state, answers + "1\n"), asked + again + "Dat" + up);
    EXPECT_EQ(calculate(xll, state, answers), asked);
}

}  // namespace
}  // namespace kavelta::testing
