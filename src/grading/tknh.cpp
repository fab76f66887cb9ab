#include "common/display.hpp"
#include "grading/calculators.hpp"
#include "grading/entries.hpp"
#include "grading/learninglevel.hpp"
#include "grading/promotion.hpp"
#include "grading/questions.hpp"

namespace kavelta {

namespace {

constexpr Tenths awardbound = 9_tenths;

// Both semesters' averages, each recorded as the grade book holds it, then
// the year's from them.
bool readsemesters(ShellState& state, std::istream& in, std::ostream& out, int subject) {
    if (!readsubjectaverage(in, out, subject, " Hoc Ky 1: ", state.tbmhk1[subject]) ||
        !readsubjectaverage(in, out, subject, " Hoc Ky 2: ", state.tbmhk2[subject])) {
        return false;
    }
    state.tbmon[subject] = recordedyear(state.tbmhk1[subject], state.tbmhk2[subject]);
    return true;
}

// The award names only conduct and the learning level, and for the higher
// one six subjects at 9 or more.
const char* award(const ShellState& state, Level conduct, Level learning) {
    if (conduct != tot || learning != tot) {
        return "Khong Co";
    }
    int count = static_cast<int>(state.somondiem);
    return countatleast(state.tbmon, count, awardbound) >= subjectsatbound ? "Hoc Sinh Xuat Sac"
                                                                           : "Hoc Sinh Gioi";
}

// What the summer re-test covers: every scored subject below 5, then the
// comment subjects at Chua Dat.
void writeretest(std::ostream& out, const ShellState& state) {
    writetext(out, "Phai Kiem Tra Lai: ");
    std::string_view separator = "";  // "", never a null view: see writetext
    char text[64];
    for (int i = 0; i < static_cast<int>(state.somondiem); ++i) {
        if (state.tbmon[i] < retestbelow) {
            writetext(out, separator);
            writerecorded(out, numberedtext(text, "Mon ", i + 1, " ("), state.tbmon[i], ")");
            separator = ", ";
        }
    }
    int comments = static_cast<int>(state.somonchuadat);
    if (comments > 0) {
        writetext(out, separator);
        writetext(out, numberedtext(text, "", comments, " Mon Danh Gia Bang Nhan Xet"));
    }
    writetext(out, "\n");
}

void writeoutcome(std::ostream& out, const ShellState& state, Level conduct, Level learning) {
    if (writedecided(out, state, conduct, learning)) {
        return;
    }
    writetext(out, "Ket Qua: Chua Duoc Len Lop\n");
    if (conduct == chuadat) {
        writetext(out, "Phai Ren Luyen Trong Ky Nghi He\n");
    }
    if (learning == chuadat) {
        writeretest(out, state);
    }
}

}  // namespace

void tknh(ShellState& state, std::istream& in, std::ostream& out) {
    writetext(out, "Nhap Diem Trung Binh Cac Mon Cua Hai Hoc Ky:\n");
    // A year's comment result is semester 2's.
    if (!readyearresults(state, in, out, readsemesters,
                         "Nhap So Mon Danh Gia Bang Nhan Xet Bi Xep Muc Chua Dat O Hoc Ky 2: ")) {
        return;
    }
    char label[64];
    for (int i = 0; i < static_cast<int>(state.somondiem); ++i) {
        writerecorded(out, numberedtext(label, "Trung Binh Mon ", i + 1, " Ca Nam: "),
                    state.tbmon[i]);
    }
    LearningLevel learning = learninglevel(state);
    writelevel(out, "Ket Qua Hoc Tap Ca Nam: ", learning);
    Level conduct = conductlevel(state.renluyen);
    writetext(out, "Ket Qua Ren Luyen Ca Nam: ");
    writetext(out, levelname(conduct));
    writetext(out, "\nDanh Hieu: ");
    writetext(out, award(state, conduct, learning.level));
    writetext(out, "\n");
    writeoutcome(out, state, conduct, learning.level);
}

}  // namespace kavelta
