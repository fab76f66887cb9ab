#include "common/display.hpp"
#include "grading/calculators.hpp"
#include "grading/entries.hpp"

namespace kavelta {

namespace {

constexpr int tenthsof10 = 100;

bool readentries(ShellState& state, std::istream& in, std::ostream& out) {
    if (!readcount(in, out, state.sotx)) {
        return false;
    }
    state.tongtxtyped = 0;
    for (int i = 0; i < static_cast<int>(state.sotx); ++i) {
        Billionths score;
        if (!readexactscore(in, out, regularprompt(i + 1), score)) {
            return false;
        }
        state.tongtxtyped += score;
    }
    Billionths target;
    if (!readexactscore(in, out, "Nhap So Diem Kiem tra giua ky: ", state.diemgktyped) ||
        !readexactscore(in, out, "Nhap Diem Trung Binh Mon Muon Dat: ", target)) {
        return false;
    }
    state.muctieu = recordedtenths(target);
    return true;
}

// The subject average a final score of `finaltenths` gives, computed
// exactly and recorded: (regular scores + 2 x midterm + 3 x final) /
// (count + 5).
int recordedaverage(const ShellState& state, int finaltenths) {
    Billionths sum = state.tongtxtyped + 2 * state.diemgktyped + 3 * finaltenths * (billion / 10);
    return recordedtenths(sum, static_cast<Billionths>(state.sotx) + 5);
}

// 8.3, 7, 0, 10: as the stream shows a number.
void writetenths(std::ostream& out, int tenths) {
    writenumber(out, static_cast<double>(tenths) / 10.0);
}

}  // namespace

void dcd(ShellState& state, std::istream& in, std::ostream& out) {
    if (!readentries(state, in, out)) {
        return;
    }
    // The average never falls as the final score rises: the first score
    // that reaches the target is the lowest.
    state.diemckcan = 0;
    while (state.diemckcan < tenthsof10 &&
           recordedaverage(state, state.diemckcan) < state.muctieu) {
        ++state.diemckcan;
    }
    state.tbmghiso = recordedaverage(state, state.diemckcan);
    if (state.tbmghiso >= state.muctieu) {
        writetext(out, "Diem Kiem Tra Cuoi Ky Can Dat: ");
        writetenths(out, state.diemckcan);
        writetext(out, "\n");
    } else {
        writetext(out, "Khong The Dat Duoc, Du Diem Cuoi Ky La 10\n");
    }
    writetext(out, "Khi Do Trung Binh Mon Ghi Vao So Diem La: ");
    writetenths(out, state.tbmghiso);
    writetext(out, "\n");
}

}  // namespace kavelta
