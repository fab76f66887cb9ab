#include "grading/entries.hpp"

#include "common/display.hpp"
#include "common/input.hpp"
#include "grading/questions.hpp"

namespace kavelta {

namespace {

constexpr float maxregulartests = 10;

// Why a count is refused, or null when it is a whole number from 0 to 10.
// No student has 2.5 or -5 tests, and such a count would ask for a wrong
// number of scores or divide by zero. sochia has room for 10.
const char* countrefusal(float n) {
    if (n > maxregulartests) {
        return "Toi Da 10 Lan Kiem Tra! Nhap Lai\n";
    }
    if (!wholein(n, 0, maxregulartests)) {
        return "So Lan Kiem Tra Phai La So Nguyen Tu 0 Den 10! Nhap Lai\n";
    }
    return nullptr;
}

// Written out: a script asks for a great many of them.
constexpr std::string_view regularprompts[] = {
    "Nhap So Diem Kiem Tra Thuong Xuyen 1: ", "Nhap So Diem Kiem Tra Thuong Xuyen 2: ",
    "Nhap So Diem Kiem Tra Thuong Xuyen 3: ", "Nhap So Diem Kiem Tra Thuong Xuyen 4: ",
    "Nhap So Diem Kiem Tra Thuong Xuyen 5: ", "Nhap So Diem Kiem Tra Thuong Xuyen 6: ",
    "Nhap So Diem Kiem Tra Thuong Xuyen 7: ", "Nhap So Diem Kiem Tra Thuong Xuyen 8: ",
    "Nhap So Diem Kiem Tra Thuong Xuyen 9: ", "Nhap So Diem Kiem Tra Thuong Xuyen 10: ",
};

bool readcount(std::istream& in, std::ostream& out, float& n) {
    Decimal parts;
    return readchecked(in, out, "Nhap So Lan Kiem Tra Thuong Xuyen: ", countrefusal, n, parts);
}

// One score of the subject, and its value as typed where the rules ask for
// it (0 otherwise). The subject average takes the plain path: a script asks
// for a great many of its scores.
bool readsubjectscore(std::istream& in, std::ostream& out, std::string_view prompt,
                      Scores scores, float& value, Billionths& typed) {
    typed = 0;
    if (scores == Scores::any) {
        return readscore(in, out, prompt, value);
    }
    Decimal parts;
    if (!readchecked(in, out, prompt, scorerefusal, value, parts)) {
        return false;
    }
    typed = typedbillionths(parts);
    return true;
}

}  // namespace

bool readsubjectscores(ShellState& state, std::istream& in, std::ostream& out, Scores scores) {
    state.tongtx = 0;
    state.tongtxtyped = 0;
    if (!readcount(in, out, state.n)) {
        return false;
    }
    // The count is a whole number up to 10, so i stays inside sochia.
    for (int i = 0; static_cast<float>(i) < state.n; ++i) {
        Billionths typed;
        if (!readsubjectscore(in, out, regularprompts[i], scores, state.sochia[i], typed)) {
            return false;
        }
        state.tongtx = state.tongtx + state.sochia[i];
        state.tongtxtyped += typed;
    }
    return readsubjectscore(in, out, "Nhap So Diem Kiem tra giua ky: ", scores, state.diemgk,
                            state.diemgktyped);
}

// (regular scores + 2 x midterm + 3 x final) / (count + 5).
Tenths recordedaverage(const ShellState& state, Tenths final) {
    Billionths sum = state.tongtxtyped + 2 * state.diemgktyped + 3 * billionths(final);
    return recorded<1>(sum, static_cast<Billionths>(state.n) + 5);
}

Tenths recordedyear(Tenths semester1, Tenths semester2) {
    const Tenths semesters[] = {semester1, semester2};
    const int weights[] = {1, 2};
    return weightedmean<1>(semesters, weights, 2);
}

void findfinalneeded(ShellState& state, std::ostream& out,
                     Tenths (*average)(const ShellState& state, Tenths final)) {
    // The average never falls as the final score rises: the first score, in
    // steps of a tenth, that reaches the target is the lowest.
    state.diemckcan = 0_tenths;
    while (state.diemckcan < 10_tenths && average(state, state.diemckcan) < state.muctieu) {
        ++state.diemckcan.units;
    }
    if (average(state, state.diemckcan) >= state.muctieu) {
        writerecorded(out, "Diem Kiem Tra Cuoi Ky Can Dat: ", state.diemckcan);
    } else {
        writetext(out, "Khong The Dat Duoc, Du Diem Cuoi Ky La 10\n");
    }
}

}  // namespace kavelta
