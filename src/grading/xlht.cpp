#include <algorithm>

#include "common/display.hpp"
#include "common/input.hpp"
#include "grading/calculators.hpp"
#include "grading/entries.hpp"

namespace kavelta {

namespace {

enum Level { chuadat, dat, kha, tot };
const char* const levelnames[] = {"Chua Dat", "Dat", "Kha", "Tot"};

// Each level asks for at least six scored subjects at a bound.
constexpr int subjectsatbound = 6;

const char* subjectcountrefusal(float count) {
    return wholein(count, 6, 15) ? nullptr : "So Mon Phai La So Nguyen Tu 6 Den 15! Nhap Lai\n";
}

const char* commentcountrefusal(float count) {
    return wholein(count, 0, 10) ? nullptr : "So Mon Phai La So Nguyen Tu 0 Den 10! Nhap Lai\n";
}

int countatleast(const int* tenths, int count, int bound) {
    return static_cast<int>(std::count_if(tenths, tenths + count,
                                          [bound](int t) { return t >= bound; }));
}

// Every subject at `everybound` or more, and six of them at `sixbound` or
// more.
bool reaches(const int* tenths, int count, int everybound, int sixbound) {
    return *std::min_element(tenths, tenths + count) >= everybound &&
           countatleast(tenths, count, sixbound) >= subjectsatbound;
}

// The rules on the recorded averages, in tenths, bounds inclusive: "below
// 3.5" leaves 3.5 itself enough for Dat.
Level level(const int* tenths, int count, int chuadatcomments) {
    if (chuadatcomments == 0 && reaches(tenths, count, 65, 80)) {
        return tot;
    }
    if (chuadatcomments == 0 && reaches(tenths, count, 50, 65)) {
        return kha;
    }
    if (chuadatcomments <= 1 && reaches(tenths, count, 35, 50)) {
        return dat;
    }
    return chuadat;
}

// The best level that one single subject's result stands between the
// student and: each scored subject taken at 10 in turn, or one comment
// subject at Chua Dat taken as Dat.
Level levelbutforonesubject(int* tenths, int count, int chuadatcomments) {
    Level best = chuadat;
    for (int i = 0; i < count; ++i) {
        int kept = tenths[i];
        tenths[i] = 100;
        best = std::max(best, level(tenths, count, chuadatcomments));
        tenths[i] = kept;
    }
    if (chuadatcomments > 0) {
        best = std::max(best, level(tenths, count, chuadatcomments - 1));
    }
    return best;
}

bool readsubjects(ShellState& state, std::istream& in, std::ostream& out) {
    Decimal parts;
    if (!readchecked(in, out, "Nhap So Mon Danh Gia Bang Diem So: ", subjectcountrefusal,
                     state.somondiem, parts)) {
        return false;
    }
    char prompt[64];
    for (int i = 0; i < static_cast<int>(state.somondiem); ++i) {
        Billionths average;
        if (!readexactscore(in, out, numberedprompt(prompt, "Nhap Diem Trung Binh Mon ", i + 1),
                            average)) {
            return false;
        }
        state.tbmon[i] = recordedtenths(average);
    }
    return readchecked(in, out, "Nhap So Mon Danh Gia Bang Nhan Xet Bi Xep Muc Chua Dat: ",
                       commentcountrefusal, state.somonchuadat, parts);
}

}  // namespace

void xlht(ShellState& state, std::istream& in, std::ostream& out) {
    writetext(out, "Nhap Diem Trung Binh Cac Mon (Hoc Ky Hoac Ca Nam):\n");
    if (!readsubjects(state, in, out)) {
        return;
    }
    int count = static_cast<int>(state.somondiem);
    int comments = static_cast<int>(state.somonchuadat);
    Level found = level(state.tbmon, count, comments);
    // A level two or more below Tot or Kha only because of one single
    // subject is raised one level, never more.
    bool raised = levelbutforonesubject(state.tbmon, count, comments) - found >= 2;
    writetext(out, "Ket Qua Hoc Tap: ");
    writetext(out, levelnames[raised ? found + 1 : found]);
    if (raised) {
        writetext(out, " (Duoc Nang Tu Muc ");
        writetext(out, levelnames[found]);
        writetext(out, " Vi Chi Mot Mon)");
    }
    writetext(out, "\n");
}

}  // namespace kavelta
