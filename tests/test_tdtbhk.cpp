// The semester average and the student title.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <random>

#include "calculate.hpp"
#include "common/display.hpp"

namespace kavelta::testing {
namespace {

const std::string gioi = "Hoc Sinh Gioi";
const std::string kha = "Hoc Sinh Kha";
const std::string none = ShellState().c3;
const std::string warning = "\n" + std::string(plausibilitywarning);

std::string semester(const std::string& answers) {
    ShellState state;
    return after(calculate(tdtbhk, state, answers), "Trung Binh Hoc Ky La: ");
}

std::string result(const std::string& average, const std::string& title) {
    return average + "\nBan Duoc Danh Hieu Hoc Sinh: " + title;
}

TEST(SemesterAverage, WholeOutput) {
    ShellState state;
    EXPECT_EQ(calculate(tdtbhk, state, "8\n8\n8\n8\n8\n8\n8\n8\n8\n8\n8\n"),
              "Nhap Diem Cac Mon Sau:\n"
              "TBM Toan: TBM Ngu Van: TBM Tieng Anh: TBM Dia Ly: TBM Lich Su: TBM Vat Ly: "
              "TBM Hoa Hoc: TBM Cong Nghe: TBM Sinh Hoc: TBM Tin Hoc: TBM GDCD: "
              "Trung Binh Hoc Ky La: 8\n"
              "Ban Duoc Danh Hieu Hoc Sinh: Hoc Sinh Gioi");
    EXPECT_EQ(state.a11, 8.0f);
}

TEST(SemesterAverage, TitleRules) {
    EXPECT_EQ(semester("10 10 10 10 10 10 10 10 10 10 10"), result("10", gioi));
    EXPECT_EQ(semester("8 6.5 6.5 6.5 6.5 6.5 6.5 6.5 6.5 6.5 6.5"), result("6.64", kha));
    // Any one key subject at 8 will do, the third as well as the first.
    EXPECT_EQ(semester("7 7 8 8 8 8 8 8 8 8 9"), result("7.91", kha));
    EXPECT_EQ(semester("7 7 8 8 8 8 8 8 8 9 9"), result("8", gioi));
    // One subject just under 6.5 (the last of them, too) takes away Gioi.
    EXPECT_EQ(semester("9 9 9 6.4 9 9 9 9 9 9 9"), result("8.76", kha));
    EXPECT_EQ(semester("9 9 9 9 9 9 9 9 9 9 6.4"), result("8.76", kha));
    EXPECT_EQ(semester("9 9 9 9 9 9 9 9 9 9 6.5"), result("8.77", gioi));
    // No key subject reaches 8 even though every other subject is 10.
    EXPECT_EQ(semester("7.9 7.9 7.9 10 10 10 10 10 10 10 10"), result("9.43", kha));
    // Subjects beyond the first three are not key subjects.
    EXPECT_EQ(semester("6.4 6.4 6.4 9 9 9 9 9 9 9 9"), result("8.29", none));
    EXPECT_EQ(semester("6.5 6.4 6.4 9 9 9 9 9 9 9 9"), result("8.3", kha));
    EXPECT_EQ(semester("10 10 10 10 10 10 10 10 10 10 4.9"), result("9.54", none));
    EXPECT_EQ(semester("10 10 10 10 10 10 10 10 10 10 5"), result("9.55", kha));
    // An average of exactly 6.5 is enough for Kha.
    EXPECT_EQ(semester("6.5 6.5 6.5 6.5 6.5 6.5 6.5 6.5 6.5 6.5 6.5"), result("6.5", kha));
    EXPECT_EQ(semester("6.5 6.5 6.5 6.5 6.5 6.5 6.5 6.5 6.5 6.5 6.4"), result("6.49", none));
}

// The single-precision sum in table order can fall a hair short of an
// exact mean: the average bounds look at the average as shown, so a
// student whose average reads 8 earns what 8 earns.
TEST(SemesterAverage, TheTitleFollowsTheAverageShown) {
    ShellState state;
    std::string output =
        calculate(tdtbhk, state, "10 10 10 7.8 7.8 7.8 7.8 6.7 6.7 6.7 6.7");
    EXPECT_EQ(after(output, "Trung Binh Hoc Ky La: "), result("8", gioi));
    EXPECT_LT(state.tbhk, 8.0f);
    EXPECT_EQ(semester("8.3 7.2 9.3 9.5 7.2 7.3 7.2 7.8 7.9 7.1 9.2"), result("8", gioi));
    // Here it is 10.000001: shown as 10, Gioi, and the warning, which is
    // about the scores typed and so looks at the unrounded average.
    EXPECT_EQ(semester("10.4 10.4 10.4 9.8 9.8 9.8 9.8 9.9 9.9 9.9 9.9"),
              result("10", gioi) + warning);
}

// Sets of one-decimal averages whose exact mean is 8 or 6.5, drawn at
// random, every subject at or above that title's bound: each earns the
// title, or the next one down when no key subject reaches the mean.
TEST(SemesterAverage, ExactMeansEarnTheirTitle) {
    const struct {
        int tenths;
        int lowest;
        const char* shown;
        const std::string& withkey;
        const std::string& withoutkey;
    } means[] = {{80, 65, "8", gioi, kha}, {65, 50, "6.5", kha, none}};
    std::mt19937 random(2026);
    for (const auto& mean : means) {
        for (int set = 0; set < 400; ++set) {
            // Every subject at the mean, then tenths moved between subjects.
            int scores[11];
            std::fill(std::begin(scores), std::end(scores), mean.tenths);
            for (int move = 0; move < 30; ++move) {
                int& from = scores[random() % 11];
                int& to = scores[random() % 11];
                int amount = static_cast<int>(random() % 10);
                if (from - amount >= mean.lowest && to + amount <= 100) {
                    from -= amount;
                    to += amount;
                }
            }
            std::string answers;
            for (int score : scores) {
                answers += std::to_string(score / 10) + "." + std::to_string(score % 10) + " ";
            }
            bool key = *std::max_element(scores, scores + 3) >= mean.tenths;
            EXPECT_EQ(semester(answers), result(mean.shown, key ? mean.withkey : mean.withoutkey))
                << answers;
        }
    }
}

TEST(SemesterAverage, WarningAboveTen) {
    EXPECT_EQ(semester("10 10 10 10 10 10 10 10 10 10 10.5"), result("10.05", gioi) + warning);
    EXPECT_EQ(semester("101 1 1 1 1 1 1 1 1 1 1"), result("10.09", none) + warning);
    EXPECT_EQ(semester("-1 -1 -1 -1 -1 -1 -1 -1 -1 -1 -1"), result("-1", none));
    EXPECT_EQ(semester("3e38 3e38 0 0 0 0 0 0 0 0 0"), result("inf", none) + warning);
}

}  // namespace
}  // namespace kavelta::testing
