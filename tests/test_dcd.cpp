// The final-test score a target average needs.
#include <gtest/gtest.h>

#include "calculate.hpp"

namespace kavelta::testing {
namespace {

const std::string needed = "Diem Kiem Tra Cuoi Ky Can Dat: ";
const std::string recorded = "Khi Do Trung Binh Mon Ghi Vao So Diem La: ";

// What follows the last question.
std::string result(const std::string& answers) {
    ShellState state;
    return after(calculate(dcd, state, answers), "Nhap Diem Trung Binh Mon Muon Dat: ");
}

TEST(FinalScoreNeeded, WholeOutputRefusalsAndCases) {
    // Every score is checked, the regular ones and the midterm.
    ShellState state;
    const std::string second = "Nhap So Diem Kiem Tra Thuong Xuyen 2: ";
    const std::string midterm = "Nhap So Diem Kiem tra giua ky: ";
    EXPECT_EQ(calculate(dcd, state, "2\n8\n11\n9\n-0.1\n7\n8\n"),
              "Nhap So Lan Kiem Tra Thuong Xuyen: Nhap So Diem Kiem Tra Thuong Xuyen 1: " +
                  second + "Diem Phai Tu 0 Den 10! Nhap Lai\n" + second + midterm +
                  "Diem Phai Tu 0 Den 10! Nhap Lai\n" + midterm +
                  "Nhap Diem Trung Binh Mon Muon Dat: " + needed + "8.3\n" + recorded + "8\n");
    // A target typed 7.95 is recorded 8.0, the same target.
    EXPECT_EQ(result("2 8 9 7 7.95"), needed + "8.3\n" + recorded + "8\n");
    EXPECT_EQ(result("0 0 0"), needed + "0\n" + recorded + "0\n");
    EXPECT_EQ(result("0 0 6"), needed + "10\n" + recorded + "6\n");
    EXPECT_EQ(result("0 0 6.1"), "Khong The Dat Duoc, Du Diem Cuoi Ky La 10\n" + recorded + "6\n");
}

// Random one-decimal entries: the score found reaches the target and 0.1
// less does not. Recorded averages are worked out here in tenths.
TEST(FinalScoreNeeded, TheLowestScoreThatReaches) {
    std::mt19937 random(21);
    for (int round = 0; round < 2000; ++round) {
        RandomSubject subject = randomsubject(random);
        int target = static_cast<int>(random() % 101);
        std::string answers = subject.answers + " " + tenthstext(target);
        std::string output = result(answers);
        bool reached = output.rfind(needed, 0) == 0;
        int x = finalneeded(output, needed);
        EXPECT_EQ(subject.average(x) >= target, reached) << answers;
        EXPECT_TRUE(!reached || x == 0 || subject.average(x - 1) < target) << answers;
        EXPECT_EQ(after(output, recorded), tenthsshown(subject.average(x)) + "\n") << answers;
    }
}

}  // namespace
}  // namespace kavelta::testing
