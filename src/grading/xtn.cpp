#include "common/display.hpp"
#include "grading/calculators.hpp"
#include "grading/graduation.hpp"
#include "grading/questions.hpp"

namespace kavelta {

namespace {

// An exam at 1 or below fails the student whatever the score.
constexpr Billionths failsatorbelow = billion;

bool readexams(ShellState& state, std::istream& in, std::ostream& out) {
    if (!readexamcount(state, in, out)) {
        return false;
    }
    char text[64];
    for (int i = 0; i < static_cast<int>(state.sobaithi); ++i) {
        if (!readtypedscore(in, out, numberedtext(text, "Nhap Diem Bai Thi ", i + 1, ": "),
                            state.diembaithi[i])) {
            return false;
        }
    }
    return readpoints(state, in, out);
}

Billionths examtotal(const ShellState& state) {
    Billionths total = 0;
    for (int i = 0; i < static_cast<int>(state.sobaithi); ++i) {
        total += state.diembaithi[i];
    }
    return total;
}

void writeoutcome(std::ostream& out, const ShellState& state) {
    bool failedexam = false;
    for (int i = 0; i < static_cast<int>(state.sobaithi); ++i) {
        failedexam = failedexam || state.diembaithi[i] <= failsatorbelow;
    }
    bool scorebelow = state.diemxettotnghiep < passingscore;
    if (!failedexam && !scorebelow) {
        writetext(out, "Ket Qua: Duoc Cong Nhan Tot Nghiep\n");
        return;
    }
    writetext(out, "Ket Qua: Chua Duoc Cong Nhan Tot Nghiep\n");
    if (failedexam) {
        writetext(out, "Diem Liet (Tu 1 Tro Xuong): ");
        std::string_view separator = "";  // "", never a null view: see writetext
        char text[64];
        for (int i = 0; i < static_cast<int>(state.sobaithi); ++i) {
            if (state.diembaithi[i] <= failsatorbelow) {
                writetext(out, separator);
                writetext(out, numberedtext(text, "Bai Thi ", i + 1, ""));
                separator = ", ";
            }
        }
        writetext(out, "\n");
    }
    if (scorebelow) {
        writetext(out, "Diem Xet Tot Nghiep Duoi 5\n");
    }
}

}  // namespace

void xtn(ShellState& state, std::istream& in, std::ostream& out) {
    writetext(out, "Nhap Diem Trung Binh Ca Nam Cac Mon Lop 10, 11 Va 12:\n");
    if (!readgrades(state, in, out) || !readexams(state, in, out)) {
        return;
    }
    writeyearsaverage(state, out);
    state.diemxettotnghiep = graduationscore(state, examtotal(state));
    writerecorded(out, "Diem Xet Tot Nghiep: ", state.diemxettotnghiep);
    writeoutcome(out, state);
}

}  // namespace kavelta
