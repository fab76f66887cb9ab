// The final-test score a year average needs.
#include <gtest/gtest.h>

#include "calculate.hpp"

namespace kavelta::testing {
namespace {

const std::string needed = "Diem Kiem Tra Cuoi Ky Can Dat: ";
const std::string semester2 = "Khi Do Trung Binh Mon Hoc Ky 2 Ghi Vao So Diem La: ";
const std::string year = "Va Trung Binh Mon Ca Nam Ghi Vao So Diem La: ";
const std::string lastquestion = "Nhap Diem Trung Binh Mon Ca Nam Muon Dat: ";

std::string result(const std::string& answers) {
    ShellState state;
    return after(calculate(dcdcn, state, answers), lastquestion);
}

std::string lines(const std::string& x, const std::string& s, const std::string& y) {
    return needed + x + "\n" + semester2 + s + "\n" + year + y + "\n";
}

TEST(YearFinalScoreNeeded, WholeOutputRoundingsAndEnds) {
    // Every score is checked, semester 1 and the target too. With 9.4
    // semester 2 is 8.275, recorded 8.3, and the year 8.0; with 9.3 it is
    // 8.2375, recorded 8.2, and the year 7.93, recorded 7.9.
    const std::string first = "Nhap Diem Trung Binh Mon Hoc Ky 1: ";
    const std::string refusal = "Diem Phai Tu 0 Den 10! Nhap Lai\n";
    const std::string prompts =
        first + "Nhap So Lan Kiem Tra Thuong Xuyen: Nhap So Diem Kiem Tra Thuong Xuyen 1: "
                "Nhap So Diem Kiem Tra Thuong Xuyen 2: Nhap So Diem Kiem Tra Thuong Xuyen 3: ";
    ShellState state;
    EXPECT_EQ(calculate(dcdcn, state, "10.1\n7.4\n3\n8\n9\n7\n7\n11\n8\n"),
              first + refusal + prompts + "Nhap So Diem Kiem tra giua ky: " + lastquestion +
                  refusal + lastquestion + lines("9.4", "8.3", "8"));
    // Input that ends inside shows nothing after the last question asked.
    std::istringstream in("7.4 3 8 9");
    std::ostringstream out;
    dcdcn(state, in, out);
    EXPECT_EQ(out.str(), prompts);
    EXPECT_TRUE(in.fail());

    // Semester 1 as the grade book holds it: 7.45 is 7.5, 7.4499999999 is 7.4.
    EXPECT_EQ(result("7.45 3 8 9 7 7 8"), lines("9.1", "8.2", "8"));
    EXPECT_EQ(result("7.4499999999 3 8 9 7 7 8"), lines("9.4", "8.3", "8"));
    // Semester 2 at exactly 8.25 is recorded 8.3, which lifts the year to
    // 7.97, recorded 8.0; unrounded it would give 7.93.
    EXPECT_EQ(result("7.3 1 7 7 8"), lines("9.5", "8.3", "8"));
    // Reached with 0, and out of reach even with 10.
    EXPECT_EQ(result("10 3 10 10 10 10 5"), lines("0", "6.3", "7.5"));
    EXPECT_EQ(result("0 0 0 10"),
              "Khong The Dat Duoc, Du Diem Cuoi Ky La 10\n" + semester2 + "6\n" + year + "4\n");
}

// Random one-decimal entries: the year that the score found gives reaches
// the target, and 0.1 less does not. Recorded averages are worked out here
// in tenths, half up: the year from semester 2's recorded average.
TEST(YearFinalScoreNeeded, TheLowestScoreThatReaches) {
    std::mt19937 random(28);
    for (int round = 0; round < 2000; ++round) {
        int first = static_cast<int>(random() % 101);
        RandomSubject subject = randomsubject(random);
        int target = static_cast<int>(random() % 101);
        std::string answers = tenthstext(first) + " " + subject.answers + " " + tenthstext(target);
        auto yearof = [&](int final) {
            return (2 * (first + 2 * subject.average(final)) + 3) / 6;
        };
        std::string output = result(answers);
        bool reached = output.rfind(needed, 0) == 0;
        int x = finalneeded(output, needed);
        EXPECT_EQ(yearof(x) >= target, reached) << answers;
        EXPECT_TRUE(!reached || x == 0 || yearof(x - 1) < target) << answers;
        EXPECT_EQ(after(output, semester2),
                  tenthsshown(subject.average(x)) + "\n" + year + tenthsshown(yearof(x)) + "\n")
            << answers;
    }
}

}  // namespace
}  // namespace kavelta::testing
