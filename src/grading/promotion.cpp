#include "grading/promotion.hpp"

#include "common/display.hpp"

namespace kavelta {

namespace {

// Missing more sessions than this in a year, with or without leave, keeps
// a student down; 45 itself is allowed.
constexpr float maxsessionsmissed = 45;

}  // namespace

Level conductlevel(float typed) {
    return static_cast<Level>(4 - static_cast<int>(typed));
}

bool writedecided(std::ostream& out, const ShellState& state, Level conduct, Level learning) {
    if (state.sobuoinghi > maxsessionsmissed) {
        // Neither a re-test nor summer training makes up for it.
        writetext(out, "Ket Qua: O Lai Lop Vi Nghi Hoc Qua 45 Buoi\n");
        return true;
    }
    if (conduct >= dat && learning >= dat) {
        writetext(out, "Ket Qua: Duoc Len Lop\n");
        return true;
    }
    return false;
}

}  // namespace kavelta
