#include "common/display.hpp"
#include "grading/calculators.hpp"
#include "grading/learninglevel.hpp"
#include "grading/questions.hpp"

namespace kavelta {

namespace {

// One average, of a semester or of the year.
bool readaverage(ShellState& state, std::istream& in, std::ostream& out, int subject) {
    return readsubjectaverage(in, out, subject, ": ", state.tbmon[subject]);
}

}  // namespace

void xlht(ShellState& state, std::istream& in, std::ostream& out) {
    writetext(out, "Nhap Diem Trung Binh Cac Mon (Hoc Ky Hoac Ca Nam):\n");
    if (!readlevelsubjects(state, in, out, readaverage,
                           "Nhap So Mon Danh Gia Bang Nhan Xet Bi Xep Muc Chua Dat: ")) {
        return;
    }
    writelevel(out, "Ket Qua Hoc Tap: ", learninglevel(state));
}

}  // namespace kavelta
