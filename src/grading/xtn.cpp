#include "common/display.hpp"
#include "common/input.hpp"
#include "grading/calculators.hpp"
#include "grading/entries.hpp"
#include "grading/learninglevel.hpp"

namespace kavelta {

namespace {

constexpr int grades = 3;  // 10, 11 and 12, weighing 1, 2 and 3
constexpr int firstgrade = 10;

// An exam at 1 or below fails the student whatever the score.
constexpr Billionths failsatorbelow = billion;
constexpr Hundredths passingscore = 5_hundredths;

const char* examcountrefusal(float count) {
    return count == 3 || count == 4 ? nullptr : "So Bai Thi Phai La 3 Hoac 4! Nhap Lai\n";
}

const char* encouragementrefusal(float points) {
    return points >= 0 && points <= 2 ? nullptr
                                      : "Diem Khuyen Khich Phai Tu 0 Den 2! Nhap Lai\n";
}

// Only the highest priority group counts, so there are three values.
const char* priorityrefusal(float points) {
    return points == 0 || points == 0.25f || points == 0.5f
               ? nullptr
               : "Diem Uu Tien Phai La 0, 0.25 Hoac 0.5! Nhap Lai\n";
}

// The value read is one of the three exactly (0.25000001 reads as 0.25).
Hundredths prioritypoints(float points) {
    return points == 0.5f ? 0.5_hundredths : points == 0.25f ? 0.25_hundredths : 0_hundredths;
}

// One grade's scored subjects and their year averages, as recorded.
bool readgrade(ShellState& state, std::istream& in, std::ostream& out, int grade) {
    char text[64];
    int number = firstgrade + grade;
    if (!readsubjectcount(in, out, numberedtext(text, "Nhap So Mon Danh Gia Bang Diem So Lop ",
                                                number, ": "),
                          state.somonlop[grade])) {
        return false;
    }
    std::string_view tail = numberedtext(text, " Lop ", number, ": ");
    for (int i = 0; i < static_cast<int>(state.somonlop[grade]); ++i) {
        if (!readsubjectaverage(in, out, i, tail, state.tbcnlop[grade][i])) {
            return false;
        }
    }
    return true;
}

bool readexams(ShellState& state, std::istream& in, std::ostream& out) {
    Decimal parts;
    if (!readchecked(in, out, "Nhap So Bai Thi (4, Hoac 3 Neu Duoc Mien Thi Ngoai Ngu): ",
                     examcountrefusal, state.sobaithi, parts)) {
        return false;
    }
    char text[64];
    for (int i = 0; i < static_cast<int>(state.sobaithi); ++i) {
        if (!readtypedscore(in, out, numberedtext(text, "Nhap Diem Bai Thi ", i + 1, ": "),
                            state.diembaithi[i])) {
            return false;
        }
    }
    float points;
    if (!readchecked(in, out, "Nhap Diem Khuyen Khich (0 Den 2): ", encouragementrefusal, points,
                     parts)) {
        return false;
    }
    state.diemkhuyenkhich = typedbillionths(parts);
    if (!readchecked(in, out, "Nhap Diem Uu Tien (0, 0.25 Hoac 0.5): ", priorityrefusal, points,
                     parts)) {
        return false;
    }
    state.diemuutien = prioritypoints(points);
    return true;
}

// ((exam total + encouragement) / n + A) / 2 + priority, over 2n in one
// exact quotient.
Hundredths graduationscore(const ShellState& state) {
    Billionths exams = state.diemkhuyenkhich;
    int count = static_cast<int>(state.sobaithi);
    for (int i = 0; i < count; ++i) {
        exams += state.diembaithi[i];
    }
    return recorded<2>(exams + count * billionths(state.tbcacnam) +
                           2 * count * billionths(state.diemuutien),
                       2 * count);
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
        std::string_view separator;
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
    for (int grade = 0; grade < grades; ++grade) {
        if (!readgrade(state, in, out, grade)) {
            return;
        }
    }
    if (!readexams(state, in, out)) {
        return;
    }
    char label[64];
    for (int grade = 0; grade < grades; ++grade) {
        state.tblop[grade] =
            mean<2>(state.tbcnlop[grade], static_cast<int>(state.somonlop[grade]));
        writerecorded(out, numberedtext(label, "Trung Binh Lop ", firstgrade + grade, ": "),
                      state.tblop[grade]);
    }
    const int weights[grades] = {1, 2, 3};
    state.tbcacnam = weightedmean<2>(state.tblop, weights, grades);
    writerecorded(out, "Trung Binh Cac Nam Hoc: ", state.tbcacnam);
    state.diemxettotnghiep = graduationscore(state);
    writerecorded(out, "Diem Xet Tot Nghiep: ", state.diemxettotnghiep);
    writeoutcome(out, state);
}

}  // namespace kavelta
