#include "common/display.hpp"
#include "grading/calculators.hpp"
#include "grading/entries.hpp"
#include "grading/questions.hpp"

namespace kavelta {

void dcd(ShellState& state, std::istream& in, std::ostream& out) {
    if (!readsubjectscores(state, in, out, Scores::fromzerototen) ||
        !readrecordedscore(in, out, "Nhap Diem Trung Binh Mon Muon Dat: ", state.muctieu)) {
        return;
    }
    findfinalneeded(state, out, recordedaverage);
    state.tbmghiso = recordedaverage(state, state.diemckcan);
    writerecorded(out, "Khi Do Trung Binh Mon Ghi Vao So Diem La: ", state.tbmghiso);
}

}  // namespace kavelta
