#include "common/display.hpp"
#include "common/input.hpp"
#include "grading/calculators.hpp"

namespace kavelta {

namespace {

struct Subject {
    std::string_view prompt;
    float ShellState::*field;
};

// In the order they are asked for and added up; the first three are the key
// subjects of the title rules.
const Subject subjects[] = {
    {"TBM Toan: ", &ShellState::a1},     {"TBM Ngu Van: ", &ShellState::a2},
    {"TBM Tieng Anh: ", &ShellState::a3}, {"TBM Dia Ly: ", &ShellState::a4},
    {"TBM Lich Su: ", &ShellState::a5},  {"TBM Vat Ly: ", &ShellState::a6},
    {"TBM Hoa Hoc: ", &ShellState::a7},  {"TBM Cong Nghe: ", &ShellState::a8},
    {"TBM Sinh Hoc: ", &ShellState::a9}, {"TBM Tin Hoc: ", &ShellState::a10},
    {"TBM GDCD: ", &ShellState::a11},
};

constexpr int keysubjects = 3;

bool keysubjectreaches(const ShellState& state, float bound) {
    for (int i = 0; i < keysubjects; ++i) {
        if (state.*subjects[i].field >= bound) {
            return true;
        }
    }
    return false;
}

bool everysubjectreaches(const ShellState& state, float bound) {
    for (const Subject& subject : subjects) {
        if (!(state.*subject.field >= bound)) {
            return false;
        }
    }
    return true;
}

// A title needs a key subject, every subject and the average to reach their
// bounds, all inclusive. The subjects are compared as entered; the average
// as shown, so that a student whose average reads 8 earns what 8 earns even
// when the single-precision sum fell a hair short of it.
bool earns(const ShellState& state, float shown, float keybound, float everybound,
           float averagebound) {
    return keysubjectreaches(state, keybound) && everysubjectreaches(state, everybound) &&
           shown >= averagebound;
}

const std::string& studenttitle(const ShellState& state, float shown) {
    if (earns(state, shown, 8.0f, 6.5f, 8.0f)) {
        return state.c1;
    }
    if (earns(state, shown, 6.5f, 5.0f, 6.5f)) {
        return state.c2;
    }
    return state.c3;
}

}  // namespace

void tdtbhk(ShellState& state, std::istream& in, std::ostream& out) {
    writetext(out, "Nhap Diem Cac Mon Sau:\n");
    for (const Subject& subject : subjects) {
        if (!readscore(in, out, subject.prompt, state.*subject.field)) {
            return;
        }
    }
    // Added left to right in table order, starting from the first subject,
    // then divided, each step rounded to single precision.
    float sum = state.*subjects[0].field;
    for (std::size_t i = 1; i < std::size(subjects); ++i) {
        sum = sum + state.*subjects[i].field;
    }
    state.tbhk = sum / 11.0f;

    float shown = twodecimal(state.tbhk);
    writeresult(out,
                {"Trung Binh Hoc Ky La: ",
                 {"\nBan Duoc Danh Hieu Hoc Sinh: ", studenttitle(state, shown)},
                 "\n"},
                state.tbhk);
}

}  // namespace kavelta
