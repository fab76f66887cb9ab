#include "common/display.hpp"
#include "common/input.hpp"
#include "grading/calculators.hpp"
#include "grading/entries.hpp"

namespace kavelta {

void tdtbm(ShellState& state, std::istream& in, std::ostream& out) {
    if (!readsubjectscores(state, in, out, Scores::any) ||
        !readscore(in, out, "Nhap So Diem Kiem tra cuoi ky: ", state.diemck)) {
        return;
    }
    // Single precision, one rounding per step, in this order.
    float p = state.diemgk * 2.0f;
    p = p + state.tongtx;
    p = p + state.diemck * 3.0f;
    float q = state.n + 5.0f;
    state.tbm = static_cast<double>(p / q);

    // The result line is followed by an empty one; the warning comes right
    // after it.
    writeresult(out, {"Trung Binh Mon La: ", {"\n\n"}, ""}, state.tbm);
}

}  // namespace kavelta
