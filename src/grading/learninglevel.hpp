// The learning level of a semester or a year under today's rules, Tot,
// Kha, Dat or Chua Dat, from the recorded averages of the subjects assessed
// by scores and the count of subjects assessed by comment rated Chua Dat.
// Conduct is rated on the same four levels.
#pragma once

#include <ostream>
#include <string_view>

#include "common/shellstate.hpp"

namespace kavelta {

enum Level { chuadat, dat, kha, tot };

const char* levelname(Level level);

// Each level asks for at least six scored subjects at a bound.
constexpr int subjectsatbound = 6;

// How many of the first `count` averages are `bound` or more.
int countatleast(const Tenths* averages, int count, Tenths bound);

struct LearningLevel {
    Level level;    // as it counts, after any raise
    Level byrules;  // as the rules alone give it: one below `level` when raised
};

// The level of somondiem averages in tbmon with somonchuadat comment
// subjects at Chua Dat, raised one level when one single subject keeps it
// two or more below.
LearningLevel learninglevel(const ShellState& state);

// The label, the level, and where it was raised from, then a line end.
void writelevel(std::ostream& out, std::string_view label, const LearningLevel& found);

}  // namespace kavelta
