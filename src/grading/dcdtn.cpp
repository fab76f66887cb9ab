#include "common/display.hpp"
#include "grading/calculators.hpp"
#include "grading/graduation.hpp"
#include "grading/questions.hpp"

namespace kavelta {

namespace {

// Every exam's mark is a multiple of 0.05 (true/false parts give 0.1, the
// others 0.25 or 0.5), and the lowest that does not fail is 1.05.
constexpr Hundredths markstep = 0.05_hundredths;
constexpr Hundredths lowestmark = 1.05_hundredths;

// The lowest multiple of markstep that `count` equal marks reach `total`
// with.
Hundredths equalmark(Hundredths total, int count) {
    std::int64_t steps = count * markstep.units;
    return Hundredths{(total.units + steps - 1) / steps * markstep.units};
}

}  // namespace

void dcdtn(ShellState& state, std::istream& in, std::ostream& out) {
    writetext(out, "Nhap Diem Trung Binh Ca Nam Cac Mon Lop 10, 11 Va 12:\n");
    if (!readgrades(state, in, out) || !readexamcount(state, in, out) ||
        !readpoints(state, in, out)) {
        return;
    }
    writeyearsaverage(state, out);
    // The score never falls as the total rises, and every exam at 10
    // reaches 5 whatever the years' average: the first total, from every
    // exam at the lowest mark up in steps of a mark, that reaches 5 is the
    // lowest.
    int count = static_cast<int>(state.sobaithi);
    state.tongdiemthican = Hundredths{count * lowestmark.units};
    while (graduationscore(state, billionths(state.tongdiemthican)) < passingscore) {
        state.tongdiemthican.units += markstep.units;
    }
    state.diemthimoibai = equalmark(state.tongdiemthican, count);
    state.diemxettotnghiep = graduationscore(state, billionths(state.tongdiemthican));
    writerecorded(out, "Tong Diem Cac Bai Thi Can Dat: ", state.tongdiemthican);
    writerecorded(out, "Moi Bai Thi Can (Neu Bang Nhau): ", state.diemthimoibai);
    writerecorded(out, "Khi Do Diem Xet Tot Nghiep La: ", state.diemxettotnghiep);
    writetext(out, "Va Khong Bai Thi Nao Duoc Tu 1 Tro Xuong\n");
}

}  // namespace kavelta
