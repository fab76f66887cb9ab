#include "common/display.hpp"
#include "common/input.hpp"
#include "grading/calculators.hpp"
#include "grading/entries.hpp"

namespace kavelta {

namespace {

bool readregularscores(ShellState& state, std::istream& in, std::ostream& out) {
    // The count is a whole number up to 10, so i stays inside sochia.
    for (int i = 0; static_cast<float>(i) < state.n; ++i) {
        if (!readscore(in, out, regularprompt(i + 1), state.sochia[i])) {
            return false;
        }
        state.tongtx = state.tongtx + state.sochia[i];
    }
    return true;
}

}  // namespace

void tdtbm(ShellState& state, std::istream& in, std::ostream& out) {
    state.tongtx = 0;
    if (!readcount(in, out, state.n) || !readregularscores(state, in, out) ||
        !readscore(in, out, "Nhap So Diem Kiem tra giua ky: ", state.diemgk) ||
        !readscore(in, out, "Nhap So Diem Kiem tra cuoi ky: ", state.diemck)) {
        return;
    }
    // Single precision, one rounding per step, in this order.
    float p = state.diemgk * 2.0f;
    p = p + state.tongtx;
    p = p + state.diemck * 3.0f;
    float q = state.n + 5.0f;
    state.tbm = static_cast<double>(p / q);

    writetext(out, "Trung Binh Mon La: ");
    writetwodecimal(out, state.tbm);
    writetext(out, "\n\n");
    if (state.tbm > 10.0) {
        writetext(out, plausibilitywarning);
    }
}

}  // namespace kavelta
