#include "common/display.hpp"
#include "grading/calculators.hpp"
#include "grading/entries.hpp"
#include "grading/questions.hpp"

namespace kavelta {

namespace {

// The year average with a final score of `final` in semester 2: that
// semester's average recorded first, then the year's. Two roundings in a
// row, as the grade book makes them.
Tenths recordedyearwith(const ShellState& state, Tenths final) {
    return recordedyear(state.diemhk1ghiso, recordedaverage(state, final));
}

}  // namespace

void dcdcn(ShellState& state, std::istream& in, std::ostream& out) {
    // The grade book holds semester 1 with one decimal: 7.45 is 7.5.
    if (!readrecordedscore(in, out, "Nhap Diem Trung Binh Mon Hoc Ky 1: ", state.diemhk1ghiso) ||
        !readsubjectscores(state, in, out, Scores::fromzerototen) ||
        !readrecordedscore(in, out, "Nhap Diem Trung Binh Mon Ca Nam Muon Dat: ", state.muctieu)) {
        return;
    }
    findfinalneeded(state, out, recordedyearwith);
    state.tbmghiso = recordedaverage(state, state.diemckcan);
    state.tbcnghiso = recordedyearwith(state, state.diemckcan);
    writerecorded(out, "Khi Do Trung Binh Mon Hoc Ky 2 Ghi Vao So Diem La: ", state.tbmghiso);
    writerecorded(out, "Va Trung Binh Mon Ca Nam Ghi Vao So Diem La: ", state.tbcnghiso);
}

}  // namespace kavelta
