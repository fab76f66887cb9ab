#include "common/display.hpp"
#include "grading/calculators.hpp"
#include "grading/learninglevel.hpp"
#include "grading/promotion.hpp"
#include "grading/questions.hpp"

namespace kavelta {

namespace {

// One subject's year average, from the grade book.
bool readyearaverage(ShellState& state, std::istream& in, std::ostream& out, int subject) {
    return readsubjectaverage(in, out, subject, " Ca Nam: ", state.tbmon[subject]);
}

// Each subject below 5 takes the re-test, whose score replaces its year
// average, lower or not; then the comment subjects at Chua Dat, of which
// those still Chua Dat replace the year's count.
bool readretests(ShellState& state, std::istream& in, std::ostream& out) {
    char text[64];
    for (int i = 0; i < static_cast<int>(state.somondiem); ++i) {
        if (state.tbmon[i] >= retestbelow) {
            continue;
        }
        std::string_view prompt = numberedtext(text, "Nhap Diem Kiem Tra Lai Mon ", i + 1, ": ");
        if (!readrecordedscore(in, out, prompt, state.tbmon[i])) {
            return false;
        }
    }
    int comments = static_cast<int>(state.somonchuadat);
    return comments == 0 ||
           readsubjectcount(in, out,
                            "Nhap So Mon Danh Gia Bang Nhan Xet Van Chua Dat Sau Kiem Tra Lai: ", 0,
                            comments, state.somonchuadat);
}

}  // namespace

void xll(ShellState& state, std::istream& in, std::ostream& out) {
    writetext(out, "Nhap Ket Qua Ca Nam:\n");
    if (!readyearresults(state, in, out, readyearaverage,
                         "Nhap So Mon Danh Gia Bang Nhan Xet Bi Xep Muc Chua Dat Ca Nam: ")) {
        return;
    }
    LearningLevel learning = learninglevel(state);
    writelevel(out, "Ket Qua Hoc Tap Ca Nam: ", learning);
    Level conduct = conductlevel(state.renluyen);
    if (writedecided(out, state, conduct, learning.level)) {
        return;
    }
    // The training comes first: a student whose conduct is still Chua Dat
    // after it stays down, and takes no re-test.
    if (conduct == chuadat) {
        if (!readconduct(in, out,
                         "Nhap Ket Qua Ren Luyen Sau He (1 Tot, 2 Kha, 3 Dat, 4 Chua Dat): ",
                         state.renluyen)) {
            return;
        }
        if (conductlevel(state.renluyen) == chuadat) {
            writetext(out, "Ket Qua: O Lai Lop\n");
            return;
        }
    }
    if (learning.level == chuadat) {
        if (!readretests(state, in, out)) {
            return;
        }
        learning = learninglevel(state);
        writelevel(out, "Ket Qua Hoc Tap Sau Kiem Tra Lai: ", learning);
    }
    writetext(out, learning.level >= dat ? "Ket Qua: Duoc Len Lop\n" : "Ket Qua: O Lai Lop\n");
}

}  // namespace kavelta
