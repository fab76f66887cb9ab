#include "common/display.hpp"
#include "common/input.hpp"
#include "grading/calculators.hpp"
#include "grading/entries.hpp"
#include "grading/learninglevel.hpp"

namespace kavelta {

namespace {

// Missing more sessions than this in a year, with or without leave, keeps
// a student down whatever else; 45 itself is allowed.
constexpr float maxsessionsmissed = 45;

// The year's averages below 5 go to the summer re-test.
constexpr Tenths retestbelow = 5_tenths;
constexpr Tenths awardbound = 9_tenths;

const char* conductrefusal(float value) {
    return wholein(value, 1, 4) ? nullptr : "Ket Qua Ren Luyen Phai La 1, 2, 3 Hoac 4! Nhap Lai\n";
}

const char* sessionsrefusal(float value) {
    return wholein(value, 0, 365) ? nullptr
                                  : "So Buoi Nghi Phai La So Nguyen Tu 0 Den 365! Nhap Lai\n";
}

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

bool readyear(ShellState& state, std::istream& in, std::ostream& out) {
    Decimal parts;
    // A year's comment result is semester 2's.
    const char* comments = "Nhap So Mon Danh Gia Bang Nhan Xet Bi Xep Muc Chua Dat O Hoc Ky 2: ";
    return readlevelsubjects(state, in, out, readsemesters, comments) &&
           readchecked(in, out, "Nhap Ket Qua Ren Luyen Ca Nam (1 Tot, 2 Kha, 3 Dat, 4 Chua Dat): ",
                       conductrefusal, state.renluyen, parts) &&
           readchecked(in, out, "Nhap So Buoi Nghi Hoc Ca Nam: ", sessionsrefusal, state.sobuoinghi,
                       parts);
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
    std::string_view separator;
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
    if (state.sobuoinghi > maxsessionsmissed) {
        // Neither a re-test nor summer training makes up for it.
        writetext(out, "Ket Qua: O Lai Lop Vi Nghi Hoc Qua 45 Buoi\n");
        return;
    }
    if (conduct >= dat && learning >= dat) {
        writetext(out, "Ket Qua: Duoc Len Lop\n");
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
    if (!readyear(state, in, out)) {
        return;
    }
    char label[64];
    for (int i = 0; i < static_cast<int>(state.somondiem); ++i) {
        writerecorded(out, numberedtext(label, "Trung Binh Mon ", i + 1, " Ca Nam: "),
                    state.tbmon[i]);
    }
    LearningLevel learning = learninglevel(state);
    writelevel(out, "Ket Qua Hoc Tap Ca Nam: ", learning);
    // Typed 1 for Tot down to 4 for Chua Dat.
    Level conduct = static_cast<Level>(4 - static_cast<int>(state.renluyen));
    writetext(out, "Ket Qua Ren Luyen Ca Nam: ");
    writetext(out, levelname(conduct));
    writetext(out, "\nDanh Hieu: ");
    writetext(out, award(state, conduct, learning.level));
    writetext(out, "\n");
    writeoutcome(out, state, conduct, learning.level);
}

}  // namespace kavelta
