#include <charconv>
#include <cstring>
#include <string_view>

#include "common/display.hpp"
#include "common/input.hpp"
#include "grading/calculators.hpp"

namespace kavelta {

namespace {

constexpr float maxregulartests = 10;

// Asks for the count of regular tests until it fits in sochia. Counts that
// are fractional, zero or negative are used as entered.
bool readcount(ShellState& state, std::istream& in, std::ostream& out) {
    for (;;) {
        if (!readscore(in, out, "Nhap So Lan Kiem Tra Thuong Xuyen: ", state.n)) {
            return false;
        }
        if (state.n <= maxregulartests) {
            return true;
        }
        discardline(in);
        writetext(out, "Toi Da 10 Lan Kiem Tra! Nhap Lai\n");
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
    // The count was capped at 10, so i stays inside sochia.
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
    // Single precision, one rounding per step, in this order; the divisor
    // uses the count exactly as entered.
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
