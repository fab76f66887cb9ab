#include <charconv>
#include <cmath>
#include <cstring>
#include <string_view>

#include "common/display.hpp"
#include "common/input.hpp"
#include "grading/calculators.hpp"

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
    if (n < 0 || std::trunc(n) != n) {
        return "So Lan Kiem Tra Phai La So Nguyen Tu 0 Den 10! Nhap Lai\n";
    }
    return nullptr;
}

// Asks for the count of regular tests until it is one a student can have.
bool readcount(ShellState& state, std::istream& in, std::ostream& out) {
    for (;;) {
        if (!readscore(in, out, "Nhap So Lan Kiem Tra Thuong Xuyen: ", state.n)) {
            return false;
        }
        const char* refusal = countrefusal(state.n);
        if (refusal == nullptr) {
            return true;
        }
        discardline(in);
        writetext(out, refusal);
    }
}

// "Nhap So Diem Kiem Tra Thuong Xuyen 3: ", built without allocating.
std::string_view regularprompt(char (&text)[64], int number) {
    static const char head[] = "Nhap So Diem Kiem Tra Thuong Xuyen ";
    std::size_t length = sizeof head - 1;
    std::memcpy(text, head, length);
    char* end = std::to_chars(text + length, text + sizeof text - 2, number).ptr;
    *end++ = ':';
    *end++ = ' ';
    return std::string_view(text, static_cast<std::size_t>(end - text));
}

bool readregularscores(ShellState& state, std::istream& in, std::ostream& out) {
    char prompt[64];
    // The count is a whole number up to 10, so i stays inside sochia.
    for (int i = 0; static_cast<float>(i) < state.n; ++i) {
        if (!readscore(in, out, regularprompt(prompt, i + 1), state.sochia[i])) {
            return false;
        }
        state.tongtx = state.tongtx + state.sochia[i];
    }
    return true;
}

}  // namespace

void tdtbm(ShellState& state, std::istream& in, std::ostream& out) {
    state.tongtx = 0;
    if (!readcount(state, in, out) || !readregularscores(state, in, out) ||
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
    writenumber(out, twodecimal(state.tbm));
    writetext(out, "\n\n");
    if (state.tbm > 10.0) {
        writetext(out, plausibilitywarning);
    }
}

}  // namespace kavelta
