#include "grading/graduation.hpp"

#include "common/display.hpp"
#include "grading/questions.hpp"

namespace kavelta {

void writeyearsaverage(ShellState& state, std::ostream& out) {
    char label[64];
    for (int grade = 0; grade < uppergrades; ++grade) {
        state.tblop[grade] =
            mean<2>(state.tbcnlop[grade], static_cast<int>(state.somonlop[grade]));
        writerecorded(out, numberedtext(label, "Trung Binh Lop ", firstuppergrade + grade, ": "),
                      state.tblop[grade]);
    }
    const int weights[uppergrades] = {1, 2, 3};
    state.tbcacnam = weightedmean<2>(state.tblop, weights, uppergrades);
    writerecorded(out, "Trung Binh Cac Nam Hoc: ", state.tbcacnam);
}

// Over 2n, in one exact quotient.
Hundredths graduationscore(const ShellState& state, Billionths exams) {
    int count = static_cast<int>(state.sobaithi);
    return recorded<2>(exams + state.diemkhuyenkhich + count * billionths(state.tbcacnam) +
                           2 * count * billionths(state.diemuutien),
                       2 * count);
}

}  // namespace kavelta
