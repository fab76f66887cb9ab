#include "common/display.hpp"
#include "common/input.hpp"
#include "grading/calculators.hpp"

namespace kavelta {

void tdtbcn(ShellState& state, std::istream& in, std::ostream& out) {
    // The values are typed on the line below each prompt.
    if (!readscore(in, out, "Nhap Diem Trung Binh Hoc Ky 1: \n", state.diemhk1) ||
        !readscore(in, out, "Nhap Diem Trung Binh Hoc Ky 2: \n", state.diemhk2)) {
        return;
    }
    float sum = state.diemhk2 * 2.0f;
    sum = sum + state.diemhk1;
    state.tbcn = sum / 3.0f;

    writeresult(out, {"Diem Trung Binh Ca Nam: ", {"\n"}, "\n"}, state.tbcn);
}

}  // namespace kavelta
